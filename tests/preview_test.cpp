// The result buttons "1" to "5": which preview pictures a placement lays, the
// words it lists, and that every press starts from the search's snapshot.
#include "board/preview.h"

#include <gtest/gtest.h>

#include "game/views.h"
#include "support/position_gen.h"
#include "support/test_support.h"

namespace tilvan {
namespace {

class Preview : public ::testing::Test {
 protected:
  void start(const std::vector<std::string>& words, const Grid& rows) {
    g = std::make_unique<test::StartedGame>(words);
    test::setBoard(g->game.state, rows);
  }
  void find(std::string_view rack) {
    g->game.form.txtRack.type(rack);
    pressFindWords(g->game, g->prompts);
  }
  void press(int k) { pressShowSlot(g->game, g->prompts, k); }
  Grid view() const { return previewView(g->game.form); }
  GameState& s() { return g->game.state; }
  std::unique_ptr<test::StartedGame> g = std::make_unique<test::StartedGame>();
};

TEST_F(Preview, PictureChoiceFollowsTheTilesOnTheBoard) {
  const int e = 4, a = 0, z = 25;
  // "e" at positions 2 and 4 while no "e" is on the board: tiles 17 and 18.
  EXPECT_EQ(previewPictureFor(s(), e, "pepe", 2), 17);
  EXPECT_EQ(previewPictureFor(s(), e, "pepe", 4), 18);
  // An "a" while no "a" is on the board: tile 0 always counts as recorded.
  EXPECT_EQ(previewPictureFor(s(), a, "a", 1), 1);

  Grid rows = test::emptyRows();
  test::put(rows, 0, 1, "e");  // takes tile 17
  test::put(rows, 0, 3, "z");  // the only "z", tile 97
  test::setBoard(s(), rows);
  EXPECT_EQ(previewPictureFor(s(), e, "pepe", 2), 18);
  EXPECT_EQ(previewPictureFor(s(), e, "pepe", 4), 19);
  // No "z" tile left: the first spare picture of "z", or the second when the
  // first blank already lies on the board as a "z".
  EXPECT_EQ(previewPictureFor(s(), z, "zz", 1), 123);
  test::put(rows, 0, 5, "Z");  // tile 125
  test::setBoard(s(), rows);
  EXPECT_EQ(previewPictureFor(s(), z, "zz", 1), 149);
  // Earlier occurrences can run past the block: spare picture then.
  EXPECT_EQ(previewPictureFor(s(), z, "zz", 2), 149);
}

TEST_F(Preview, PressesBeforeAnySearchOutOfRangeOrOnAnEmptySlot) {
  const Form before = g->game.form;
  for (int k : {0, 4, 5, -1}) press(k);
  EXPECT_EQ(g->game.form, before);

  Grid rows = test::emptyRows();
  test::put(rows, 7, 7, "a");
  start({"ab"}, rows);
  find("b");
  const Form shown = g->game.form;
  press(7);
  press(-3);
  EXPECT_EQ(g->game.form, shown);
  // An empty slot shows only the mirror of the board.
  press(4);
  EXPECT_EQ(g->game.form.lblWords, (std::array<std::string, kWordLabels>{}));
  EXPECT_EQ(view(), committedView(s().Committed));
}

TEST_F(Preview, ButtonsStillShowTheLastSearchAfterTheBoardChanged) {
  Grid rows = test::emptyRows();
  test::put(rows, 7, 6, "cat");
  start({"cat", "cats", "scat", "at", "as"}, rows);
  g->game.form.lblCheckWords[0] = "Not A Word";
  find("s");
  // A search and every press clear the marks of a check.
  EXPECT_EQ(g->game.form.lblCheckWords, (std::array<std::string, kWordLabels>{}));
  const auto words = g->game.form.lblWords;
  ASSERT_NE(words[0], "");
  // The move is taken back and another laid: the results stay those of the
  // search, and every button still works.
  s().Committed = Board{};
  rows = test::emptyRows();
  test::put(rows, 14, 0, "q");
  test::setBoard(s(), rows);
  for (int k : {4, 0, 2, 1, 3, 0}) {
    g->game.form.lblCheckWords[1] = "Not A Word";
    press(k);
    EXPECT_EQ(g->game.form.lblCheckWords, (std::array<std::string, kWordLabels>{})) << k;
  }
  EXPECT_EQ(g->game.form.lblWords, words);
}

TEST_F(Preview, NewTilesAreMarkedAndBlanksTold) {
  Grid rows = test::emptyRows();
  test::put(rows, 7, 6, "cAt");  // the "a" is the first blank, laid as "a"
  start({"cat", "cats", "at"}, rows);
  find("_");
  // The search's best: "cats" with the rack's blank as the "s".
  ASSERT_EQ(g->game.form.lblWords[0], "CATS");
  Grid laid = test::emptyRows();
  test::put(laid, 7, 9, "S");
  EXPECT_EQ(previewNewView(g->game.form), laid);
  // The mirror of the committed blank is a blank too, but not new.
  const Form& f = g->game.form;
  const Picture& mirrorA = f.imgTile1[previewPictureOfTile(kFirstBlankLetter + 0)];
  EXPECT_TRUE(mirrorA.Visible && mirrorA.Blank && !mirrorA.New);
  EXPECT_EQ(view()[7], "......cats.....");
  // No result shown: nothing marked new.
  press(4);
  EXPECT_EQ(previewNewView(g->game.form), test::emptyRows());
}

// Two blanks as the same letter and no tile of it left: the two spares, the
// second when the first is in view. (A picture that mirrors a committed tile
// is never taken: the preview_picture replay.)
TEST_F(Preview, PictureChoiceNeverTakesAPictureInView) {
  Form form = g->game.form;
  for (auto& p : form.imgTile1) p.Visible = false;
  form.imgTile1[kFirstPreviewSpare + 25].Visible = true;  // the first "z" already laid
  s().Committed.set(hIndex(14, 14), {true, 25, 10, 97});  // the only "z" tile
  EXPECT_EQ(unusedPreviewPicture(s(), form, 25, "zz", 2), kSecondPreviewSpare + 25);
}

TEST_F(Preview, CaseConversionCoversLatinLetters) {
  g->game.form.txtRack.type("AEIRST_Q");  // seven characters at most
  EXPECT_EQ(g->game.form.txtRack.Text, "aeirst_");
  EXPECT_EQ(lowerCase("CAF\xc9 \xd7"), "caf\xe9 \xd7");
  EXPECT_EQ(upperCase("caf\xe9_x"), "CAF\xc9_X");
  EXPECT_EQ(upperCase("\xf7\xff"), "\xf7\xff");
}

}  // namespace
}  // namespace tilvan
