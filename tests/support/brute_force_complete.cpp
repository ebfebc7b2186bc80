#include "support/brute_force_complete.h"

#include <algorithm>
#include <array>
#include <bit>
#include <map>
#include <optional>
#include <set>
#include <string>

namespace tilvan::test {

namespace {

// The board read along one direction: square (line, pos) is row line, column
// pos across, or column line, row pos down.
struct View {
  const GameState& s;
  bool down;
  int h(int line, int pos) const { return down ? hIndex(pos, line) : hIndex(line, pos); }
  // Index in the direction's own numbering.
  int own(int line, int pos) const { return line * kSide + pos; }
  bool in(int line, int pos) const { return line >= 0 && line < kSide && pos >= 0 && pos < kSide; }
  bool filled(int line, int pos) const {
    return in(line, pos) && s.Committed.atH(h(line, pos)).occupied;
  }
  char letter(int line, int pos) const {
    return static_cast<char>('a' + s.Committed.atH(h(line, pos)).letter);
  }
  int face(int line, int pos) const {
    const BoardSquare& sq = s.Committed.atH(h(line, pos));
    return sq.tile >= kFirstBlank ? 0 : s.LetterValue[sq.letter];
  }
  int premium(int line, int pos) const { return s.SquareBonus[h(line, pos)]; }
};

struct Tile {
  int pos;
  char letter;
  bool blank;
};

int letterFactor(int premium) { return premium == 2 ? 2 : premium == 3 ? 3 : 1; }
int wordFactor(int premium) { return premium == 4 ? 2 : premium == 5 ? 3 : 1; }

// Scores one placement with a fixed choice of blanks, from scratch.
Candidate score(const View& v, int line, int start, const std::string& word,
                const std::vector<Tile>& tiles) {
  Candidate c;
  auto tileAt = [&](int pos) -> const Tile* {
    for (const Tile& t : tiles)
      if (t.pos == pos) return &t;
    return nullptr;
  };
  auto points = [&](const Tile& t) {
    return t.blank ? 0 : v.s.LetterValue[t.letter - 'a'] * letterFactor(v.premium(line, t.pos));
  };
  int sum = 0, mult = 1;
  for (int j = 0; j < static_cast<int>(word.size()); ++j) {
    if (const Tile* t = tileAt(start + j)) {
      sum += points(*t);
      mult *= wordFactor(v.premium(line, t->pos));
      c.TilesUsed += t->blank ? '_' : t->letter;
    } else {
      sum += v.face(line, start + j);
      c.TilesUsed += word[j];
    }
  }
  c.Words.push_back({word, v.own(line, start), sum * mult});
  for (const Tile& t : tiles) {
    int top = line, bottom = line;
    while (v.filled(top - 1, t.pos)) --top;
    while (v.filled(bottom + 1, t.pos)) ++bottom;
    if (top == bottom) continue;
    FormedWord w{"", v.own(top, t.pos), 0};
    int s = 0;
    for (int k = top; k <= bottom; ++k) {
      if (k == line) {
        w.Text += t.letter;
        s += points(t);
      } else {
        w.Text += v.letter(k, t.pos);
        s += v.face(k, t.pos);
      }
    }
    w.Score = s * wordFactor(v.premium(line, t.pos));
    c.Words.push_back(std::move(w));
  }
  for (const FormedWord& w : c.Words) c.Total += w.Score;
  if (tiles.size() == 7) c.Total += 50;
  return c;
}

}  // namespace

Candidate scoreAsLaid(const GameState& state, bool down, int start, std::string_view word,
                      std::string_view tilesUsed) {
  const View v{state, down};
  const int line = start / kSide, pos0 = start % kSide;
  std::vector<Tile> tiles;
  for (int j = 0; j < static_cast<int>(word.size()); ++j)
    if (!v.filled(line, pos0 + j))
      tiles.push_back(
          {pos0 + j, word[j], j < static_cast<int>(tilesUsed.size()) && tilesUsed[j] == '_'});
  return score(v, line, pos0, std::string(word), tiles);
}

GameState freshPosition() {
  GameState s;
  s.LetterValue = kLetterValue;
  s.LetterCount = kLetterCount;
  for (int l = 0; l < kLetters; ++l) s.LetterChar[l] = letterChar(l);
  s.SquareBonus = premiumMap();
  return s;
}

void layWord(GameState& state, int row, int col, bool down, std::string_view word) {
  for (std::size_t k = 0; k < word.size(); ++k) {
    const int r = down ? row + static_cast<int>(k) : row;
    const int c = down ? col : col + static_cast<int>(k);
    const int h = hIndex(r, c);
    const char ch = word[k];
    const bool blank = ch >= 'A' && ch <= 'Z';
    const int letter = blank ? ch - 'A' : ch - 'a';
    BoardSquare sq;
    sq.occupied = true;
    sq.letter = letter;
    sq.value = blank ? 0 : state.LetterValue[letter];
    sq.tile = blank ? kFirstBlankLetter + letter : letterEnd(letter) - 1;
    state.Committed.set(h, sq);
    state.SquareBonus[h] = 0;
  }
  ++state.MoveNumber;
}

bool completeOrder(const CompleteResult& a, const CompleteResult& b) {
  if (a.cand.Total != b.cand.Total) return a.cand.Total > b.cand.Total;
  if (a.down != b.down) return !a.down;
  auto rowCol = [](const CompleteResult& r) {
    const int i = r.cand.Words.front().Start;
    return r.down ? std::pair(i % kSide, i / kSide) : std::pair(i / kSide, i % kSide);
  };
  if (rowCol(a) != rowCol(b)) return rowCol(a) < rowCol(b);
  return a.cand.Words.front().Text < b.cand.Words.front().Text;
}

std::vector<CompleteResult> bruteForceComplete(const WordList& list, const GameState& state,
                                               std::string_view rack) {
  std::set<std::string, std::less<>> dict;
  std::map<std::size_t, std::vector<std::string>> byLength;
  for (std::size_t i = 0; i < list.size(); ++i)
    if (dict.emplace(list[i]).second) byLength[list[i].size()].emplace_back(list[i]);

  rack = rack.substr(0, 7);
  std::array<int, 26> have{};
  int blanks = 0;
  for (char ch : rack) {
    if (ch == '_') ++blanks;
    if (ch >= 'a' && ch <= 'z') ++have[ch - 'a'];
  }
  const bool boardEmpty = state.Committed.empty();

  std::vector<CompleteResult> out;
  for (bool down : {false, true}) {
    const View v{state, down};
    for (int line = 0; line < kSide; ++line) {
      for (int start = 0; start < kSide; ++start) {
        if (v.filled(line, start - 1)) continue;
        for (int len = 2; start + len <= kSide; ++len) {
          if (v.filled(line, start + len)) continue;
          std::vector<int> empties;
          bool touches = false;
          for (int p = start; p < start + len; ++p) {
            if (v.filled(line, p)) {
              touches = true;
              continue;
            }
            empties.push_back(p);
            if (boardEmpty ? v.h(line, p) == kCentre
                           : v.filled(line - 1, p) || v.filled(line + 1, p))
              touches = true;
          }
          if (!touches || empties.empty() || empties.size() > rack.size()) continue;
          // One tile with a neighbour across is the across placement.
          if (down && empties.size() == 1 &&
              (v.filled(line - 1, empties[0]) || v.filled(line + 1, empties[0])))
            continue;
          for (const std::string& word : byLength[static_cast<std::size_t>(len)]) {
            bool fits = true;
            std::array<int, 26> need{};
            for (int p = start; p < start + len && fits; ++p) {
              const char ch = word[static_cast<std::size_t>(p - start)];
              if (v.filled(line, p))
                fits = v.letter(line, p) == ch;
              else if (ch < 'a' || ch > 'z')
                fits = false;
              else
                ++need[ch - 'a'];
            }
            if (!fits) continue;
            int short_ = 0;
            for (int l = 0; l < 26; ++l) short_ += std::max(0, need[l] - have[l]);
            if (short_ > blanks) continue;
            // Every cross-word must be a word.
            for (int p : empties) {
              int top = line, bottom = line;
              while (v.filled(top - 1, p)) --top;
              while (v.filled(bottom + 1, p)) ++bottom;
              if (top == bottom) continue;
              std::string t;
              for (int k = top; k <= bottom; ++k)
                t += k == line ? word[static_cast<std::size_t>(p - start)] : v.letter(k, p);
              if (!dict.count(t)) {
                fits = false;
                break;
              }
            }
            if (!fits) continue;
            // Every choice of blanks that the rack allows.
            std::optional<Candidate> best;
            const int n = static_cast<int>(empties.size());
            for (int mask = 0; mask < (1 << n); ++mask) {
              if (std::popcount(static_cast<unsigned>(mask)) > blanks) continue;
              std::array<int, 26> real{};
              std::vector<Tile> tiles;
              bool ok = true;
              for (int k = 0; k < n; ++k) {
                const char ch = word[static_cast<std::size_t>(empties[k] - start)];
                const bool blank = (mask >> k) & 1;
                if (!blank && ++real[ch - 'a'] > have[ch - 'a']) ok = false;
                tiles.push_back({empties[k], ch, blank});
              }
              if (!ok) continue;
              Candidate c = score(v, line, start, word, tiles);
              if (!best || c.Total > best->Total ||
                  (c.Total == best->Total && c.TilesUsed > best->TilesUsed))
                best = std::move(c);
            }
            out.push_back({down, std::move(*best)});
          }
        }
      }
    }
  }
  std::sort(out.begin(), out.end(), completeOrder);
  return out;
}

}  // namespace tilvan::test
