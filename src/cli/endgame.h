// tilvan-cli endgame: a position with the bag empty, both racks known,
// solved to the end of the game.
#pragma once

#include <iosfwd>
#include <string>

#include "words/word_list.h"

namespace tilvan::cli {

struct EndgameCliOptions {
  std::string boardPath;  // "-" reads standard input
  std::string rack;       // the side to move
  std::string opponent;
  int timeMs = 2000;
  bool json = false;
};

// Runs the endgame command; returns the exit code (0, or 2 after one line
// on `err`).
int runEndgame(const EndgameCliOptions& options, WordListCache& words, std::istream& in,
               std::ostream& out, std::ostream& err);

}  // namespace tilvan::cli
