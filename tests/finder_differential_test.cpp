// The program's indexed search against the plain step-by-step search on
// thousands of generated positions: every result table, the score captions,
// the word labels and the lower board must match after the search and after
// each result button, and so must every candidate the slots were chosen from.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <sstream>

#include "finder/classic_search.h"
#include "finder/find_words.h"
#include "finder/scoring.h"
#include "support/position_gen.h"
#include "support/reference_finder.h"
#include "support/test_support.h"

namespace tilvan {
namespace {

// The program's classic search, one for the whole test program.
PlacementSearch& classicSearch() {
  static ClassicSearch search;
  return search;
}

std::string describe(const Grid& rows, const std::string& rack, const FinderState& fast,
                     const FinderState& ref) {
  std::ostringstream out;
  out << "rack \"" << rack << "\"\n";
  for (const auto& r : rows) out << r << '\n';
  out << "candidates V " << fast.V.Cands.size() << " vs " << ref.V.Cands.size() << ", H "
      << fast.H.Cands.size() << " vs " << ref.H.Cands.size() << '\n';
  for (const auto* set : {&fast.H, &ref.H, &fast.V, &ref.V}) {
    out << "--";
    for (std::size_t i = 0; i < set->Cands.size() && i < 12; ++i)
      out << ' ' << set->Cands[i].Words[0].Text << '@' << set->Cands[i].Words[0].Start << '='
          << set->Cands[i].Total;
    out << '\n';
  }
  return out.str();
}

// The list's records of 1 to 15 characters, sorted and without repeats: a
// list whose texts' order is the file's order.
std::string sortedDistinct(const std::string& text) {
  const WordList list = WordList::parse(text);
  std::set<std::string> words;
  for (std::size_t i = 0; i < list.size(); ++i)
    if (!list[i].empty() && list[i].size() <= 15 &&
        list[i].find_first_of(",\r\n\"") == std::string_view::npos)
      words.emplace(list[i]);
  std::string out;
  for (const std::string& w : words) out += w + "\n";
  return out;
}

struct Tally {
  int positions = 0, withResults = 0, withBothSets = 0, repeatedCandidates = 0;
};

// Runs one search in both games and then every result button; false on the
// first difference (already reported).
bool searchBoth(Game& fast, Game& ref, test::RecordingPrompts& pf, test::RecordingPrompts& pr,
                const Grid& rows, const std::string& rack, Tally& tally) {
  fast.form.txtRack.type(rack);
  ref.form.txtRack.type(rack);
  pressFindWords(fast, pf);
  test::referenceFindWords(ref, pr);
  const FinderState& f = fast.state.Finder;
  EXPECT_EQ(f, ref.state.Finder) << describe(rows, rack, f, ref.state.Finder);
  EXPECT_EQ(fast.form, ref.form) << describe(rows, rack, f, ref.state.Finder);
  if (f != ref.state.Finder || fast.form != ref.form) return false;
  EXPECT_EQ(fast.state, ref.state);
  // Every candidate, not only those kept for the slots, and the totals the
  // ranking used for each.
  auto list = fast.words.get();
  EXPECT_TRUE(list.ok());
  if (!list.ok()) return false;
  test::ReferenceSearch reference;
  const AllCandidates all = allCandidates(*list.value(), fast.state, rack, classicSearch());
  const AllCandidates allRef = allCandidates(*list.value(), ref.state, rack, reference);
  EXPECT_EQ(all.V, allRef.V) << describe(rows, rack, f, ref.state.Finder);
  EXPECT_EQ(all.H, allRef.H) << describe(rows, rack, f, ref.state.Finder);
  if (all.V != allRef.V || all.H != allRef.H) return false;
  for (bool down : {true, false}) {
    const SetView view = makeSetView(fast.state, down);
    PlacementScorer scorer(view, rack);
    for (const Candidate& c : down ? all.V : all.H) {
      const int total = fast.state.MoveNumber == 0
                            ? scorer.firstMoveTotal(c.Words[0].Text)
                            : scorer.total({c.Words[0].Text, c.Words[0].Start});
      EXPECT_EQ(total, c.Total) << c.Words[0].Text << '@' << c.Words[0].Start << '\n'
                                << describe(rows, rack, f, ref.state.Finder);
      if (total != c.Total) return false;
    }
  }
  tally.withResults += !all.H.empty() || !all.V.empty();
  tally.withBothSets += !all.H.empty() && !all.V.empty();
  for (const auto* set : {&all.V, &all.H})
    for (std::size_t i = 1; i < set->size(); ++i)
      tally.repeatedCandidates += (*set)[i] == (*set)[i - 1];
  for (int k : {0, 3, 1, 4, 2, 5, -1}) {
    pressShowSlot(fast, pf, k);
    pressShowSlot(ref, pr, k);
    EXPECT_EQ(fast.form, ref.form) << "button " << k << '\n'
                                   << describe(rows, rack, f, ref.state.Finder);
    if (fast.form != ref.form) return false;
  }
  EXPECT_EQ(pf.take(), pr.take());
  return true;
}

TEST(FinderDifferential, IndexedSearchMatchesThePlainSearchOnGeneratedPositions) {
  // TILVAN_DIFF_LISTS runs more (or fewer) word lists than the usual 25.
  const char* more = std::getenv("TILVAN_DIFF_LISTS");
  const int kLists = more ? std::atoi(more) : 25;
  constexpr int kBoardsPerList = 100;
  Tally tally;
  for (int listNo = 0; listNo < kLists; ++listNo) {
    test::PositionGen gen(0x7157A0 + listNo);
    std::string text = gen.wordListText(gen.uniform(200, 2500));
    if (listNo % 5 == 4) text = sortedDistinct(text);
    test::TempFile file(text);
    WordListCache cache(file.path());
    const std::vector<std::string> words = test::plainWords(text);
    for (int b = 0; b < kBoardsPerList; ++b) {
      Game fast(cache), ref(cache);
      test::RecordingPrompts pf, pr;
      startUp(fast, pf);
      startUp(ref, pr);
      const Grid rows = b % 8 == 0 ? test::emptyRows() : gen.board(words, gen.uniform(1, 30));
      test::setBoard(fast.state, rows);
      test::setBoard(ref.state, rows);
      if (b % 17 == 5 && fast.state.MoveNumber > 0) {
        // A blank committed without a letter: it reads as "_".
        const int sq = gen.uniform(0, kSquares - 1);
        if (!fast.state.Committed.atH(sq).occupied) {
          fast.state.Committed.set(sq, {true, kBlank, 0, kFirstBlank});
          ref.state.Committed.set(sq, {true, kBlank, 0, kFirstBlank});
        }
      }
      // Two searches in a row on the same board, so that the second starts
      // from the first one's lower board and captions.
      for (int round = 0; round < 2; ++round) {
        const int tiles = gen.uniform(0, 7);
        const int blanks = std::min(tiles, gen.uniform(0, 3) == 0 ? gen.uniform(1, 2) : 0);
        const std::string rack = gen.rack(tiles, blanks, gen.uniform(0, 9) == 0);
        ASSERT_TRUE(searchBoth(fast, ref, pf, pr, rows, rack, tally));
        ++tally.positions;
      }
    }
  }
  EXPECT_GE(tally.positions, 2 * kLists * kBoardsPerList);
  // The generated positions must exercise the search, not only empty results.
  EXPECT_GT(tally.withResults, tally.positions / 3);
  EXPECT_GT(tally.withBothSets, tally.positions / 10);
  EXPECT_GT(tally.repeatedCandidates, 0);
  std::cout << tally.positions << " positions, " << tally.withResults << " with results, "
            << tally.withBothSets << " with both directions, " << tally.repeatedCandidates
            << " repeated candidates\n";
}

// Board letters near the end of a line, and list entries that reach them:
// words that end on one of a line's last squares, whose first board letter
// often repeats a letter laid before it, so that the anchor the plain search
// uses lies near the end of the line too. Some entries come in runs of 16 or
// more, where one extra or missing copy changes the collapsed results.
TEST(FinderDifferential, WordsEndingNearTheEndOfALineMatchThePlainSearch) {
  constexpr int kLists = 12, kBoardsPerList = 25;
  Tally tally;
  for (int listNo = 0; listNo < kLists; ++listNo) {
    test::PositionGen gen(0x11E3D0 + listNo);
    const std::string base = gen.wordListText(gen.uniform(50, 400));
    const std::vector<std::string> words = test::plainWords(base);
    for (int b = 0; b < kBoardsPerList; ++b) {
      Grid rows = gen.board(words, gen.uniform(0, 12));
      gen.layNearLineEnds(rows, gen.uniform(1, 6));
      const auto lineEnds = gen.lineEndWords(rows, 40);
      if (lineEnds.empty()) continue;
      std::string text = base;
      for (const auto& w : lineEnds) {
        const int copies = gen.uniform(0, 7) == 0 ? gen.uniform(15, 17) : 1;
        for (int c = 0; c < copies; ++c) text += w.word + "\n";
        if (gen.uniform(0, 3) == 0) text += gen.wordListText(3);
      }
      test::TempFile file(text);
      WordListCache cache(file.path());
      Game fast(cache), ref(cache);
      test::RecordingPrompts pf, pr;
      startUp(fast, pf);
      startUp(ref, pr);
      test::setBoard(fast.state, rows);
      test::setBoard(ref.state, rows);
      for (int round = 0; round < 2; ++round) {
        // The tiles of one of the words, made up to seven, a blank now and then.
        std::string rack = lineEnds[gen.uniform(0, static_cast<int>(lineEnds.size()) - 1)].tiles;
        std::shuffle(rack.begin(), rack.end(), gen.rng());
        while (rack.size() < 7 && gen.uniform(0, 3) != 0) rack += gen.rack(1, 0);
        if (gen.uniform(0, 4) == 0) rack[gen.uniform(0, static_cast<int>(rack.size()) - 1)] = '_';
        ASSERT_TRUE(searchBoth(fast, ref, pf, pr, rows, rack, tally));
        ++tally.positions;
      }
    }
  }
  EXPECT_GT(tally.positions, kLists * kBoardsPerList);
  EXPECT_GT(tally.withResults, tally.positions / 2);
  EXPECT_GT(tally.repeatedCandidates, 0);
}

}  // namespace
}  // namespace tilvan
