#include "moves/formed_words.h"

#include <algorithm>

#include "game/move_score.h"
#include "game/move_words.h"

namespace tilvan {
namespace {

constexpr std::array<char, kLetters> kLetterChars = [] {
  std::array<char, kLetters> chars{};
  for (int i = 0; i < kLetters; ++i) chars[i] = letterChar(i);
  return chars;
}();

// The letters of squares [first, end) of `line` of a grid.
std::string lettersOf(const LetterGrid& grid, int line, int first, int end) {
  return std::string(grid.begin() + line * kSide + first, grid.begin() + line * kSide + end);
}

// One tile: the word down its column, then the word along its row, each when
// it has two or more letters; its own letter when neither has.
std::vector<std::string> wordsOfOneTile(const Board& board, const Board& before, int h) {
  const LetterGrid afterV = letterGridOf(board, kLetterChars, true);
  const int v = transposeIndex(h), line = v / kSide;
  const Run run = runThrough(afterV, line, v % kSide);
  std::vector<std::string> words;
  for (FormedWord& w :
       formedWords(letterGridOf(before, kLetterChars, true), line * kSide + run.first,
                   lettersOf(afterV, line, run.first, run.end)))
    if (w.Text.size() >= 2) words.push_back(std::move(w.Text));
  if (words.empty()) words.push_back(std::string(1, letterChar(board.atH(h).letter)));
  return words;
}

}  // namespace

MoveWords wordsFormedBy(const Board& board, const Board& before,
                        const std::array<int, kMoveSlots>& squaresH,
                        const std::array<int, kMoveSlots>& squaresV, int count, int moveNumber) {
  MoveWords out;
  count = std::clamp(count, 0, kMoveSlots);
  if (count == 0) return out;
  if (count == 1) {
    const int h = squaresH[0] - 1;
    if (h >= 0 && h < kSquares) out.words = wordsOfOneTile(board, before, h);
    return out;
  }

  // The main word runs down when the first two tiles share a column.
  out.down = (squaresV[0] - 1) / kSide == (squaresV[1] - 1) / kSide;
  const std::array<int, kMoveSlots>& squares = out.down ? squaresV : squaresH;
  const LetterGrid after = letterGridOf(board, kLetterChars, out.down);
  const int line = (squares[0] - 1) / kSide;
  const int firstPos = (squares[0] - 1) % kSide;
  const int lastPos = std::clamp(squares[count - 1] - 1 - line * kSide, firstPos, kSide - 1);
  const Run run{runThrough(after, line, firstPos).first, runThrough(after, line, lastPos).end};
  for (int pos = run.first; pos < run.end; ++pos)
    out.mainSquares[pos - run.first] = line * kSide + pos + 1;
  const std::string mainWord = lettersOf(after, line, run.first, run.end);
  if (moveNumber <= 0) {
    out.words.push_back(mainWord);
    return out;
  }
  for (FormedWord& w : formedWords(letterGridOf(before, kLetterChars, out.down),
                                   line * kSide + run.first, mainWord))
    out.words.push_back(std::move(w.Text));
  return out;
}

void listFormedWords(Game& game) {
  GameState& s = game.state;
  const MoveWords found = wordsFormedBy(s.Committed, s.Prev, s.MoveSquareH, s.MoveSquareV,
                                        s.MoveTileCount, s.MoveNumber);
  s.MainWordSquares = found.mainSquares;
  s.MainWordDown = found.down;
  s.WordCount = 0;
  for (const std::string& word : found.words) {
    if (s.WordCount == kWordLabels) break;
    game.form.lblWords[s.WordCount] = upperCase(word);
    s.FormedWords[s.WordCount] = word;
    ++s.WordCount;
  }
}

}  // namespace tilvan
