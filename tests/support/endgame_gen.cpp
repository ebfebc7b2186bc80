#include "support/endgame_gen.h"

#include <algorithm>
#include <iterator>
#include <random>
#include <sstream>

#include "finder/complete_search.h"
#include "support/brute_force_complete.h"
#include "support/position_gen.h"
#include "support/test_support.h"

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

namespace tilvan::test {

std::string Case::describe() const {
  std::ostringstream out;
  out << "racks \"" << racks[0] << "\" and \"" << racks[1] << "\"\n";
  for (int r = 0; r < kSide; ++r) {
    for (int c = 0; c < kSide; ++c) {
      const BoardSquare& b = state.Committed.atH(hIndex(r, c));
      out << (b.occupied ? letterChar(b.letter) : '.');
    }
    out << '\n';
  }
  return out.str();
}

Case makeCase(PositionGen& gen, const std::vector<std::string>& words) {
  Case c{freshPosition(), {}};
  const Grid rows = gen.board(words, gen.uniform(1, 6));
  setBoard(c.state, rows);
  std::string bag;
  std::array<int, kLetters> left = kLetterCount;
  for (const std::string& row : rows)
    for (char ch : row)
      if (ch != '.') --left[ch >= 'a' && ch <= 'z' ? ch - 'a' : kBlank];
  for (int l = 0; l < kLetters; ++l)
    if (l != kBlank || gen.uniform(0, 3) == 0) bag.append(std::max(left[l], 0), letterChar(l));
  std::shuffle(bag.begin(), bag.end(), gen.rng());
  for (auto& rack : c.racks) {
    rack = bag.substr(0, static_cast<std::size_t>(gen.uniform(1, gen.uniform(2, 4))));
    bag.erase(0, rack.size());
  }
  return c;
}

std::vector<std::string> shortWords(std::mt19937_64& rng) {
  static const std::vector<std::string> all = [] {
    std::vector<std::string> out;
    WordListCache cache(TILVAN_DEFAULT_WORD_LIST);
    if (auto list = cache.get(); list.ok())
      for (std::size_t i = 0; i < list.value()->size(); ++i)
        if ((*list.value())[i].size() <= 4) out.emplace_back((*list.value())[i]);
    return out;
  }();
  std::vector<std::string> out;
  std::sample(all.begin(), all.end(), std::back_inserter(out), 400, rng);
  return out;
}

}  // namespace tilvan::test
