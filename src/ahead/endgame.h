// The exact endgame: two players, the bag empty, both racks known. The
// game ends when a player plays out (gaining the other's unplayed tiles,
// which the other loses) or after six scoreless turns in a row counted from
// the given position (each player losing their own unplayed tiles). The
// solver searches both sides' placements and passes for the line that
// maximises the final spread.
#pragma once

#include <atomic>
#include <cstdint>
#include <string_view>
#include <vector>

#include "ahead/endgame_position.h"
#include "finder/complete_search.h"
#include "game/game_state.h"
#include "words/word_list.h"

namespace tilvan {

// One turn of an endgame line.
struct EndgameMove {
  bool pass = true;
  CompleteResult placement;  // the placement when not a pass
  int score = 0;
};

struct EndgameOptions {
  int timeMs = 2000;            // iterative deepening stops after this
  std::uint64_t maxNodes = 0;   // and after this many nodes (0: no limit)
  std::size_t tableBits = 20;   // the transposition table holds 2^tableBits entries
  bool describeLine = true;     // fill EndgameResult::line (else only moves)
  // The time limit and EndgameResult::ms on the thread's processor time
  // rather than the wall clock (for benchmarks on a shared machine).
  bool cpuTime = false;
  // Set by another thread when the answer is no longer wanted: the search
  // stops within a few positions (even in its first depth) and its result
  // is not to be used.
  const std::atomic<bool>* cancel = nullptr;
  // Threads searching at once, sharing the transposition table (the value
  // is the same; the time to find it shorter when they have cores of their
  // own; the limits are this thread's, and the line and the node count of
  // a solve that hit them may differ from run to run).
  int threads = 1;
};

struct EndgameResult {
  std::vector<EndgameMove> line;  // the best line found, both sides in turn, best move first
  std::vector<EgMove> moves;      // the same line as the search keeps it
  int spread = 0;       // the side to move's points minus the other's from here on
  bool exact = false;   // proven: the search reached the end of every line it needed
  std::uint64_t nodes = 0;  // of all the threads
  std::uint64_t lists = 0;  // move lists made (the rest came from the cache)
  std::uint64_t listsFromBefore = 0;  // of them, made from the list two moves before
  int depth = 0;        // the deepest search completed
  double ms = 0;        // on the clock that EndgameOptions::cpuTime names
};

// Solves the endgame on `state`'s committed board (its premiums as
// state.SquareBonus has them) with `rack` to move and `opponent` the other
// rack (as typed: a..z, '_' a blank). The spread is exact when `exact`;
// otherwise it is the best estimate of the deepest completed search.
EndgameResult solveEndgame(const WordList& list, const GameState& state, std::string_view rack,
                           std::string_view opponent, const EndgameOptions& options = {});

}  // namespace tilvan
