// Placement scoring: letter and word premiums, blanks from the rack and on
// the board, cross-words and the bonus for seven tiles.
#include <gtest/gtest.h>

#include "finder/scoring.h"
#include "finder/word_checks.h"
#include "support/position_gen.h"
#include "support/test_support.h"

namespace tilvan {
namespace {

class Scoring : public ::testing::Test {
 protected:
  Scoring() { s.SquareBonus.fill(kPlain); }
  void board(const Grid& rows) { test::setBoard(s, rows); }
  // Scores word w laid from `start` (the set's own numbering), with its
  // cross-words worked out from the board.
  Candidate score(std::string_view w, int start, std::string_view rack, bool down = false) {
    const SetView view = makeSetView(s, down);
    Candidate c{formedWords(view.grid, {w, start}), 0, {}};
    scoreCandidate(view, rack, c);
    return c;
  }
  test::StartedGame g;
  GameState& s = g.game.state;
};

TEST_F(Scoring, LetterAndWordPremiumsUnderNewTiles) {
  s.SquareBonus[hIndex(4, 4)] = kDoubleLetter;  // under the "c"
  s.SquareBonus[hIndex(4, 6)] = kDoubleWord;    // under the "t"
  EXPECT_EQ(score("cat", hIndex(4, 4), "tac").Total, (3 * 2 + 1 + 1) * 2);
  // The "c" from a blank scores nothing, on a double letter too.
  const Candidate blank = score("cat", hIndex(4, 4), "at_");
  EXPECT_EQ(blank.Total, (0 + 1 + 1) * 2);
  EXPECT_EQ(blank.TilesUsed, "_at");
  // Word premiums compound.
  s.SquareBonus[hIndex(4, 4)] = kTripleWord;
  EXPECT_EQ(score("cat", hIndex(4, 4), "cat").Total, 5 * 2 * 3);
}

TEST_F(Scoring, PremiumsUnderCommittedTilesCountNothing) {
  Grid rows = test::emptyRows();
  test::put(rows, 0, 7, "a");
  board(rows);
  s.SquareBonus[hIndex(0, 7)] = kTripleWord;  // as if not used up
  EXPECT_EQ(score("at", hIndex(0, 7), "t").Total, 2);
}

TEST_F(Scoring, CrossWordsTakeTheNewTilesPointsAndWordPremium) {
  Grid rows = test::emptyRows();
  test::put(rows, 6, 5, "t");  // above the new "o"
  board(rows);
  s.SquareBonus[hIndex(7, 5)] = kDoubleWord;
  const Candidate c = score("on", hIndex(7, 5), "on");
  ASSERT_EQ(c.Words.size(), 2u);
  EXPECT_EQ(c.Words[0].Score, (1 + 1) * 2);
  EXPECT_EQ(c.Words[1], (FormedWord{"to", hIndex(6, 5), (1 + 1) * 2}));
  EXPECT_EQ(c.Total, 8);

  s.SquareBonus[hIndex(7, 5)] = kTripleLetter;
  const Candidate tl = score("on", hIndex(7, 5), "on");
  EXPECT_EQ(tl.Words[1].Score, 1 + 3);  // "t" as it lies, "o" as the main word scored it
}

TEST_F(Scoring, CommittedBlankScoresNothingInMainAndCrossWords) {
  Grid rows = test::emptyRows();
  test::put(rows, 7, 7, "Q");  // a blank laid as "q"
  test::put(rows, 6, 8, "Z");  // a blank "z" above the square after it
  board(rows);
  const Candidate c = score("qi", hIndex(7, 7), "i");
  ASSERT_EQ(c.Words.size(), 2u);
  EXPECT_EQ(c.Words[0].Score, 1);  // blank "q" 0 + "i" 1
  EXPECT_EQ(c.Words[1].Text, "zi");
  EXPECT_EQ(c.Words[1].Score, 1);
  EXPECT_EQ(c.TilesUsed, "qi");
}

TEST_F(Scoring, TilesAsLaidPreferRealLettersAndKeepTheRackOrder) {
  EXPECT_EQ(score("aa", hIndex(3, 3), "_a").TilesUsed, "a_");
  const Candidate two = score("abxcde", hIndex(3, 3), "ab__cde");
  EXPECT_EQ(two.TilesUsed, "ab_cde");
  EXPECT_EQ(score("abxyde", hIndex(3, 3), "ab__cde").TilesUsed, "ab__de");
  // A word character that no letter has scores 0 where it stands.
  EXPECT_EQ(score("\xe9t", hIndex(3, 3), "_t").Total, 1);
}

TEST_F(Scoring, SevenNewTilesAddFiftyOnce) {
  Grid rows = test::emptyRows();
  test::put(rows, 7, 3, "s");
  board(rows);
  const Candidate c = score("seatrain", hIndex(7, 3), "eatrain");
  EXPECT_EQ(c.Total, 8 + 50);
  EXPECT_EQ(score("seatrai", hIndex(7, 3), "eatrain").Total, 7);
}

TEST_F(Scoring, DownPlacementsReadPremiumsAtTheTransposedSquare) {
  // A premium used up at (2, 5) only: the V set must not see it at (5, 2).
  s.SquareBonus[hIndex(5, 2)] = kTripleLetter;
  s.SquareBonus[hIndex(2, 5)] = kPlain;
  EXPECT_EQ(score("xi", vIndex(5, 2), "xi", true).Total, 8 * 3 + 1);
  EXPECT_EQ(score("xi", hIndex(2, 5), "xi", false).Total, 9);
}

TEST_F(Scoring, FirstMoveIsTwiceTheTilesPlusFiftyForSeven) {
  const SetView view = makeSetView(s, false);
  const Candidate cat = firstMoveCandidate(view, "cat", "c_t");
  EXPECT_EQ(cat.Words[0], (FormedWord{"cat", kCentre - 1, 8}));
  EXPECT_EQ(cat.TilesUsed, "c_t");
  EXPECT_EQ(cat.Total, 8);
  const Candidate seven = firstMoveCandidate(view, "eatings", "seating");
  EXPECT_EQ(seven.Words[0].Start, kCentre - 3);
  EXPECT_EQ(seven.Total, 2 * 8 + 50);
}

}  // namespace
}  // namespace tilvan
