// The arrow keys on the main board: they move the typing cursor.
#include <algorithm>

#include "board/typing.h"
#include "game/handlers.h"

namespace tilvan {
namespace {

bool onBoard(int row, int col) { return row >= 0 && row < kSide && col >= 0 && col < kSide; }

bool boardEmpty(const GameState& s) {
  for (int i = 0; i < kSquares; ++i)
    if (s.Committed.atH(i).occupied) return false;
  return true;
}

}  // namespace

void pressArrow(Game& game, Prompts&, int dRow, int dCol) {
  if ((dRow == 0) == (dCol == 0)) return;  // one step along a row or a column
  Cursor& c = game.form.cursor;
  c.Down = dRow != 0;
  if (!c.Visible) {
    // The cursor appears where typing is likely to start: the centre on an
    // empty board, else where it was last (typing that ran off the board's
    // edge left it just past the edge: the square at the edge).
    if (boardEmpty(game.state)) c.Row = c.Col = kSide / 2;
    c.Row = std::clamp(c.Row, 0, kSide - 1);
    c.Col = std::clamp(c.Col, 0, kSide - 1);
    if (!squareOccupied(game.state, c.Row, c.Col)) {
      c.Visible = true;
      return;
    }
  }
  // The next empty square that way; the cursor stays when there is none.
  for (int row = c.Row + dRow, col = c.Col + dCol; onBoard(row, col); row += dRow, col += dCol) {
    if (squareOccupied(game.state, row, col)) continue;
    c.Row = row;
    c.Col = col;
    c.Visible = true;
    return;
  }
}

}  // namespace tilvan
