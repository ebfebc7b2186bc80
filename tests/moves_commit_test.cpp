// USE: what a commit writes and what a refusal leaves. (The messages and
// pictures of first-move and refused-move cases are in the moves_* replays.)
#include "moves/move_check.h"
#include "moves_fixture.h"

namespace tilvan {
namespace {

using test::Messages;
using Commit = test::MovesTest;

TEST_F(Commit, RightToLeftDropsLandOnTheirOwnSquares) {
  const int t = pool('t');
  place(t, 7, 8);
  place(pool('a'), 7, 7);
  place(pool('c'), 7, 6);
  EXPECT_EQ(use(), Messages{});
  EXPECT_EQ(committedView(s.Committed)[7], "......cat......");
  EXPECT_EQ(s.Committed.TileH(hIndex(7, 8)), t);
  EXPECT_EQ(s.Committed.ValueV(vIndex(7, 6) + 1), 3);
  EXPECT_EQ(s.Prev, Board{});
  EXPECT_EQ(std::pair(s.LockedCount, s.PlacedCount), std::pair(3, 3));
  // The premium under the centre is used up; every other square keeps its own.
  for (int h = 0; h < kSquares; ++h)
    EXPECT_EQ(s.SquareBonus[h], h == kCentre ? 0 : premiumMap()[h]) << h;
}

TEST_F(Commit, RefusedTilesStayAsLaidAndALaterCommitLocksThem) {
  play("cat", 7, 6);
  const GameState before = s;
  const int r = pool('r');
  lay("rB", 0, 0);
  const GameState laid = s;
  EXPECT_EQ(use(), (Messages{"The Player's Move is Invalid 1",
                             "The tiles must touch the letters already on the board"}));
  // Nothing moved, the slots kept the order of laying (Backspace takes the
  // blank back first) and the turn stays with the mover.
  EXPECT_EQ(s, laid);
  EXPECT_EQ(std::pair(s.CurrentPlayer, s.LastMovePlayer), std::pair(1, 0));
  EXPECT_EQ(use(), (Messages{"The Player's Move is Invalid 1",
                             "The tiles must touch the letters already on the board"}));
  pressBackspace(g.game, g.prompts);
  EXPECT_EQ(s.MoveTile[0], r);
  pressEscape(g.game, g.prompts);
  EXPECT_EQ(s.TileOnBoard, before.TileOnBoard);
  EXPECT_EQ(std::pair(s.LockedCount, s.PlacedCount), std::pair(3, 3));
  place(r, 7, 9);
  EXPECT_EQ(use(), Messages{});
  EXPECT_EQ(s.PlacedTile[3], r);
  EXPECT_EQ(s.LockedCount, 4);
}

// A later move against CAT across row 7, columns 6 to 8.
TEST(LaterMoveRule, Connectivity) {
  Board b;
  for (int c = 6; c <= 8; ++c) b.set(hIndex(7, c), {true, c, 1, c});
  struct Case {
    std::vector<TileSquare> tiles;
    bool ok;
  };
  const Case cases[] = {
      {{{7, 9}}, true},                  // one tile beside the word
      {{{8, 7}}, true},                  // one tile below it
      {{{3, 3}}, false},                 // one tile on its own
      {{{7, 8}}, false},                 // on a committed tile
      {{{6, 5}, {6, 6}}, true},          // along, above the word
      {{{7, 4}, {7, 5}, {7, 9}}, true},  // both ends, the word fills the gap
      {{{7, 4}, {7, 10}}, false},        // gaps left empty
      {{{6, 9}, {7, 10}}, false},        // diagonal
      {{{8, 9}, {8, 9}}, false},         // two tiles on one square
      {{{9, 7}, {10, 7}}, false},        // in line but touching nothing
      {{{5, 7}, {6, 7}, {8, 7}}, true},  // down through the A
      {{{0, 14}, {1, 0}}, false},        // consecutive numbers across a row end
  };
  for (const Case& c : cases)
    EXPECT_EQ(laterMoveConnects(b, c.tiles), c.ok) << c.tiles[0].row << "," << c.tiles[0].col;
  EXPECT_TRUE(firstMoveInLine(std::vector<TileSquare>{{7, 7}, {8, 7}, {9, 7}}));
  EXPECT_FALSE(firstMoveInLine(std::vector<TileSquare>{{7, 7}, {7, 8}, {8, 8}}));  // an L
  EXPECT_FALSE(firstMoveInLine(std::vector<TileSquare>{{7, 14}, {8, 0}}));
}

}  // namespace
}  // namespace tilvan
