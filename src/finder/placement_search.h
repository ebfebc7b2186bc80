// The placement search of the word finder, behind one interface so that the
// program's indexed search and a plain step-by-step version can be swapped
// under the same driver: everything around it (collapsing, scoring, ranking,
// slots, preview) is shared.
#pragma once

#include <array>
#include <functional>
#include <string_view>
#include <vector>

#include "game/move_words.h"
#include "game/rules.h"
#include "game/search_results.h"
#include "words/word_list.h"

namespace tilvan {

// A placement found by the search: a record of the word list (viewed in the
// list, which must outlive it) laid from square `start` of the set's
// numbering along consecutive indexes.
struct Placement {
  std::string_view word;
  int start = 0;
  bool operator==(const Placement&) const = default;
};

class PlacementSearch {
 public:
  virtual ~PlacementSearch() = default;

  // First move: the records of at most 7 characters that the rack alone can
  // supply (taking, letter by letter, the first rack character that is the
  // letter or a blank), in file order.
  virtual std::vector<std::string_view> rackWords(const WordList& list, std::string_view rack) = 0;

  // Later move, one direction: every placement that goes through a letter of
  // `grid` as the finder's anchor rules allow and that the rack can complete,
  // in found order (record, then line, then anchor), with runs of identical
  // placements collapsed (see collapseDuplicates). A search may leave out
  // placements that a cross-word rules out, as long as the others and their
  // collapsing stay exactly as they would be.
  virtual std::vector<Placement> findPlacements(const WordList& list, const LetterGrid& grid,
                                                std::string_view rack) = 0;

  // Word check of both directions (V first): keeps, in order, the placements
  // all of whose formed words the list holds.
  virtual void checkWords(const WordList& list, const LetterGrid& gridV,
                          const std::vector<Placement>& foundV, const LetterGrid& gridH,
                          const std::vector<Placement>& foundH, std::vector<Placement>& keptV,
                          std::vector<Placement>& keptH) = 0;

  // Runs two independent pieces of work, at the same time where the search
  // has a second thread for it (see SideBySide), else one after the other.
  virtual void runBoth(const std::function<void()>& first, const std::function<void()>& second) {
    first();
    second();
  }

  // Both directions of a later move: what findPlacements and then
  // checkWords give for V and for H.
  virtual void keptPlacements(const WordList& list, const LetterGrid& gridV,
                              const LetterGrid& gridH, std::string_view rack,
                              std::vector<Placement>& keptV, std::vector<Placement>& keptH) {
    keptV.clear();
    keptH.clear();
    const std::vector<Placement> foundV = findPlacements(list, gridV, rack);
    const std::vector<Placement> foundH = findPlacements(list, gridH, rack);
    checkWords(list, gridV, foundV, gridH, foundH, keptV, keptH);
  }
};

}  // namespace tilvan
