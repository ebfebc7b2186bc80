#include "ahead/endgame_position.h"

#include <algorithm>
#include <cassert>

#include "finder/word_graph.h"

namespace tilvan {
namespace {

constexpr int kMaxCount = 10;  // more tiles of a letter than any rack can hold

std::uint64_t splitmix(std::uint64_t& s) {
  std::uint64_t z = (s += 0x9e3779b97f4a7c15ull);
  z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
  z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
  return z ^ (z >> 31);
}

// Zobrist numbers: a letter or a blank's letter on a square, a letter's
// count on a rack (as the mover's and as the other's), scoreless turns.
struct Keys {
  std::array<std::array<std::uint64_t, 52>, kSquares> square{};
  std::array<std::array<std::array<std::uint64_t, kMaxCount>, kLetters>, 2> rack{};
  std::array<std::uint64_t, kScorelessLimit + 1> scoreless{};
  Keys() {
    std::uint64_t s = 0x7469'6c76'616e'6567ull;
    for (auto& sq : square)
      for (auto& k : sq) k = splitmix(s);
    for (auto& side : rack)
      for (auto& letter : side)
        for (auto& k : letter) k = splitmix(s);
    for (auto& k : scoreless) k = splitmix(s);
  }
};

const Keys& keys() {
  static const Keys k;
  return k;
}

int letterIndexOf(char ch) {
  if (ch == '_') return kBlank;
  if (ch >= 'a' && ch <= 'z') return ch - 'a';
  return -1;
}

}  // namespace

EgMove toEgMove(const CompleteResult& r, const Board& board) {
  EgMove m;
  m.score = static_cast<std::int16_t>(r.cand.Total);
  const FormedWord& main = r.cand.Words.front();
  for (std::size_t j = 0; j < main.Text.size(); ++j) {
    const int idx = main.Start + static_cast<int>(j);
    const int h = r.down ? transposeIndex(idx) : idx;
    if (board.atH(h).occupied) continue;
    assert(m.count < kMoveSlots);
    if (j < r.cand.TilesUsed.size() && r.cand.TilesUsed[j] == '_') m.blankMask |= 1u << m.count;
    m.square[m.count] = static_cast<std::uint8_t>(h);
    m.letter[m.count] = static_cast<std::uint8_t>(main.Text[j] - 'a');
    ++m.count;
  }
  return m;
}

EgPosition::EgPosition(const WordList& list, const GameState& state, std::string_view rack,
                       std::string_view opponent)
    : list_(list), graph_(list.derived<WordGraph>()), state_(state) {
  state_.Finder = {};
  state_.Turns.clear();
  state_.TakenBack.clear();
  const std::array<std::string_view, 2> racks{rack, opponent};
  for (int p = 0; p < 2; ++p) {
    for (int l = 0; l < kLetters; ++l) {
      rackKey_[p][0] ^= keys().rack[0][l][0];
      rackKey_[p][1] ^= keys().rack[1][l][0];
    }
    for (char ch : racks[p])
      if (const int l = letterIndexOf(ch); l >= 0) giveTile(p, l);
  }
  for (int h = 0; h < kSquares; ++h) {
    const BoardSquare& sq = state_.Committed.atH(h);
    if (sq.occupied) board_ ^= keys().square[h][sq.letter % 26 + (scoresNothing(sq.tile) ? 26 : 0)];
  }
  frames_.emplace_back();
  for (int d = 0; d < 2; ++d) {
    readFrame(state_.Committed, state_.SquareBonus, state_.LetterValue, d == 1, frames_.back()[d]);
    findFrameAnchors(graph_, state_.Committed.empty(), frames_.back()[d]);
  }
}

void EgPosition::takeTile(int player, int letter) {
  int& n = rack_[player][letter];
  assert(n > 0);
  for (int side = 0; side < 2; ++side)
    rackKey_[player][side] ^= keys().rack[side][letter][n] ^ keys().rack[side][letter][n - 1];
  --n;
  --tiles_[player];
  sum_[player] -= kLetterValue[letter];
}

void EgPosition::giveTile(int player, int letter) {
  int& n = rack_[player][letter];
  assert(n + 1 < kMaxCount);
  for (int side = 0; side < 2; ++side)
    rackKey_[player][side] ^= keys().rack[side][letter][n] ^ keys().rack[side][letter][n + 1];
  ++n;
  ++tiles_[player];
  sum_[player] += kLetterValue[letter];
}

std::uint64_t EgPosition::scorelessKey(int n) { return keys().scoreless[n]; }

std::uint64_t EgPosition::placementKeyBeforeLast() const {
  const EgMove& m = played_.back();
  std::uint64_t board = board_;
  for (int k = 0; k < m.count; ++k)
    board ^= keys().square[m.square[k]][m.letter[k] + ((m.blankMask >> k) & 1 ? 26 : 0)];
  return board ^ rackKey_[toMove_][0];
}

std::string EgPosition::rack(int player) const {
  std::string out;
  for (int l = 0; l < kLetters; ++l) out.append(rack_[player][l], letterChar(l));
  return out;
}

std::vector<CompleteResult> EgPosition::completeResults() const {
  return completeSearch(list_, state_, rack(toMove_), static_cast<std::size_t>(-1));
}

bool scoreBefore(const EgMove& a, const EgMove& b) {
  return a.score != b.score ? a.score > b.score : a.count > b.count;
}

namespace {

// f as an EgMove: its squares that occupied(h) tells are empty are its tiles.
template <typename Occupied>
EgMove egMoveOf(const CompleteMove& f, Occupied occupied) {
  EgMove m;
  m.score = static_cast<std::int16_t>(f.score);
  for (int j = 0; j < f.len; ++j) {
    const int h = f.square(j);
    if (occupied(h)) continue;
    if ((f.blanks >> j) & 1) m.blankMask |= 1u << m.count;
    m.square[m.count] = static_cast<std::uint8_t>(h);
    m.letter[m.count] = static_cast<std::uint8_t>(f.word[j] - 'a');
    ++m.count;
  }
  return m;
}

}  // namespace

EgMove toEgMove(const CompleteMove& f, const Board& board) {
  return egMoveOf(f, [&board](int h) { return board.atH(h).occupied; });
}

EgMove toEgMove(const CompleteMove& f, const Frame& across) {
  return egMoveOf(f, [&across](int h) { return !across.empty(h); });
}

const std::array<Frame, 2>& EgPosition::frames() {
  while (frames_.size() <= played_.size()) {
    frames_.push_back(frames_.back());
    layOnFrames(played_[frames_.size() - 2], frames_.back());
  }
  return frames_.back();
}

void EgPosition::placements(std::vector<EgMove>& out) {
  findPlacements(graph_, frames(), state_.LetterValue, rack(toMove_), found_, false);
  out.clear();
  for (const CompleteMove& f : found_) out.push_back(toEgMove(f, state_.Committed));
  std::stable_sort(out.begin(), out.end(), scoreBefore);
}

void EgPosition::layOnFrames(const EgMove& m, std::array<Frame, 2>& fr) const {
  for (int k = 0; k < m.count; ++k) {
    const int h = m.square[k], v = transposeIndex(h);
    const auto value = static_cast<std::int16_t>((m.blankMask >> k) & 1 ? 0
                                                 : state_.LetterValue[m.letter[k]]);
    fr[0].letter[h] = fr[1].letter[v] = static_cast<std::int8_t>(m.letter[k]);
    fr[0].value[h] = fr[1].value[v] = value;
  }
  for (int k = 0; k < m.count; ++k) {
    updateFrameAfterLaying(graph_, fr[0], m.square[k]);
    updateFrameAfterLaying(graph_, fr[1], transposeIndex(m.square[k]));
  }
}

void EgPosition::play(const EgMove& m) {
  placementKeys_.push_back(placementKey());
  scorelessStack_.push_back(scoreless_);
  scoreless_ = m.score == 0 ? scoreless_ + 1 : 0;
  std::array<int, kMoveSlots> bonus{};
  for (int k = 0; k < m.count; ++k) {
    const int h = m.square[k], l = m.letter[k];
    const bool blank = (m.blankMask >> k) & 1;
    takeTile(toMove_, blank ? kBlank : l);
    const int tile = blank ? blankLetterPicture(kFirstBlank, l) : letterEnd(l) - 1;
    state_.Committed.set(h, {true, l, blank ? 0 : state_.LetterValue[l], tile});
    bonus[k] = state_.SquareBonus[h];
    state_.SquareBonus[h] = kPlain;
    board_ ^= keys().square[h][l + (blank ? 26 : 0)];
  }
  bonusStack_.push_back(bonus);
  played_.push_back(m);
  toMove_ = 1 - toMove_;
}

void EgPosition::undo(const EgMove& m) {
  toMove_ = 1 - toMove_;
  played_.pop_back();
  placementKeys_.pop_back();
  if (frames_.size() > played_.size() + 1) frames_.pop_back();
  const std::array<int, kMoveSlots> bonus = bonusStack_.back();
  bonusStack_.pop_back();
  for (int k = m.count - 1; k >= 0; --k) {
    const int h = m.square[k], l = m.letter[k];
    const bool blank = (m.blankMask >> k) & 1;
    giveTile(toMove_, blank ? kBlank : l);
    state_.Committed.clear(h);
    state_.SquareBonus[h] = bonus[k];
    board_ ^= keys().square[h][l + (blank ? 26 : 0)];
  }
  scoreless_ = scorelessStack_.back();
  scorelessStack_.pop_back();
}

}  // namespace tilvan
