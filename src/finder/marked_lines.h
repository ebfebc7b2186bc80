// The lines (rows and columns) that tiles laid on a board may change for
// the placements of a later turn.
//
// Let B0 be a board, T tiles laid on it and B = B0 + T. The lines marked
// are every row and column holding a tile of T, and the rows (columns)
// just above and below (left and right of) the run of tiles through each
// tile of T in its column (row), read on B.
// (1) A placement on an unmarked line (its direction's row or column; a
//     single tile's direction is the one in which it has a neighbour on B,
//     as the complete search has it) has no square, no word and no
//     cross-word that holds or touches a tile of T: a square of T on its
//     line would mark the line, and a tile of T reaching a cross-word would
//     make the new tile's square an end of that tile's run, which marks its
//     line. So it is a placement on B with a rack exactly when it is one on
//     B0 with that rack, with the same words and score (the premiums it
//     covers are none of T's).
// (2) A placement on B0 that is a single tile with no neighbour across on
//     B0 (so down) but one on B has a tile of T beside it: that tile's row
//     is marked, and the square ends the tile's run across, which marks the
//     square's column. Either way of reading its direction finds it on a
//     marked line, so B0's direction (the placement's own `down`) serves.
#pragma once

#include <array>
#include <cstdint>

#include "game/board.h"

namespace tilvan {

struct Frame;

// Bit r of [0]: row r, read across; bit c of [1]: column c, read down.
using LineMask = std::array<std::uint16_t, 2>;

// The lines marked for the tiles at H indices squares[0..count) on
// `board`, which holds them (B above).
LineMask markedLines(const Board& board, const int* squares, int count);

// True when the line of a placement whose main word runs from (row, col)
// across (down false) or down is marked.
inline bool onMarkedLine(const LineMask& lines, bool down, int row, int col) {
  return down ? (lines[1] >> col) & 1 : (lines[0] >> row) & 1;
}

// True when a single tile at H index q reads across on `board`: it has a
// neighbour in its row.
bool singleTileAcross(const Board& board, int q);

// Clears the anchors of the frames (across, down) off the marked lines, so
// that a search of them finds exactly the placements on the marked lines.
void keepAnchorsOn(const LineMask& lines, std::array<Frame, 2>& frames);

}  // namespace tilvan
