// tilvan-cli find: one position from a board file and a rack, searched as
// "Find   Words" (or the complete search) would, and its result slots printed.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>

#include "game/game.h"
#include "game/search_results.h"
#include "game/views.h"

namespace tilvan::cli {

// Reads a board file's text: 15 rows of 15 characters ('.', 'a'..'z', 'A'..'Z'
// for a blank laid as that letter); lines starting with '#' and empty lines
// are skipped. On error returns false and sets `error` to "LINE: reason",
// LINE being the file's line number.
bool readBoard(std::string_view text, Grid& rows, std::string& error);

// Reads and checks the board file `path` ("-": `in`) as find and endgame take
// it; on error returns false and sets `error` to the whole message, naming
// the file.
bool readBoardFile(const std::string& path, std::istream& in, Grid& rows, std::string& error);

// Lays a board read by readBoard on a started game as if its tiles had been
// committed in reading order: each letter takes the lowest free tile of its
// block, the first blank is picture 100 + letter and the second 126 + letter;
// the premiums under the tiles are used up. An empty board is a first move,
// any other a later move (MoveNumber 1).
void layBoard(GameState& state, const Grid& rows);

struct FindOptions {
  std::string boardPath;  // "-" reads standard input
  std::string rack;
  bool complete = false;
  bool json = false;
  bool rankValue = false;  // rank the complete search's placements and the exchanges by value
  int players = 2;
  int simulateMs = 0;      // with rankValue: simulate the best candidates this long
  std::uint64_t seed = 1;
};

struct SimulateOptions {
  int ms = 0;
  std::uint64_t seed = 1;
  int players = 2;
};

// The best candidates by value simulated for options.ms and ranked by their
// simulated value, as find --rank value --simulate prints them.  (find_simulate.cpp)
std::string simulatedResults(const GameState& state, const WordList& list, std::string_view rack,
                             const SimulateOptions& options, bool json);

// A candidate's JSON fields from "score" to "tiles" (no braces), and its
// lines in the table that find prints, as the result slots show them.
std::string candidateJsonFields(bool down, const Candidate& c, const LetterGrid& grid);
std::string candidateLine(bool down, const Candidate& c);

// A value as find's JSON and table print it: two decimals, never "-0.00".
std::string number(double v);

// The five best placements and exchanges of `rack` on state.Committed by
// value, as find --rank value prints them (JSON or a table).
std::string valueResults(const GameState& state, const WordList& list, std::string_view rack,
                         int players, bool json);

// The result slots of the last search as tilvan-cli prints them with --json.
std::string resultsJson(const Game& game);

// Runs the find command; returns the exit code (0, or 2 after one line on
// `err`).
int runFind(const FindOptions& options, WordListCache& words, std::istream& in, std::ostream& out,
            std::ostream& err);

}  // namespace tilvan::cli
