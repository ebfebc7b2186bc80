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

// A frame row's empty squares as the bounds read them.
struct Row {
  // Their factors in one place (crossFactor 0: no cross-word; crossFixed its
  // board points times wm).
  struct Square {
    std::uint8_t lm, wm, crossFactor;
    std::int32_t crossFixed;
  };
  int n = 0;                         // empty squares
  std::array<int, kN> empty{};       // their columns
  std::array<int, kN + 1> before{};  // board points left of each column
  std::array<Square, kN> sq{};
  // fitRun[j]: from empty[j] on, how many a rack tile may take (invariant 3).
  std::array<int, kN + 1> fitRun{};
  std::array<int, kN + 1> nextAnchor{};  // the first of empty[j..] that is an anchor
};

// Reads frame row r into `row` and sets its anchors' bounds to kNoPlacement;
// false when the row has no anchor.
bool readRow(const Frame& f, const RackPoints& rack, int r, Row& row,
             std::array<double, kSquares>& bound) {
  const int base = r * kN;
  bool anchors = false;
  for (int c = 0; c < kN; ++c) {
    const int i = base + c;
    row.before[static_cast<std::size_t>(c + 1)] =
        row.before[static_cast<std::size_t>(c)] + f.value[i];
    if (!f.empty(i)) continue;
    row.empty[static_cast<std::size_t>(row.n++)] = c;
    if (f.anchor[i]) {
      anchors = true;
      bound[static_cast<std::size_t>(i)] = kNoPlacement;
    }
  }
  if (!anchors) return false;
  row.nextAnchor[static_cast<std::size_t>(row.n)] = row.n;
  for (int j = row.n - 1; j >= 0; --j) {
    const auto u = static_cast<std::size_t>(j);
    const int i = base + row.empty[u];
    const bool cross = f.hasCross[i];
    row.sq[u] = {f.lm[i], f.wm[i], static_cast<std::uint8_t>(cross ? f.lm[i] * f.wm[i] : 0),
                 cross ? f.crossSum[i] * f.wm[i] : 0};
    row.fitRun[u] = f.cross[i] & rack.letters ? row.fitRun[u + 1] + 1 : 0;
    row.nextAnchor[u] = f.anchor[i] ? j : row.nextAnchor[u + 1];
  }
  return true;
}

// The bounds of the segments of frame row r (invariant 1), each given to the
// leftmost anchor it covers.
void rowBounds(const Frame& f, const RackPoints& rack, const std::array<int, kMoveSlots + 1>& best,
               int r, std::array<double, kSquares>& bound) {
  Row row;
  if (!readRow(f, rack, r, row, bound)) return;
  const int base = r * kN, n = row.n;
  const auto& empty = row.empty;
  const auto& before = row.before;
  Factors letter, cross;
  for (int j = 0; j < n; ++j) {
    const auto u = static_cast<std::size_t>(j);
    const int most = std::min(rack.count, row.fitRun[u]);  // tiles a placement from j may lay
    const int anchorAt = row.nextAnchor[u] - j;            // the tiles up to the anchor, less one
    if (anchorAt >= most) continue;                        // covers no anchor
    const int left = j > 0 ? empty[u - 1] + 1 : 0;
    int wordFactor = 1, crossFixed = 0;
    double top = kNoPlacement;
    letter.clear();
    cross.clear();
    for (int k = 1; k <= most; ++k) {
      const Row::Square& s = row.sq[u + static_cast<std::size_t>(k - 1)];
      wordFactor *= s.wm;
      letter.insert(s.lm);
      if (s.crossFactor) {
        crossFixed += s.crossFixed;
        cross.insert(s.crossFactor);
      }
      if (k <= anchorAt) continue;
      const int right = j + k < n ? empty[u + static_cast<std::size_t>(k)] : kN;
      if (right - left < 2) continue;  // a lone tile: no main word
      const int board = before[static_cast<std::size_t>(right)] - before[static_cast<std::size_t>(left)];
      const int score = (board + letter.pairedWith(best)) * wordFactor + crossFixed +
                        cross.pairedWith(best) + fullRackBonus(k);
      top = std::max(top, static_cast<double>(score) + rack.extra[static_cast<std::size_t>(k)]);
    }
    double& slot =
        bound[static_cast<std::size_t>(base + empty[static_cast<std::size_t>(row.nextAnchor[u])])];
    slot = std::max(slot, top);
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
