#include "finder/placement_key.h"

#include <algorithm>
#include <array>

namespace tilvan {

void sortKeys(std::vector<PlacementKey>& keys, std::vector<PlacementKey>& scratch) {
  if (keys.size() < 256) {
    std::sort(keys.begin(), keys.end());
    return;
  }
  constexpr int kDigit = 10;
  constexpr std::uint64_t kMask = (1u << kDigit) - 1;
  std::uint64_t maxKey = 0;
  for (const auto k : keys) maxKey = std::max(maxKey, k.bits);
  scratch.resize(keys.size());
  for (int shift = 0; shift < 64 && (maxKey >> shift); shift += kDigit) {
    std::array<std::uint32_t, kMask + 2> count{};
    for (const auto k : keys) ++count[((k.bits >> shift) & kMask) + 1];
    for (std::size_t i = 0; i <= kMask; ++i) count[i + 1] += count[i];
    for (const auto k : keys) scratch[count[(k.bits >> shift) & kMask]++] = k;
    keys.swap(scratch);
  }
}

}  // namespace tilvan
