// The word finder's driver ("Find   Words") and the steps that turn scored
// candidates into the five result slots.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "finder/complete_search.h"
#include "finder/placement_search.h"
#include "game/game.h"
#include "game/prompts.h"

namespace tilvan {

// One search as "Find   Words" runs it, with `search` finding the
// placements. An unreadable word list is one message naming the file and the
// cause; nothing else changes then. Otherwise the search starts clean (the
// preview pictures are parked, the old results emptied), fills the finder's
// results and the score captions (emptying those of unfilled slots), takes
// the snapshot of the lower board and shows slot 0. Only the rack's letters
// a..z and blanks '_' are tiles (other characters lay nothing), and only
// records of the letters a..z can be laid, a blank standing for one of them.
// With `fill` given, the complete search's slots are filled by it (from the
// rack as searched) instead of by the five best by score.
using CompleteFill =
    std::function<void(const WordList&, GameState&, Form&, const std::string& rack)>;
void runFindWords(Game& game, Prompts& prompts, PlacementSearch& search,
                  const CompleteFill& fill = {});

// Empties the five result slots before they are filled again: no result, no
// tooltip, the preview pictures parked, and the board read afresh for the
// slots' placements.
void emptyResultSlots(GameState& state, Form& form);

// A rack as the tiles left allow it: the rack's tiles ('a'..'z', '_' a
// blank; others dropped) that the set still holds beside the committed
// board, in the rack's order, and the letters it holds more of than that
// (each once, in the rack's order, '_' for the blank).
struct RackCheck {
  std::string rack;
  std::string tooMany;
};
RackCheck checkRack(const GameState& state, std::string_view typedRack);

// The message for a rack with too many tiles of these letters, such as
// "There are not that many S, blank tiles left; the search leaves the extra
// ones out."
std::string tooManyTilesMessage(std::string_view letters);

// Orders a set's candidates by total, highest first; equal totals keep their
// found order.
void rankSet(CandidateSet& set);

// The first `count` positions of that order for candidates with these
// totals (found order): their numbers.
std::vector<int> bestRanked(const std::vector<int>& totals, int count);

// Every candidate of the classic search (not the complete one) of both
// directions in found order, with its words and scores: what the driver
// ranks, of which the finder's state keeps only those that reach the result
// slots.
struct AllCandidates {
  std::vector<Candidate> V, H;
};
AllCandidates allCandidates(const WordList& list, const GameState& state, std::string_view rack,
                            PlacementSearch& search);

// Fills the result slots from the ranked sets: the H set alone on the first
// move, else both merged (equal totals go to the H set).
void fillSlots(FinderState& finder, Form& form, bool firstMove);

// Fills the result slots from the complete search's results, in order: result
// k goes to slot k of the V set when it runs down, else of the H set.
void fillSlotsFromResults(FinderState& finder, Form& form,
                          const std::vector<CompleteResult>& results);

}  // namespace tilvan
