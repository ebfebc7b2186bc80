// What "Find   Words" finds: the first-move and later-move rules, including
// the ones that limit what it finds, the word check, duplicates, and how a
// search starts and ends.
#include <gtest/gtest.h>

#include "finder/classic_search.h"
#include "finder/find_words.h"
#include "support/position_gen.h"
#include "support/test_support.h"

namespace tilvan {
namespace {

// The program's classic search, one for the whole test program.
PlacementSearch& classicSearch() {
  static ClassicSearch search;
  return search;
}

using Words = std::vector<std::string>;

class FinderSearch : public ::testing::Test {
 protected:
  void start(const std::string& listText) { g = std::make_unique<test::StartedGame>(listText); }
  void start(const Words& words) { start(test::lines(words)); }
  void board(const Grid& rows) { test::setBoard(g->game.state, rows); }
  void find(std::string_view rack) {
    g->game.form.txtRack.type(rack);
    pressFindWords(g->game, g->prompts);
  }
  const FinderState& finder() const { return g->game.state.Finder; }
  // Every candidate of the board and rack of the last search, in found order.
  AllCandidates all() const {
    auto list = g->game.words.get();
    EXPECT_TRUE(list.ok());
    return allCandidates(*list.value(), g->game.state, g->game.form.txtRack.Text,
                         classicSearch());
  }
  // "word@start" of every candidate of a set, in found order.
  static Words cands(const std::vector<Candidate>& set) {
    Words out;
    for (const Candidate& c : set)
      out.push_back(c.Words[0].Text + "@" + std::to_string(c.Words[0].Start));
    return out;
  }
  // The main words of a set, in found order.
  static Words mainWords(const std::vector<Candidate>& set) {
    Words out;
    for (const Candidate& c : set) out.push_back(c.Words[0].Text);
    return out;
  }
  std::unique_ptr<test::StartedGame> g;
};

TEST_F(FinderSearch, FirstMoveFindsTheRackWordsAcrossTheCentre) {
  start(Words{"cat", "cats", "act", "Cat", "at", "tact", "a", "dog", "ta", "c", "", "catalog"});
  find("cat");
  EXPECT_EQ(cands(all().H), (Words{"cat@111", "act@111", "at@111", "a@112", "ta@111", "c@112"}));
  EXPECT_TRUE(all().V.empty());
  // cat 10, act 10, at 4, a 2, ta 4, c 6: ranked 10, 10, 6, 4, 4.
  EXPECT_EQ(g->game.form.lblWord, (std::array<std::string, 5>{"10", "10", "6", "4", "4"}));
  // Slot 0 is shown at once: CAT on row 7, columns 6 to 8.
  EXPECT_EQ(g->game.form.lblWords[0], "CAT");
  EXPECT_EQ(previewView(g->game.form)[7], "......cat......");
}

TEST_F(FinderSearch, TakeFromRackUsesTheFirstCharacterThatFits) {
  start(Words{"ab", "ba", "aa", "b"});
  find("_a");  // the blank comes first: "ab" loses it to its "a"
  EXPECT_EQ(mainWords(all().H), (Words{"ba", "aa", "b"}));
  find("a_");
  EXPECT_EQ(mainWords(all().H), (Words{"ab", "ba", "aa", "b"}));
}

TEST_F(FinderSearch, RackBoxLowersCapitalsAndOnlyLettersAreTiles) {
  start(Words{"cat", "at", "CAT"});
  // The rack box turns typed capitals into small letters...
  find("CAT");
  EXPECT_EQ(g->game.form.txtRack.Text, "cat");
  EXPECT_EQ(mainWords(all().H), (Words{"cat", "at"}));
  // ...and of the text it holds, only a..z and '_' are tiles: a capital is
  // no tile, and a blank stands for a..z only, so "CAT" is never laid.
  auto findAsHeld = [&](const std::string& rack) {
    g->game.form.txtRack.Text = rack;
    pressFindWords(g->game, g->prompts);
  };
  findAsHeld("CAT");
  EXPECT_EQ(mainWords(all().H), Words{});
  findAsHeld("C__");
  // "cat" would need three blanks.
  EXPECT_EQ(mainWords(all().H), (Words{"at"}));
  find("___");
  EXPECT_EQ(mainWords(all().H), (Words{"cat", "at"}));
}

TEST_F(FinderSearch, FirstMoveSkipsLongWordsAndGivesSevenLettersFifty) {
  start(Words{"abcdefg", "abcdefgh", "gfedcba"});
  find("gfedcba");
  EXPECT_EQ(cands(all().H), (Words{"abcdefg@109", "gfedcba@109"}));
  // 2 x (1 + 2 + 3 + 2 + 1 + 4 + 2) + 50
  EXPECT_EQ(all().H[0].Total, 80);
}

TEST_F(FinderSearch, NoWordStartsOnTheFirstSquareOfALine) {
  start(Words{"ab", "ba"});
  Grid rows = test::emptyRows();
  test::put(rows, 7, 1, "b");  // across, "ab" would start in column 0
  test::put(rows, 1, 9, "b");  // down, "ab" would start in row 0
  board(rows);
  find("a");
  EXPECT_EQ(cands(all().H), (Words{"ab@23", "ba@24", "ba@106"}));
  EXPECT_EQ(cands(all().V), (Words{"ab@21", "ba@22", "ba@136"}));
}

TEST_F(FinderSearch, AWordEndingOnALineEndNeedsTheNextLinesFirstSquareEmpty) {
  start(Words{"ab"});
  Grid rows = test::emptyRows();
  test::put(rows, 3, 13, "a");
  board(rows);
  find("b");
  EXPECT_EQ(cands(all().H), Words{"ab@58"});
  test::put(rows, 4, 0, "z");
  board(rows);
  find("b");
  EXPECT_TRUE(all().H.empty());
  // On the last row the square after the end is off the board: never found.
  rows = test::emptyRows();
  test::put(rows, 14, 13, "a");
  board(rows);
  find("b");
  EXPECT_TRUE(all().H.empty());
}

TEST_F(FinderSearch, OnlyTheFirstOccurrenceOfTheAnchorLetterIsTried) {
  start(Words{"mess", "ss"});
  Grid rows = test::emptyRows();
  test::put(rows, 7, 7, "s");
  board(rows);
  find("mes");
  // "mess" with its first "s" on the board letter; never its second.
  EXPECT_EQ(cands(all().H), (Words{"mess@110", "ss@112"}));
}

TEST_F(FinderSearch, AnchorsBeyondFifteenMinusTheLengthAreNotTried) {
  start(Words{"bcdefa"});
  Grid rows = test::emptyRows();
  test::put(rows, 2, 9, "a");   // anchor position 9 = 15 - 6
  test::put(rows, 6, 10, "a");  // anchor position 10 > 15 - 6, though the word fits
  board(rows);
  find("bcdef");
  EXPECT_EQ(cands(all().H), Words{"bcdefa@34"});
}

TEST_F(FinderSearch, CrossWordsDecideWhichPlacementsStay) {
  Grid rows = test::emptyRows();
  test::put(rows, 6, 6, "a");  // above the square of a new "t"
  test::put(rows, 6, 7, "x");  // above the square of a new "q"
  test::put(rows, 7, 5, "o");
  start(Words{"otq", "at", "xq", "ot"});
  board(rows);
  find("tq");
  // "otq" forms "at" and "xq": both listed, so it stays, with three words.
  ASSERT_EQ(mainWords(all().H), (Words{"otq", "ot"}));
  const AllCandidates a = all();
  const auto& w = a.H[0].Words;
  ASSERT_EQ(w.size(), 3u);
  EXPECT_EQ(w[1], (FormedWord{"at", 96, 2}));
  EXPECT_EQ(w[2].Text, "xq");

  start(Words{"otq", "at", "ot"});  // without "xq" the placement is dropped
  board(rows);
  find("tq");
  EXPECT_EQ(mainWords(all().H), Words{"ot"});
  EXPECT_EQ(all().H[0].Words.size(), 2u);
}

TEST_F(FinderSearch, CrossWordRunsFromTheTopmostLetterToTheLastBelow) {
  Grid rows = test::emptyRows();
  test::put(rows, 4, 7, "ca", true);  // rows 4 and 5 above the new letter
  test::put(rows, 7, 7, "s", true);   // row 7 below it
  test::put(rows, 6, 5, "o");
  start(Words{"oat", "cats", "ots"});
  board(rows);
  find("at");
  ASSERT_EQ(mainWords(all().H), Words{"oat"});
  EXPECT_EQ(all().H[0].Words[1], (FormedWord{"cats", 67, 6}));
}

TEST_F(FinderSearch, CommittedBlankReadsAsItsLetterAndScoresNothing) {
  Grid rows = test::emptyRows();
  test::put(rows, 7, 7, "E");  // a blank laid as "e"
  start(Words{"be", "eb", "bee"});
  board(rows);
  find("b");
  // On plain squares: the new "b" scores 2, the blank "e" nothing.
  ASSERT_EQ(cands(all().H), (Words{"be@111", "eb@112"}));
  EXPECT_EQ(all().H[0].Total, 2);
  EXPECT_EQ(all().H[1].Total, 2);
  EXPECT_EQ(all().H[0].TilesUsed, "be");
}

TEST_F(FinderSearch, OnlyConsecutiveDuplicatesCollapseAndAtMostSixteenAtATime) {
  Grid rows = test::emptyRows();
  // "bca" through both "b" and "a": two anchors find the same placement.
  test::put(rows, 7, 6, "b.a");
  test::put(rows, 3, 3, "o");
  start(Words{"bca", "bca", "co", "bca"});
  board(rows);
  find("c");
  // The twin records' entries are adjacent and collapse; the third "bca" is
  // separated by "co" and stays.
  EXPECT_EQ(cands(all().H), (Words{"bca@111", "co@47", "bca@111"}));

  start(Words(17, "ba"));
  rows = test::emptyRows();
  test::put(rows, 7, 7, "a");
  board(rows);
  find("b");
  // A run of 17 identical placements: 16 collapse into one, one is left.
  EXPECT_EQ(cands(all().H), (Words{"ba@111", "ba@111"}));
}

TEST_F(FinderSearch, EmptyRackFindsNothingAndClearsTheCaptions) {
  start(Words{"cat", "at"});
  find("cat");
  ASSERT_FALSE(g->game.form.lblWord[0].empty());
  find("");
  EXPECT_TRUE(all().H.empty());
  EXPECT_EQ(g->game.form.lblWord, (std::array<std::string, 5>{}));
  EXPECT_EQ(g->game.form.lblWords, (std::array<std::string, 11>{}));
  EXPECT_EQ(previewView(g->game.form), test::emptyRows());
}

TEST_F(FinderSearch, ASearchStartsClean) {
  start(Words{"cat", "at", "ta", "a"});
  find("cat");
  pressShowSlot(g->game, g->prompts, 0);
  ASSERT_EQ(previewView(g->game.form)[7], "......cat......");
  find("ta");
  // The preview of "cat", never played, is gone; slots 3 and 4 are empty.
  EXPECT_EQ(previewView(g->game.form)[7], "......at.......");
  EXPECT_EQ(g->game.form.lblWord, (std::array<std::string, 5>{"4", "4", "2", "", ""}));
  for (int n = 0; n < kPreviewPictures; ++n)
    if (!g->game.form.imgTile1[n].Visible) {
      EXPECT_EQ(g->game.form.imgTile1[n].Left, previewParkLeft(n));
    }
}

TEST_F(FinderSearch, LaterMoveMirrorsTheCommittedTilesOnTheLowerBoard) {
  Grid rows = test::emptyRows();
  test::put(rows, 7, 6, "aT");
  start(Words{"at", "att"});
  board(rows);
  find("t");
  // Slot 0 is "at" down from the "a" (its "t" on a double letter); the
  // committed "a" (tile 0) and blank "t" (tile 119, picture 117) are mirrored.
  EXPECT_EQ(previewView(g->game.form)[7], "......at.......");
  EXPECT_EQ(previewView(g->game.form)[8], "......t........");
  EXPECT_EQ(g->game.form.imgTile1[0], (Picture{lowerSquareLeft(6), lowerSquareTop(7), true}));
  // The blank's mirror is drawn as a blank.
  EXPECT_EQ(g->game.form.imgTile1[117],
            (Picture{lowerSquareLeft(7), lowerSquareTop(7), true, false, true}));
}

TEST_F(FinderSearch, UnreadableWordListIsOneMessageAndChangesNothing) {
  start(Words{"cat"});
  find("cat");
  g->words.write("");
  std::filesystem::remove(g->words.path());
  const GameState before = g->game.state;
  const Form formBefore = g->game.form;
  find("cat");
  ASSERT_EQ(g->prompts.messages.size(), 1u);
  EXPECT_NE(g->prompts.messages[0].find(g->words.path().string()), std::string::npos);
  EXPECT_EQ(g->game.state, before);
  EXPECT_EQ(g->game.form, formBefore);
}

TEST_F(FinderSearch, SecondPressReadsTheFileOnlyWhenItChanged) {
  start(Words{"cat"});
  find("cat");
  const FinderState first = finder();
  find("cat");
  EXPECT_EQ(g->cache.reads(), 1);
  EXPECT_EQ(finder(), first);
  g->words.write("act\nzzzzzz\n");
  find("cat");
  EXPECT_EQ(g->cache.reads(), 2);
  EXPECT_EQ(mainWords(all().H), Words{"act"});
}

TEST_F(FinderSearch, NegativeMoveNumberRunsOnlyTheEndSteps) {
  start(Words{"cat"});
  g->game.state.MoveNumber = -1;
  find("cat");
  EXPECT_TRUE(all().H.empty());
  EXPECT_TRUE(finder().HasSnapshot);
}

}  // namespace
}  // namespace tilvan
