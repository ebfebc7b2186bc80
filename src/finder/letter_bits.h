// Sets of the letters a..z as bits (bit 0 for 'a'), as both word automata
// keep the letters of a state's edges: the edge of a letter is found by
// counting the letters below it.
#pragma once

#include <array>
#include <bit>
#include <cstdint>

namespace tilvan {

constexpr std::uint32_t kAllLetterBits = (1u << 26) - 1;

// The bit of character c when it is a letter a..z, else 0.
inline std::uint32_t letterBitOf(unsigned char c) {
  static constexpr std::array<std::uint32_t, 256> kBits = [] {
    std::array<std::uint32_t, 256> bits{};
    for (int ch = 'a'; ch <= 'z'; ++ch) bits[static_cast<std::size_t>(ch)] = 1u << (ch - 'a');
    return bits;
  }();
  return kBits[c];
}

// How many letters of `set` lie below the letter `bit`: the place of that
// letter's edge among a state's letter edges.
inline std::uint32_t lettersBelow(std::uint32_t set, std::uint32_t bit) {
  return static_cast<std::uint32_t>(std::popcount(set & (bit - 1)));
}

}  // namespace tilvan
