// A rack's placements made from its placements on the board some moves
// ago (the side to move's list then, or for an odd number of moves its
// list had it been to move then).
//
// Let B0 be the board then, R0 the rack then, T the tiles laid since (by
// both sides), B = B0 + T and R the rack now (R0 less what the
// side to move laid). The lines marked are those of finder/marked_lines.h
// for T on B.
// (1) A placement on an unmarked line is a placement on B with R exactly
//     when it is one on B0 with R0 whose tiles R holds, with the same words
//     and score (marked_lines.h (1)).
// (2) The complete search lays, for each (direction, start, word), as many
//     blanks of a letter as the word needs beyond the rack's tiles of it:
//     b(l) = max(0, N(l) - rack(l)), N(l) the new tiles of letter l, and
//     chooses their squares by the board alone. Let G be the real letters
//     of which R holds fewer than R0 (those the side to move laid).
//     (a) A placement of R0's list whose tiles (blanks as blanks) R holds is
//         one of R's, unchanged: where R0 laid b(l) > 0 blanks R holds all of
//         R0's tiles of l; where none, R holds the N(l) tiles; so R lays the
//         same blanks.
//     (b) A placement that R makes differs from R0's making of it exactly
//         when R lays a blank for a letter of G: R's b(l) exceeds R0's only
//         where R(l) < R0(l). Then R does not hold R0's making (it needs
//         more tiles of l than R has), so it is not among (a); otherwise R0
//         made it alike and R holds it, so it is.
//     With one blank in R, (b) is a search in which the blank stands only
//     for letters of G, keeping what uses it. With two, a placement may
//     lay one blank for G and one for another letter, which that search
//     leaves out: those lists are made afresh. Without a blank in R, or
//     with R = R0, (b) is empty.
// (3) Placements on the marked lines are found afresh, and the parts are
//     joined and ordered as placements() orders them.
#include <algorithm>
#include <array>
#include <iterator>

#include "ahead/endgame_position.h"
#include "finder/complete_frame.h"
#include "finder/marked_lines.h"

namespace tilvan {
namespace {

constexpr int kN = kSide;
constexpr std::uint16_t kLineBits = (1u << kSide) - 1;

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

void EgPosition::placementsOnLines(const LineMask& lines, std::uint32_t blankLetters,
                                   std::vector<EgMove>& out) {
  frames();
  std::array<Frame, 2>& fr = frames_.back();
  std::array<std::array<bool, kSquares>, 2> anchors;
  for (int d = 0; d < 2; ++d) anchors[d] = fr[d].anchor;
  keepAnchorsOn(lines, fr);
  findPlacements(graph_, fr, state_.LetterValue, rack(toMove_), found_, false, blankLetters);
  for (int d = 0; d < 2; ++d) fr[d].anchor = anchors[d];
  const bool blanksOnly = blankLetters != kAnyLetter;
  for (const CompleteMove& f : found_)
    if (!blanksOnly || f.blanks != 0) out.push_back(toEgMove(f, state_.Committed));
}

void EgPosition::placementsBeforeLast(std::vector<EgMove>& out) {
  frames();
  const std::array<Frame, 2>& then = frames_[played_.size() - 1];
  findPlacements(graph_, then, state_.LetterValue, rack(toMove_), found_, false);
  out.clear();
  for (const CompleteMove& f : found_) out.push_back(toEgMove(f, then[0]));
  std::stable_sort(out.begin(), out.end(), scoreBefore);
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
  if (since < 1 || since > n) return false;
  const std::array<int, kLetters>& now = rack_[toMove_];
  std::array<int, kLetters> then = now;  // R0
  std::vector<int>& laid = laidScratch_;
  laid.clear();
  for (int k = n - since; k < n; ++k) {
    const EgMove& m = played_[static_cast<std::size_t>(k)];
    for (int j = 0; j < m.count; ++j) {
      laid.push_back(m.square[j]);
      if ((n - k) % 2 == 0) ++then[(m.blankMask >> j) & 1 ? kBlank : m.letter[j]];
    }
  }
  std::uint32_t gone = 0;  // G
  for (int l = 0; l < kBlank; ++l)
    if (then[l] > now[l]) gone |= 1u << l;
  if (now[kBlank] > 1 && gone) return false;
  const bool blankForGone = now[kBlank] == 1 && gone;
  int tilesThen = 0;
  for (int t : then) tilesThen += t;
  const LineMask lines = markedLines(state_.Committed, laid.data(), static_cast<int>(laid.size()));
  // `before` is in scoreBefore order but for its moves that play out, which
  // lead it; the moves kept and those found afresh are merged into order.
  std::vector<EgMove>& kept = keptScratch_;
  kept.clear();
  std::ptrdiff_t lead = 0;  // the moves kept that played out then
  for (const EgMove& m : before) {
    if (m.isPass() || !holds(now, m) || onMarkedLine(m, state_.Committed, lines)) continue;
    kept.push_back(m);
    lead += m.count == tilesThen;
  }
  std::inplace_merge(kept.begin(), kept.begin() + lead, kept.end(), scoreBefore);
  std::vector<EgMove>& fresh = freshScratch_;
  fresh.clear();
  placementsOnLines(lines, kAnyLetter, fresh);
  if (blankForGone) {
    const LineMask unmarked{static_cast<std::uint16_t>(~lines[0] & kLineBits),
                            static_cast<std::uint16_t>(~lines[1] & kLineBits)};
    placementsOnLines(unmarked, gone, fresh);
  }
  std::stable_sort(fresh.begin(), fresh.end(), scoreBefore);
  out.clear();
  std::merge(kept.begin(), kept.end(), fresh.begin(), fresh.end(), std::back_inserter(out),
             scoreBefore);
  return true;
}

}  // namespace tilvan
