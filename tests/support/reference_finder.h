// The placement search done the plain way, step by step as the game's rules
// state it: one pass over the word list per search, every record against
// every anchor square, and a pass over the list to check the formed words.
// Kept with the tests as the yardstick of the program's indexed search.
#pragma once

#include "finder/placement_search.h"
#include "game/game.h"
#include "game/prompts.h"

namespace tilvan::test {

class ReferenceSearch final : public PlacementSearch {
 public:
  std::vector<std::string_view> rackWords(const WordList& list, std::string_view rack) override;
  std::vector<Placement> findPlacements(const WordList& list, const LetterGrid& grid,
                                        std::string_view rack) override;
  void checkWords(const WordList& list, const LetterGrid& gridV,
                  const std::vector<Placement>& foundV, const LetterGrid& gridH,
                  const std::vector<Placement>& foundH, std::vector<Placement>& keptV,
                  std::vector<Placement>& keptH) override;
};

// "Find   Words" with the plain search.
void referenceFindWords(Game& game, Prompts& prompts);

// Take from rack, letter by letter as the rules say: true when every letter
// of `letters` took a rack character (and there was at least one letter).
bool referenceTakeFromRack(std::string_view letters, std::string_view rack);

}  // namespace tilvan::test
