// The program's classic placement search. It gives exactly the placements,
// in exactly the order and with exactly the collapsing, of the plain search
// (which lays every record of the list through every board letter, in
// record, line and anchor order, and then collapses runs of identical
// placements), but walks the word list's automaton (word_index.h) instead.
//
// The plain search finds record w (n characters) in line L through anchor p
// when: p <= 15 - n; square p holds a board letter, whose first occurrence
// in w is at index k; w then starts at sp = p - k >= 1 and ends at
// sp + n - 1 <= 14; the squares before and after it are empty (the one after
// it on the board and not the last square); the board letters under w are
// w's; w needs at least one tile and the rack supplies them. Why the walk
// finds exactly those entries:
//
// 1. One walk per first board letter. A placement's first board letter f
//    lies at or after its start, and every anchor at or after f, so a word
//    through f has at most 15 - f characters and at most 14 - f of them
//    before f. Starts from max(1, previous board letter + 2) to f, and only
//    those, have f as their first board letter, so every (text, start) is
//    walked once.
// 2. The rack letters before f are walked for every start at once: bit d of
//    a mask stands for the start d squares before f. A walk then goes on
//    from f along the board letters and the rack.
// 3. A branch is left only when no text below it can give an entry: the
//    look-ahead masks say no text has the next board letters in place, the
//    edge lengths say none can end on a square followed by an empty one
//    with the tiles left, or the rack has no letter for any edge below.
// 4. Taking from the rack: taking by rack position is what the rules do;
//    taking by counts is too when no blank comes before a letter; otherwise
//    each text is checked with the rules' taking when it ends (rack_take.h).
// 5. Anchors: a text that ends gives one key for each board letter from f to
//    min(its end, 15 - n) that is the first of its letter in the text, the
//    letters before f counted: exactly the anchors that the plain search
//    tries and accepts. A key (placement_key.h) sorts by record, line and
//    anchor, the plain order, and no two entries give the same key.
// 6. Cross-checks: empty squares with a neighbour across the line take only
//    letters whose cross-word the list holds, so a placement is left out
//    only if the word check would drop it. Two identical placements kept
//    collapse as the plain search collapses them only if nothing of its
//    found list lies between them; that is worked out from the records
//    concerned with the plain steps (plain_order.h). When too many records
//    lie between, the walk is made again without cross-checks, the whole
//    found list collapsed and then checked, as the plain search does.
// 7. Two threads: the lines of both directions are shared out between two
//    lanes as they come free; each lane's keys of a direction are sorted and
//    the two merged, which gives the keys that one walk of every line would
//    (by 5 they are distinct and their order is total).
#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "finder/placement_search.h"
#include "finder/side_by_side.h"

namespace tilvan {

// Not thread-safe: one search at a time (it uses its own helper thread
// inside). Not copyable; the index it walks belongs to the word list.
class ClassicSearch final : public PlacementSearch {
 public:
  ClassicSearch();
  ~ClassicSearch() override;
  ClassicSearch(const ClassicSearch&) = delete;
  ClassicSearch& operator=(const ClassicSearch&) = delete;

  std::vector<std::string_view> rackWords(const WordList& list, std::string_view rack) override;
  std::vector<Placement> findPlacements(const WordList& list, const LetterGrid& grid,
                                        std::string_view rack) override;
  void checkWords(const WordList& list, const LetterGrid& gridV,
                  const std::vector<Placement>& foundV, const LetterGrid& gridH,
                  const std::vector<Placement>& foundH, std::vector<Placement>& keptV,
                  std::vector<Placement>& keptH) override;
  // On the search's own helper thread, which its walks use too.
  void runBoth(const std::function<void()>& first, const std::function<void()>& second) override {
    helper_.run(first, second);
  }
  // Both directions side by side (invariant 7).
  void keptPlacements(const WordList& list, const LetterGrid& gridV, const LetterGrid& gridH,
                      std::string_view rack, std::vector<Placement>& keptV,
                      std::vector<Placement>& keptH) override;

 private:
  struct Lanes;
  std::unique_ptr<Lanes> lanes_;
  SideBySide helper_;  // last: stopped first
};

}  // namespace tilvan
