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
  std::string text;
  for (int x = top; x < q; x += kSide) text += grid[x];
  text += c;
  for (int x = q + kSide; x < kSquares && grid[x]; x += kSide) text += grid[x];
  return text;
}

std::vector<FormedWord> formedWords(const LetterGrid& grid, const Placement& placement) {
  std::vector<FormedWord> out;
  const std::string_view w = placement.word;
  out.reserve(4);
  out.push_back({std::string(w), placement.start, 0});
  for (std::size_t j = 0; j < w.size(); ++j) {
    const int q = placement.start + static_cast<int>(j);
    if (q < 0 || q >= kSquares || grid[q]) continue;
    int top = q;
    std::string text = crossWord(grid, q, w[j], top);
    if (text.size() >= 2) out.push_back({std::move(text), top, 0});
  }
  return out;
}

}  // namespace tilvan
