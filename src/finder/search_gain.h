// What the complete search would add to a classic search's results.
#pragma once

#include "game/game.h"

namespace tilvan {

// The best total among the result slots of the last search, or 0 when no
// slot holds a result.
int bestResultTotal(const FinderState& finder);

// How many points more than the last search's best result the complete
// search's best placement of the rack box's rack scores on the committed
// board; 0 when it scores no more, or when the word list cannot be read.
// Meant right after a classic search: it reads the rack box as it is now.
int completeSearchGain(const Game& game);

}  // namespace tilvan
