// The word finder's results as the game keeps them for the preview buttons:
// the candidates of both directions that can reach a result slot, their
// order, the five result slots, the letter grids the search read and the
// snapshot of the lower board. Everything here is replaced by the next
// search; committing, checking or taking back a move leaves it alone.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "game/form.h"
#include "game/move_words.h"
#include "game/rules.h"

namespace tilvan {

// One valid placement: its main word first, then its cross-words in the
// order of the main word's letters, each word's Start in the candidate's own
// numbering (H index for the H set, V index for V).
struct Candidate {
  std::vector<FormedWord> Words;
  int Total = 0;
  // The main word's letters as laid: a board letter where the board has one,
  // '_' where a rack blank is used, else the rack letter.
  std::string TilesUsed;
  bool operator==(const Candidate&) const = default;
};

// Candidates of one direction and their ranking. A search keeps the best of
// its direction only (at most one per result slot), in ranking order; the
// ranking covers the candidates kept.
struct CandidateSet {
  std::vector<Candidate> Cands;
  std::vector<int> RankedScore;  // totals in descending order
  std::vector<int> RankedCand;   // candidate number at each position of that order
  bool operator==(const CandidateSet&) const = default;
};

inline constexpr int kNoSlot = 0;  // a slot table entry that marks nothing

struct FinderState {
  CandidateSet V;  // main word down a column, squares by V index
  CandidateSet H;  // main word along a row, squares by H index
  // SlotX[k] == k + 1 when result slot k holds a candidate of set X, at
  // position SlotRankX[k] of that set's order.
  std::array<int, kResultSlots> SlotV{}, SlotH{}, SlotRankV{}, SlotRankH{};
  // A result slot that holds an exchange (ranked by value): its caption,
  // such as "Exchange: keep EIRT"; empty for every other slot.
  std::array<std::string, kResultSlots> SlotExchange{};
  // The letter on each square when the search ran, '\0' for an empty square.
  std::array<char, kSquares> BoardCharV{}, BoardCharH{};
  // The lower board as the search left it, restored by every preview.
  std::array<Picture, kPreviewPictures> PreviewSnap{};
  bool HasSnapshot = false;  // false until the first search
  // The word labels list the words of a shown result (not those of a move).
  bool ResultWordsShown = false;

  bool operator==(const FinderState&) const = default;
};

}  // namespace tilvan
