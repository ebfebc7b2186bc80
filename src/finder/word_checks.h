// The steps of the placement search that every version shares: collapsing
// repeated placements and working out the words that a placement forms.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "finder/finder_state.h"
#include "finder/placement_search.h"

namespace tilvan {

// Collapses runs of consecutive identical placements (same word, same start):
// a run of up to 16 becomes one entry, a longer run one entry per 16.
// Identical placements that are not adjacent all stay.
std::vector<Placement> collapseDuplicates(const std::vector<Placement>& found);

// The cross-word through empty square q when letter c is laid there: the
// grid's letters directly before q (step -15) and after it (step +15) around
// c. `top` receives its first square. A text of one character is no word.
std::string crossWord(const LetterGrid& grid, int q, char c, int& top);

// Every word that the placement forms: the main word, then one cross-word of
// two or more letters for each new tile, in the main word's order.
std::vector<FormedWord> formedWords(const LetterGrid& grid, const Placement& placement);

}  // namespace tilvan
