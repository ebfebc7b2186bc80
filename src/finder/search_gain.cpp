#include "finder/search_gain.h"

#include <algorithm>

#include "finder/complete_search.h"

namespace tilvan {

int bestResultTotal(const FinderState& f) {
  int best = 0;
  for (int k = 0; k < kResultSlots; ++k) {
    if (f.SlotV[k] == k + 1) best = std::max(best, f.V.RankedScore.at(f.SlotRankV[k]));
    if (f.SlotH[k] == k + 1) best = std::max(best, f.H.RankedScore.at(f.SlotRankH[k]));
  }
  return best;
}

int completeSearchGain(const Game& game) {
  auto got = game.words.get();
  if (!got.ok()) return 0;
  std::string rack;  // the tiles of the rack box, as the driver reads them
  for (char c : game.form.txtRack.Text)
    if ((c >= 'a' && c <= 'z') || c == '_') rack.push_back(c);
  const auto best = completeSearch(*got.value(), game.state, rack, 1);
  if (best.empty()) return 0;
  return std::max(0, best.front().cand.Total - bestResultTotal(game.state.Finder));
}

}  // namespace tilvan
