#include "finder/complete_bound.h"

#include <algorithm>
#include <cassert>

namespace tilvan {
namespace {

constexpr int kN = kSide;

// The new squares' factors of a segment (each 1, 2 or 3: a square holds
// one premium, so lm * wm is 1, 2 or 3 too), as counts, and the rack's best
// points paired with them, largest with largest: with S(n) the sum of the
// n best points, 3*S(a) + 2*(S(a+b) - S(a)) + (S(a+b+c) - S(a+b)) for a
// threes, b twos and c ones.
class Factors {
 public:
  void clear() { count_ = {}; }
  void insert(int x) {
    assert(x >= 1 && x <= 3);
    ++count_[static_cast<std::size_t>(x)];
  }
  // best[n]: the sum of the rack's n best points.
  int pairedWith(const std::array<int, kMoveSlots + 1>& best) const {
    const int threes = count_[3], twos = threes + count_[2], ones = twos + count_[1];
    return best[static_cast<std::size_t>(threes)] + best[static_cast<std::size_t>(twos)] +
           best[static_cast<std::size_t>(ones)];
  }

 private:
  std::array<int, 4> count_{};
};

// The bounds of the segments of frame row r (invariant 1), each given to the
// leftmost anchor it covers.
void rowBounds(const Frame& f, const RackPoints& rack, const std::array<int, kMoveSlots + 1>& best,
               int r, std::array<double, kSquares>& bound) {
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
  std::array<int, kN + 1> nextAnchor{};  // the first of empty[j..] that is an anchor
  nextAnchor[static_cast<std::size_t>(n)] = n;
  for (int j = n - 1; j >= 0; --j)
    nextAnchor[static_cast<std::size_t>(j)] =
        f.anchor[base + empty[static_cast<std::size_t>(j)]] ? j : nextAnchor[static_cast<std::size_t>(j + 1)];
  Factors letter, cross;
  for (int j = 0; j < n; ++j) {
    if (nextAnchor[static_cast<std::size_t>(j)] - j >= rack.count) continue;  // covers no anchor
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
      const int score = (board + letter.pairedWith(best)) * wordFactor + crossFixed +
                        cross.pairedWith(best) + fullRackBonus(k);
      const double b = static_cast<double>(score) + rack.extra[static_cast<std::size_t>(k)];
      double& slot = bound[static_cast<std::size_t>(first)];
      slot = std::max(slot, b);
    }
  }
}

}  // namespace

void anchorBounds(const Frame& f, const RackPoints& rack, std::array<double, kSquares>& bound) {
  std::array<int, kMoveSlots + 1> best{};  // best[n]: the sum of the n best points
  for (int k = 0; k < kMoveSlots; ++k)
    best[static_cast<std::size_t>(k + 1)] =
        best[static_cast<std::size_t>(k)] + (k < rack.count ? rack.best[static_cast<std::size_t>(k)] : 0);
  for (int r = 0; r < kN; ++r) rowBounds(f, rack, best, r, bound);
}

}  // namespace tilvan
