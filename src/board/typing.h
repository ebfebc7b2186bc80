// Laying tiles from their stacks without a drag: typed letters and laid
// results share these. Every tile goes through dropTile, as a drag would.
#pragma once

#include <string>

#include "game/game.h"
#include "game/prompts.h"

namespace tilvan {

// The picture on top of letter L's home stack (0..26, kBlank for the blanks),
// or -1 when the stack is empty.
int topOfStack(const Game& game, int letter);

// How many pictures lie in letter L's home stack.
int stackSize(const Game& game, int letter);

// The message for an empty stack: "No Q tile is left." or "No blank is left."
std::string noTileLeft(int letter);

// True when square (row, col) holds a committed tile or a tile of the move
// in progress.
bool squareOccupied(const GameState& state, int row, int col);

// Drops the top picture of letter L's stack on square (row, col); a blank
// (named >= 0) is named as letter `named` without asking the user. Returns
// whether the move in progress gained the tile.
bool layFromStack(Game& game, Prompts& prompts, int letter, int named, int row, int col);

}  // namespace tilvan
