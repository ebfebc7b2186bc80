#include "finder/line_tables.h"

#include <algorithm>

#include "finder/word_index.h"

namespace tilvan {

LineTables::LineTables(const LetterGrid& grid) {
  for (int q = 0; q <= kSquares; ++q) {
    // Each empty square q + k ends a word for every m of at least the empty
    // squares before it.
    std::array<std::uint16_t, kReachTiles> from{};
    int empties = 0;
    for (int k = 0; k < kReachTiles && q + k < kSquares; ++k) {
      if (grid[q + k]) continue;
      from[empties++] |= static_cast<std::uint16_t>(1u << k);
    }
    std::uint16_t bits = 0;
    for (int m = 0; m < kReachTiles; ++m) reach[q][m] = bits |= from[m];
  }
  for (int q = kSquares - 1, next = kSquares; q >= 0; --q) {
    nextLetter[q] = std::min(next - q, kReachTiles);
    if (grid[q]) next = q;
  }
  for (int q = 0; q < kSquares; ++q) {
    Run& run = runs[q];
    for (int i = 0; i < kRun && q % kSide + i < kSide && grid[q + i]; ++i)
      run.rows[run.length++] = WordIndex::letterBit(static_cast<unsigned char>(grid[q + i]));
  }
}

}  // namespace tilvan
