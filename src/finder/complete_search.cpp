// The complete search's entry points; the walk itself is the generator's
// (complete_generator.h).
#include "finder/complete_search.h"

#include <algorithm>
#include <cassert>
#include <limits>

#include "finder/complete_best.h"
#include "finder/complete_frame.h"
#include "finder/complete_generator.h"
#include "finder/marked_lines.h"
#include "finder/word_graph.h"

namespace tilvan {

bool valueRankedBefore(const CompleteMove& a, const CompleteMove& b) {
  if (a.value != b.value) return a.value > b.value;
  return rankedBefore(a, b);
}

bool rankedBefore(const CompleteMove& a, const CompleteMove& b) {
  if (a.score != b.score) return a.score > b.score;
  if (a.down != b.down) return a.down < b.down;
  if (a.row != b.row) return a.row < b.row;
  if (a.col != b.col) return a.col < b.col;
  return a.text() < b.text();
}

namespace {

// Every placement on `board`, or the best `limit`, into `best`; valued by
// `leaves` when given; only on `lines` when given. The board is read afresh
// unless `known` holds it.
void generate(const WordList& list, const Board& board, const std::array<int, kSquares>& premiums,
              const std::array<int, kLetters>& values, std::string_view rack, Best& best,
              const LeaveValues* leaves = nullptr, const BoardReading* known = nullptr,
              const LineMask* lines = nullptr) {
  const WordGraph& g = list.derived<WordGraph>();
  std::array<Frame, 2> read;
  const bool reuse = known && values == kLetterValue && known->holds(g, board, premiums);
  if (!reuse) {
    for (int d = 0; d < 2; ++d) {
      readFrame(board, premiums, values, d == 1, read[d]);
      findFrameAnchors(g, board.empty(), read[d]);
    }
  } else if (lines) {
    read = known->frames;
  }
  if (lines) keepAnchorsOn(*lines, read);
  const std::array<Frame, 2>& frames = reuse && !lines ? known->frames : read;
  Generator gen(g, values, rack, best);
  if (leaves) gen.valueBy(*leaves, rack);
  gen.collectPrefixes();
  if (best.bounded() && gen.worthBounding())
    gen.runBest({&frames[0], &frames[1]});
  else
    for (int d = 0; d < 2; ++d) gen.run(frames[d], d == 1);
}

}  // namespace

std::vector<CompleteResult> completeSearch(const WordList& list, const GameState& state,
                                           std::string_view rack, std::size_t maxResults) {
  if (maxResults == 0) return {};
  Best best(maxResults, false);
  generate(list, state.Committed, state.SquareBonus, state.LetterValue, rack, best);
  return describeMoves(state, std::move(best).ranked());
}

void completeMoves(const WordList& list, const Board& board,
                   const std::array<int, kSquares>& premiums, std::string_view rack,
                   std::vector<CompleteMove>& out, std::size_t maxResults,
                   const BoardReading* known) {
  const bool all = maxResults == std::numeric_limits<std::size_t>::max();
  Best best(maxResults, false);
  generate(list, board, premiums, kLetterValue, rack, best, nullptr, known);
  out = all ? std::move(best).all() : std::move(best).ranked();
}

void completeMovesByValue(const WordList& list, const Board& board,
                          const std::array<int, kSquares>& premiums, std::string_view rack,
                          const LeaveValues& leaveValues, std::size_t maxResults,
                          std::vector<CompleteMove>& out, const BoardReading* known,
                          const LineMask* lines, const CompleteMove* also) {
  assert(std::is_sorted(rack.begin(), rack.end()));
  Best best(maxResults, true);
  if (also && maxResults > 0) best.add(*also);
  generate(list, board, premiums, kLetterValue, rack, best, &leaveValues, known, lines);
  out = std::move(best).ranked();
}

void findPlacements(const WordGraph& g, const std::array<Frame, 2>& frames,
                    const std::array<int, kLetters>& letterValue, std::string_view rack,
                    std::vector<CompleteMove>& out, bool ranked, std::uint32_t blankLetters) {
  Best best(static_cast<std::size_t>(-1), false);
  Generator gen(g, letterValue, rack, best, blankLetters);
  gen.collectPrefixes();
  for (int d = 0; d < 2; ++d) gen.run(frames[d], d == 1);
  out = ranked ? std::move(best).ranked() : std::move(best).all();
}

}  // namespace tilvan
