#include "finder/complete_frame.h"

#include <array>
#include <bit>
#include <cstdint>

namespace tilvan {
namespace {

constexpr int kN = kSide;
constexpr std::uint32_t kAllLetters = (1u << 26) - 1;

// The letters that may stand between the letters above and below a square:
// the same columns recur over the boards of a search (an endgame's boards
// differ by a few tiles), so each thread keeps the answers for the last
// columns it read, by graph and by the exact letters around the square.
class CrossCache {
 public:
  // The letters for the column written as symbols (a letter + 1, the square
  // kGap), 5 bits each in `key`; 0 for a column too long to be kept.
  static constexpr std::uint64_t kGap = 31;
  static constexpr int kMaxSymbols = 12;
  std::uint32_t lettersFor(const WordGraph& g, std::uint64_t key, WordGraph::Node above,
                           const Frame& f, int below, int end, int c) {
    if (key == 0) return letters(g, above, f, below, end, c);
    if (graph_ != g.id()) {
      entries_.fill(Entry{});
      graph_ = g.id();
    }
    Entry& e = entries_[static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ull) >> (64 - kBits))];
    if (e.key != key) e = {key, letters(g, above, f, below, end, c)};
    return e.ok;
  }

 private:
  static constexpr int kBits = 12;
  struct Entry {
    std::uint64_t key = 0;  // never 0 for a column kept: it holds the gap
    std::uint32_t ok = 0;
  };
  // The letters l for which the prefix to `above`, l and the column's letters
  // from row `below` to `end` make a word.
  static std::uint32_t letters(const WordGraph& g, WordGraph::Node above, const Frame& f,
                               int below, int end, int c) {
    std::uint32_t ok = 0;
    if (above == WordGraph::kNone) return ok;
    for (std::uint32_t m = g.letters(above); m; m &= m - 1) {
      const int l = std::countr_zero(m);
      WordGraph::Node k = g.child(above, l);
      for (int b = below; b < end && k != WordGraph::kNone; ++b) k = g.child(k, f.letter[b * kN + c]);
      if (k != WordGraph::kNone && g.isWord(k)) ok |= 1u << l;
    }
    return ok;
  }
  std::uint64_t graph_ = 0;
  std::array<Entry, std::size_t{1} << kBits> entries_{};
};

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
  int end = r + 1;
  while (end < kN && !f.empty(end * kN + c)) ++end;
  int sum = 0, symbols = 0;
  std::uint64_t key = 0;
  auto put = [&](std::uint64_t symbol) {
    if (symbols < CrossCache::kMaxSymbols) key |= symbol << (5 * symbols);
    ++symbols;
  };
  WordGraph::Node n = g.root();
  for (int k = top; k < r; ++k) {
    const int l = f.letter[k * kN + c];
    if (n != WordGraph::kNone) n = g.child(n, l);
    sum += f.value[k * kN + c];
    put(static_cast<std::uint64_t>(l + 1));
  }
  put(CrossCache::kGap);
  for (int k = r + 1; k < end; ++k) {
    sum += f.value[k * kN + c];
    put(static_cast<std::uint64_t>(f.letter[k * kN + c] + 1));
  }
  thread_local CrossCache cache;
  f.cross[i] = cache.lettersFor(g, symbols <= CrossCache::kMaxSymbols ? key : 0, n, f, r + 1, end, c);
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
