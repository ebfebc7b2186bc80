// The fixed tables against the game's numbers, and the state start-up leaves.
#include <gtest/gtest.h>

#include <numeric>

#include "game/board.h"
#include "game/layout.h"
#include "support/test_support.h"

namespace tilvan {
namespace {

// The counts and the tile numbering are pinned by the golden replays (their
// dumps list the tiles left and place tiles by number); here the edges.
TEST(LetterTables, BlocksCoverTheHundredTilesInOrder) {
  EXPECT_EQ(std::accumulate(kLetterCount.begin(), kLetterCount.end(), 0), 100);
  EXPECT_EQ(letterEnd(26), 100);
  EXPECT_EQ(letterBlockOf(8), 0);
  EXPECT_EQ(letterBlockOf(9), 1);
  EXPECT_EQ(letterBlockOf(97), 25);
  EXPECT_EQ(letterBlockOf(98), kBlank);
  EXPECT_EQ(letterBlockOf(99), kBlank);
  EXPECT_EQ(letterBlockOf(100), -1);
  EXPECT_EQ(letterShownBy(104), 4);
  EXPECT_EQ(letterShownBy(151), 25);
  EXPECT_EQ(kLetterValue[26], 0);
}

TEST(PremiumMap, CountsAndSymmetry) {
  const auto& m = premiumMap();
  int count[6] = {};
  for (int v : m) ++count[v];
  EXPECT_EQ(count[kTripleWord], 8);
  EXPECT_EQ(count[kDoubleWord], 17);
  EXPECT_EQ(count[kTripleLetter], 12);
  EXPECT_EQ(count[kDoubleLetter], 24);
  for (int r = 0; r < kSide; ++r)
    for (int c = 0; c < kSide; ++c) {
      EXPECT_EQ(m[hIndex(r, c)], m[vIndex(r, c)]) << r << "," << c;
      EXPECT_EQ(m[hIndex(r, c)], m[hIndex(14 - r, 14 - c)]) << r << "," << c;
    }
  EXPECT_EQ(m[kCentre], kDoubleWord);
  // Row 7 of the map: 5 0 0 2 0 0 0 4 0 0 0 2 0 0 5.
  const int row7[] = {5, 0, 0, 2, 0, 0, 0, 4, 0, 0, 0, 2, 0, 0, 5};
  for (int c = 0; c < kSide; ++c) EXPECT_EQ(m[hIndex(7, c)], row7[c]);
}

TEST(Board, AccessorsGiveEveryNumberingOfOneSquare) {
  Board b;
  // An "e" at row 2, column 5: H number 36, V number 78.
  b.set(hIndex(2, 5), {true, 4, 1, 17});
  EXPECT_EQ(b.FilledH(36), 36);
  EXPECT_EQ(b.FilledV(78), 78);
  EXPECT_EQ(b.FilledH0(35), 35);
  EXPECT_EQ(b.FilledV0(77), 77);
  EXPECT_EQ(b.LetterH(36), 4);
  EXPECT_EQ(b.LetterV0(77), 4);
  EXPECT_EQ(b.ValueV(78), 1);
  EXPECT_EQ(b.TileV(78), 17);
  EXPECT_EQ(b.TileH(35), 17);
  EXPECT_EQ(b.FilledH(37), 0);
  // Square 0 reads 0 in the by-index occupied tables whether or not it holds a tile.
  b.set(0, {true, 2, 3, 11});
  EXPECT_EQ(b.FilledH0(0), 0);
  EXPECT_EQ(b.FilledH(1), 1);
  // The bottom-right square like any other.
  b.set(224, {true, 25, 10, 97});
  EXPECT_EQ(b.FilledH(225), 225);
  EXPECT_EQ(b.FilledV(225), 225);
  EXPECT_TRUE(b.records(97));
  EXPECT_TRUE(b.records(0));  // empty squares hold tile 0
  EXPECT_FALSE(b.records(18));
}

// What start-up leaves that no replay dump shows: the design's positions at
// the corners of their tables, the blank's tiles worth nothing, and the
// guards of the first presses. (The start-up message, the turn mark and the
// full pool are in every replay's first dump.)
TEST(StartUp, FillsTheTablesFromTheDesign) {
  test::StartedGame g;
  const GameState& s = g.game.state;
  EXPECT_EQ(std::pair(s.LetterHomeLeft[0], s.LetterHomeTop[0]), std::pair(6360, 360));
  EXPECT_EQ(std::pair(s.LetterHomeLeft[26], s.LetterHomeTop[26]), std::pair(7920, 3960));
  EXPECT_EQ(std::pair(s.SquareLeftH[0], s.SquareTopH[0]), std::pair(405, 5190));
  EXPECT_EQ(std::pair(s.SquareLeftH[224], s.SquareTopH[224]), std::pair(4185, 8970));
  EXPECT_EQ(std::pair(s.SquareLeftV[1], s.SquareTopV[1]), std::pair(405, 5460));
  EXPECT_EQ(std::pair(s.SquareLeftH[1], s.SquareTopH[1]), std::pair(675, 5190));
  for (int n : {98, 99, 100, 125, 126, 151}) EXPECT_EQ(s.TileValue[n], 0) << n;
  EXPECT_EQ(s.TileValue[69], 10);
  EXPECT_EQ(s.LetterChar[26], '_');
  EXPECT_EQ(std::tuple(s.DropSlot, s.DropSlot2, s.UseClicks, s.MoveCheck),
            std::tuple(-1, -1, 1, 1));
}

TEST(Captions, AreReadBackAsNumbers) {
  for (auto [before, add, after] : {std::tuple{"12", -1, "11"}, {"0", 1, "1"}, {"", 1, "1"}}) {
    std::string c = before;
    addToCaption(c, add);
    EXPECT_EQ(c, after) << before;
  }
}

}  // namespace
}  // namespace tilvan
