// The one-line JSON state that `tilvan-cli replay` prints for `dump`.
#pragma once

#include <string>

#include "game/game.h"

namespace tilvan::cli {

std::string stateJson(const Game& game);

}  // namespace tilvan::cli
