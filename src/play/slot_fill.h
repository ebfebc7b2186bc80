// Filling the result slots with chosen turns (ranked by value or simulated).
#pragma once

#include <string>

#include "game/game_state.h"
#include "play/choice.h"

namespace tilvan {

// Adds placement r at the end of its direction's set and ranking; its
// position in that ranking.
int appendRanked(FinderState& f, const CompleteResult& r);

// Puts placement `c` into result slot k of its direction's set.
void takeMove(const GameState& state, FinderState& f, const play::Choice& c, int k);

// A value with one decimal as captions show it ("31.2", never "-0.0"); with
// `sign`, always signed ("+8.5", "-1.0", "+0.0").
std::string valueShown(double v, bool sign = false);

// Tiles as captions show them: upper case, "nothing" for none.
std::string tilesShown(const std::string& tiles);

}  // namespace tilvan
