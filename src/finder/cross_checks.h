// Cross-checks of the classic search: whether the cross-word that a letter
// laid on an empty square forms is in the list, looked up once per square
// and character and kept for the word check that follows the search.
#pragma once

#include <array>
#include <cstdint>

#include "finder/placement_search.h"
#include "finder/word_index.h"

namespace tilvan {

class CrossChecks {
 public:
  CrossChecks(const WordIndex& ix, const LetterGrid& grid);

  // Whether empty square q has a letter next to it across the line.
  bool crosses(int q) const { return crosses_[q]; }
  // Whether c laid on square q forms a cross-word that the list holds (or
  // none, one letter long).
  bool allows(int q, unsigned char c) {
    if (c < 'a' || c > 'z') return lookUp(q, c);
    std::uint8_t& known = known_[static_cast<std::size_t>(q) * 26 + (c - 'a')];
    if (!known) known = lookUp(q, c) ? kAllowed : kRuledOut;
    return known == kAllowed;
  }
  // Whether every cross-word of the placement is allowed.
  bool allowsAll(const Placement& placement);

  // Set when every placement that the search returned passed these checks.
  bool allPassed = false;

  // True when these checks were made for this index and grid.
  bool madeFor(const WordIndex& ix, const LetterGrid& grid) const {
    return index_ == &ix && grid_ == grid;
  }

 private:
  static constexpr std::uint8_t kAllowed = 1, kRuledOut = 2;  // 0: not known yet
  bool lookUp(int q, unsigned char c) const;

  const WordIndex* index_;
  LetterGrid grid_;
  std::array<bool, kSquares> crosses_{};
  std::array<std::uint8_t, kSquares * 26> known_{};
};

}  // namespace tilvan
