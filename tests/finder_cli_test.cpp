// tilvan-cli find: the tiles a board file lays, and the JSON of the result
// slots. (Board files and their errors: fuzz_input_test.)
#include <gtest/gtest.h>

#include <sstream>

#include "cli/find.h"
#include "support/position_gen.h"
#include "support/test_support.h"

namespace tilvan {
namespace {

std::string boardText(const Grid& rows) {
  std::string out = "# a board\n\n";
  for (const auto& r : rows) out += r + "\n";
  return out;
}

TEST(FindBoardFile, TilesTakeTheLowestFreeNumbersInReadingOrder) {
  test::StartedGame g;
  Grid rows = test::emptyRows();
  test::put(rows, 0, 0, "eEe");
  test::put(rows, 1, 0, "zZ");
  cli::layBoard(g.game.state, rows);
  const Board& b = g.game.state.Committed;
  EXPECT_EQ(b.atH(0), (BoardSquare{true, 4, 1, 17}));
  EXPECT_EQ(b.atH(1), (BoardSquare{true, 4, 0, kFirstBlankLetter + 4}));
  EXPECT_EQ(b.atH(2).tile, 18);
  EXPECT_EQ(b.atH(15).tile, 97);
  EXPECT_EQ(b.atH(16), (BoardSquare{true, 25, 0, kSecondBlankLetter + 25}));
  EXPECT_EQ(g.game.state.SquareBonus[0], kPlain);  // the triple word under (0, 0) is used
  EXPECT_EQ(g.game.state.SquareBonus[14], kTripleWord);
  EXPECT_EQ(g.game.state.MoveNumber, 1);
}

class FindCommand : public ::testing::Test {
 protected:
  int run(const Grid& rows, std::string rack, bool json = true) {
    board.write(boardText(rows));
    out.str("");
    err.str("");
    std::istringstream in;
    return cli::runFind({board.path().string(), std::move(rack), false, json}, cache, in, out, err);
  }
  test::TempFile words{"cat\nat\nta\n"};
  test::TempFile board{""};
  WordListCache cache{words.path()};
  std::ostringstream out, err;
};

TEST_F(FindCommand, PrintsTheSlotsAsJson) {
  ASSERT_EQ(run(test::emptyRows(), "ca_"), 0);
  EXPECT_EQ(out.str(),
            "{\"results\":[{\"slot\":1,\"score\":8,\"direction\":\"across\",\"row\":7,\"col\":6,"
            "\"word\":\"cat\",\"words\":[{\"text\":\"cat\",\"row\":7,\"col\":6,\"score\":8}],"
            "\"tiles\":[{\"row\":7,\"col\":6,\"letter\":\"c\",\"blank\":false},"
            "{\"row\":7,\"col\":7,\"letter\":\"a\",\"blank\":false},"
            "{\"row\":7,\"col\":8,\"letter\":\"t\",\"blank\":true}]},"
            "{\"slot\":2,\"score\":2,\"direction\":\"across\",\"row\":7,\"col\":6,"
            "\"word\":\"at\",\"words\":[{\"text\":\"at\",\"row\":7,\"col\":6,\"score\":2}],"
            "\"tiles\":[{\"row\":7,\"col\":6,\"letter\":\"a\",\"blank\":false},"
            "{\"row\":7,\"col\":7,\"letter\":\"t\",\"blank\":true}]},"
            "{\"slot\":3,\"score\":2,\"direction\":\"across\",\"row\":7,\"col\":6,"
            "\"word\":\"ta\",\"words\":[{\"text\":\"ta\",\"row\":7,\"col\":6,\"score\":2}],"
            "\"tiles\":[{\"row\":7,\"col\":6,\"letter\":\"t\",\"blank\":true},"
            "{\"row\":7,\"col\":7,\"letter\":\"a\",\"blank\":false}]}]}\n");
  EXPECT_EQ(err.str(), "");
}

TEST_F(FindCommand, DownPlacementsGiveRowsAndColumnsOfTheirSquares) {
  Grid rows = test::emptyRows();
  test::put(rows, 3, 9, "c");
  test::put(rows, 3, 10, "z");  // so nothing fits across
  ASSERT_EQ(run(rows, "at"), 0);
  EXPECT_NE(out.str().find("\"direction\":\"down\",\"row\":3,\"col\":9,\"word\":\"cat\""),
            std::string::npos)
      << out.str();
  EXPECT_NE(out.str().find("\"tiles\":[{\"row\":4,\"col\":9,\"letter\":\"a\",\"blank\":false}"),
            std::string::npos);
}

TEST_F(FindCommand, NothingFoundIsAnEmptyListAndSuccess) {
  EXPECT_EQ(run(test::emptyRows(), "qqq"), 0);
  EXPECT_EQ(out.str(), "{\"results\":[]}\n");
  EXPECT_EQ(run(test::emptyRows(), "cat", false), 0);
  EXPECT_NE(out.str().find("cat"), std::string::npos);
}

}  // namespace
}  // namespace tilvan
