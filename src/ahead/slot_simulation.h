// "Simulate" on the result slots: the candidates of "Find   Words" ranked by
// value, simulated on a copy of the position so that the run may go on
// another thread while the game changes; each snapshot of the statistics
// re-ranks the slots with their simulated value and its standard error.
#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "ahead/simulation.h"
#include "game/game.h"

namespace tilvan {

// Everything one run needs, copied from the game: nothing in it refers to
// the game, so a run may use it on any thread.
struct SlotSimulation {
  std::shared_ptr<const WordList> list;
  play::Position position;  // the user to move; the opponent's rack and the bag from the unseen tiles
  std::vector<play::Choice> candidates;
};

// The run for the game's rack (as "Find   Words" would search it) on the
// committed board; nothing when the word list cannot be read or the rack
// holds no tile.
std::optional<SlotSimulation> prepareSlotSimulation(Game& game);

// Runs the simulation (see simulate); safe on any thread.
SimResult runSlotSimulation(const SlotSimulation& sim, const SimOptions& options);

// Fills the result slots from a snapshot, best simulated value first: each
// score label "24 sim 31.2±1.4" (points, simulated value, its standard
// error), the tooltip adding the leave and the rounds; an exchange or a pass
// shows its caption in the word labels and lays nothing. Slot 0 is shown on
// the lower board.
void showSimulation(Game& game, const SimResult& result);

}  // namespace tilvan
