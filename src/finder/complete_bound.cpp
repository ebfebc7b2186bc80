#include "finder/complete_bound.h"

#include <algorithm>

namespace tilvan {
namespace {

constexpr int kN = kSide;

// Factors of a segment's new squares, largest first, and the sum of the
// rack's best points paired with them.
class Factors {
 public:
  void clear() { n_ = 0; }
  void insert(int x) {
    int k = n_++;
    for (; k > 0 && factor_[k - 1] < x; --k) factor_[k] = factor_[k - 1];
    factor_[k] = x;
  }
  int pairedWith(const std::array<int, kMoveSlots>& best) const {
    int sum = 0;
    for (int k = 0; k < n_; ++k) sum += best[static_cast<std::size_t>(k)] * factor_[k];
    return sum;
  }

 private:
  int factor_[kMoveSlots] = {};
  int n_ = 0;
};

// The bounds of the segments of frame row r (invariant 1), each given to the
// leftmost anchor it covers.
void rowBounds(const Frame& f, const RackPoints& rack, int r, std::array<double, kSquares>& bound) {
  const int base = r * kN;
  std::array<int, kN> empty{};
  std::array<int, kN + 1> before{};  // board points left of each column
  int n = 0;
  bool anchors = false;
  for (int c = 0; c < kN; ++c) {
    const int i = base + c;
    before[static_cast<std::size_t>(c + 1)] = before[static_cast<std::size_t>(c)] + f.value[i];
    if (!f.empty(i)) continue;
    empty[static_cast<std::size_t>(n++)] = c;
    if (f.anchor[i]) {
      anchors = true;
      bound[static_cast<std::size_t>(i)] = kNoPlacement;
    }
  }
  if (!anchors) return;
  Factors letter, cross;
  for (int j = 0; j < n; ++j) {
    const int left = j > 0 ? empty[static_cast<std::size_t>(j - 1)] + 1 : 0;
    int wordFactor = 1, crossFixed = 0, first = -1;
    letter.clear();
    cross.clear();
    for (int k = 1; k <= rack.count && j + k <= n; ++k) {
      const int c = empty[static_cast<std::size_t>(j + k - 1)], i = base + c;
      if (!(f.cross[i] & rack.letters)) break;  // invariant 3
      if (first < 0 && f.anchor[i]) first = i;
      wordFactor *= f.wm[i];
      letter.insert(f.lm[i]);
      if (f.hasCross[i]) {
        crossFixed += f.crossSum[i] * f.wm[i];
        cross.insert(f.lm[i] * f.wm[i]);
      }
      if (first < 0) continue;
      const int right = j + k < n ? empty[static_cast<std::size_t>(j + k)] : kN;
      if (right - left < 2) continue;  // a lone tile: no main word
      const int board = before[static_cast<std::size_t>(right)] - before[static_cast<std::size_t>(left)];
      const int score = (board + letter.pairedWith(rack.best)) * wordFactor + crossFixed +
                        cross.pairedWith(rack.best) + fullRackBonus(k);
      const double b = static_cast<double>(score) + rack.extra[static_cast<std::size_t>(k)];
      double& slot = bound[static_cast<std::size_t>(first)];
      slot = std::max(slot, b);
    }
  }
}

}  // namespace

void anchorBounds(const Frame& f, const RackPoints& rack, std::array<double, kSquares>& bound) {
  for (int r = 0; r < kN; ++r) rowBounds(f, rack, r, bound);
}

}  // namespace tilvan
