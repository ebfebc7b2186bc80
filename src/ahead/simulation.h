// Simulation of a turn's best candidates: each candidate is played out over
// the next two turns many times. An iteration draws the opponent's rack at
// random from the tiles the player cannot see, plays the candidate (drawing
// from the rest of the bag), the opponent's best reply by value and the
// player's best answer by value, and scores the candidate as its points
// minus the opponent's plus the value of the rack the player ends with.
//
// Rounds: round r runs one iteration of every candidate with the same draw
// (so candidates are compared on the same luck) from a random stream that
// depends only on the seed and r. Rounds are shared out to threads; the
// statistics always cover rounds 0..k-1, and the stopping rule is tried at
// every k in turn, so the same seed gives the same result whenever the rule
// or the round limit ends the run before the time limit.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "play/choice.h"
#include "play/position.h"
#include "play/strategy.h"

namespace tilvan {

struct SimCandidate {
  play::Choice choice;
  double mean = 0;    // the simulated value
  double stdErr = 0;  // its standard error
  int iterations = 0;
  // Its lead over the first candidate given (the best by value), paired
  // round by round, and the standard error of that lead.
  double lead = 0, leadStdErr = 0;
};

struct SimResult {
  std::vector<SimCandidate> candidates;  // best simulated value first
  int rounds = 0;                        // rounds counted (iterations of each candidate)
  bool separated = false;  // stopped because the leader stood more than two standard errors clear
  std::uint64_t plies = 0;  // turns played in the rounds counted
  double ms = 0;
};

struct SimOptions {
  int timeMs = 1000;
  std::uint64_t seed = 1;
  int candidates = 10;
  int threads = 0;    // 0: one per core
  int maxRounds = 0;  // 0: no limit but time and the stopping rule
  int minRounds = 24;  // the stopping rule waits for this many rounds
  // Share the opponent's reply search between a round's candidates (the
  // same replies; false searches each afresh, the plain way).
  bool shareReplies = true;
  const std::atomic<bool>* cancel = nullptr;  // set by another thread: stop soon
  // Called on the calling thread now and then with the statistics so far.
  std::function<void(const SimResult&)> progress;
};

// The candidates of a turn: the best `count` - 1 by value of the
// placements of `rack` (sorted) on `board` and the exchanges (while in.bag
// allows them), best first, then the pass.
std::vector<play::Choice> simCandidates(const WordList& list, const Board& board,
                                        const std::array<int, kSquares>& premiums,
                                        std::string_view rack, const play::ValueInputs& in,
                                        int count);

// Simulates the candidates on `pos`, seen from the player to move: only the
// mover's rack is taken as known; the opponent's rack and the bag are
// redrawn from pos.unseen() in every round.
SimResult simulate(const play::Engine& engine, const play::Position& pos,
                   const std::vector<play::Choice>& candidates, const SimOptions& options);

}  // namespace tilvan
