#include "finder/classic_search.h"

#include <array>
#include <atomic>

#include "finder/classic_lane.h"
#include "finder/rack_take.h"

namespace tilvan {

struct ClassicSearch::Lanes {
  std::array<ClassicLane, 2> lane;
};

ClassicSearch::ClassicSearch() : lanes_(std::make_unique<Lanes>()) {}
ClassicSearch::~ClassicSearch() = default;

std::vector<std::string_view> ClassicSearch::rackWords(const WordList& list,
                                                       std::string_view rack) {
  return rackOnlyWords(list, rack);
}

std::vector<Placement> ClassicSearch::findPlacements(const WordList& list, const LetterGrid& grid,
                                                     std::string_view rack) {
  return lanes_->lane[0].findPlacements(list, grid, rack);
}

void ClassicSearch::checkWords(const WordList& list, const LetterGrid& gridV,
                               const std::vector<Placement>& foundV, const LetterGrid& gridH,
                               const std::vector<Placement>& foundH, std::vector<Placement>& keptV,
                               std::vector<Placement>& keptH) {
  lanes_->lane[0].checkWords(list, gridV, foundV, gridH, foundH, keptV, keptH);
}

void ClassicSearch::keptPlacements(const WordList& list, const LetterGrid& gridV,
                                   const LetterGrid& gridH, std::string_view rack,
                                   std::vector<Placement>& keptV, std::vector<Placement>& keptH) {
  keptV.clear();
  keptH.clear();
  if (rack.empty()) return;
  const WordIndex& ix = list.derived<WordIndex>();  // built here, before the lanes start
  const std::array<const LetterGrid*, 2> grids{&gridV, &gridH};
  std::array<ClassicLane, 2>& lanes = lanes_->lane;
  std::atomic<int> next{0};
  helper_.run([&] { lanes[0].walkShared(ix, grids, rack, next); },
              [&] { lanes[1].walkShared(ix, grids, rack, next); });
  // Each lane then finishes the next direction left, H (the larger as a
  // rule) first, so that a lane that runs slower takes less.
  std::atomic<int> nextDir{0};
  auto finish = [&](int lane) {
    for (int k; (k = nextDir.fetch_add(1, std::memory_order_relaxed)) < 2;) {
      const int dir = 1 - k;
      lanes[lane].finishShared(list, ix, *grids[dir], rack, dir, lanes[1 - lane],
                               dir == 0 ? keptV : keptH);
    }
  };
  helper_.run([&] { finish(0); }, [&] { finish(1); });
}

}  // namespace tilvan
