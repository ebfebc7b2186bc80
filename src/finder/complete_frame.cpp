#include "finder/complete_frame.h"

#include <bit>

namespace tilvan {
namespace {

constexpr int kN = kSide;
constexpr std::uint32_t kAllLetters = (1u << 26) - 1;

}  // namespace

void readFrame(const Board& board, const std::array<int, kSquares>& premiums,
               const std::array<int, kLetters>& values, bool down, Frame& f) {
  for (int i = 0; i < kSquares; ++i) {
    const int h = down ? transposeIndex(i) : i;
    const BoardSquare& sq = board.atH(h);
    if (sq.occupied) {
      const bool letter = sq.letter >= 0 && sq.letter < 26;
      f.letter[i] = static_cast<std::int8_t>(letter ? sq.letter : 26);
      const bool blank = scoresNothing(sq.tile);
      f.value[i] = static_cast<std::int16_t>(letter && !blank ? values[sq.letter] : 0);
    } else {
      f.letter[i] = -1;
      f.value[i] = 0;
    }
    const int premium = premiums[h];
    f.lm[i] = static_cast<std::uint8_t>(letterFactor(premium));
    f.wm[i] = static_cast<std::uint8_t>(wordFactor(premium));
  }
}

void findFrameAnchors(const WordGraph& g, bool boardEmpty, Frame& f) {
  f.anchor.fill(false);
  f.cross.fill(kAllLetters);
  f.crossSum.fill(0);
  f.hasCross.fill(false);
  if (boardEmpty) {
    f.anchor[kCentre] = true;
    return;
  }
  for (int r = 0; r < kN; ++r) {
    for (int c = 0; c < kN; ++c) {
      const int i = r * kN + c;
      if (!f.empty(i)) continue;
      const bool up = r > 0 && !f.empty(i - kN), below = r + 1 < kN && !f.empty(i + kN);
      f.anchor[i] = up || below || (c > 0 && !f.empty(i - 1)) || (c + 1 < kN && !f.empty(i + 1));
      if (!up && !below) continue;
      f.hasCross[i] = true;
      int top = r;
      while (top > 0 && !f.empty((top - 1) * kN + c)) --top;
      int sum = 0;
      WordGraph::Node n = g.root();
      for (int k = top; k < r && n != WordGraph::kNone; ++k) {
        n = g.child(n, f.letter[k * kN + c]);
        sum += f.value[k * kN + c];
      }
      int end = r + 1;
      while (end < kN && !f.empty(end * kN + c)) sum += f.value[end++ * kN + c];
      std::uint32_t ok = 0;
      if (n != WordGraph::kNone) {
        for (std::uint32_t m = g.letters(n); m; m &= m - 1) {
          const int l = std::countr_zero(m);
          WordGraph::Node k = g.child(n, l);
          for (int b = r + 1; b < end && k != WordGraph::kNone; ++b)
            k = g.child(k, f.letter[b * kN + c]);
          if (k != WordGraph::kNone && g.isWord(k)) ok |= 1u << l;
        }
      }
      f.cross[i] = ok;
      f.crossSum[i] = static_cast<std::int16_t>(sum);
    }
  }
}

}  // namespace tilvan
