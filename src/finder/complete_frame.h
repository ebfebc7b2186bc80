// How the complete search reads the committed board: once along the rows
// and once down the columns, each as the rows of a frame, with the anchor
// squares and the letters that each empty square allows across the frame's
// rows.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "finder/word_graph.h"
#include "game/game_state.h"

namespace tilvan {

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
};

// Reads the committed board into a frame: across (down false) or down.
void readFrame(const GameState& state, bool down, Frame& f);

// Marks the anchors (every empty square next to a board letter; the centre on
// an empty board) and, for each empty square with a board letter above or
// below it in the frame, the letters that make its cross-word a word and the
// points of that cross-word's board letters.
void findFrameAnchors(const WordGraph& g, bool boardEmpty, Frame& f);

// Recomputes what frame `f` knows around square i after a board letter was
// laid there: the square itself, the anchors next to it and the cross-words
// of the empty squares at both ends of the run of letters across the
// frame's rows through it. Frames so kept equal frames read afresh.
// REQUIRES: f.letter[i], f.value[i] hold the new letter; the board is not empty.
void updateFrameAfterLaying(const WordGraph& g, Frame& f, int i);

// A placement as the complete search finds it.
struct FoundPlacement {
  int score;
  std::uint8_t down, row, col, len;  // row, col: board square of the main word's first letter
  std::uint16_t blanks;              // bit j: letter j of the main word is a new blank
  std::array<char, WordGraph::kMaxWord> word;

  std::string_view text() const { return {word.data(), len}; }
};

// Every placement of `rack` on the board read into frames (across, down; their
// anchors found), in the complete search's order, unscored by the words'
// scorer: what searches that lay many moves on one board use.  (complete_search.cpp)
void findPlacements(const WordGraph& g, const std::array<Frame, 2>& frames,
                    const std::array<int, kLetters>& letterValue, std::string_view rack,
                    std::vector<FoundPlacement>& out);

}  // namespace tilvan
