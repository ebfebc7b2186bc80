// Taking letters from the rack as the finder's rules do: each needed letter
// takes the first rack character left that is that letter or a blank.
#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "finder/word_index.h"

namespace tilvan {

// True when the rack supplies every one of the n needed letters (n > 0).
// `scratch` is working space for racks of more than 64 characters.
bool takeFromRack(const char* needed, int n, std::string_view rack, std::string& scratch);

// Whether every blank of the rack comes after every other character.
bool blanksLast(std::string_view rack);

// Whether a walk must take by rack position: with a blank before some
// letter, taking by counts can take a blank where the rules take a letter.
inline bool takesByPosition(std::string_view rack) {
  return rack.size() <= 64 && !blanksLast(rack);
}

// The records of at most seven characters that the rack alone supplies, in
// file order (the first move's words).
std::vector<std::string_view> rackOnlyWords(const WordList& list, std::string_view rack);

// The rack as counts of its real characters plus the number of blanks.
struct RackCounts {
  explicit RackCounts(std::string_view rack) {
    for (const unsigned char c : rack) {
      if (c == '_')
        ++blanks;
      else
        ++count[c];
    }
  }
  std::array<int, 256> count{};
  int blanks = 0;
};

// The rack while a walk lays letters one by one and takes them back. By
// position it takes, as the rules do, the first character left that is the
// letter or a blank (racks of up to 64 characters); by counts it takes a
// copy of the letter while one is left, else a blank, which is what the rules
// do when there are no blanks or every blank comes last
// (takesAsTheRulesDo()).
template <bool kByPosition>
class RackTaker {
 public:
  explicit RackTaker(std::string_view rack)
      : counts_(rack), takesAsTheRulesDo_(kByPosition || !counts_.blanks || blanksLast(rack)) {
    if (kByPosition)
      for (std::size_t q = 0; q < rack.size(); ++q)
        positions_[static_cast<unsigned char>(rack[q])] |= std::uint64_t{1} << q;
    blankPositions_ = positions_['_'];
    for (int c = 'a'; c <= 'z'; ++c) {
      if (!counts_.count[c]) continue;
      lettersLeft_ |= WordIndex::letterMask(static_cast<unsigned char>(c));
      rackLetters_.push_back(static_cast<char>(c));
    }
  }

  // Whether every word the walk lays is taken as the rules take it, so that
  // no check at the end is needed.
  bool takesAsTheRulesDo() const { return takesAsTheRulesDo_; }

  // The letters a..z (as WordIndex::Cursor::letters bits) it can supply now.
  std::uint32_t takeableLetters() const {
    if constexpr (kByPosition) {
      if (blankPositions_ & ~used_) return ~0u;
      std::uint32_t letters = 0;
      for (const unsigned char c : rackLetters_)
        if (positions_[c] & ~used_) letters |= WordIndex::letterMask(c);
      return letters;
    } else {
      return counts_.blanks > 0 ? ~0u : lettersLeft_;
    }
  }

  // The edges of `node` whose character it can supply now, into `edges`:
  // the letters a..z that it holds (all of them while it has a blank left),
  // then the characters outside a..z that it holds. Their count.
  int takeableEdges(const WordIndex& ix, const WordIndex::Cursor& node,
                    std::array<std::uint32_t, 256>& edges) const {
    int count = 0;
    // The letters' edges lie in letter order after the `low` others.
    const std::uint32_t takeable = node.letters() & takeableLetters();
    if (takeable == node.letters()) {
      std::uint32_t e = node.first() + node.low();
      for (std::uint32_t bits = takeable; bits; bits &= bits - 1) edges[count++] = e++;
    } else {
      for (std::uint32_t bits = takeable; bits; bits &= bits - 1)
        edges[count++] = WordIndex::letterEdge(node, bits & (~bits + 1));
    }
    if (!(node.low() | node.high())) return count;
    for (std::uint32_t e = node.first(); e < node.first() + node.low(); ++e)
      if (canTake(ix.edgeChar(e))) edges[count++] = e;
    for (std::uint32_t e = node.end() - node.high(); e < node.end(); ++e)
      if (canTake(ix.edgeChar(e))) edges[count++] = e;
    return count;
  }

  // Whether it can supply, as it is now, some letter of an edge below
  // `edge`.
  bool canGoOn(const WordIndex& ix, std::uint32_t edge) const {
    return (ix.childLetters(edge) & takeableLetters()) || ix.childHasOthers(edge);
  }

  // Whether rack character c can be taken now.
  bool canTake(unsigned char c) const {
    if constexpr (kByPosition)
      return ((positions_[c] | blankPositions_) & ~used_) != 0;
    else
      return counts_.count[c] > 0 || counts_.blanks > 0;
  }

  // Takes c (canTake(c) must hold); the token gives it back.
  std::uint64_t take(unsigned char c) {
    if constexpr (kByPosition) {
      const std::uint64_t left = (positions_[c] | blankPositions_) & ~used_;
      const std::uint64_t first = left & (~left + 1);
      used_ |= first;
      return first;
    }
    if (counts_.count[c] > 0) {
      if (--counts_.count[c] == 0) lettersLeft_ &= ~WordIndex::letterMask(c);
      return 1;
    }
    --counts_.blanks;
    return 0;
  }
  void putBack(unsigned char c, std::uint64_t token) {
    if constexpr (kByPosition) {
      used_ &= ~token;
    } else if (token) {
      ++counts_.count[c];
      lettersLeft_ |= WordIndex::letterMask(c);
    } else {
      ++counts_.blanks;
    }
  }

 private:
  RackCounts counts_;
  bool takesAsTheRulesDo_;
  std::array<std::uint64_t, 256> positions_{};  // rack positions of each character
  std::uint64_t blankPositions_ = 0, used_ = 0;
  std::string rackLetters_;        // the letters a..z of the rack, once each
  std::uint32_t lettersLeft_ = 0;  // those that counts_ has left, as bits
};

}  // namespace tilvan
