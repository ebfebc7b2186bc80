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

// The rules that limit what the search finds, one position each. The
// generated positions of the differential test compare the search with a
// plain one written from the same rules; these pin the rules themselves.
TEST_F(FinderSearch, ClassicRulesLimitWhatIsFound) {
  struct Put {
    int row, col;
    const char* letters;
  };
  struct Case {
    const char* rule;
    Words words;
    std::vector<Put> board;
    std::string rack;  // the rack box's text as it is held
    Words h, v;
  };
  const Case cases[] = {
      {"the rack's first character that fits is taken, a blank too", {"ab", "ba", "aa", "b"},
       {}, "_a", {"ba@111", "aa@111", "b@112"}, {}},
      {"a blank after the letter leaves the letter for the word", {"ab", "ba", "aa", "b"},
       {}, "a_", {"ab@111", "ba@111", "aa@111", "b@112"}, {}},
      {"capitals in the box are no tiles", {"cat", "at", "CAT"}, {}, "CAT", {}, {}},
      {"a blank stands for a..z only", {"cat", "at", "CAT"}, {}, "C__", {"at@111"}, {}},
      {"the first move skips words of eight letters or more",
       {"abcdefg", "abcdefgh", "gfedcba"}, {}, "gfedcba", {"abcdefg@109", "gfedcba@109"}, {}},
      {"no word starts on the first square of a line", {"ab", "ba"},
       {{7, 1, "b"}, {1, 9, "b"}}, "a", {"ab@23", "ba@24", "ba@106"},
       {"ab@21", "ba@22", "ba@136"}},
      {"a word may end on a line's last square", {"ab"}, {{3, 13, "a"}}, "b", {"ab@58"},
       {"ab@198"}},
      {"...when the next line's first square is empty", {"ab"},
       {{3, 13, "a"}, {4, 0, "z"}}, "b", {}, {"ab@198"}},
      {"a word never ends on the board's last square", {"ab"}, {{14, 13, "a"}}, "b", {},
       {}},
      {"only the first occurrence of the anchor letter is tried", {"mess", "ss"},
       {{7, 7, "s"}}, "mes", {"mess@110", "ss@112"}, {"mess@110", "ss@112"}},
      {"anchors beyond 15 - length are not tried", {"bcdefa"}, {{2, 9, "a"}, {6, 10, "a"}},
       "bcdef", {"bcdefa@34"}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.rule);
    start(c.words);
    Grid rows = test::emptyRows();
    for (const Put& p : c.board) test::put(rows, p.row, p.col, p.letters);
    board(rows);
    g->game.form.txtRack.Text = c.rack;
    pressFindWords(g->game, g->prompts);
    EXPECT_EQ(cands(all().H), c.h);
    EXPECT_EQ(cands(all().V), c.v);
  }
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
  // Slot 0 lists its words in capitals and lays pictures for "t" and "q" only.
  EXPECT_EQ(g->game.form.lblWords, (std::array<std::string, kWordLabels>{"OTQ", "AT", "XQ"}));
  EXPECT_EQ(previewView(g->game.form)[7], ".....otq.......");

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

// Nothing of an earlier search shows after the next: not its preview, not
// the slots it filled, not the captions when an empty rack finds nothing.
TEST_F(FinderSearch, ASearchStartsClean) {
  start(Words{"cat", "at", "ta", "a"});
  find("cat");
  pressShowSlot(g->game, g->prompts, 0);
  ASSERT_EQ(previewView(g->game.form)[7], "......cat......");
  find("ta");
  EXPECT_EQ(previewView(g->game.form)[7], "......at.......");
  EXPECT_EQ(g->game.form.lblWord, (std::array<std::string, 5>{"4", "4", "2", "", ""}));
  for (int n = 0; n < kPreviewPictures; ++n)
    if (!g->game.form.imgTile1[n].Visible) {
      EXPECT_EQ(g->game.form.imgTile1[n].Left, previewParkLeft(n));
    }
  find("");
  EXPECT_TRUE(all().H.empty());
  EXPECT_EQ(g->game.form.lblWord, (std::array<std::string, 5>{}));
  EXPECT_EQ(g->game.form.lblWords, (std::array<std::string, 11>{}));
  EXPECT_EQ(previewView(g->game.form), test::emptyRows());
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
