// Backspace and Escape while typing a move: tiles of the move in progress go
// back to their stacks, the latest first.
#include "game/handlers.h"
#include "moves/take_back.h"

namespace tilvan {

void pressBackspace(Game& game, Prompts&) {
  const auto [row, col] = takeBackLastTile(game);
  if (!row) return;
  Cursor& c = game.form.cursor;
  c.Row = row - 1;
  c.Col = col - 1;
  c.Visible = true;
}

void pressEscape(Game& game, Prompts& prompts) {
  while (game.state.MoveTileCount > 0 && game.state.PlacedCount > game.state.LockedCount)
    pressBackspace(game, prompts);
}

}  // namespace tilvan
