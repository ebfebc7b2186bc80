#include "finder/complete_frame.h"

#include <bit>

namespace tilvan {
namespace {

constexpr int kN = kSide;
constexpr std::uint32_t kAllLetters = (1u << 26) - 1;

// Anchor, cross-word letters and cross-word points of empty square i.
void markSquare(const WordGraph& g, Frame& f, int i) {
  const int r = i / kN, c = i % kN;
  const bool up = r > 0 && !f.empty(i - kN), below = r + 1 < kN && !f.empty(i + kN);
  f.anchor[i] = up || below || (c > 0 && !f.empty(i - 1)) || (c + 1 < kN && !f.empty(i + 1));
  f.hasCross[i] = up || below;
  f.cross[i] = kAllLetters;
  f.crossSum[i] = 0;
  if (!up && !below) return;
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

// What frame square i shows of board square `sq` under premium `premium`.
void readSquare(const BoardSquare& sq, int premium, const std::array<int, kLetters>& values,
                Frame& f, int i) {
  if (sq.occupied) {
    const bool letter = sq.letter >= 0 && sq.letter < 26;
    f.letter[i] = static_cast<std::int8_t>(letter ? sq.letter : 26);
    const bool blank = scoresNothing(sq.tile);
    f.value[i] = static_cast<std::int16_t>(letter && !blank ? values[sq.letter] : 0);
  } else {
    f.letter[i] = -1;
    f.value[i] = 0;
  }
  f.lm[i] = static_cast<std::uint8_t>(letterFactor(premium));
  f.wm[i] = static_cast<std::uint8_t>(wordFactor(premium));
}

}  // namespace

void readFrame(const Board& board, const std::array<int, kSquares>& premiums,
               const std::array<int, kLetters>& values, bool down, Frame& f) {
  for (int i = 0; i < kSquares; ++i) {
    const int h = down ? transposeIndex(i) : i;
    readSquare(board.atH(h), premiums[h], values, f, i);
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
  for (int i = 0; i < kSquares; ++i)
    if (f.empty(i)) markSquare(g, f, i);
}

void updateFrameAfterLaying(const WordGraph& g, Frame& f, int i) {
  f.anchor[i] = false;
  f.hasCross[i] = false;
  f.cross[i] = kAllLetters;
  f.crossSum[i] = 0;
  f.lm[i] = f.wm[i] = 1;
  const int r = i / kN, c = i % kN;
  if (c > 0 && f.empty(i - 1)) f.anchor[i - 1] = true;
  if (c + 1 < kN && f.empty(i + 1)) f.anchor[i + 1] = true;
  int top = r, end = r;
  while (top > 0 && !f.empty((top - 1) * kN + c)) --top;
  while (end + 1 < kN && !f.empty((end + 1) * kN + c)) ++end;
  if (top > 0) markSquare(g, f, (top - 1) * kN + c);
  if (end + 1 < kN) markSquare(g, f, (end + 1) * kN + c);
}

void BoardReading::read(const WordGraph& g, const Board& b, const std::array<int, kSquares>& p) {
  graph = &g;
  board = b;
  premiums = p;
  for (int d = 0; d < 2; ++d) {
    readFrame(b, p, kLetterValue, d == 1, frames[static_cast<std::size_t>(d)]);
    findFrameAnchors(g, b.empty(), frames[static_cast<std::size_t>(d)]);
  }
}

void BoardReading::lay(const Board& b, const std::array<int, kSquares>& p, const int* squares,
                       int count) {
  const bool wasEmpty = board.empty();
  for (int k = 0; k < count; ++k) {
    const int h = squares[k];
    board.set(h, b.atH(h));
    premiums[static_cast<std::size_t>(h)] = p[static_cast<std::size_t>(h)];
  }
  if (wasEmpty) return read(*graph, b, p);  // the centre was the one anchor
  // Every new letter first: a cross-word read again may run over several.
  for (int k = 0; k < count; ++k) {
    const int h = squares[k];
    for (int d = 0; d < 2; ++d) {
      Frame& f = frames[static_cast<std::size_t>(d)];
      const int i = d == 1 ? transposeIndex(h) : h;
      readSquare(board.atH(h), premiums[static_cast<std::size_t>(h)], kLetterValue, f, i);
    }
  }
  for (int k = 0; k < count; ++k) {
    updateFrameAfterLaying(*graph, frames[0], squares[k]);
    updateFrameAfterLaying(*graph, frames[1], transposeIndex(squares[k]));
  }
}

}  // namespace tilvan
