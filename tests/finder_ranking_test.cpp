// Ranking each direction and merging both into the five result slots.
#include <gtest/gtest.h>

#include <random>

#include "finder/find_words.h"

namespace tilvan {
namespace {

CandidateSet setOf(std::vector<int> totals) {
  CandidateSet set;
  for (int t : totals) set.Cands.push_back(Candidate{{{"w", 0, t}}, t, "w"});
  rankSet(set);
  return set;
}

struct Slots {
  FinderState f;
  Form form;
  Slots(std::vector<int> v, std::vector<int> h, bool firstMove = false) {
    f.V = setOf(std::move(v));
    f.H = setOf(std::move(h));
    fillSlots(f, form, firstMove);
  }
};

using Row = std::array<int, kResultSlots>;
using Captions = std::array<std::string, kResultSlots>;

TEST(Ranking, DescendingAndStable) {
  const CandidateSet set = setOf({5, 9, 5, 12, 9});
  EXPECT_EQ(set.RankedScore, (std::vector<int>{12, 9, 9, 5, 5}));
  EXPECT_EQ(set.RankedCand, (std::vector<int>{3, 1, 4, 0, 2}));
}

// The best few, as the search keeps them, are the head of the full order,
// whatever the ties and however few candidates there are.
TEST(Ranking, BestRankedIsTheHeadOfTheFullOrder) {
  EXPECT_EQ(bestRanked({5, 9, 5, 12, 9}, 3), (std::vector<int>{3, 1, 4}));
  EXPECT_EQ(bestRanked({}, 5), std::vector<int>{});
  EXPECT_EQ(bestRanked({4, 4}, 0), std::vector<int>{});
  std::mt19937 rng(11);
  for (int round = 0; round < 2000; ++round) {
    const int n = std::uniform_int_distribution<int>(0, 40)(rng);
    const int spread = std::uniform_int_distribution<int>(1, round % 3 == 0 ? 3 : 200)(rng);
    std::vector<int> totals;
    for (int i = 0; i < n; ++i)
      totals.push_back(std::uniform_int_distribution<int>(-spread, spread)(rng));
    CandidateSet set = setOf(totals);
    const int count = std::uniform_int_distribution<int>(1, 7)(rng);
    const std::vector<int> head(set.RankedCand.begin(),
                                set.RankedCand.begin() + std::min(n, count));
    ASSERT_EQ(bestRanked(totals, count), head) << "round " << round;
  }
}

// Merging the two ranked sets into the five slots: the better total first,
// ties to the across set, slots left unmarked when both run out.
TEST(Ranking, MergeFillsTheSlotsFromBothSets) {
  struct Case {
    std::vector<int> v, h;
    bool firstMove;
    Row slotH, slotV, rankH, rankV;
    Captions captions;
  };
  const Case cases[] = {
      {{30, 20}, {30, 25, 10}, false, {1, 0, 3, 0, 5}, {0, 2, 0, 4, 0}, {0, 0, 1, 0, 2},
       {0, 0, 0, 1, 0}, {"30", "30", "25", "20", "10"}},
      {{}, {3, 9, 4}, false, {1, 2, 3, 0, 0}, {}, {0, 1, 2, 0, 0}, {}, {"9", "4", "3", "", ""}},
      {{8, 7}, {9}, false, {1, 0, 0, 0, 0}, {0, 2, 3, 0, 0}, {}, {0, 0, 1, 0, 0},
       {"9", "8", "7", "", ""}},
      {{12, 11, 10, 9, 8, 7}, {5}, false, {}, {1, 2, 3, 4, 5}, {}, {0, 1, 2, 3, 4},
       {"12", "11", "10", "9", "8"}},
      // The first move uses the across set only.
      {{50}, {4, 6}, true, {1, 2, 0, 0, 0}, {}, {0, 1, 0, 0, 0}, {}, {"6", "4", "", "", ""}},
  };
  for (const Case& c : cases) {
    const Slots s(c.v, c.h, c.firstMove);
    SCOPED_TRACE(testing::PrintToString(c.captions));
    EXPECT_EQ(s.f.SlotH, c.slotH);
    EXPECT_EQ(s.f.SlotV, c.slotV);
    EXPECT_EQ(s.f.SlotRankH, c.rankH);
    EXPECT_EQ(s.f.SlotRankV, c.rankV);
    EXPECT_EQ(s.form.lblWord, c.captions);
  }
}

TEST(Ranking, CompleteResultsFillSlotsInTheirOrder) {
  FinderState f;
  Form form;
  std::vector<CompleteResult> results;
  for (int k = 0; k < 6; ++k)
    results.push_back({k % 2 == 1, Candidate{{{"w", k, 10 - k}}, 10 - k, "w"}});
  fillSlotsFromResults(f, form, results);
  EXPECT_EQ(f.SlotH, (Row{1, 0, 3, 0, 5}));
  EXPECT_EQ(f.SlotV, (Row{0, 2, 0, 4, 0}));
  EXPECT_EQ(f.SlotRankV, (Row{0, 0, 0, 1, 0}));
  EXPECT_EQ(f.H.Cands.size(), 3u);
  EXPECT_EQ(f.V.RankedCand, (std::vector<int>{0, 1}));
  EXPECT_EQ(form.lblWord, (Captions{"10", "9", "8", "7", "6"}));
}

}  // namespace
}  // namespace tilvan
