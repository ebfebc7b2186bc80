// Generated games for the game-file tests: moves laid from the complete
// search with racks drawn from the tiles left, and, when asked, passes,
// corrections, take-backs, redos and an end of the game. Each action is
// also written as a `tilvan-cli replay` line, so that the program itself can
// play the same game again.
#pragma once

#include <random>
#include <string>
#include <vector>

#include "finder/complete_search.h"
#include "support/test_support.h"
#include "words/word_list.h"

namespace tilvan::test {

struct GeneratedGame {
  std::string script;              // replay lines, each action once
  std::vector<std::string> words;  // every word the moves formed, sorted, once each
  int moves = 0, passes = 0, corrections = 0, takeBacks = 0, redos = 0, ends = 0;
};

struct GameMix {
  int steps = 12;
  bool extras = true;  // passes, corrections, take-backs, redos, an end
  bool dumps = false;  // "dump" after every use and pass
};

// Lays result r of the complete search tile by tile from the stacks and
// presses USE; appends the same as `blank` and `place` lines to `script`.
void layAndUse(StartedGame& g, const CompleteResult& r, std::string& script);

// Plays a game on `g` (players already set) with words from `list`.
GeneratedGame playGeneratedGame(StartedGame& g, const WordList& list, std::mt19937& rng,
                                const GameMix& mix);

}  // namespace tilvan::test
