// The committed board. It is stored once, by H index; the accessors give
// the tables of every numbering and index convention that the game's
// readers expect (by H or V number 1..225, by H or V index 0..224).
#pragma once

#include <array>
#include <cassert>

#include "game/rules.h"

namespace tilvan {

struct BoardSquare {
  bool occupied = false;
  int letter = 0;  // letter index 0..26 (a named blank: the letter it was named)
  int value = 0;   // the tile's points (0 for a blank)
  int tile = 0;    // tile number 0..151
  bool operator==(const BoardSquare&) const = default;
};

// Intentionally copyable: the copy before the last move is a plain Board.
struct Board {
  std::array<BoardSquare, kSquares> cells{};  // by H index

  const BoardSquare& atH(int hIdx) const { return cells[check(hIdx)]; }
  const BoardSquare& atV(int vIdx) const { return cells[transposeIndex(check(vIdx))]; }
  void set(int hIdx, const BoardSquare& sq) { cells[check(hIdx)] = sq; }
  void clear(int hIdx) { cells[check(hIdx)] = BoardSquare{}; }

  // The tables below read the board as the handlers ported from the game's
  // first design read it: by 1-based square number (H, V) or by index (H0,
  // V0), 0 standing for an empty square. New code reads squares with atH and
  // atV instead.

  // Occupied: the array's own key on an occupied square, else 0. (So the
  // by-index tables hold 0 for square 0 whether or not a tile lies there.)
  int FilledH(int s) const { return atH(s - 1).occupied ? s : 0; }
  int FilledV(int t) const { return atV(t - 1).occupied ? t : 0; }
  int FilledH0(int i) const { return atH(i).occupied ? i : 0; }
  int FilledV0(int i) const { return atV(i).occupied ? i : 0; }
  // Letter index; 0 on an empty square.
  int LetterH(int s) const { return field(atH(s - 1), &BoardSquare::letter); }
  int LetterV(int t) const { return field(atV(t - 1), &BoardSquare::letter); }
  int LetterH0(int i) const { return field(atH(i), &BoardSquare::letter); }
  int LetterV0(int i) const { return field(atV(i), &BoardSquare::letter); }
  // Points; 0 on an empty square.
  int ValueH(int s) const { return field(atH(s - 1), &BoardSquare::value); }
  int ValueV(int t) const { return field(atV(t - 1), &BoardSquare::value); }
  int ValueH0(int i) const { return field(atH(i), &BoardSquare::value); }
  int ValueV0(int i) const { return field(atV(i), &BoardSquare::value); }
  // Tile number; 0 on an empty square. TileV is by V number, TileH by H index.
  int TileV(int t) const { return field(atV(t - 1), &BoardSquare::tile); }
  int TileH(int i) const { return field(atH(i), &BoardSquare::tile); }

  // True when any square holds tile n (tile 0 always counts, as the empty
  // squares of the tile tables hold 0).
  bool records(int tile) const {
    if (tile == 0) return true;
    for (const auto& sq : cells)
      if (sq.occupied && sq.tile == tile) return true;
    return false;
  }
  bool empty() const {
    for (const auto& sq : cells)
      if (sq.occupied) return false;
    return true;
  }

  bool operator==(const Board&) const = default;

 private:
  static int check(int idx) {
    assert(idx >= 0 && idx < kSquares);
    return idx;
  }
  static int field(const BoardSquare& sq, int BoardSquare::*m) { return sq.occupied ? sq.*m : 0; }
};

}  // namespace tilvan
