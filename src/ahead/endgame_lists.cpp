// A rack's placements made from its placements some moves ago.
//
// Let B0 be the board then, R0 the rack then, T the tiles laid since (by
// both sides), B = B0 + T and R the rack now (R0 less what the
// side to move laid). The lines marked are those of finder/marked_lines.h
// for T on B.
// (1) A placement on an unmarked line is a placement on B with R exactly
//     when it is one on B0 with R0 whose tiles R holds, with the same words
//     and score (marked_lines.h (1)).
// (2) The complete search uses a blank only where the rack has no tile of
//     the letter left. Without a blank in R, a placement that R makes is
//     made by R0 with the same tiles. With a blank in R and no tile laid by
//     the side to move (R = R0), the choices are the same. Otherwise R0 may
//     lay a letter that R must lay as a blank: those lists are made afresh.
// (3) Placements on the marked lines are found afresh, and the two parts
//     are joined and ordered as placements() orders them.
#include <algorithm>
#include <array>
#include <iterator>

#include "ahead/endgame_position.h"
#include "finder/complete_frame.h"
#include "finder/marked_lines.h"

namespace tilvan {
namespace {

constexpr int kN = kSide;

// True when placement m (not a pass) lies on a marked line.
bool onMarkedLine(const EgMove& m, const Board& board, const LineMask& lines) {
  const int q = m.square[0];
  const bool across = m.count >= 2 ? m.square[1] / kN == q / kN : singleTileAcross(board, q);
  return tilvan::onMarkedLine(lines, !across, q / kN, q % kN);
}

// True when `rack` (letter counts, kBlank the blanks) holds m's tiles.
bool holds(std::array<int, kLetters> rack, const EgMove& m) {
  for (int k = 0; k < m.count; ++k) {
    const int t = (m.blankMask >> k) & 1 ? kBlank : m.letter[k];
    if (--rack[t] < 0) return false;
  }
  return true;
}

}  // namespace

void EgPosition::placementsOnLines(const std::array<std::uint16_t, 2>& lines,
                                   std::vector<EgMove>& out) {
  frames();
  std::array<Frame, 2>& fr = frames_.back();
  std::array<std::array<bool, kSquares>, 2> anchors;
  for (int d = 0; d < 2; ++d) anchors[d] = fr[d].anchor;
  keepAnchorsOn(lines, fr);
  findPlacements(graph_, fr, state_.LetterValue, rack(toMove_), found_, false);
  for (int d = 0; d < 2; ++d) fr[d].anchor = anchors[d];
  for (const CompleteMove& f : found_) out.push_back(toEgMove(f, state_.Committed));
}

bool EgPosition::clearOfLastMove(const EgMove& m) const {
  const EgMove& last = played_.back();
  if (last.isPass()) return true;
  std::array<int, kMoveSlots> laid{};
  for (int k = 0; k < last.count; ++k) laid[k] = last.square[k];
  return !onMarkedLine(m, state_.Committed, markedLines(state_.Committed, laid.data(), last.count));
}

bool EgPosition::placementsAfter(const std::vector<EgMove>& before, int since,
                                 std::vector<EgMove>& out) {
  const int n = played();
  if (since < 2 || since % 2 || since > n) return false;
  std::vector<int>& laid = laidScratch_;
  laid.clear();
  int tilesThen = tiles_[toMove_];
  for (int k = n - since; k < n; ++k) {
    const EgMove& m = played_[static_cast<std::size_t>(k)];
    if ((n - k) % 2 == 0) {
      if (!m.isPass() && rack_[toMove_][kBlank] > 0) return false;
      tilesThen += m.count;
    }
    for (int j = 0; j < m.count; ++j) laid.push_back(m.square[j]);
  }
  const LineMask lines = markedLines(state_.Committed, laid.data(), static_cast<int>(laid.size()));
  // `before` is in scoreBefore order but for its moves that play out, which
  // lead it; the moves kept and those found afresh are merged into order.
  std::vector<EgMove>& kept = keptScratch_;
  kept.clear();
  std::ptrdiff_t lead = 0;  // the moves kept that played out then
  for (const EgMove& m : before) {
    if (m.isPass() || !holds(rack_[toMove_], m) || onMarkedLine(m, state_.Committed, lines))
      continue;
    kept.push_back(m);
    lead += m.count == tilesThen;
  }
  std::inplace_merge(kept.begin(), kept.begin() + lead, kept.end(), scoreBefore);
  std::vector<EgMove>& fresh = freshScratch_;
  fresh.clear();
  placementsOnLines(lines, fresh);
  std::stable_sort(fresh.begin(), fresh.end(), scoreBefore);
  out.clear();
  std::merge(kept.begin(), kept.end(), fresh.begin(), fresh.end(), std::back_inserter(out),
             scoreBefore);
  return true;
}

}  // namespace tilvan
