// A started two-player game with helpers that lay, commit and take back
// moves as a user does: tiles come from the pool and are dropped on the
// gap beside a square, as `tilvan-cli replay`'s place does.
#pragma once

#include <gtest/gtest.h>

#include "game/views.h"
#include "support/test_support.h"

namespace tilvan::test {

using Messages = std::vector<std::string>;

class MovesTest : public ::testing::Test {
 protected:
  explicit MovesTest(const std::vector<std::string>& words = {"cat"}) : g(words) {
    g.setPlayers(2, 1);
  }
  // The lowest-numbered picture of a letter ('_': a blank) on its home stack.
  int pool(char letter) const {
    const int l = letter == '_' ? kBlank : letter - 'a';
    for (int n = letterEnd(l) - kLetterCount[l]; n < letterEnd(l); ++n)
      if (f.imgTile[n] == Picture{letterHomeLeft(l), letterHomeTop(l), true}) return n;
    ADD_FAILURE() << "no " << letter << " in the pool";
    return 0;
  }
  void place(int n, int row, int col) {
    dropTile(g.game, g.prompts, n, 290 + 270 * col, 290 + 270 * row);
  }
  // Lays pool tiles along a row or down a column; an upper-case letter is a
  // blank named that letter.
  void lay(std::string_view letters, int row, int col, bool down = false) {
    for (char ch : letters) {
      const bool blank = ch >= 'A' && ch <= 'Z';
      if (blank) g.prompts.blankAnswers.push_back(std::string(1, ch));
      place(pool(blank ? '_' : ch), row, col);
      (down ? row : col) += 1;
    }
  }
  Messages use() {
    pressUse(g.game, g.prompts);
    return g.prompts.take();
  }
  void play(std::string_view letters, int row, int col, bool down = false) {
    lay(letters, row, col, down);
    ASSERT_EQ(use(), Messages{}) << letters;
  }
  void clear() { pressClearLastMove(g.game, g.prompts); }
  std::vector<std::string> words() const {
    return {s.FormedWords.begin(), s.FormedWords.begin() + s.WordCount};
  }

  StartedGame g;
  GameState& s = g.game.state;
  Form& f = g.game.form;
};

}  // namespace tilvan::test
