// The complete search's own rules on hand-made positions: the placements the
// classic rules miss, the one-tile rule, blank choice, the rack as typed, and
// its word graph. Everything else (first moves, cross-words, scores, the
// order, unplaceable records) is compared with a brute-force search on
// generated positions in complete_differential_test.
#include "finder/complete_search.h"

#include <gtest/gtest.h>

#include <sstream>

#include "cli/replay.h"
#include "finder/word_graph.h"
#include "support/brute_force_complete.h"
#include "support/test_support.h"

namespace tilvan {
namespace {

class CompleteSearch : public ::testing::Test {
 protected:
  void words(const std::vector<std::string>& w) { list = WordList::parse(test::lines(w)); }
  std::vector<CompleteResult> find(std::string_view rack, std::size_t max = 100000) {
    return completeSearch(list, s, rack, max);
  }
  // The result with this direction, start square (row, col) and main word.
  std::optional<CompleteResult> at(std::string_view rack, bool down, int row, int col,
                                   std::string_view word) {
    const int start = down ? vIndex(row, col) : hIndex(row, col);
    for (auto& r : find(rack))
      if (r.down == down && r.cand.Words[0].Start == start && r.cand.Words[0].Text == word)
        return r;
    return std::nullopt;
  }
  GameState s = test::freshPosition();
  WordList list;
};

TEST_F(CompleteSearch, BlanksGoWhereTheyCostLeastAndAsLateAsTheyCan) {
  words({"eeeee"});
  // Column 3 is a double letter: the blank avoids it and takes the last plain square.
  auto left = at("eeee_", false, 7, 3, "eeeee");
  EXPECT_EQ(left->cand.TilesUsed, "eeee_");
  EXPECT_EQ(left->cand.Total, (2 + 1 + 1 + 1 + 0) * 2);
  // Column 11 is a double letter: the blank lies just before it.
  EXPECT_EQ(at("eeee_", false, 7, 7, "eeeee")->cand.TilesUsed, "eee_e");
  // Two blanks for two missing letters; a real e is never replaced.
  EXPECT_EQ(at("ee__e", false, 7, 3, "eeeee")->cand.TilesUsed, "eee__");
}

TEST_F(CompleteSearch, FindsWhatTheClassicRulesMiss) {
  words({"cat", "at", "mess", "me", "es", "em", "ma"});
  test::layWord(s, 3, 1, false, "at");  // a word may start in column 0
  test::layWord(s, 9, 7, false, "s");   // through either s of "mess"
  EXPECT_TRUE(at("c", false, 3, 0, "cat"));
  EXPECT_TRUE(at("mes", false, 9, 4, "mess"));
  EXPECT_TRUE(at("mes", false, 9, 5, "mess"));
  EXPECT_TRUE(at("mes", true, 6, 7, "mess"));
}

TEST_F(CompleteSearch, OneTileIsAcrossWhenItFormsAWordAcross) {
  words({"ta"});
  test::layWord(s, 7, 8, false, "a");
  test::layWord(s, 8, 7, false, "a");
  // A t on (7, 7) makes "ta" both ways: one placement, across.
  std::vector<CompleteResult> on77;
  for (auto& r : find("t"))
    if (r.cand.TilesUsed == "ta" && r.cand.Words[0].Start == (r.down ? vIndex(7, 7) : hIndex(7, 7)))
      on77.push_back(r);
  ASSERT_EQ(on77.size(), 1u);
  EXPECT_FALSE(on77[0].down);
  EXPECT_EQ(on77[0].cand.Words,
            (std::vector<FormedWord>{{"ta", hIndex(7, 7), 2 * 2}, {"ta", hIndex(7, 7), 2 * 2}}));
  // A t above the right a has nothing across: it is a down placement.
  EXPECT_TRUE(at("t", true, 6, 8, "ta"));
  EXPECT_FALSE(at("t", false, 6, 8, "t"));
}

TEST_F(CompleteSearch, RackIsUsedAsTyped) {
  words({"cat", "at"});
  EXPECT_TRUE(find("CAT").empty());  // no case conversion
  EXPECT_TRUE(find("").empty());
  EXPECT_TRUE(find("c?t").empty());  // '?' is a tile no word has
  EXPECT_FALSE(find("c?a?t").empty());
  // The box holds seven tiles: an eighth character is never used.
  EXPECT_TRUE(find("xxxxxxxat").empty());
  EXPECT_EQ(find("tac", 3).size(), 3u);
  EXPECT_TRUE(find("tac", 0).empty());
  // The same rack on another list (whose graph may take the old one's
  // place in memory) finds that list's words only.
  words({"act"});
  for (const CompleteResult& r : find("tac")) EXPECT_EQ(r.cand.Words[0].Text, "act");
  EXPECT_FALSE(find("tac").empty());
}

TEST(WordGraph, HoldsExactlyThePlaceableWords) {
  const WordList list = WordList::parse(
      "cats\nbats\nrats\ncat\nCat\nx\n\nab-c\naaaaaaaaaaaaaaa\naaaaaaaaaaaaaaaa\ncats\nzz\n");
  const WordGraph g(list);
  EXPECT_EQ(g.wordCount(), 6u);
  for (const char* w : {"cats", "bats", "rats", "cat", "aaaaaaaaaaaaaaa", "zz"})
    EXPECT_TRUE(g.contains(w)) << w;
  for (const char* w : {"ca", "c", "", "bat", "Cat", "x", "ab-c", "aaaaaaaaaaaaaaaa", "catss", "z"})
    EXPECT_FALSE(g.contains(w)) << w;
}

TEST(WordGraph, EmptyListHasNoWords) {
  const WordList list = WordList::parse("");
  const WordGraph g(list);
  EXPECT_EQ(g.letters(g.root()), 0u);
  EXPECT_FALSE(g.isWord(g.root()));
  EXPECT_EQ(g.child(g.root(), 26), WordGraph::kNone);
  EXPECT_EQ(g.child(g.root(), -1), WordGraph::kNone);
  GameState s = test::freshPosition();
  EXPECT_TRUE(completeSearch(list, s, "abc_", 5).empty());
}

TEST(CompleteReplay, OptionTakesOnOrOffOnly) {
  test::TempFile words("at\n");
  WordListCache cache(words.path());
  for (std::string_view line : {"complete", "complete yes", "complete on off", "complete ON"}) {
    std::istringstream in("players 2\n" + std::string(line) + "\n");
    std::ostringstream out, err;
    EXPECT_EQ(cli::runReplay(in, "s.replay", cache, out, err), 2) << line;
    EXPECT_EQ(err.str(), "s.replay:2: complete takes on or off\n") << line;
  }
  std::istringstream in("complete on\ncomplete off # a comment\ncomplete on\n");
  std::ostringstream out, err;
  EXPECT_EQ(cli::runReplay(in, "s.replay", cache, out, err), 0);
  EXPECT_EQ(err.str(), "");
}

}  // namespace
}  // namespace tilvan
