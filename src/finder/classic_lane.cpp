#include "finder/classic_lane.h"

#include "finder/line_walk.h"
#include "finder/word_checks.h"

namespace tilvan {

// Invariant 6 of classic_search.h: the checked placements first, every
// placement when they cannot be collapsed alone.
std::vector<Placement> ClassicLane::findPlacements(const WordList& list, const LetterGrid& grid,
                                                   std::string_view rack) {
  const WordIndex& ix = list.derived<WordIndex>();
  if (rack.empty()) return {};
  CrossChecks& cross = freshCross(ix, grid);
  walk(ix, grid, rack, &cross);
  std::vector<Placement> out;
  if (order_.collapseChecked(list, grid, rack, out)) {
    cross.allPassed = true;
    return out;
  }
  return everyPlacement(list, ix, grid, rack);
}

void ClassicLane::checkWords(const WordList& list, const LetterGrid& gridV,
                             const std::vector<Placement>& foundV, const LetterGrid& gridH,
                             const std::vector<Placement>& foundH, std::vector<Placement>& keptV,
                             std::vector<Placement>& keptH) {
  const WordIndex& ix = list.derived<WordIndex>();
  if (!foundV.empty()) keep(crossFor(ix, gridV), foundV, keptV);
  if (!foundH.empty()) keep(crossFor(ix, gridH), foundH, keptH);
  for (auto& c : cross_) c.reset();
}

void ClassicLane::walkShared(const WordIndex& ix, const std::array<const LetterGrid*, 2>& grids,
                             std::string_view rack, std::atomic<int>& next) {
  for (int dir = 0; dir < 2; ++dir) {
    shared_[dir].found.clear();
    shared_[dir].cross.emplace(ix, *grids[dir]);
  }
  walkSharedLines(ix, grids, rack, {&shared_[0].found, &shared_[1].found},
                  {&*shared_[0].cross, &*shared_[1].cross}, next);
  for (Shared& dir : shared_) order_.sortFound(ix, dir.found, dir.sorted);
}

void ClassicLane::finishShared(const WordList& list, const WordIndex& ix, const LetterGrid& grid,
                               std::string_view rack, int dir, const ClassicLane& other,
                               std::vector<Placement>& kept) {
  kept.clear();
  order_.takeMerged(ix, shared_[dir].sorted, other.shared_[dir].sorted);
  std::vector<Placement> found;
  if (order_.collapseChecked(list, grid, rack, found)) {
    kept = std::move(found);
    return;
  }
  keep(*shared_[dir].cross, everyPlacement(list, ix, grid, rack), kept);
}

void ClassicLane::walk(const WordIndex& ix, const LetterGrid& grid, std::string_view rack,
                       CrossChecks* cross) {
  found_.clear();
  walkLines(ix, grid, rack, found_, cross);
  order_.take(ix, found_);
}

// Every placement of the plain found list, whatever its cross-words,
// collapsed.
std::vector<Placement> ClassicLane::everyPlacement(const WordList& list, const WordIndex& ix,
                                                   const LetterGrid& grid, std::string_view rack) {
  walk(ix, grid, rack, nullptr);
  return order_.collapseAll(list);
}

CrossChecks& ClassicLane::freshCross(const WordIndex& ix, const LetterGrid& grid) {
  auto& slot = cross_[nextCross_++ % cross_.size()];
  slot = std::make_unique<CrossChecks>(ix, grid);
  return *slot;
}

CrossChecks& ClassicLane::crossFor(const WordIndex& ix, const LetterGrid& grid) {
  for (auto& c : cross_)
    if (c && c->madeFor(ix, grid)) return *c;
  return freshCross(ix, grid);
}

// Keeps the placements whose every cross-word the list holds.
void ClassicLane::keep(CrossChecks& cross, const std::vector<Placement>& found,
                       std::vector<Placement>& kept) {
  if (cross.allPassed) {
    kept = found;
    return;
  }
  kept.reserve(found.size());
  for (const Placement& pl : found)
    if (cross.allowsAll(pl)) kept.push_back(pl);
}

}  // namespace tilvan
