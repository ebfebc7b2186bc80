// Filling the result slots with chosen turns (ranked by value or simulated).
#pragma once

#include <string>

#include "game/game_state.h"
#include "play/choice.h"

namespace tilvan {

// Puts placement `c` into result slot k of its direction's set.
void takeMove(const GameState& state, FinderState& f, const play::Choice& c, int k);

// Tiles as captions show them: upper case, "nothing" for none.
std::string tilesShown(const std::string& tiles);

}  // namespace tilvan
