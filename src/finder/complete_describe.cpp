// The words and scores of the complete search's placements, by the game's
// one scorer.
#include <cassert>

#include "finder/complete_search.h"
#include "game/move_score.h"
#include "game/move_words.h"

namespace tilvan {
namespace {

constexpr int kN = kSide;

// The words of a found placement and their scores, by the game's one scorer.
// (record() keeps a sum of its own on the hot path; the two must agree.)
CompleteResult describe(const CompleteMove& r, const ScoringBoard& board) {
  CompleteResult out;
  out.down = r.down != 0;
  const int line = r.down ? r.col : r.row, first = r.down ? r.row : r.col;
  const int start = line * kN + first;
  Candidate& cand = out.cand;
  cand.Words = formedWords(board.grid, start, r.text());
  for (int j = 0; j < r.len; ++j)
    cand.TilesUsed += board.grid[start + j] ? r.word[j] : (r.blanks >> j) & 1 ? '_' : r.word[j];
  cand.Total = scoreWords(board, cand.Words, r.blanks);
  assert(cand.Total == r.score);
  return out;
}

}  // namespace

std::vector<CompleteResult> describeMoves(const GameState& state,
                                          const std::vector<CompleteMove>& moves) {
  std::vector<CompleteResult> out;
  out.reserve(moves.size());
  const std::array<ScoringBoard, 2> boards{
      scoringBoard(state.Committed, state.SquareBonus, state.LetterChar, state.LetterValue, false),
      scoringBoard(state.Committed, state.SquareBonus, state.LetterChar, state.LetterValue, true)};
  for (const CompleteMove& r : moves) out.push_back(describe(r, boards[r.down]));
  return out;
}

}  // namespace tilvan
