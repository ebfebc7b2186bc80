// The self-play engine's random numbers: a splitmix64 stream, the same on
// every machine and library (no standard distribution is used).
#pragma once

#include <cstdint>
#include <string>

namespace tilvan::play {

class Rng {
 public:
  explicit Rng(std::uint64_t seed = 0) : state_(seed) {}
  std::uint64_t next() {
    std::uint64_t z = (state_ += 0x9e3779b97f4a7c15ULL);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
  }
  // A number in [0, n) (n > 0), by the high half of a 64x64 product.
  std::uint32_t below(std::uint32_t n) {
    return static_cast<std::uint32_t>(((next() >> 32) * n) >> 32);
  }
  // Shuffles the characters of s (Fisher-Yates).
  void shuffle(std::string& s) {
    for (std::size_t i = s.size(); i > 1; --i)
      std::swap(s[i - 1], s[below(static_cast<std::uint32_t>(i))]);
  }

 private:
  std::uint64_t state_;
};

}  // namespace tilvan::play
