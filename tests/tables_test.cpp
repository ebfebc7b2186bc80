// The fixed tables against the game's numbers, and the state start-up leaves.
#include <gtest/gtest.h>

#include <numeric>

#include "game/board.h"
#include "game/layout.h"
#include "support/test_support.h"

namespace tilvan {
namespace {

TEST(LetterTables, BlocksCoverTheHundredTilesInOrder) {
  EXPECT_EQ(std::accumulate(kLetterCount.begin(), kLetterCount.end(), 0), 100);
  EXPECT_EQ(letterEnd(0), 9);
  EXPECT_EQ(letterEnd(25), 98);
  EXPECT_EQ(letterEnd(26), 100);
  for (int n = 0; n <= 8; ++n) EXPECT_EQ(letterBlockOf(n), 0);
  EXPECT_EQ(letterBlockOf(9), 1);
  EXPECT_EQ(letterBlockOf(17), 4);
  EXPECT_EQ(letterBlockOf(69), 16);  // the one q
  EXPECT_EQ(letterBlockOf(97), 25);
  EXPECT_EQ(letterBlockOf(98), kBlank);
  EXPECT_EQ(letterBlockOf(99), kBlank);
  EXPECT_EQ(letterBlockOf(100), -1);
  EXPECT_EQ(letterShownBy(104), 4);
  EXPECT_EQ(letterShownBy(151), 25);
  EXPECT_EQ(kLetterValue[1], 2);  // B is worth 2
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

TEST(SquareNumbering, BothNumberingsAgreeOnTheCorners) {
  EXPECT_EQ(hIndex(0, 0) + 1, 1);
  EXPECT_EQ(vIndex(0, 0) + 1, 1);
  EXPECT_EQ(hIndex(14, 14) + 1, 225);
  EXPECT_EQ(vIndex(14, 14) + 1, 225);
  EXPECT_EQ(hIndex(0, 1) + 1, 2);
  EXPECT_EQ(vIndex(0, 1) + 1, 16);
  EXPECT_EQ(hIndex(1, 0) + 1, 16);
  EXPECT_EQ(vIndex(1, 0) + 1, 2);
  for (int i = 0; i < kSquares; ++i) EXPECT_EQ(transposeIndex(transposeIndex(i)), i);
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

class StartUp : public ::testing::Test {
 protected:
  test::StartedGame g;
  const GameState& s = g.game.state;
  const Form& f = g.game.form;
};

TEST_F(StartUp, FillsTheTablesFromTheDesign) {
  EXPECT_EQ(s.LetterHomeLeft[0], 6360);
  EXPECT_EQ(s.LetterHomeTop[0], 360);
  EXPECT_EQ(s.LetterHomeLeft[26], 7920);
  EXPECT_EQ(s.LetterHomeTop[26], 3960);
  EXPECT_EQ(s.LetterHomeLeft[23], 8160);
  EXPECT_EQ(s.LetterHomeTop[23], 3360);
  EXPECT_EQ(s.SquareTopH[0], 5190);
  EXPECT_EQ(s.SquareLeftH[0], 405);
  EXPECT_EQ(s.SquareTopH[224], 8970);
  EXPECT_EQ(s.SquareLeftH[224], 4185);
  EXPECT_EQ(s.SquareTopV[1], 5460);
  EXPECT_EQ(s.SquareLeftV[1], 405);
  EXPECT_EQ(s.SquareTopH[1], 5190);
  EXPECT_EQ(s.SquareLeftH[1], 675);
  EXPECT_EQ(s.SquareBonus[112], 4);
  for (int n : {98, 99, 100, 125, 126, 151}) EXPECT_EQ(s.TileValue[n], 0) << n;
  EXPECT_EQ(s.TileValue[69], 10);
  EXPECT_EQ(s.LetterEnd[26], 100);
  EXPECT_EQ(s.LetterChar[26], '_');
  EXPECT_EQ(s.DropSlot, -1);
  EXPECT_EQ(s.DropSlot2, -1);
  EXPECT_EQ(s.UseClicks, 1);
  EXPECT_EQ(s.MoveCheck, 1);
}

TEST_F(StartUp, ShowsTheFirstTurnMarkAndTheFullPool) {
  EXPECT_EQ(f.linPlayer, (std::array<bool, 4>{true, false, false, false}));
  EXPECT_EQ(f.lblPlayer, (std::array<bool, 4>{}));
  EXPECT_EQ(f.shpUser, (std::array<bool, 4>{}));
  EXPECT_EQ(f.lbTile[0], "9");
  EXPECT_EQ(f.lbTile[4], "12");
  EXPECT_EQ(f.lbTile[26], "2");
  for (int n = 0; n < 100; ++n) {
    const int l = letterBlockOf(n);
    EXPECT_EQ(f.imgTile[n], (Picture{s.LetterHomeLeft[l], s.LetterHomeTop[l], true})) << n;
  }
  for (int n = 100; n < kTilePictures; ++n) EXPECT_FALSE(f.imgTile[n].Visible) << n;
  for (const Picture& p : f.imgTile1) EXPECT_FALSE(p.Visible);
  EXPECT_TRUE(s.Committed.empty());
}

TEST(StartUpMessage, IsShownAtEveryStart) {
  test::TempFile words("a\n");
  WordListCache cache(words.path());
  Game game(cache);
  test::RecordingPrompts prompts;
  startUp(game, prompts);
  EXPECT_EQ(prompts.messages, std::vector<std::string>{
                                  "You Must Set the Number of Players and Your Turn Number "
                                  "Before Playing"});
}

TEST(Captions, AreReadBackAsNumbers) {
  std::string c = "12";
  addToCaption(c, -1);
  EXPECT_EQ(c, "11");
  c = "0";
  addToCaption(c, 1);
  EXPECT_EQ(c, "1");
  c = "";
  addToCaption(c, 1);
  EXPECT_EQ(c, "1");
}

}  // namespace
}  // namespace tilvan
