// Laying tiles on the main board and naming blanks.
#include "board/blank_tile.h"
#include "moves_fixture.h"

namespace tilvan {
namespace {

using test::Messages;
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

TEST_F(Drop, RefusedDropsChangeNothing) {
  test::StartedGame fresh;
  const Form designed = fresh.game.form;
  dropTile(fresh.game, fresh.prompts, 0, 1000, 1000);
  EXPECT_EQ(fresh.prompts.take(),
            Messages{"You Must Input Number of Players and Your Turn Before Starting Game!"});
  EXPECT_EQ(fresh.game.form, designed);

  play("cat", 7, 6);
  place(s.PlacedTile[1], 0, 0);
  EXPECT_EQ(g.prompts.take(), Messages{"You can't moved previously played Tiles."});
  place(110, 3, 3);  // hidden: cannot be dragged
  lay("abcdefg", 0, 0);
  const GameState seven = s;
  place(pool('h'), 5, 5);  // an eighth tile
  EXPECT_TRUE(g.prompts.take().empty());
  EXPECT_EQ(s, seven);
  place(s.MoveTile[2], 9, 9);  // one of the seven still moves
  EXPECT_EQ(std::pair(s.MoveRow[2], s.DropSlot), std::pair(10, 2));
}

TEST_F(Drop, NamedBlankLiesAsItsLetterPicture) {
  g.prompts.blankAnswers = {"e", "Z"};
  place(98, 7, 7);
  EXPECT_EQ(f.imgTile[104], (Picture{mainSquareLeft(7), mainSquareTop(7), true}));
  EXPECT_EQ(f.imgTile[98], (Picture{8640, 3360, false}));
  EXPECT_EQ(std::tuple(s.MoveTile[0], s.MoveLetter[0], s.MoveValue[0]), std::tuple(104, 4, 0));
  EXPECT_EQ(s.PlacedTile[0], 104);
  EXPECT_EQ(f.lbTile[kBlank], "1");
  place(99, 7, 8);
  place(151, 8, 8);  // the letter picture moves like any tile of the move
  EXPECT_EQ(std::pair(s.MoveTile[1], s.MoveRow[1]), std::pair(151, 9));
  EXPECT_EQ(f.lbTile[kBlank], "0");
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
