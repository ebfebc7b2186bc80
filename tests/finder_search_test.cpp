// What "Find   Words" finds: the rules that limit what it finds, duplicates,
// and how a search starts and ends. (Cross-words, blanks and scores are
// compared with plain searches and an independent scorer on generated
// positions: finder_differential_test and complete_differential_test.)
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
