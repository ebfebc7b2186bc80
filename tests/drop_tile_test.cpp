// Where a drop lays a tile, and the letter a blank's dialog gives. (Refused
// drops and named blanks are walked by the moves_drops and moves_refused
// replays.)
#include "board/blank_tile.h"
#include "moves_fixture.h"

namespace tilvan {
namespace {

using Drop = test::MovesTest;

TEST_F(Drop, DropPointToSquare) {
  struct Case {
    int x, y, col, row;
  };
  const Case cases[] = {{40, 40, 0, 0},       {309, 309, 0, 0},    {310, 310, 1, 1},
                        {-500, 39, 0, 0},     {850, 1390, 3, 5},   {4089, 4089, 14, 14},
                        {4090, 4094, 14, 14}, {9999, 4094, 14, 14}};
  for (const Case& c : cases) {
    dropTile(g.game, g.prompts, 17, c.x, c.y);
    EXPECT_EQ(std::pair(s.MoveCol[0], s.MoveRow[0]), std::pair(c.col + 1, c.row + 1))
        << c.x << "," << c.y;
    EXPECT_EQ(f.imgTile[17], (Picture{1960 + 270 * c.col, 390 + 270 * c.row, true}));
  }
  // However often it moves, it is one tile of the move and one "e" off the pool.
  EXPECT_EQ(std::pair(s.MoveTileCount, s.PlacedCount), std::pair(1, 1));
  EXPECT_EQ(f.lbTile[4], "11");
}

TEST(BlankTileDialog, TypedTextToLetter) {
  EXPECT_EQ(blankLetterIndexFor("q", 0), 16);
  EXPECT_EQ(blankLetterIndexFor("Z", 0), 25);
  EXPECT_EQ(blankLetterIndexFor("a", 9), 0);
  EXPECT_EQ(blankLetterIndexFor("ex", 0), 4);  // the box keeps one character
  for (const char* other : {"", "_", "7", "!", " ", "\xc9"})
    EXPECT_EQ(blankLetterIndexFor(other, 9), 9) << other;
}

}  // namespace
}  // namespace tilvan
