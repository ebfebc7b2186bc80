// The rules a move must meet before USE commits it.
#pragma once

#include <optional>
#include <span>
#include <string_view>

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

// Why a move may not be committed, in plain words, or nothing when it may:
// "The tiles must lie in one row or one column", "There is a gap in the
// word", "The tiles must touch the letters already on the board" (a later
// move) or "The first move must cover the centre square" (`firstMove`: no
// move is committed yet). It refuses exactly the moves that
// laterMoveConnects, or firstMoveInLine and the centre square, refuse.
std::optional<std::string_view> moveFault(const Board& committed,
                                          std::span<const TileSquare> tiles, bool firstMove);

}  // namespace tilvan
