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
  void placeTile(int n, int row, int col) {
    dropTile(g->game, g->prompts, n, 40 + 270 * col + 250, 40 + 270 * row + 250);
  }
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

TEST_F(Preview, ButtonsShowTheirSlotOverTheMirrorOfTheBoard) {
  Grid rows = test::emptyRows();
  test::put(rows, 7, 7, "a");
  start({"ta", "tat", "at", "ab"}, rows);
  find("tb");
  ASSERT_NE(g->game.form.lblWord[1], "");
  const Grid afterSearch = view();
  press(1);
  const Grid second = view();
  press(0);
  EXPECT_EQ(view(), afterSearch);
  press(1);
  EXPECT_EQ(view(), second);
  // Every preview keeps the committed "a" and adds nothing on its square.
  for (int k = 0; k < kResultSlots; ++k) {
    press(k);
    EXPECT_EQ(view()[7][7], 'a') << k;
    int shown = 0;
    for (const auto& row : view())
      for (char ch : row) shown += ch != '.';
    EXPECT_LE(shown, 3) << k;
  }
}

TEST_F(Preview, WordLabelsListTheSlotsWordsInCapitals) {
  Grid rows = test::emptyRows();
  test::put(rows, 6, 6, "a");
  test::put(rows, 6, 7, "x");
  test::put(rows, 7, 5, "o");
  start({"otq", "at", "xq"}, rows);
  find("tq");
  const auto& w = g->game.form.lblWords;
  EXPECT_EQ(w[0], "OTQ");
  EXPECT_EQ(w[1], "AT");
  EXPECT_EQ(w[2], "XQ");
  for (int i = 3; i < kWordLabels; ++i) EXPECT_EQ(w[i], "");
  // The main word crosses the committed "o": pictures only for "t" and "q".
  EXPECT_EQ(view()[7], ".....otq.......");
}

TEST_F(Preview, EmptySlotShowsOnlyTheMirror) {
  Grid rows = test::emptyRows();
  test::put(rows, 7, 7, "a");
  start({"ab"}, rows);
  find("b");
  press(4);
  EXPECT_EQ(g->game.form.lblWords, (std::array<std::string, kWordLabels>{}));
  EXPECT_EQ(view()[7], ".......a.......");
  EXPECT_EQ(view()[8], "...............");
}

TEST_F(Preview, PressesBeforeAnySearchOrOutOfRangeChangeNothing) {
  const Form before = g->game.form;
  for (int k : {0, 4, 5, -1}) press(k);
  EXPECT_EQ(g->game.form, before);

  Grid rows = test::emptyRows();
  start({"cat"}, rows);
  find("cat");
  const Form shown = g->game.form;
  press(7);
  press(-3);
  EXPECT_EQ(g->game.form, shown);
}

TEST_F(Preview, ButtonsStillShowTheLastSearchAfterTheBoardChanged) {
  Grid rows = test::emptyRows();
  test::put(rows, 7, 6, "cat");
  start({"cat", "cats", "scat", "at", "as"}, rows);
  find("s");
  const auto words = g->game.form.lblWords;
  ASSERT_NE(words[0], "");
  // The move is taken back and another laid: the results stay those of the
  // search, and every button still works.
  s().Committed = Board{};
  rows = test::emptyRows();
  test::put(rows, 14, 0, "q");
  test::setBoard(s(), rows);
  for (int k : {4, 0, 2, 1, 3, 0}) press(k);
  EXPECT_EQ(g->game.form.lblWords, words);
}

TEST_F(Preview, NewTilesAreMarkedAndBlanksTold) {
  Grid rows = test::emptyRows();
  test::put(rows, 7, 6, "cAt");  // the "a" is the first blank, laid as "a"
  start({"cat", "cats", "at"}, rows);
  find("_");
  // The search's best: "cats" with the rack's blank as the "s".
  ASSERT_EQ(g->game.form.lblWords[0], "CATS");
  const Grid laid = previewNewView(g->game.form);
  EXPECT_EQ(laid[7], ".........S.....");
  for (int r = 0; r < kSide; ++r)
    if (r != 7) EXPECT_EQ(laid[r], std::string(kSide, '.')) << r;
  // The mirror of the committed blank is a blank too, but not new.
  const Form& f = g->game.form;
  const Picture& mirrorA = f.imgTile1[previewPictureOfTile(kFirstBlankLetter + 0)];
  EXPECT_TRUE(mirrorA.Visible && mirrorA.Blank && !mirrorA.New);
  EXPECT_EQ(view()[7], "......cats.....");
  // No result shown: nothing marked new.
  press(4);
  EXPECT_EQ(previewNewView(g->game.form), test::emptyRows());
}

