#include "game/move_words.h"

namespace tilvan {

std::string crossWord(const LetterGrid& grid, int q, char c, int& top) {
  top = q;
  while (top - kSide >= 0 && grid[top - kSide]) top -= kSide;
  int bottom = q;
  while (bottom + kSide < kSquares && grid[bottom + kSide]) bottom += kSide;
  std::string text((bottom - top) / kSide + 1, c);
  for (int x = top, i = 0; x <= bottom; x += kSide, ++i)
    if (x != q) text[i] = grid[x];
  return text;
}

bool formsCrossWord(const LetterGrid& grid, int q) {
  return q >= 0 && q < kSquares && !grid[q] &&
         ((q >= kSide && grid[q - kSide]) || (q + kSide < kSquares && grid[q + kSide]));
}

std::vector<FormedWord> formedWords(const LetterGrid& grid, int start, std::string_view word) {
  const int n = static_cast<int>(word.size());
  int count = 1;
  for (int j = 0; j < n; ++j) count += formsCrossWord(grid, start + j);
  std::vector<FormedWord> out;
  out.reserve(static_cast<std::size_t>(count));
  out.push_back({std::string(word), start, 0});
  for (int j = 0; j < n; ++j) {
    const int q = start + j;
    if (!formsCrossWord(grid, q)) continue;  // a cross-word of one letter is no word
    int top = q;
    out.push_back({crossWord(grid, q, word[j], top), 0, 0});
    out.back().Start = top;
  }
  return out;
}

Run runThrough(const LetterGrid& grid, int line, int pos) {
  const int base = line * kSide;
  Run run{pos, pos + 1};
  while (run.first > 0 && grid[base + run.first - 1]) --run.first;
  while (run.end < kSide && grid[base + run.end]) ++run.end;
  return run;
}

}  // namespace tilvan
