// What the classic search's line walk needs to know of a grid's squares,
// worked out once per grid.
#pragma once

#include <array>
#include <cstdint>

#include "finder/placement_search.h"

namespace tilvan {

// What the walk needs to know of a grid's squares, worked out once.
struct LineTables {
  explicit LineTables(const LetterGrid& grid);

  // reach[q][m], bit k: a word can go on for exactly k more squares from
  // square q with m rack tiles left (m capped): the square after them is
  // empty and on the board (not the last square, which no word can end
  // before), and at most m of them are empty.
  static constexpr int kReachTiles = 16;
  std::array<std::array<std::uint16_t, kReachTiles>, kSquares + 1> reach{};
  // How many squares on the next board letter lies (at most kReachTiles).
  std::array<int, kSquares> nextLetter{};
  // The look-ahead rows (WordIndex::letterBit) of the board letters from a
  // square on, up to the first empty square or the end of its line, at
  // most kRun of them.
  static constexpr int kRun = 4;
  struct Run {
    int length = 0;
    std::array<int, kRun> rows{};
  };
  std::array<Run, kSquares> runs{};
};

}  // namespace tilvan
