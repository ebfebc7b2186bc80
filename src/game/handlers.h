// The user's actions. Each handler runs to completion, as the window's event
// handler would, changing the Game's state and mirror; it talks to the user
// only through Prompts. These are what the window and tilvan-cli call.
#pragma once

#include "game/game.h"
#include "game/prompts.h"

namespace tilvan {

// Load of the main window: fills the fixed tables, shows the first turn mark
// and tells the user to set the players first.
void startUp(Game& game, Prompts& prompts);

// "Number of Players" and "When is Your Turn?": read their text boxes.
void pressNumberOfPlayers(Game& game, Prompts& prompts);
void pressUsersTurn(Game& game, Prompts& prompts);

// "New Game": has no action.
void pressNewGame(Game& game, Prompts& prompts);

// Tile picture n (0..151) is dropped on the main board picture at (x, y),
// twips from the board's top left corner.
void dropTile(Game& game, Prompts& prompts, int n, int x, int y);

// What a drag of picture n that is let go at (x, y) of the main board reaches:
// the board (then dropTile runs), a tile picture lying there, or nothing.
enum class DropTarget { kBoard, kTilePicture, kOutside };
DropTarget dropTargetAt(const Game& game, int x, int y);

// "USE", "CHECK WORDS", "Clear Last Move".
void pressUse(Game& game, Prompts& prompts);
void pressCheckWords(Game& game, Prompts& prompts);
void pressClearLastMove(Game& game, Prompts& prompts);

// "Find   Words" and the result buttons "1".."5" (k = 0..4).
void pressFindWords(Game& game, Prompts& prompts);
void pressShowSlot(Game& game, Prompts& prompts, int k);

}  // namespace tilvan
