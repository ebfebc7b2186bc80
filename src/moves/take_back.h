// Sending laid tiles back to the pool and moving the turn mark: shared by a
// refused USE and by Clear Last Move.
#pragma once

#include <utility>

#include "game/game.h"

namespace tilvan {

// Puts tile picture n (0..151) back in the pool and gives its letter back to
// the letters-left count. A lettered tile goes to its letter's home stack.
// A blank laid as a letter (100..151) returns as the blank itself: the
// letter picture is hidden at its parking place, the blank's own picture is
// shown at the blanks' home and the blanks' count rises. The on-board marks
// of the picture (and of its blank) are cleared.
void returnTileToPool(Game& game, int n);

// Takes back every tile of the move being entered, as a refused move is:
// pictures home, counts restored, the tiles' PlacedTile entries and marks
// cleared, the seven slots emptied. The committed board and the turn are
// not touched.
void takeBackMoveInProgress(Game& game);

// Takes the move's last tile back to its stack, leaving the slots,
// PlacedTile, on-board marks, counts and pictures as if it had never been
// dropped (DropSlot, which nothing reads, becomes the new last slot). Returns
// the tile's square as MoveRow and MoveCol had it (1-based), or {0, 0} when
// no move is in progress.
std::pair<int, int> takeBackLastTile(Game& game);

// Empties the seven move slots (rows, columns, values, letters, tiles and
// square numbers).
void clearMoveSlots(GameState& state);

// Makes player p (0..3) the current player: the turn mark of the player
// current until now is hidden and p's is shown.
void turnTo(Game& game, int p);

// Once the game has ended no player's turn mark is shown; otherwise the
// current player's is.
void markTurnOrEnd(Game& game);

// The player after p among numPlayers (0 after the last one).
int nextPlayer(int p, int numPlayers);

}  // namespace tilvan
