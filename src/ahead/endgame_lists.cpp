// A rack's placements made from its placements some moves ago.
//
// Let B0 be the board then, R0 the rack then, T the tiles laid since (by
// both sides), B = B0 + T and R the rack now (R0 less what the
// side to move laid). The lines marked are every row and column holding a
// tile of T, and the rows (columns) just above and below (left and right
// of) the run of tiles through each tile of T in its column (row).
// (1) A placement on an unmarked line (its direction's row or column; a
//     single tile's direction is the one in which it has a neighbour on B,
//     as the complete search has it) has no square, no word and no
//     cross-word that holds or touches a tile of T: a square of T on its
//     line would mark the line, and a tile of T reaching a cross-word would
//     make the new tile's square an end of that tile's run, which marks its
//     line. So it is a placement on B with R exactly when it is one on B0
//     with R0 whose tiles R holds, with the same words and score.
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

namespace tilvan {
namespace {

constexpr int kN = kSide;

// The lines that the tiles laid at `squares` may change (see (1)).
std::array<std::uint16_t, 2> markedLines(const Board& board, const std::vector<int>& squares) {
  std::array<std::uint16_t, 2> lines{};
  auto mark = [&](int d, int line) {
    if (line >= 0 && line < kN) lines[d] |= static_cast<std::uint16_t>(1u << line);
  };
  for (int h : squares) {
    const int r = h / kN, c = h % kN;
    mark(0, r);
    mark(1, c);
    int top = r, end = r, left = c, right = c;
    while (top > 0 && board.atH(h - (r - top + 1) * kN).occupied) --top;
    while (end + 1 < kN && board.atH(h + (end - r + 1) * kN).occupied) ++end;
    while (left > 0 && board.atH(h - (c - left + 1)).occupied) --left;
    while (right + 1 < kN && board.atH(h + (right - c + 1)).occupied) ++right;
    mark(0, top - 1);
    mark(0, end + 1);
    mark(1, left - 1);
    mark(1, right + 1);
  }
  return lines;
}

// True when placement m (not a pass) lies on a marked line.
bool onMarkedLine(const EgMove& m, const Board& board, const std::array<std::uint16_t, 2>& lines) {
  const int q = m.square[0], r = q / kN, c = q % kN;
  bool across;
  if (m.count >= 2)
    across = m.square[1] / kN == r;
  else
    across = (c > 0 && board.atH(q - 1).occupied) || (c + 1 < kN && board.atH(q + 1).occupied);
  return across ? (lines[0] >> r) & 1 : (lines[1] >> c) & 1;
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
  for (int d = 0; d < 2; ++d) {
    anchors[d] = fr[d].anchor;
    for (int line = 0; line < kN; ++line)
      if (!((lines[d] >> line) & 1))
        std::fill_n(fr[d].anchor.begin() + line * kN, kN, false);
  }
  findPlacements(graph_, fr, state_.LetterValue, rack(toMove_), found_, false);
  for (int d = 0; d < 2; ++d) fr[d].anchor = anchors[d];
  for (const CompleteMove& f : found_) out.push_back(toEgMove(f, state_.Committed));
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
  const std::array<std::uint16_t, 2> lines = markedLines(state_.Committed, laid);
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
