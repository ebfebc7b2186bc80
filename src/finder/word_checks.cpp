#include "finder/word_checks.h"

namespace tilvan {

std::vector<Placement> collapseDuplicates(const std::vector<Placement>& found) {
  std::vector<Placement> out;
  out.reserve(found.size());
  const std::size_t n = found.size();
  for (std::size_t i = 0; i < n; ++i) {
    for (int step = 0; step < 15 && i + 1 < n && found[i + 1] == found[i]; ++step) ++i;
    out.push_back(found[i]);
  }
  return out;
}

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

std::vector<FormedWord> formedWords(const LetterGrid& grid, const Placement& placement) {
  const std::string_view w = placement.word;
  const int n = static_cast<int>(w.size());
  auto crosses = [&](int q) {
    return q >= 0 && q < kSquares && !grid[q] &&
           ((q >= kSide && grid[q - kSide]) || (q + kSide < kSquares && grid[q + kSide]));
  };
  int count = 1;
  for (int j = 0; j < n; ++j) count += crosses(placement.start + j);
  std::vector<FormedWord> out;
  out.reserve(static_cast<std::size_t>(count));
  out.push_back({std::string(w), placement.start, 0});
  for (int j = 0; j < n; ++j) {
    const int q = placement.start + j;
    if (!crosses(q)) continue;  // a cross-word of one letter is no word
    int top = q;
    out.push_back({crossWord(grid, q, w[j], top), 0, 0});
    out.back().Start = top;
  }
  return out;
}

}  // namespace tilvan
