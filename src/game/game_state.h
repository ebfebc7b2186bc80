// Everything the main window keeps between events. Field names follow the
// game's own vocabulary; the committed board is stored once (see Board) and
// read through its numbering accessors.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "game/board.h"
#include "game/history.h"
#include "game/rules.h"
#include "game/search_results.h"

namespace tilvan {

struct GameState {
  // Fixed tables, filled by start-up.
  std::array<char, kLetters> LetterChar{};
  std::array<int, kLetters> LetterValue{}, LetterCount{}, LetterEnd{};
  std::array<int, kLetters> LetterHomeLeft{}, LetterHomeTop{};
  std::array<int, kTilePictures> TileValue{};
  std::array<int, kSquares> SquareBonus{};  // by H index; 0 once used up
  std::array<int, kSquares> SquareLeftH{}, SquareTopH{}, SquareLeftV{}, SquareTopV{};

  // The committed board and its copy from before the last committed move
  // (the Prev tables).
  Board Committed;
  Board Prev;

  // The move being entered: seven slots in order of first drop.
  std::array<int, kMoveSlots> MoveCol{}, MoveRow{};  // 1..15; MoveRow 0 = empty slot
  std::array<int, kMoveSlots> MoveTile{}, MoveValue{}, MoveLetter{};
  std::array<int, kMoveSlots> MoveSquareH{}, MoveSquareV{};
  int MoveTileCount = 0;
  int DropSlot = -1;
  int DropSlot2 = -1;

  // History of laid tiles.
  std::array<int, kSetTiles> PlacedTile{};
  int PlacedCount = 0;
  int LockedCount = 0;  // leading PlacedTile entries that belong to committed moves
  std::array<int, kTilePictures> TileOnBoard{};
  std::array<int, kMoveSlots> LastMoveTile{}, LastMoveLetter{};
  int LastMoveTileCount = 0;
  int MoveNumber = 0;

  // Players and turns.
  int NumPlayers = 0;
  int UserTurn = 0;
  int CurrentPlayer = 0;
  int LastMovePlayer = 0;
  int NumPlayersClicks = 0;  // kept at most 2: only "is it the first press" matters
  int UsersTurnClicks = 0;
  int UseClicks = 1;

  // Commit and the words of the last committed move.
  bool MoveCheck = true;           // set again by every check of a move
  bool FirstMoveOnCentre = false;  // the first move covers the centre square
  bool MainWordDown = false;       // the main word of the last move runs down a column
  std::array<int, kSide> MainWordSquares{};
  std::array<std::string, kWordLabels> FormedWords;
  int WordCount = 0;
  std::array<bool, kWordLabels> WordFound{};  // CHECK WORDS found word w in the list

  // Blank naming, shared by the drop handler and the blank tile dialog.
  int BlankTile = 0;
  int BlankLetterIndex = 0;

  // The game's record: the turns played, oldest first, and the turns taken
  // back that Redo can put back (the next one to put back last).
  std::vector<Turn> Turns;
  std::vector<Turn> TakenBack;

  // The word finder's results, kept for the preview.
  FinderState Finder;

  bool operator==(const GameState&) const = default;
};

}  // namespace tilvan
