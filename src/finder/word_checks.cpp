#include "finder/word_checks.h"

namespace tilvan {

std::vector<Placement> collapseDuplicates(const std::vector<Placement>& found) {
  std::vector<Placement> out;
  out.reserve(found.size());
  const std::size_t n = found.size();
  for (std::size_t i = 0; i < n; ++i) {
    for (int step = 0; step < 15 && i + 1 < n && found[i + 1] == found[i]; ++step) ++i;
    out.push_back(found[i]);
  }
  return out;
}

}  // namespace tilvan
