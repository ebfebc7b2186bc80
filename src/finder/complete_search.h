// The complete search: every legal placement of the rack on the committed
// board, scored by the game's rules, best first.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "game/search_results.h"
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
//
// A placement lays 1 to 7 rack tiles in one line so that the main word and
// every cross-word are records of `list`; it covers the centre on an empty
// board and touches the board otherwise. One tile that forms a word across
// is an across placement. Of the ways to use the rack's blanks for one
// (direction, start, word) only the best-scoring is kept; of equal ones, the
// one with its blanks latest in the word. Only the first 7 characters of the
// rack are tiles; characters other than a..z and '_' are tiles that no word
// uses. The word graph is built on the first call for a version of `list`.
// Cross-words are read top to bottom (across placements) or left to right
// (down placements), their Start in the placement's own numbering.
std::vector<CompleteResult> completeSearch(const WordList& list, const GameState& state,
                                           std::string_view rack, std::size_t maxResults);

}  // namespace tilvan
