// Placement scoring: which rack tiles a placement uses, the bonus for seven
// tiles and the first move. Premiums, blanks and cross-words are compared
// with an independent scorer on generated positions (complete_differential).
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
