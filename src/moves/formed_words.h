// The words that a committed move forms: the main word along the line of its
// new tiles and the cross-words at right angles to it.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "game/game.h"

namespace tilvan {

struct MoveWords {
  std::vector<std::string> words;        // lower case; the main word first
  std::array<int, kSide> mainSquares{};  // main word's square numbers in reading order; 0 = unused
  bool down = false;                     // the main word runs down a column
};

// The words of a move already written on `board`. `before` is the board
// from just before the move (it tells which squares are new). `squaresH` and
// `squaresV` are the move's across and down square numbers (1..225), each in
// ascending order, `count` of them. Cross-words are looked for only when
// `moveNumber` > 0. A move of one tile lists its down word, then its across
// word, each when it has two or more letters, else its single letter.
// REQUIRES: a move of two or more tiles lies in one line without gaps (as
// USE has checked). The words themselves come from formedWords
// (game/move_words.h).
MoveWords wordsFormedBy(const Board& board, const Board& before,
                        const std::array<int, kMoveSlots>& squaresH,
                        const std::array<int, kMoveSlots>& squaresV, int count, int moveNumber);

// Lists the words of the move that USE has just written on the committed
// board: FormedWords (lower case), WordCount, MainWordSquares, MainWordDown
// and the word labels (upper case). Labels of unused slots are untouched.
void listFormedWords(Game& game);

}  // namespace tilvan
