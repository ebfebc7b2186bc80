// Restoring the plain search's order and collapsing: the placements that
// the line walks found, as keys, turned into the plain found list's entries
// (record, then line, then anchor) with its runs of identical placements
// collapsed as collapseDuplicates collapses them.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "finder/placement_key.h"
#include "finder/placement_search.h"
#include "finder/word_index.h"

namespace tilvan {

class PlainOrder {
 public:
  // `found` (keys by rank of text, as the walks give them) as keys by
  // record, sorted, into `sorted`.
  void sortFound(const WordIndex& ix, const std::vector<PlacementKey>& found,
                 std::vector<PlacementKey>& sorted);
  // Takes what walks over the index found: all in `found`, or in the two
  // sorted halves that sortFound gave.
  void take(const WordIndex& ix, const std::vector<PlacementKey>& found);
  void takeMerged(const WordIndex& ix, const std::vector<PlacementKey>& sortedA,
                  const std::vector<PlacementKey>& sortedB);

  // The taken placements, all of which passed the cross-checks, collapsed
  // into `out`: each run of identical placements that lie side by side in
  // the plain found list (whose other entries the cross-checks left out and
  // are worked out here) gives one entry per 16. False when that would take
  // too long to tell.
  bool collapseChecked(const WordList& list, const LetterGrid& grid, std::string_view rack,
                       std::vector<Placement>& out);
  // The taken placements, the whole plain found list, collapsed.
  std::vector<Placement> collapseAll(const WordList& list) const;

 private:
  struct Entry {
    std::uint32_t record;
    int lineAnchor;
    int start;
  };
  Entry entry(PlacementKey key) const;
  std::optional<bool> adjacent(const WordList& list, const LetterGrid& grid, std::string_view rack,
                               const Entry& a, const Entry& b);

  std::vector<PlacementKey> keys_;  // by record, sorted (see entry)
  const WordIndex* index_ = nullptr;
  std::vector<PlacementKey> sortScratch_;
  std::string rackScratch_;
};

}  // namespace tilvan
