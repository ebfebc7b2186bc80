// Self-play strategies that look ahead: "simulate" (the best candidates by
// value simulated for a fixed time per turn) and "endgame" (value until the
// bag is empty, then the exact endgame solver).
#pragma once

#include <atomic>
#include <cstdint>

namespace tilvan {

// Registers both strategies with the self-play engine. Safe to call again.
void registerLookaheadStrategies();

// The simulation's time per turn of the "simulate" strategy (default 100 ms)
// and, when rounds > 0, its rounds per turn instead: a budget that does not
// depend on the machine's speed or load, so the games are reproducible.
void setSimulationBudget(int ms, int rounds = 0);

// The endgame solver's time per turn of the "endgame" strategy (default 2000 ms).
void setEndgameBudget(int ms);

// What the "endgame" strategy met so far, over all threads.
struct EndgameTally {
  std::atomic<long> solved{0}, exact{0};
};
EndgameTally& endgameTally();

}  // namespace tilvan
