// Game files: the game's record as JSON, read back by playing it again.
//
//   {"format":"tilvan-game","version":1,"players":2,"userTurn":1,
//    "wordList":"WordsSorted.Txt",
//    "turns":[{"kind":"move","player":1,"tiles":[{"row":7,"col":6,"letter":"c",
//               "blank":false,"tile":11},...],"words":["cat"],"score":10,"corrected":12},
//             {"kind":"pass","player":2},
//             {"kind":"end","player":1,"score":-20},...],
//    "takenBack":[...turns that Redo can put back, the next one last...],
//    "totals":[12,0]}
//
// Players are numbered from 1, squares from 0 (row 0 at the top). A move's
// "tile" (the tile of the set, 0..99) is optional: without it the move takes
// a tile of its letter that no other tile of the file names. "score" is the move's score by the
// rules, "corrected" the score agreed at the table when it differs; "totals"
// are the players' totals. Unknown fields are ignored.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "game/game.h"
#include "game/prompts.h"
#include "words/word_list.h"

namespace tilvan {

inline constexpr std::string_view kGameFileFormat = "tilvan-game";
inline constexpr int kGameFileVersion = 1;
inline constexpr std::uint64_t kMaxGameFileBytes = 1 << 20;
// How deep a game file's objects and lists may nest. A game file needs 5
// levels (the file, its turns, a turn, its tiles, a tile); the rest leaves
// room for later formats.
inline constexpr int kMaxGameFileDepth = 16;
// The largest total, either way, that a file may state: far beyond any game
// a file can hold (at most 100 moves of at most kMaxTurnScore each).
inline constexpr Total kMaxTotal = 1'000'000'000'000LL;

// What a game file holds.
struct SavedGame {
  int players = 0;   // 2..4
  int userTurn = 0;  // 1..players
  // Whose turn it is (1..players) when the file says: the record alone
  // cannot tell once the number of players was set again during the game.
  std::optional<int> toMove;
  std::string wordList;
  std::vector<Turn> turns, takenBack;
  std::vector<Total> totals;               // as the file states them
  std::vector<std::optional<int>> stated;  // each turn's score as the file states it
  std::vector<std::optional<int>> takenBackStated;  // the same for the taken-back turns
};

// The file's text for a game.
std::string gameFileText(const Game& game);

// Reads a file's text; the reason it is not a game file otherwise (which
// turn, when a turn is at fault). Checks the form only: whether the moves
// can be played is found by playing them.
Result<SavedGame> parseGameFile(std::string_view text);

// Makes `game` the saved game: a fresh game with its players and user's turn,
// every turn played again, the scores and totals checked, and the turns that
// Redo can put back played on a copy (which fills in their words). On failure the
// game is left as it was and the reason is returned.
std::optional<std::string> restoreGame(Game& game, const SavedGame& saved);

// Writes `text` to `path` so that a crash at any instant leaves either the
// old file or the new one: a temporary file in the same folder, flushed and
// synced, renamed over the old one. A symbolic link is written through (the
// file it leads to is replaced, the link stays); a path that is anything but
// a regular file or nothing yet (a folder, a pipe, a device) is refused.
// Returns the reason on failure (the old file is then intact and no
// temporary file is left).
std::optional<std::string> writeFileAtomically(const std::filesystem::path& path,
                                               std::string_view text);

// Makes the game the one saved in the file at `path` (read, checked and
// played again as restoreGame does). Returns the reason on failure, the
// game then unchanged. Says nothing and does not autosave.
std::optional<std::string> loadGameFile(Game& game, const std::filesystem::path& path);

// What an autosave file holds, as the program finds it at start: nothing,
// a game under way (turns played, its end not recorded), a finished game,
// or something that is no game file.
struct AutosaveFound {
  enum Kind { kNothing, kUnfinished, kFinished, kBad } kind = kNothing;
  std::string why;  // kBad: why it is no game file
};
AutosaveFound findAutosave(const std::filesystem::path& path);

// Renames the file at `path` aside, beside it, with the time it was last
// written: "autosave.json" becomes "autosave-2026-12-06T20-15-03.json"
// (local time; "-2", "-3", ... follow when that name is taken). Returns the
// new path, or the reason it could not be renamed.
Result<std::filesystem::path> setAside(const std::filesystem::path& path);

// Starts the game again as starting the program would, keeping the number
// of players, the user's turn and the options.
void startAgain(Game& game);

// Writes the game to game.autosavePath, if set, after a change of its record.
// A failure is said once, until a save succeeds again.
void autosave(Game& game, Prompts& prompts);

}  // namespace tilvan
