// The classic search's scoring. A later move is scored by the game's rules
// (game/move_score.h), with one difference of the classic search's own: its
// blanks are the tiles that "take from rack" could not supply, letter by
// letter in the main word's order (the first rack character equal to the
// letter, else the first blank left), wherever that puts them. A first move
// is not scored by the rules at all: the word lies across the centre, and
// it scores twice its tiles' points, whatever premiums lie under it, plus
// 50 for seven tiles. The premium factors and the bonus are the game's own
// (game/rules.h).
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "finder/placement_search.h"
#include "game/game_state.h"
#include "game/move_score.h"
#include "game/search_results.h"

namespace tilvan {

// One direction's view of the committed board for scoring.
using SetView = ScoringBoard;

// The letter grid of the committed board in one numbering.
LetterGrid letterGrid(const GameState& state, bool down);
SetView makeSetView(const GameState& state, bool down);

// The main word's tiles as laid: the board's letter on an occupied square,
// else the rack letter equal to the word's letter when the rack still has
// one, else '_' (a blank, the first one left in the rack).
std::string tilesAsLaid(const SetView& view, std::string_view word, int start,
                        std::string_view rack);

// Fills TilesUsed, every word's Score and the Total of a later-move candidate
// whose Words hold its main word (first) and cross-words with their starts,
// by the game's rules with the blanks where TilesUsed puts them.
void scoreCandidate(const SetView& view, std::string_view rack, Candidate& cand);

// The totals that scoreCandidate and firstMoveCandidate give, worked out
// without building words or tiles, so that every placement of a search can
// be ranked and only the best ones built. (A sum of its own for speed: the
// finder checks it against scoreCandidate in debug builds, and the tests on
// generated positions.)
class PlacementScorer {
 public:
  PlacementScorer(const SetView& view, std::string_view rack);
  // The Total of the later-move candidate of placement p.
  int total(const Placement& p);
  // The Total of the first-move candidate of `word`.
  int firstMoveTotal(std::string_view word);

 private:
  // Value of each tile laid in turn for letters of `word` on the squares
  // from `start` where `fill` is true: the letter while the rack holds one,
  // else a blank. Calls `onTile(j, value)` and puts the rack back after.
  template <class Fill, class OnTile>
  void layTiles(std::string_view word, Fill fill, OnTile onTile);

  const SetView& view_;
  std::string_view rack_;
  std::array<int, 256> count_{};  // rack characters, blanks under '_'
  // For each empty square with a board letter directly before or after it
  // (step 15): the points of the board letters of the cross-word through
  // it; -1 for any other square.
  std::array<int, kSquares> crossPoints_{};
  // The premium of each square as letter and word factors.
  std::array<int, kSquares> letterFactor_{}, wordFactor_{};
};

// A first-move candidate: the word laid across the centre (start square
// 112 - length / 2), twice its tiles' points, 50 more for 7 letters. The
// word's Score is twice its points; the Total includes the 50.
Candidate firstMoveCandidate(const SetView& view, std::string_view word, std::string_view rack);

}  // namespace tilvan
