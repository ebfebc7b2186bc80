#include "game/move_score.h"

#include <cassert>

namespace tilvan {
namespace {

bool onBoard(int q) { return q >= 0 && q < kSquares; }

}  // namespace

LetterGrid letterGridOf(const Board& board, const std::array<char, kLetters>& letterChars,
                        bool down) {
  LetterGrid grid{};
  for (int i = 0; i < kSquares; ++i) {
    const BoardSquare& sq = down ? board.atV(i) : board.atH(i);
    if (sq.occupied) grid[i] = letterChars[sq.letter];
  }
  return grid;
}

ScoringBoard scoringBoard(const Board& board, const std::array<int, kSquares>& premiumsH,
                          const std::array<char, kLetters>& letterChars,
                          const std::array<int, kLetters>& letterValues, bool down) {
  ScoringBoard b;
  b.down = down;
  b.grid = letterGridOf(board, letterChars, down);
  for (int letter = kLetters - 1; letter >= 0; --letter)
    b.charValue[static_cast<unsigned char>(letterChars[letter])] = letterValues[letter];
  for (int i = 0; i < kSquares; ++i) {
    const int h = down ? transposeIndex(i) : i;
    b.premium[i] = premiumsH[h];
    const BoardSquare& sq = board.atH(h);
    const bool blank = scoresNothing(sq.tile) || sq.letter == kBlank;
    b.points[i] = sq.occupied && !blank ? b.charValue[static_cast<unsigned char>(b.grid[i])] : 0;
  }
  return b;
}

int scoreWords(const ScoringBoard& board, std::span<FormedWord> words, std::uint32_t blanks) {
  assert(!words.empty() && words[0].Text.size() <= 32);
  FormedWord& main = words[0];
  const int n = static_cast<int>(main.Text.size());
  // What each new tile scores on its square, kept for the cross-word through it.
  std::array<int, 32> newTilePoints{};
  int sum = 0, factor = 1, newTiles = 0;
  for (int j = 0; j < n; ++j) {
    const int q = main.Start + j;
    if (!onBoard(q)) continue;
    if (board.grid[q]) {
      sum += board.points[q];
      continue;
    }
    const bool blank = (blanks >> j) & 1;
    const int value = blank ? 0 : board.charValue[static_cast<unsigned char>(main.Text[j])];
    newTilePoints[j] = value * letterFactor(board.premium[q]);
    sum += newTilePoints[j];
    factor *= wordFactor(board.premium[q]);
    ++newTiles;
  }
  main.Score = sum * factor;
  int total = main.Score;
  for (FormedWord& cross : words.subspan(1)) {
    int crossSum = 0, crossFactor = 1;
    for (int i = 0; i < static_cast<int>(cross.Text.size()); ++i) {
      const int q = cross.Start + kSide * i;
      if (!onBoard(q)) continue;
      if (board.grid[q]) {
        crossSum += board.points[q];
        continue;
      }
      const int j = q - main.Start;  // the new tile: what the main word gave its square
      if (j >= 0 && j < n) crossSum += newTilePoints[j];
      crossFactor *= wordFactor(board.premium[q]);
    }
    cross.Score = crossSum * crossFactor;
    total += cross.Score;
  }
  return total + fullRackBonus(newTiles);
}

}  // namespace tilvan
