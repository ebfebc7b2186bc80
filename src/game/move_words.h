// The words a move forms. Every reader of a board asks here: USE and CHECK
// WORDS for a committed move, the word finder's word check, and the complete
// search.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "game/rules.h"

namespace tilvan {

// The letter on each square of one numbering (H or V index), '\0' for an
// empty square. In a grid of the V numbering a column of the board reads as
// consecutive indexes.
using LetterGrid = std::array<char, kSquares>;

// One word that a move forms. Start is the square of its first letter in the
// numbering of the grid it was read from.
struct FormedWord {
  std::string Text;
  int Start = 0;
  int Score = 0;
  bool operator==(const FormedWord&) const = default;
};

// The cross-word through empty square q when letter c is laid there: the
// grid's letters directly before q (step -15) and after it (step +15) around
// c. `top` receives its first square. A text of one character is no word.
std::string crossWord(const LetterGrid& grid, int q, char c, int& top);

// True when a tile laid on square q forms a cross-word: q is on the board,
// empty, and has a letter directly before or after it across the line.
bool formsCrossWord(const LetterGrid& grid, int q);

// Every word that laying `word` from square `start` of `grid` along
// consecutive indexes forms, before the tiles are written: the main word
// (`word` itself, from `start`), then one cross-word of two or more letters
// for each square of the main word that is empty in `grid`, in the main
// word's order. The caller gives the whole main word, board letters
// included; squares off the board form no cross-word. Scores are left 0.
std::vector<FormedWord> formedWords(const LetterGrid& grid, int start, std::string_view word);

// The run of letters through square `pos` of `line` (0..14) along that line
// of the grid's numbering: its first and one-past-last positions.
struct Run {
  int first = 0, end = 0;
};
Run runThrough(const LetterGrid& grid, int line, int pos);

}  // namespace tilvan
