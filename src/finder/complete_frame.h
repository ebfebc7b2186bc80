// How the complete search reads the committed board: once along the rows
// and once down the columns, each as the rows of a frame, with the anchor
// squares and the letters that each empty square allows across the frame's
// rows.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "finder/complete_search.h"
#include "finder/word_graph.h"
#include "game/game_state.h"

namespace tilvan {

// Every letter as a set of letters (bit l: letter l).
inline constexpr std::uint32_t kAnyLetter = (1u << 26) - 1;

// One reading of the board: across (frame index = H index) or down (frame
// index = V index, so that its rows are the board's columns).
struct Frame {
  std::array<std::int8_t, kSquares> letter;     // 0..25, -1 empty, 26 a letter no word holds
  std::array<std::int16_t, kSquares> value;     // face value of a board tile (a blank: 0)
  std::array<std::uint8_t, kSquares> lm, wm;    // letter and word factor for a new tile
  std::array<std::uint32_t, kSquares> cross;    // letters a new tile may take
  std::array<std::int16_t, kSquares> crossSum;  // face values of its cross-word's board letters
  std::array<bool, kSquares> hasCross, anchor;

  bool empty(int i) const { return letter[i] < 0; }
  bool operator==(const Frame&) const = default;
};

// Reads a board, with its unused premiums (by H index) and the letters'
// points, into a frame: across (down false) or down.
void readFrame(const Board& board, const std::array<int, kSquares>& premiums,
               const std::array<int, kLetters>& values, bool down, Frame& f);

// Marks the anchors (every empty square next to a board letter; the centre on
// an empty board) and, for each empty square with a board letter above or
// below it in the frame, the letters that make its cross-word a word and the
// points of that cross-word's board letters.
void findFrameAnchors(const WordGraph& g, bool boardEmpty, Frame& f);

// Recomputes what frame `f` knows around square i after a board letter was
// laid there: the square itself, the anchors next to it and the cross-words
// of the empty squares at both ends of the run of letters across the
// frame's rows through it. Frames so kept equal frames read afresh.
// REQUIRES: f.letter[i] and f.value[i] hold the new letter.
void updateFrameAfterLaying(const WordGraph& g, Frame& f, int i);

// A board as the complete search reads it, with the board and premiums it
// was read from (letters score their standard points), so that a search can
// tell whether it still holds. Intentionally copyable: copy it to follow a
// move.
struct BoardReading {
  const WordGraph* graph = nullptr;
  Board board;
  std::array<int, kSquares> premiums{};
  std::array<Frame, 2> frames;  // across, down; anchors found

  // Reads `b` with its unused premiums `p` afresh.
  void read(const WordGraph& g, const Board& b, const std::array<int, kSquares>& p);
  // True when this is the reading of `b` and `p` for the graph `g`.
  bool holds(const WordGraph& g, const Board& b, const std::array<int, kSquares>& p) const {
    return graph == &g && board.cells == b.cells && premiums == p;
  }
  // Follows the tiles laid on board squares `squares` (H indices): their
  // letters, points and used premiums are read from `b` and `p`, which
  // hold the move. REQUIRES: holds() for the board before the move.
  void lay(const Board& b, const std::array<int, kSquares>& p, const int* squares, int count);
};

// Every placement of `rack` on the board read into frames (across, down; their
// anchors found), in the order of rankedBefore (unless `ranked` is false: then
// in the order found): what searches that lay many moves on one board and
// keep its frames up to date use. With `blankLetters`, only the placements
// whose blanks stand for those letters (bit l: letter l), as the full search
// finds them.  (complete_search.cpp)
void findPlacements(const WordGraph& g, const std::array<Frame, 2>& frames,
                    const std::array<int, kLetters>& letterValue, std::string_view rack,
                    std::vector<CompleteMove>& out, bool ranked = true,
                    std::uint32_t blankLetters = kAnyLetter);

}  // namespace tilvan
