// A game played for the benchmarks: moves laid from the complete search
// as a user lays them, through the handlers.
#pragma once

#include <algorithm>
#include <random>
#include <string>

#include "finder/complete_search.h"
#include "game/handlers.h"
#include "game/layout.h"

namespace bench {

using namespace tilvan;

class Silent : public Prompts {
 public:
  void message(std::string_view) override {}
  std::optional<std::string> askBlankLetter() override {
    if (letters.empty()) return std::nullopt;
    std::string a(1, letters.back());
    letters.pop_back();
    return a;
  }
  std::string letters;
};

// Lays result r of the complete search from the pool and presses USE.
inline void lay(Game& g, Silent& prompts, const CompleteResult& r) {
  const std::string& word = r.cand.Words[0].Text;
  for (int j = 0; j < static_cast<int>(word.size()); ++j) {
    const int i = r.cand.Words[0].Start + j;
    const int h = r.down ? transposeIndex(i) : i;
    if (g.state.Committed.atH(h).occupied) continue;
    const bool blank = r.cand.TilesUsed[j] == '_';
    const int letter = blank ? kBlank : word[j] - 'a';
    int n = letterEnd(letter) - 1;
    const Picture home{letterHomeLeft(letter), letterHomeTop(letter), true};
    while (g.form.imgTile[n] != home) --n;
    if (blank) prompts.letters = std::string(1, word[j]);
    dropTile(g, prompts, n, 290 + 270 * (h % kSide), 290 + 270 * (h / kSide));
  }
  pressUse(g, prompts);
}

// A game of `turns` turns between four players: the best placement of a
// rack drawn from the tiles left, or a pass when there is none.
inline void playGame(Game& g, Silent& prompts, int turns) {
  startUp(g, prompts);
  g.form.txtNumberofPlayers.type("4");
  pressNumberOfPlayers(g, prompts);
  g.form.txtUsersTurn.type("1");
  pressUsersTurn(g, prompts);
  const auto list = g.words.get();
  std::mt19937 rng(40);
  for (int t = 0; t < turns; ++t) {
    std::string bag;
    for (int l = 0; l < kLetters; ++l)
      bag += std::string(std::stoi(g.form.lbTile[l]), letterChar(l));
    std::shuffle(bag.begin(), bag.end(), rng);
    const auto found = completeSearch(*list.value(), g.state, bag.substr(0, kMoveSlots), 1);
    if (found.empty())
      pressPass(g, prompts);
    else
      lay(g, prompts, found[0]);
  }
}

}  // namespace bench
