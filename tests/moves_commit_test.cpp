// The rule that a later move joins the tiles on the board. (What a commit
// writes and a refusal leaves: invariant_test, pending_move_test and the
// moves_* replays.)
#include "moves/move_check.h"

#include <gtest/gtest.h>

namespace tilvan {
namespace {

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
