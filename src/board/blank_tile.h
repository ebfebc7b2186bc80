// The blank tile dialog: asks which letter a blank laid on the board stands
// for. Its only output is GameState::BlankLetterIndex.
#pragma once

#include <string_view>

#include "game/game_state.h"
#include "game/prompts.h"

namespace tilvan {

// The letter index (0..25) that `typed` names once the dialog's
// one-character text box has kept its first character and it is lower-cased
// ("E" and "e" both give 4); `current` when it names no letter ("", "_", a
// digit, punctuation).
int blankLetterIndexFor(std::string_view typed, int current);

// Shows the dialog for state.BlankTile (98 or 99). "Use" with a text that
// names a letter sets BlankLetterIndex; any other text, closing the dialog,
// or a BlankTile that is not a blank leaves it as it was.
void runBlankTileDialog(GameState& state, Prompts& prompts);

}  // namespace tilvan
