// The complete search: every legal placement of the rack on the committed
// board, scored by the game's rules, best first.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "finder/finder_state.h"
#include "game/game_state.h"
#include "words/word_list.h"

namespace tilvan {

struct CompleteResult {
  bool down = false;  // main word runs down a column (V numbering) or along a row (H)
  Candidate cand;     // squares in the direction's own numbering
  bool operator==(const CompleteResult&) const = default;
};

// The best `maxResults` placements of `rack` (as typed: '_' is a blank) on
// state.Committed, ordered by score descending, then across before down, then
// row, column and word.
std::vector<CompleteResult> completeSearch(const WordList& list, const GameState& state,
                                           std::string_view rack, std::size_t maxResults);

}  // namespace tilvan
