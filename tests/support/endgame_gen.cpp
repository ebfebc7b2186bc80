#include "support/endgame_gen.h"

#include <algorithm>
#include <random>

#include "finder/complete_search.h"
#include "support/brute_force_complete.h"

namespace tilvan::test {

int layPlacement(GameState& s, const CompleteResult& r, std::string& rack, std::vector<int>& laid) {
  const FormedWord& main = r.cand.Words.front();
  for (std::size_t j = 0; j < main.Text.size(); ++j) {
    const int idx = main.Start + static_cast<int>(j);
    const int h = r.down ? transposeIndex(idx) : idx;
    if (s.Committed.atH(h).occupied) continue;
    const bool blank = r.cand.TilesUsed[j] == '_';
    const int l = main.Text[j] - 'a';
    rack.erase(rack.find(blank ? '_' : main.Text[j]), 1);
    s.Committed.set(h, {true, l, blank ? 0 : kLetterValue[l],
                        blank ? blankLetterPicture(kFirstBlank, l) : letterEnd(l) - 1});
    s.SquareBonus[h] = kPlain;
    laid.push_back(h);
  }
  return r.cand.Total;
}

std::optional<ReachedEndgame> greedyEndgame(const WordList& list, std::uint64_t seed,
                                            std::size_t bagLeft) {
  std::mt19937_64 rng(seed);
  std::string bag;
  for (int l = 0; l < kLetters; ++l) bag.append(kLetterCount[l], letterChar(l));
  std::shuffle(bag.begin(), bag.end(), rng);
  ReachedEndgame out{freshPosition(), {}, {}};
  GameState& s = out.state;
  auto draw = [&](std::string& rack) {
    const std::size_t n = std::min(bag.size(), kMoveSlots - rack.size());
    rack += bag.substr(0, n);
    bag.erase(0, n);
  };
  draw(out.racks[0]);
  draw(out.racks[1]);
  for (int turn = 0, passes = 0; passes < 2; ++turn) {
    std::string& rack = out.racks[turn % 2];
    const auto best = completeSearch(list, s, rack, 1);
    if (best.empty()) {
      ++passes;
      continue;
    }
    passes = 0;
    std::vector<int> laid;
    layPlacement(s, best.front(), rack, laid);
    s.MoveNumber = 1;
    const bool lastDraw = bag.size() > bagLeft;
    draw(rack);
    if (rack.empty()) return std::nullopt;
    if (lastDraw && bag.size() <= bagLeft) {
      std::swap(out.racks[0], out.racks[1]);  // the other side moves next
      out.bag = bag;
      return out;
    }
  }
  return std::nullopt;
}

}  // namespace tilvan::test
