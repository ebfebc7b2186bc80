#include "finder/marked_lines.h"

#include <algorithm>

#include "finder/complete_frame.h"

namespace tilvan {

LineMask markedLines(const Board& board, const int* squares, int count) {
  constexpr int kN = kSide;
  LineMask lines{};
  auto mark = [&](int d, int line) {
    if (line >= 0 && line < kN)
      lines[static_cast<std::size_t>(d)] |= static_cast<std::uint16_t>(1u << line);
  };
  for (int k = 0; k < count; ++k) {
    const int h = squares[k], r = h / kN, c = h % kN;
    mark(0, r);
    mark(1, c);
    int top = r, end = r, left = c, right = c;
    while (top > 0 && board.atH(h - (r - top + 1) * kN).occupied) --top;
    while (end + 1 < kN && board.atH(h + (end - r + 1) * kN).occupied) ++end;
    while (left > 0 && board.atH(h - (c - left + 1)).occupied) --left;
    while (right + 1 < kN && board.atH(h + (right - c + 1)).occupied) ++right;
    mark(0, top - 1);
    mark(0, end + 1);
    mark(1, left - 1);
    mark(1, right + 1);
  }
  return lines;
}

bool singleTileAcross(const Board& board, int q) {
  const int c = q % kSide;
  return (c > 0 && board.atH(q - 1).occupied) || (c + 1 < kSide && board.atH(q + 1).occupied);
}

void keepAnchorsOn(const LineMask& lines, std::array<Frame, 2>& frames) {
  for (std::size_t d = 0; d < 2; ++d)
    for (int line = 0; line < kSide; ++line)
      if (!((lines[d] >> line) & 1))
        std::fill_n(frames[d].anchor.begin() + line * kSide, kSide, false);
}

}  // namespace tilvan
