// The user's actions. Each handler runs to completion, as the window's event
// handler would, changing the Game's state and mirror; it talks to the user
// only through Prompts. These are what the window and tilvan-cli call.
//
// Each action lives in the folder of its subsystem, in the file named beside
// it: players and turns in game/, the word finder in finder/, everything
// shown or laid on a board (drops, the blank, the result buttons' preview)
// in board/, and committing, checking or taking back a move in moves/.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "game/game.h"
#include "game/prompts.h"

namespace tilvan {

// Load of the main window: fills the fixed tables, shows the first turn mark
// and tells the user to set the players first.  (game/startup.cpp)
void startUp(Game& game, Prompts& prompts);

// "Number of Players" and "When is Your Turn?": read their text boxes.
// (game/players.cpp)
void pressNumberOfPlayers(Game& game, Prompts& prompts);
void pressUsersTurn(Game& game, Prompts& prompts);

// "New Game": while a game is in progress, asks first (once the game has
// ended only "Start a new game?"); then starts the game
// again as starting the program would, keeping the number of players, the
// user's turn and the options.  (moves/game_actions.cpp)
void pressNewGame(Game& game, Prompts& prompts);

// "Save As..." to `path` and "Open..." `path` (moves/game_actions.cpp). A file
// that cannot be written or read, or that holds no game this program can
// play again, is one message naming the file and what is wrong; the game
// then stays as it was.
// Both return whether they succeeded.
bool saveGame(Game& game, Prompts& prompts, const std::filesystem::path& path);
bool openGame(Game& game, Prompts& prompts, const std::filesystem::path& path);

// True when a game is under way: turns played or taken back, or tiles laid.
bool gameInProgress(const GameState& state);

// Tile picture n (0..151) is dropped on the main board picture at (x, y),
// twips from the board's top left corner.  (board/drop.cpp)
void dropTile(Game& game, Prompts& prompts, int n, int x, int y);

// What a drag of picture n that is let go at (x, y) of the main board reaches:
// the board (then dropTile runs), a tile picture lying there, or nothing.
// (board/drop_target.cpp)
enum class DropTarget { kBoard, kTilePicture, kOutside };
DropTarget dropTargetAt(const Game& game, int x, int y);

// "USE" (moves/commit.cpp): commits the move in progress; a move it
// refuses stays where it lies, and the message is followed by the reason
// in plain words (Prompts::status; see moveFault in moves/move_check.h).
// "CHECK WORDS" (moves/check_words.cpp): checks the move in progress when
// tiles are laid, else the last committed move, and says "All words are in
// the list" when the list holds every word. "Clear Last Move"
// (moves/clear.cpp):
// takes back the latest turn of the record (the end of the game as a
// whole), again and again back to the start.
//
// The game is over once gameEnded(state.Turns) (game/history.h) holds: its
// record ends with the end-of-game adjustments.
void pressUse(Game& game, Prompts& prompts);
void pressCheckWords(Game& game, Prompts& prompts);
void pressClearLastMove(Game& game, Prompts& prompts);

// The score sheet (moves/turn_actions.cpp): "Pass / Exchange" records a turn
// without tiles for the current player and passes the turn mark as USE does;
// a corrected score for turn `turn` (0 = the first of the record); the end
// of the game, given the tiles left on each player's rack (a..z, capitals
// taken as small letters, '_' for a blank), player 1 first; after it no
// turn mark is shown.
void pressPass(Game& game, Prompts& prompts);
void adjustScore(Game& game, Prompts& prompts, int turn, int score);
void endGame(Game& game, Prompts& prompts, const std::vector<std::string>& racks);

// Redo: puts back the turns that Clear Last Move took back, the latest taken
// back first, until a new turn is played.  (moves/clear.cpp)
void pressRedo(Game& game, Prompts& prompts);

// "Find   Words" (finder/find_words.cpp) and the result buttons "1".."5"
// (k = 0..4), which show a result on the lower board (board/preview.cpp).
void pressFindWords(Game& game, Prompts& prompts);

// "Find   Words" as the window and the replay press it: with "Complete
// search" and "Rank by value" both ticked, the five best placements and
// exchanges by points plus the value of the tiles kept (each score label
// "24 +8.5": points and leave value; an exchange slot shows nothing on the
// lower board and its caption "Exchange: keep EIRT" in the word labels);
// otherwise pressFindWords.  (play/find_by_value.cpp)
void pressFindWordsRanked(Game& game, Prompts& prompts);

// "Find   Words" as the replay presses it: pressFindWordsRanked, then, with
// the complete search, two players and the bag empty, the endgame solved
// on this thread within a budget of positions (the same answer on any
// machine) and its best move put first in the slots, marked "best to the
// end (+N)". The window solves on a thread of its own
// (ahead/slot_endgame.h).  (ahead/slot_endgame.cpp)
void pressFindWordsToTheEnd(Game& game, Prompts& prompts);

// "Simulate", run to the end on this thread: the rack's best turns by value
// (as "Find   Words" ranks them) played out for `rounds` rounds from the
// random stream of `seed`, then shown best simulated value first, each score
// label "24 sim 31.2\xb1" "1.4" (points, simulated value and its standard
// error). The window runs the same steps on a thread of its own
// (ahead/slot_simulation.h).  (ahead/slot_simulation.cpp)
void pressSimulate(Game& game, Prompts& prompts, int rounds, std::uint64_t seed);

// Another word list is in use: results found with the old one and the marks
// of its check are cleared (finder/find_words.cpp).
void wordListSwitched(Game& game);
void pressShowSlot(Game& game, Prompts& prompts, int k);

// Typing a move on the main board (board/typing.cpp). A click on an empty
// square (row, col 0..14) puts the cursor there, or turns it when it is
// there already; Tab turns it. A typed 'a'..'z' lays the top tile of that
// letter's stack on the cursor's square through dropTile, 'A'..'Z' a blank
// named as that letter; the cursor then moves one square on. On an occupied
// square a typed letter equal to its letter (either case) moves over it;
// another letter is laid on the next free square.
// Backspace takes the move's last tile back to its stack and puts the cursor
// on its square; Escape takes back every tile of the move, the latest first
// (both in moves/backspace.cpp).
void clickMainSquare(Game& game, Prompts& prompts, int row, int col);
void pressTab(Game& game, Prompts& prompts);
void typeCharacter(Game& game, Prompts& prompts, char ch);
void pressBackspace(Game& game, Prompts& prompts);
void pressEscape(Game& game, Prompts& prompts);
// An arrow key on the main board: the cursor turns along the arrow's line
// (across for left and right, down for up and down) and moves to the next
// empty square that way, staying put at the board's edge. A hidden cursor
// appears instead: at the centre on an empty board, else where it was.
// (board/cursor_keys.cpp)
void pressArrow(Game& game, Prompts& prompts, int dRow, int dCol);

// Lays the placement shown by result button k (0..4) as the move in
// progress, after sending any move in progress home.  (moves/lay_result.cpp)
void layResult(Game& game, Prompts& prompts, int k);

}  // namespace tilvan
