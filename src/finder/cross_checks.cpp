#include "finder/cross_checks.h"

#include "finder/word_checks.h"

namespace tilvan {

CrossChecks::CrossChecks(const WordIndex& ix, const LetterGrid& grid) : index_(&ix), grid_(grid) {
  for (int q = 0; q < kSquares; ++q)
    crosses_[q] =
        !grid[q] && ((q >= kSide && grid[q - kSide]) || (q + kSide < kSquares && grid[q + kSide]));
}

bool CrossChecks::allowsAll(const Placement& placement) {
  for (std::size_t j = 0; j < placement.word.size(); ++j) {
    const int q = placement.start + static_cast<int>(j);
    if (crosses(q) && !allows(q, static_cast<unsigned char>(placement.word[j]))) return false;
  }
  return true;
}

bool CrossChecks::lookUp(int q, unsigned char c) const {
  int top;
  return index_->contains(crossWord(grid_, q, static_cast<char>(c), top));
}

}  // namespace tilvan
