// The score of a move by the game's rules, worked out in one place for
// everything that scores by them: the complete search, the word finder's
// check of its own sums, and the record of committed moves.
//
// The rules: a tile already on the board counts its points (a blank 0) and
// no premium; a new tile counts its letter's points (a blank 0) times the
// letter factor of its square; every word through a new tile on a word
// premium is multiplied by that factor; the move scores its main word and
// every cross-word; laying seven tiles adds 50.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "game/board.h"
#include "game/move_words.h"

namespace tilvan {

// One direction's reading of a board for scoring, squares in that
// direction's own numbering (V index when `down`, else H index).
struct ScoringBoard {
  bool down = false;
  LetterGrid grid{};                    // letter on each square, '\0' when empty
  std::array<int, kSquares> premium{};  // premium type still unused on each square
  std::array<int, kSquares> points{};   // what the tile on it scores (0 for a blank)
  std::array<int, 256> charValue{};     // points of a letter's character (0 for others)
};

// Reads `board` along rows (down false) or columns, with the premiums still
// unused (by H index) and each letter index's character and points.
ScoringBoard scoringBoard(const Board& board, const std::array<int, kSquares>& premiumsH,
                          const std::array<char, kLetters>& letterChars,
                          const std::array<int, kLetters>& letterValues, bool down);

// The letter grid of `board` in one numbering, each letter as its character.
LetterGrid letterGridOf(const Board& board, const std::array<char, kLetters>& letterChars,
                        bool down);

// Scores `words` as formedWords(board.grid, ...) gives them: the main word
// first, then its cross-words. Bit j of `blanks` marks letter j of the main
// word as a new blank. Fills every word's Score and returns the move's total.
// Squares off the board score nothing.
// REQUIRES: !words.empty(); the main word has at most 32 letters.
int scoreWords(const ScoringBoard& board, std::span<FormedWord> words, std::uint32_t blanks);

}  // namespace tilvan
