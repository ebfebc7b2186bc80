// One lane of the classic search: the working state of the searches that
// one thread runs, and those searches (see classic_search.h).
#pragma once

#include <array>
#include <atomic>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "finder/cross_checks.h"
#include "finder/placement_key.h"
#include "finder/placement_search.h"
#include "finder/plain_order.h"
#include "finder/word_index.h"

namespace tilvan {

class ClassicLane {
 public:
  // As PlacementSearch::findPlacements.
  std::vector<Placement> findPlacements(const WordList& list, const LetterGrid& grid,
                                        std::string_view rack);
  // As PlacementSearch::checkWords.
  void checkWords(const WordList& list, const LetterGrid& gridV,
                  const std::vector<Placement>& foundV, const LetterGrid& gridH,
                  const std::vector<Placement>& foundH, std::vector<Placement>& keptV,
                  std::vector<Placement>& keptH);

  // Both directions at once, in two lanes, each run by its own thread.
  // First every lane walks the lines of both directions that it takes from
  // `next` (0 .. 29: V line 0, H line 0, V line 1, ...); then for each
  // direction one lane finishes it with what both lanes found, into `kept`.
  void walkShared(const WordIndex& ix, const std::array<const LetterGrid*, 2>& grids,
                  std::string_view rack, std::atomic<int>& next);
  void finishShared(const WordList& list, const WordIndex& ix, const LetterGrid& grid,
                    std::string_view rack, int dir, const ClassicLane& other,
                    std::vector<Placement>& kept);

 private:
  void walk(const WordIndex& ix, const LetterGrid& grid, std::string_view rack, CrossChecks* cross);
  std::vector<Placement> everyPlacement(const WordList& list, const WordIndex& ix,
                                        const LetterGrid& grid, std::string_view rack);
  CrossChecks& freshCross(const WordIndex& ix, const LetterGrid& grid);
  CrossChecks& crossFor(const WordIndex& ix, const LetterGrid& grid);
  static void keep(CrossChecks& cross, const std::vector<Placement>& found,
                   std::vector<Placement>& kept);

  // The cross-checks of a grid, made by the search of each direction and
  // kept for the word check that follows; the word check forgets them.
  std::array<std::unique_ptr<CrossChecks>, 2> cross_;
  std::size_t nextCross_ = 0;
  // What this lane's walks of each direction found, with their checks.
  struct Shared {
    std::vector<PlacementKey> found, sorted;  // sorted: as PlainOrder::sortFound
    std::optional<CrossChecks> cross;
  };
  std::array<Shared, 2> shared_;
  std::vector<PlacementKey> found_;  // what a walk of one direction found
  PlainOrder order_;
};

}  // namespace tilvan