TEST_F(Preview, PictureChoiceNeverTakesAPictureInView) {
  // The second "e" tile (18) lies on the board, the first (17) does not:
  // "m + e" gives 17 and then 18 for a word with two new "e"s, and 18 is the
  // mirror of the committed "e", which must stay where it is.
  Grid rows = test::emptyRows();
  start({"eel", "le"}, rows);
  s().Committed.set(hIndex(7, 7), {true, 11, 1, 44});  // an "l"
  s().Committed.set(hIndex(0, 0), {true, 4, 1, 18});   // tile 18, an "e"
  s().MoveNumber = 1;
  find("ee");
  ASSERT_EQ(g->game.form.lblWords[0], "EEL");
  for (int k = 0; k < kResultSlots; ++k) {
    press(k);
    EXPECT_EQ(view()[0][0], 'e') << k;  // the committed copy still shows
    EXPECT_TRUE(g->game.form.imgTile1[18].Visible && !g->game.form.imgTile1[18].New) << k;
  }
  press(0);
  int newEs = 0;
  for (const auto& row : previewNewView(g->game.form))
    for (char ch : row) newEs += ch == 'e';
  EXPECT_EQ(newEs, 2);

  // Two blanks as the same letter and no tile of it left: the two spares.
  Form form = g->game.form;
  for (auto& p : form.imgTile1) p.Visible = false;
  form.imgTile1[kFirstPreviewSpare + 25].Visible = true;  // the first "z" already laid
  s().Committed.set(hIndex(14, 14), {true, 25, 10, 97});  // the only "z" tile
  EXPECT_EQ(unusedPreviewPicture(s(), form, 25, "zz", 2), kSecondPreviewSpare + 25);
}

TEST_F(Preview, CommittingOrTakingBackClearsTheResults) {
  g = std::make_unique<test::StartedGame>(std::vector<std::string>{"cat", "cats", "at", "as"});
  g->setPlayers(2, 1);
  g->game.form.txtRack.type("cat");
  pressFindWords(g->game, g->prompts);
  ASSERT_NE(g->game.form.lblWord[0], "");
  // Lay the shown result by hand and commit it.
  const Form& f = g->game.form;
  // C, A, T from their stacks.
  placeTile(11, 7, 6);
  placeTile(0, 7, 7);
  placeTile(80, 7, 8);
  pressUse(g->game, g->prompts);
  ASSERT_EQ(s().MoveNumber, 1);
  for (int k = 0; k < kResultSlots; ++k) {
    EXPECT_EQ(f.lblWord[k], "") << k;
    EXPECT_NE(s().Finder.SlotH[k], k + 1);
    EXPECT_NE(s().Finder.SlotV[k], k + 1);
  }
  EXPECT_EQ(f.lblWords[0], "CAT");  // the committed move's words stay
  EXPECT_EQ(view(), committedView(s().Committed));
  EXPECT_EQ(previewNewView(f), test::emptyRows());
  press(2);
  EXPECT_EQ(view(), committedView(s().Committed));

  // A search's words and marks go with a take-back; the mirror follows.
  g->game.form.txtRack.type("s");
  pressFindWords(g->game, g->prompts);
  ASSERT_EQ(f.lblWords[0], "CATS");
  pressClearLastMove(g->game, g->prompts);
  EXPECT_EQ(f.lblWords, (std::array<std::string, kWordLabels>{}));
  EXPECT_EQ(f.lblWord, (std::array<std::string, kResultSlots>{}));
  EXPECT_EQ(view(), test::emptyRows());
}

TEST_F(Preview, SearchAndButtonsClearTheMarksOfACheck) {
  Grid rows = test::emptyRows();
  test::put(rows, 7, 6, "cat");
  start({"cat", "cats", "scat", "at", "as"}, rows);
  g->game.form.lblCheckWords[0] = "Not A Word";
  find("s");
  EXPECT_EQ(g->game.form.lblCheckWords, (std::array<std::string, kWordLabels>{}));
  g->game.form.lblCheckWords[1] = "Not A Word";
  press(1);
  EXPECT_EQ(g->game.form.lblCheckWords, (std::array<std::string, kWordLabels>{}));
}

TEST_F(Preview, RackBoxTakesCapitalsAsSmallLetters) {
  g->game.form.txtRack.type("AEIRST_Q");
  EXPECT_EQ(g->game.form.txtRack.Text, "aeirst_");
  EXPECT_EQ(lowerCase("CAF\xc9 \xd7"), "caf\xe9 \xd7");
}

TEST_F(Preview, UpperCaseCoversLatinLetters) {
  EXPECT_EQ(upperCase("caf\xe9_x"), "CAF\xc9_X");
  EXPECT_EQ(upperCase("\xf7\xff"), "\xf7\xff");
}

}  // namespace
}  // namespace tilvan
