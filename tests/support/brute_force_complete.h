// A slow, plain reference for the complete search: every line, start and
// length of the board against every record of the list, and every choice of
// which new tiles are blanks.
#pragma once

#include <string_view>
#include <vector>

#include "finder/complete_search.h"

namespace tilvan::test {

// Every legal placement of `rack` on state.Committed, in the complete
// search's order. For each (direction, start, word) the best choice of blank
// tiles is kept; of equally good choices the one whose TilesUsed is greatest
// (blanks as late in the word as possible).
std::vector<CompleteResult> bruteForceComplete(const WordList& list, const GameState& state,
                                               std::string_view rack);

// One placement scored under the game's rules with a given choice of tiles:
// main word `word` from square `start` of the direction's own numbering,
// `tilesUsed` its letters as laid ('_' where a rack blank is used).
Candidate scoreAsLaid(const GameState& state, bool down, int start, std::string_view word,
                      std::string_view tilesUsed);

// A position with the game's tables and an empty board (no move yet).
GameState freshPosition();

// Lays `word` as committed tiles from (row, col), across or down, over the
// letters already there, and uses up the premiums under it. Upper-case
// letters are blanks laid as that letter. Counts as one more move.
void layWord(GameState& state, int row, int col, bool down, std::string_view word);

// The order of the complete search's results.
bool completeOrder(const CompleteResult& a, const CompleteResult& b);

}  // namespace tilvan::test
