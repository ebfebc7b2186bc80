// The steps of the placement search that every version shares: collapsing
// repeated placements and the words that a placement forms.
#pragma once

#include <vector>

#include "finder/placement_search.h"
#include "game/move_words.h"

namespace tilvan {

// Collapses runs of consecutive identical placements (same word, same start):
// a run of up to 16 becomes one entry, a longer run one entry per 16.
// Identical placements that are not adjacent all stay.
std::vector<Placement> collapseDuplicates(const std::vector<Placement>& found);

// Every word that the placement forms (see formedWords in game/move_words.h).
inline std::vector<FormedWord> formedWords(const LetterGrid& grid, const Placement& placement) {
  return formedWords(grid, placement.start, placement.word);
}

}  // namespace tilvan
