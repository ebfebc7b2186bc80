// The game's record: every committed move scored by the game's rules, passes,
// corrections, the end of the game; and recorded scores against the
// complete search's on generated games.
#include <random>

#include "finder/complete_search.h"
#include "moves_fixture.h"
#include "support/game_gen.h"

namespace tilvan {
namespace {

using test::Messages;

class History : public test::MovesTest {
 protected:
  int lastScore() const { return s.Turns.back().score; }
  std::array<Total, kPlayers> totals() const { return playerTotals(s.Turns); }
};

TEST_F(History, ScoresByTheRulesOnAHandCheckedGame) {
  // Row 7 from column 4: s e a t i n g, the centre (a double word) under t:
  // (1+1+1+1+1+1+2) x 2 + 50 for seven tiles.
  play("seating", 7, 4);
  EXPECT_EQ(lastScore(), 66);
  EXPECT_EQ(s.Turns.back().words, (std::vector<std::string>{"seating"}));
  // Down from the t: o at (8, 7) and p at (9, 7), both plain: 1 + 1 + 3.
  play("op", 8, 7, true);
  EXPECT_EQ(lastScore(), 5);
  EXPECT_TRUE(s.Turns.back().down);
  EXPECT_EQ(std::pair(s.Turns.back().row, s.Turns.back().col), std::pair(7, 7));
  // A blank as h under the p: "toph", the blank worth 0: 1 + 1 + 3 + 0.
  play("H", 10, 7);
  EXPECT_EQ(lastScore(), 5);
  EXPECT_TRUE(s.Turns.back().tiles[0].blank);
  EXPECT_EQ(s.Turns.back().words, (std::vector<std::string>{"toph"}));
  // x on the double letter at (8, 8): "ox" across (1 + 16) and "ix" down
  // from the i of seating (1 + 16): the letter premium counts in both. One
  // tile forming a word across is an across move.
  play("x", 8, 8);
  EXPECT_EQ(lastScore(), 34);
  EXPECT_FALSE(s.Turns.back().down);
  EXPECT_EQ(s.Turns.back().words, (std::vector<std::string>{"ox", "ix"}));
  // Down column 11 from row 6: i plain, s on the double letter at (7, 11):
  // "is" 1 + 2 = 3, and "seatings" across 8 + 2 = 10.
  play("is", 6, 11, true);
  EXPECT_EQ(lastScore(), 13);
  EXPECT_EQ(s.Turns.back().words, (std::vector<std::string>{"is", "seatings"}));
  // The double letter under the x counted once, for the move that covered
  // it: "box" across row 8 with b (2 points) on the double letter at (8, 6)
  // is 4 + 1 + 8 = 13, and "ab" down 1 + 4 = 5.
  play("b", 8, 6);
  EXPECT_EQ(s.Turns.back().words, (std::vector<std::string>{"box", "ab"}));
  EXPECT_EQ(lastScore(), 18);
  EXPECT_EQ(totals(), (std::array<Total, 4>{66 + 5 + 13, 5 + 34 + 18, 0, 0}));
}

TEST(HistoryScores, EqualTheCompleteSearchOnGeneratedGames) {
#if defined(__SANITIZE_ADDRESS__)
  constexpr int kGames = 150;
#else
  constexpr int kGames = 2000;
#endif
  WordListCache cache(TILVAN_DEFAULT_WORD_LIST);
  const auto list = cache.get();
  ASSERT_TRUE(list.ok());
  std::mt19937 rng(7);
  int moves = 0, blanks = 0, sevens = 0;
  for (int game = 0; game < kGames; ++game) {
    test::StartedGame g(std::string_view{});
    g.setPlayers(2 + game % 3, 1);
    for (int turn = 0; turn < 12; ++turn) {
      // A rack drawn from the tiles not on the board.
      std::string bag;
      for (int l = 0; l < kLetters; ++l)
        bag += std::string(std::stoi(g.game.form.lbTile[l]), letterChar(l));
      std::shuffle(bag.begin(), bag.end(), rng);
      const std::string rack = bag.substr(0, kMoveSlots);
      const auto results = completeSearch(*list.value(), g.game.state, rack, 3);
      if (results.empty()) break;
      const CompleteResult& r = results[rng() % results.size()];
      std::string script;
      test::layAndUse(g, r, script);
      ASSERT_EQ(g.prompts.take(), Messages{}) << "game " << game;
      const Turn& t = g.game.state.Turns.back();
      ASSERT_EQ(t.score, r.cand.Total) << "game " << game << " " << r.cand.Words[0].Text;
      ASSERT_EQ(t.words.front(), r.cand.Words[0].Text);
      ASSERT_EQ(t.words.size(), r.cand.Words.size());
      ++moves;
      blanks += r.cand.TilesUsed.find('_') != std::string::npos;
      sevens += t.tiles.size() == kMoveSlots;
    }
  }
  EXPECT_GT(moves, kGames * 8);
  EXPECT_GT(blanks, kGames / 4);
  EXPECT_GT(sevens, kGames / 20);
}

}  // namespace
}  // namespace tilvan
