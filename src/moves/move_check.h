// The rules a move must meet before USE commits it.
#pragma once

#include <span>

#include "game/board.h"

namespace tilvan {

// The square of one tile of a move, 0-based.
struct TileSquare {
  int row = 0;
  int col = 0;
  bool operator==(const TileSquare&) const = default;
};

// True when every tile lies in one row, or every tile in one column (a
// single tile always does).
bool inOneLine(std::span<const TileSquare> tiles);

// The rule for a move after the first, of any number of tiles: the tiles lie
// in one line; no two share a square and none lies on a committed tile;
// every square from the first tile to the last along that line holds a new
// or a committed tile; and some new tile has a committed tile beside it
// (left, right, above or below). `committed` is the board before the move.
bool laterMoveConnects(const Board& committed, std::span<const TileSquare> tiles);

// The rule for a first move of two or more tiles: the tiles lie in one line
// and, walking the across numbers and the down numbers each in ascending
// order, every neighbouring pair is one apart in one of the two numberings
// (so the tiles are distinct and without gaps).
bool firstMoveInLine(std::span<const TileSquare> tiles);

}  // namespace tilvan
