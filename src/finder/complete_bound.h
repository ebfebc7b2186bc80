// Upper bounds on what the placements found from each anchor can score, so
// that a search for the best few placements can try the most promising
// anchors first and leave out those that cannot reach the best found.
//
// Invariants:
// (1) A placement found from anchor a (the leftmost anchor its new tiles
//     cover) lays its k new tiles on k consecutive empty squares of a's
//     row, and its main word runs over them and the board letters between
//     and beside them: one "segment" of the row. Every segment is visited.
// (2) On a segment with word factor W (all its empty squares are covered),
//     a placement scores exactly
//       B*W + sum(cross sums * wm) + sum over new tiles of p*lm*(W + wm*[cross]) + bonus(k)
//     where p is the tile's points (a blank's 0) and B the board letters'
//     points. Pairing the rack's k best points with the best factors (largest
//     with largest) bounds the last sum from above, W*sum(p*lm) and
//     sum(p*lm*wm) each paired on its own.
// (3) A segment with a square that no tile of the rack may take (its cross
//     letters and the rack's letters disjoint) bounds nothing.
#pragma once

#include <array>
#include <cstdint>

#include "finder/complete_frame.h"

namespace tilvan {

// What the bounds need of a rack.
struct RackPoints {
  std::array<int, kMoveSlots> best{};  // points of the placeable tiles, highest first (blank 0)
  int count = 0;                       // placeable tiles (letters a..z and blanks)
  std::uint32_t letters = 0;           // letters a tile may stand for
  // Added to the bound of a placement of k tiles (k = 1..7): what it is
  // worth besides its score, at most (0 when ranking by score).
  std::array<double, kMoveSlots + 1> extra{};
};

// Lower than any bound: no placement can be found from the anchor.
inline constexpr double kNoPlacement = -1e300;

// For every anchor square i of `f`, into bound[i], the highest score plus
// rack.extra[k] that a placement found from it can reach; kNoPlacement when
// none can be found. Squares that are not anchors are left as they were.
void anchorBounds(const Frame& f, const RackPoints& rack, std::array<double, kSquares>& bound);

}  // namespace tilvan
