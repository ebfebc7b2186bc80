// A placement that the classic search found, packed in 64 bits so that
// sorting keys sorts placements in the plain search's order: by item (the
// rank of the text while the walks run, the record afterwards), then line,
// then anchor. The start's position in its line rides in the lowest bits,
// where it orders nothing: an item and an anchor give one start.
#pragma once

#include <compare>
#include <cstdint>
#include <vector>

#include "game/rules.h"

namespace tilvan {

struct PlacementKey {
  // `lineAnchor` is line * 15 + the anchor's position in the line.
  static PlacementKey pack(std::uint32_t item, int lineAnchor, int startInLine) {
    return {(std::uint64_t{item} << kItemShift) |
            (static_cast<std::uint64_t>(lineAnchor) << kAnchorShift) |
            static_cast<std::uint64_t>(startInLine)};
  }
  std::uint32_t item() const { return static_cast<std::uint32_t>(bits >> kItemShift); }
  int lineAnchor() const { return static_cast<int>((bits >> kAnchorShift) & 0xFF); }
  // The square the placement starts on.
  int start() const {
    return lineAnchor() / kSide * kSide + static_cast<int>(bits & ((1u << kAnchorShift) - 1));
  }
  // The same placement for another item.
  PlacementKey withItem(std::uint32_t item) const {
    return {(std::uint64_t{item} << kItemShift) | (bits & ((1u << kItemShift) - 1))};
  }
  auto operator<=>(const PlacementKey&) const = default;

  std::uint64_t bits = 0;

 private:
  static constexpr int kAnchorShift = 4, kItemShift = 12;
};

// Sorts keys ascending (radix passes over the bits for all but short lists).
void sortKeys(std::vector<PlacementKey>& keys, std::vector<PlacementKey>& scratch);

}  // namespace tilvan
