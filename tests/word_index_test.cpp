// The word finder's index against brute force over the records: every text
// found by walking the automaton with its rank and records, the masks that
// prune the walks, and the word check's set.
#include "finder/word_index.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "finder/automaton_builder.h"
#include "support/position_gen.h"

namespace tilvan {
namespace {

using Cursor = WordIndex::Cursor;

// Every text the automaton holds, with the rank the walk added up.
void collect(const WordIndex& ix, const Cursor& at, std::string& path,
             std::vector<std::pair<std::string, std::uint32_t>>& out) {
  if (at.terminal()) out.emplace_back(path, at.rank);
  for (std::uint32_t e = at.first(); e < at.end(); ++e) {
    path.push_back(static_cast<char>(ix.edgeChar(e)));
    collect(ix, ix.down(at, e), path, out);
    path.pop_back();
  }
}

// The texts below a state: what the path to it can go on with.
void texts(const WordIndex& ix, const Cursor& at, std::string& rest,
           std::vector<std::string>& out) {
  if (at.terminal()) out.push_back(rest);
  for (std::uint32_t e = at.first(); e < at.end(); ++e) {
    rest.push_back(static_cast<char>(ix.edgeChar(e)));
    texts(ix, ix.down(at, e), rest, out);
    rest.pop_back();
  }
}

// Checks the masks of every edge below `at` against the texts below its
// child, for states down to `depth`.
void checkMasks(const WordIndex& ix, const Cursor& at, int depth) {
  std::uint32_t letters = 0;
  std::uint32_t low = 0, high = 0;
  for (std::uint32_t e = at.first(); e < at.end(); ++e) {
    const unsigned char c = ix.edgeChar(e);
    if (e > at.first()) {
      ASSERT_LT(ix.edgeChar(e - 1), c) << "edges in character order";
    }
    letters |= WordIndex::letterMask(c);
    low += c < 'a';
    high += c > 'z';
    ASSERT_EQ(ix.edgeOf(at, c), e);
    const Cursor child = ix.down(at, e);
    std::vector<std::string> below;
    std::string rest;
    texts(ix, child, rest, below);
    std::uint16_t lengths = 0;
    std::map<int, std::uint8_t> ahead;  // row -> mask
    for (const std::string& t : below) {
      lengths = static_cast<std::uint16_t>(lengths | 1u << t.size());
      for (std::size_t r = 1; r <= t.size() && r <= WordIndex::kAheadDepth; ++r)
        ahead[WordIndex::letterBit(static_cast<unsigned char>(t[r - 1]))] |=
            static_cast<std::uint8_t>(1u << (r - 1));
    }
    ASSERT_EQ(ix.edgeLengths(e), lengths);
    for (int row = 0; row < 28; ++row)
      ASSERT_EQ(ix.childAhead(at, row)[e - at.first()], ahead[row]) << "row " << row;
    if (depth > 0) checkMasks(ix, child, depth - 1);
  }
  EXPECT_EQ(at.letters(), letters);
  EXPECT_EQ(at.low(), low);
  EXPECT_EQ(at.high(), high);
  for (int c = 'a'; c <= 'z'; ++c) {
    if (!(letters & WordIndex::letterMask(static_cast<unsigned char>(c)))) {
      EXPECT_EQ(ix.edgeOf(at, static_cast<unsigned char>(c)), WordIndex::kNone);
    }
  }
}

void checkIndex(const std::string& fileText) {
  const WordList list = WordList::parse(fileText);
  const WordIndex ix(list);
  // Distinct placeable texts in byte order, each with its records in order.
  std::map<std::string, std::vector<std::uint32_t>> expected;
  for (std::size_t i = 0; i < list.size(); ++i)
    if (!list[i].empty() && list[i].size() <= 15)
      expected[std::string(list[i])].push_back(static_cast<std::uint32_t>(i));
  std::vector<std::pair<std::string, std::uint32_t>> found;
  std::string path;
  collect(ix, ix.root(), path, found);
  std::sort(found.begin(), found.end());
  ASSERT_EQ(found.size(), expected.size());
  ASSERT_EQ(ix.texts(), expected.size());
  std::uint32_t rank = 0;
  bool follow = true;
  std::uint32_t lastRecord = 0;
  for (const auto& [text, records] : expected) {
    const auto& [foundText, foundRank] = found[rank];
    ASSERT_EQ(foundText, text);
    ASSERT_EQ(foundRank, rank) << text;
    ASSERT_EQ(std::vector<std::uint32_t>(ix.recordsBegin(rank), ix.recordsEnd(rank)), records);
    follow = follow && records.size() == 1 && (rank == 0 || records[0] > lastRecord);
    lastRecord = records[0];
    ++rank;
  }
  EXPECT_EQ(ix.ranksFollowRecords(), follow);
  if (follow) {
    for (std::uint32_t r = 0; r < rank; ++r) EXPECT_EQ(ix.recordOfRank(r), ix.recordsBegin(r)[0]);
  }
  checkMasks(ix, ix.root(), 3);
  // The word check holds every record, placeable or not, and nothing else.
  for (std::size_t i = 0; i < list.size(); ++i) EXPECT_TRUE(ix.contains(list[i]));
  EXPECT_FALSE(ix.contains("zzzzzzzzzzzzzzzzzzzzzz"));
}

TEST(WordIndex, WalksGiveEveryTextWithItsRankRecordsAndMasks) {
  for (int seed = 0; seed < 12; ++seed) {
    test::PositionGen gen(0x1D3A0 + seed);
    SCOPED_TRACE(seed);
    checkIndex(gen.wordListText(gen.uniform(1, 600)));
  }
}

TEST(WordIndex, SortedDistinctListsLetRanksStandForRecords) {
  checkIndex("a\nab\nabc\nb\nba\nzz\n");     // ranks follow records
  checkIndex("b\na\n");                      // out of order
  checkIndex("a\nab\nab\nb\n");              // a duplicate
  checkIndex("a\nabcdefghijklmnopq\nb\n");   // a record too long to lay
  checkIndex("A\nZ\n_\na\n\xe9t\xe9\n,\n");  // characters outside a..z
  checkIndex("");
}

// The builder that both word automata share: a walk spells exactly the
// texts, and there is one state per distinct set of endings (what can follow
// a prefix of the texts), which is what makes the automaton minimal.
TEST(AutomatonBuilder, HasOneStatePerDistinctSetOfEndings) {
  for (int seed = 0; seed < 8; ++seed) {
    test::PositionGen gen(0xB011D + seed);
    SCOPED_TRACE(seed);
    std::set<std::string> distinct;
    for (const std::string& w : test::plainWords(gen.wordListText(gen.uniform(1, 400))))
      if (w.size() <= 15) distinct.insert(w);
    // Shared endings: the same words with common tails.
    for (const std::string tail : {"ing", "s", "ed"})
      for (const std::string& w : std::set<std::string>(distinct))
        if (w.size() + tail.size() <= 15 && gen.uniform(0, 2) == 0) distinct.insert(w + tail);
    const std::vector<std::string_view> texts(distinct.begin(), distinct.end());
    const AutomatonBuilder automaton(texts, 15);

    std::vector<std::string> spelled;
    std::string path;
    auto spell = [&](auto&& self, std::uint32_t s) -> void {
      if (automaton.terminal(s)) spelled.push_back(path);
      for (const auto& [ch, child] : automaton.edges(s)) {
        path.push_back(static_cast<char>(ch));
        self(self, child);
        path.pop_back();
      }
    };
    spell(spell, automaton.root());
    EXPECT_EQ(spelled, std::vector<std::string>(distinct.begin(), distinct.end()));

    std::map<std::string, std::set<std::string>> endings;  // by prefix
    endings[""];                                           // the root
    for (const std::string& w : distinct)
      for (std::size_t k = 0; k <= w.size(); ++k) endings[w.substr(0, k)].insert(w.substr(k));
    std::set<std::set<std::string>> kinds;
    for (const auto& [prefix, ends] : endings) kinds.insert(ends);
    EXPECT_EQ(automaton.states(), kinds.size());
  }
}

}  // namespace
}  // namespace tilvan
