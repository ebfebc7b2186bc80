#include "moves/formed_words.h"

#include <algorithm>
#include <cctype>

namespace tilvan {
namespace {

// A line of the board seen in one numbering: squares pos 0..14 along line
// 0..14. Across: line = row, pos = column. Down: line = column, pos = row.
struct Lines {
  const Board& board;
  bool down;
  int hIdx(int line, int pos) const { return down ? hIndex(pos, line) : hIndex(line, pos); }
  bool filled(int line, int pos) const {
    return line >= 0 && line < kSide && pos >= 0 && pos < kSide &&
           board.atH(hIdx(line, pos)).occupied;
  }
  char letter(int line, int pos) const { return letterChar(board.atH(hIdx(line, pos)).letter); }
  // The word of the run through (line, pos) along its line.
  std::string runAlong(int line, int pos) const {
    int first = pos, last = pos;
    while (filled(line, first - 1)) --first;
    while (filled(line, last + 1)) ++last;
    std::string word;
    for (int p = first; p <= last; ++p) word += letter(line, p);
    return word;
  }
  // The word of the run through (line, pos) across the lines.
  std::string runAcross(int line, int pos) const {
    int first = line, last = line;
    while (filled(first - 1, pos)) --first;
    while (filled(last + 1, pos)) ++last;
    std::string word;
    for (int l = first; l <= last; ++l) word += letter(l, pos);
    return word;
  }
};

}  // namespace

MoveWords wordsFormedBy(const Board& board, const Board& before,
                        const std::array<int, kMoveSlots>& squaresH,
                        const std::array<int, kMoveSlots>& squaresV, int count, int moveNumber) {
  MoveWords out;
  count = std::clamp(count, 0, kMoveSlots);
  if (count == 0) return out;
  if (count == 1) {
    const int h = squaresH[0] - 1;
    if (h < 0 || h >= kSquares) return out;
    const int row = h / kSide, col = h % kSide;
    const std::string downWord = Lines{board, true}.runAlong(col, row);
    const std::string acrossWord = Lines{board, false}.runAlong(row, col);
    if (downWord.size() >= 2) out.words.push_back(downWord);
    if (acrossWord.size() >= 2) out.words.push_back(acrossWord);
    if (out.words.empty()) out.words.push_back(std::string(1, letterChar(board.atH(h).letter)));
    return out;
  }

  // The main word runs down when the first two tiles share a column.
  const int v0 = squaresV[0] - 1, v1 = squaresV[1] - 1;
  out.mainDown = v0 / kSide == v1 / kSide ? 1 : 0;
  const std::array<int, kMoveSlots>& squares = out.mainDown ? squaresV : squaresH;
  const Lines lines{board, out.mainDown == 1};
  const Lines linesBefore{before, out.mainDown == 1};
  const int line = (squares[0] - 1) / kSide;
  const int firstPos = (squares[0] - 1) % kSide;
  const int lastPos = std::clamp(squares[count - 1] - 1 - line * kSide, firstPos, kSide - 1);
  int start = firstPos;
  while (lines.filled(line, start - 1)) --start;
  int end = lastPos;
  while (lines.filled(line, end + 1)) ++end;
  int used = 0;
  std::string mainWord;
  for (int pos = start; pos <= end; ++pos) {
    if (!lines.filled(line, pos)) continue;
    out.mainSquares[used++] = line * kSide + pos + 1;
    mainWord += lines.letter(line, pos);
  }
  out.words.push_back(mainWord);
  if (moveNumber <= 0) return out;
  for (int i = 0; i < used; ++i) {
    const int pos = out.mainSquares[i] - 1 - line * kSide;
    if (linesBefore.filled(line, pos)) continue;  // an earlier tile, not one of this move
    if (!lines.filled(line - 1, pos) && !lines.filled(line + 1, pos)) continue;
    out.words.push_back(lines.runAcross(line, pos));
  }
  return out;
}

void listFormedWords(Game& game) {
  GameState& s = game.state;
  const MoveWords found = wordsFormedBy(s.Committed, s.Prev, s.MoveSquareH, s.MoveSquareV,
                                        s.MoveTileCount, s.MoveNumber);
  s.MainWordSquares = found.mainSquares;
  s.MainWordDown = found.mainDown;
  s.WordCount = 0;
  for (const std::string& word : found.words) {
    if (s.WordCount == kWordLabels) break;
    std::string upper = word;
    for (char& ch : upper) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    game.form.lblWords[s.WordCount] = upper;
    s.FormedWords[s.WordCount] = word;
    ++s.WordCount;
  }
}

}  // namespace tilvan
