// Not built yet.
#include "finder/complete_search.h"

namespace tilvan {

std::vector<CompleteResult> completeSearch(const WordList&, const GameState&, std::string_view,
                                           std::size_t) {
  return {};
}

}  // namespace tilvan
