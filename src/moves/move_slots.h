// The seven slots of the move in progress as USE reads them.
#pragma once

#include <vector>

#include "game/game_state.h"
#include "moves/move_check.h"

namespace tilvan {

// Gives every slot in use its square numbers, then orders the slots by down
// number (each slot moving whole) and the across numbers by themselves, as
// USE commits a move.
void numberAndOrder(GameState& state);

// The squares of the move's tiles, in slot order (0-based).
std::vector<TileSquare> moveSquares(const GameState& state);

// Writes the tiles of the numbered and ordered slots on the committed board.
void writeMoveOnBoard(GameState& state);

}  // namespace tilvan
