// The complete search: every legal placement of the rack on the committed
// board, scored by the game's rules, best first.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include <array>
#include <cstdint>
#include <cstddef>

#include "game/game_state.h"
#include "game/search_results.h"
#include "words/word_list.h"

namespace tilvan {

struct BoardReading;

struct CompleteResult {
  bool down = false;  // main word runs down a column (V numbering) or along a row (H)
  Candidate cand;     // squares in the direction's own numbering
  bool operator==(const CompleteResult&) const = default;
};

// The best `maxResults` placements of `rack` (as typed: '_' is a blank) on
// state.Committed, ordered by score descending, then across before down, then
// row, column and word.
//
// A placement lays 1 to 7 rack tiles in one line so that the main word and
// every cross-word are records of `list`; it covers the centre on an empty
// board and touches the board otherwise. One tile that forms a word across
// is an across placement. Of the ways to use the rack's blanks for one
// (direction, start, word) only the best-scoring is kept; of equal ones, the
// one with its blanks latest in the word. Only the first 7 characters of the
// rack are tiles; characters other than a..z and '_' are tiles that no word
// uses. The word graph is built on the first call for a version of `list`.
// Cross-words are read top to bottom (across placements) or left to right
// (down placements), their Start in the placement's own numbering.
std::vector<CompleteResult> completeSearch(const WordList& list, const GameState& state,
                                           std::string_view rack, std::size_t maxResults);

// A placement as the search finds it: enough to rank it, to lay it and to
// rebuild its words. Light enough to list every placement of a position.
struct CompleteMove {
  int score = 0;
  std::uint8_t down = 0, row = 0, col = 0, len = 0;  // row, col: the main word's first square
  std::uint16_t blanks = 0;  // bit j: letter j of the main word is a new blank
  std::array<char, kSide> word{};
  double value = 0;  // by value: the score plus the value of the tiles kept

  std::string_view text() const { return {word.data(), len}; }
  // The board square (H index) of the main word's letter j.
  int square(int j) const { return down ? (row + j) * kSide + col : row * kSide + col + j; }
  bool operator==(const CompleteMove&) const = default;
};

// The complete search's order: score descending, then across before down,
// then row, column and word.
bool rankedBefore(const CompleteMove& a, const CompleteMove& b);

// The order by value: value descending, then as rankedBefore.
bool valueRankedBefore(const CompleteMove& a, const CompleteMove& b);

// The value of each leave of a rack of up to 7 tiles, by the mask of the
// rack positions kept (bit k: rack[k]; of equal tiles the first ones).
using LeaveValues = std::array<double, 1u << kMoveSlots>;

// The best `maxResults` placements of `rack` on `board` by value: the score
// plus leaveValues[the mask of the tiles kept], in valueRankedBefore order.
// Only the first 7 characters of the rack are tiles. `known`, when it holds
// this board (complete_frame.h), saves reading the board again. `lines`,
// when given, keeps only the placements on its lines (bit r of [0]: row r
// across; bit c of [1]: column c down; see marked_lines.h). `also`, when
// given, is taken as found too: a placement known from elsewhere (not on
// `lines`) that the search must beat, so that it can leave out more.
// REQUIRES: the rack sorted (bytewise).
void completeMovesByValue(const WordList& list, const Board& board,
                          const std::array<int, kSquares>& premiums, std::string_view rack,
                          const LeaveValues& leaveValues, std::size_t maxResults,
                          std::vector<CompleteMove>& out, const BoardReading* known = nullptr,
                          const std::array<std::uint16_t, 2>* lines = nullptr,
                          const CompleteMove* also = nullptr);

// Every placement of `rack` on `board` (premiums still unused by H index;
// letters score their standard points), as completeSearch finds them, in no
// particular order; or, when `maxResults` is given, the best that many in
// the order of rankedBefore. Reads nothing else of a game, so that a
// position kept outside a GameState can be searched without building one.
// `known` as for completeMovesByValue.
void completeMoves(const WordList& list, const Board& board,
                   const std::array<int, kSquares>& premiums, std::string_view rack,
                   std::vector<CompleteMove>& out,
                   std::size_t maxResults = static_cast<std::size_t>(-1),
                   const BoardReading* known = nullptr);

// The words and scores of moves found on state.Committed, in the same order.
std::vector<CompleteResult> describeMoves(const GameState& state,
                                          const std::vector<CompleteMove>& moves);

}  // namespace tilvan
