// The line walk of the classic search: every placement through the board
// letters of one line of one direction, found by walking the word index
// (see classic_search.h for what it must give and why it does).
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "finder/cross_checks.h"
#include "finder/placement_key.h"
#include "finder/placement_search.h"
#include "finder/word_index.h"

namespace tilvan {

// Every placement through a board letter of `grid` for `rack`, line by
// line, added to `found` as a key whose item is the rank of its text, once
// per anchor that finds it. With cross-checks, only placements whose
// cross-words the list all holds are found.
void walkLines(const WordIndex& ix, const LetterGrid& grid, std::string_view rack,
               std::vector<PlacementKey>& found, CrossChecks* cross);

// The same for two grids (the two directions) shared out between threads:
// each caller walks the lines that it takes from `next` (0 .. 29: line 0 of
// grids[0], line 0 of grids[1], line 1 of grids[0], ...) until none is left,
// adding what it finds in grids[k] to found[k], checked with cross[k].
void walkSharedLines(const WordIndex& ix, const std::array<const LetterGrid*, 2>& grids,
                     std::string_view rack, const std::array<std::vector<PlacementKey>*, 2>& found,
                     const std::array<CrossChecks*, 2>& cross, std::atomic<int>& next);

}  // namespace tilvan
