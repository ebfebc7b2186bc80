#include "support/position_gen.h"

#include <array>

#include "cli/find.h"
#include "words/word_list.h"

namespace tilvan::test {
namespace {

// Letters drawn as often as the set has tiles of them.
constexpr std::string_view kBag =
    "aaaaaaaaabbccddddeeeeeeeeeeeeffggghhiiiiiiiiijkllllmmnnnnnnooooooooppqrrrrrrssssttttttuuuuv"
    "vwwxyyz";

}  // namespace

void setBoard(GameState& state, const Grid& rows) { cli::layBoard(state, rows); }

Grid emptyRows() {
  Grid g;
  g.fill(std::string(kSide, '.'));
  return g;
}

void put(Grid& rows, int row, int col, std::string_view letters, bool down) {
  for (std::size_t i = 0; i < letters.size(); ++i)
    rows[down ? row + i : row][down ? col : col + i] = letters[i];
}

char PositionGen::letter() { return kBag[uniform(0, static_cast<int>(kBag.size()) - 1)]; }

std::string PositionGen::word(int minLen, int maxLen) {
  std::string w;
  const int n = uniform(minLen, maxLen);
  for (int i = 0; i < n; ++i) w += letter();
  return w;
}

std::string PositionGen::wordListText(int words) {
  std::string out;
  std::vector<std::string> made;
  auto line = [&](const std::string& text) { out += text + (uniform(0, 9) == 0 ? "\r\n" : "\n"); };
  for (int i = 0; i < words; ++i) {
    const int kind = uniform(0, 99);
    std::string w;
    if (kind < 30) {
      w = word(2, 2);
    } else if (kind < 35) {
      w = word(1, 1);
    } else if (kind < 80) {
      w = word(3, 7);
    } else if (kind < 88) {
      w = word(8, 15);
    } else if (kind < 90) {
      w = word(16, 20);
    } else if (kind < 95 && !made.empty()) {
      // A duplicate: right after its twin or somewhere later; now and then
      // a long run of the same record.
      w = made[uniform(0, static_cast<int>(made.size()) - 1)];
      if (uniform(0, 4) == 0) {
        const int run = uniform(2, 20);
        for (int r = 1; r < run; ++r) line(w);
      }
    } else {
      w = word(2, 6);
      switch (uniform(0, 6)) {
        case 0:  // a capital
          w[0] = static_cast<char>(w[0] - 'a' + 'A');
          break;
        case 1:  // two records on one line
          w.append(1, ',').append(word(2, 4));
          break;
        case 2:  // a quoted field
          w.insert(w.begin(), '"');
          w.push_back('"');
          break;
        case 3:
          w[uniform(0, static_cast<int>(w.size()) - 1)] = '\xe9';
          break;
        case 4:
          w[uniform(0, static_cast<int>(w.size()) - 1)] = '_';
          break;
        case 5:  // leading spaces
          w.insert(w.begin(), 2, ' ');
          break;
        default:  // an empty line
          line("");
          break;
      }
    }
    made.push_back(w);
    line(w);
  }
  return out;
}

Grid PositionGen::board(const std::vector<std::string>& words, int moves) {
  Grid g = emptyRows();
  std::array<int, kLetters> left{};
  for (int L = 0; L < kLetters; ++L) left[L] = kLetterCount[L];
  bool empty = true;
  auto at = [&](int r, int c) -> char& { return g[r][c]; };
  auto lay = [&](int r, int c, char ch) {
    const bool blank = left[kBlank] > 0 && uniform(0, 11) == 0;
    if (blank) {
      --left[kBlank];
      at(r, c) = static_cast<char>(ch - 'a' + 'A');
    } else {
      --left[ch - 'a'];
      at(r, c) = ch;
    }
    empty = false;
  };
  auto letterAt = [&](int r, int c) {
    const char ch = at(r, c);
    return ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch - 'A' + 'a') : ch;
  };

  for (int m = 0; m < moves && !words.empty(); ++m) {
    if (!empty && uniform(0, 9) == 0) {  // a stray tile anywhere
      const int r = uniform(0, kSide - 1), c = uniform(0, kSide - 1);
      const char ch = letter();
      if (at(r, c) == '.' && left[ch - 'a'] > 0) lay(r, c, ch);
      continue;
    }
    for (int attempt = 0; attempt < 40; ++attempt) {
      const std::string& w = words[uniform(0, static_cast<int>(words.size()) - 1)];
      const int n = static_cast<int>(w.size());
      if (n < 2 || n > kSide) continue;
      const bool down = uniform(0, 1) == 1;
      int r0, c0;
      if (empty) {
        const int along = uniform(std::max(0, 7 - n + 1), 7);
        r0 = down ? along : 7;
        c0 = down ? 7 : along;
      } else {
        r0 = uniform(0, kSide - 1);
        c0 = uniform(0, kSide - 1);
        if (letterAt(r0, c0) == '.') continue;
        // Slide so that a letter of w lies on the chosen board letter.
        const std::size_t i = w.find(letterAt(r0, c0));
        if (i == std::string::npos) continue;
        (down ? r0 : c0) -= static_cast<int>(i);
      }
      if (r0 < 0 || c0 < 0 || (down ? r0 : c0) + n > kSide) continue;
      std::array<int, kLetters> need{};
      int tiles = 0;
      bool ok = true;
      for (int j = 0; j < n && ok; ++j) {
        const int r = down ? r0 + j : r0, c = down ? c0 : c0 + j;
        const char have = letterAt(r, c);
        if (have == '.') {
          ++need[w[j] - 'a'];
          ++tiles;
        } else if (have != w[j]) {
          ok = false;
        }
      }
      if (!ok || tiles == 0 || tiles > kMoveSlots) continue;
      for (int L = 0; L < 26 && ok; ++L) ok = need[L] <= left[L];
      if (!ok) continue;
      for (int j = 0; j < n; ++j) {
        const int r = down ? r0 + j : r0, c = down ? c0 : c0 + j;
        if (at(r, c) == '.') lay(r, c, w[j]);
      }
      break;
    }
  }
  return g;
}

void PositionGen::layNearLineEnds(Grid& rows, int runs) {
  std::array<int, kLetters> left{};
  for (int L = 0; L < kLetters; ++L) left[L] = kLetterCount[L];
  for (const std::string& row : rows)
    for (const char ch : row) {
      if (ch >= 'a' && ch <= 'z') --left[ch - 'a'];
      if (ch >= 'A' && ch <= 'Z') --left[kBlank];
    }
  for (int k = 0; k < runs; ++k) {
    const bool down = uniform(0, 1) == 1;
    const int line = uniform(0, kSide - 1), end = uniform(kSide - 3, kSide - 1);
    const int length = uniform(1, 3);
    for (int along = end - length + 1; along <= end; ++along) {
      char& square = down ? rows[along][line] : rows[line][along];
      const char ch = letter();
      if (square == '.' && left[ch - 'a'] > 0) {
        square = ch;
        --left[ch - 'a'];
      }
    }
  }
}

std::vector<PositionGen::LineEndWord> PositionGen::lineEndWords(const Grid& rows, int count) {
  std::vector<LineEndWord> out;
  for (int attempt = 0; attempt < 40 * count && static_cast<int>(out.size()) < count; ++attempt) {
    const bool down = uniform(0, 1) == 1;
    const int line = uniform(0, kSide - 1), end = uniform(kSide - 4, kSide - 1);
    const int n = uniform(2, std::min(kSide - 1, end));
    const int start = end - n + 1;
    auto at = [&](int along) {
      const char ch = down ? rows[along][line] : rows[line][along];
      return ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch - 'A' + 'a') : ch;
    };
    if (at(start - 1) != '.' || (end + 1 < kSide && at(end + 1) != '.')) continue;
    LineEndWord w{std::string(static_cast<std::size_t>(n), '.'), ""};
    std::string boardLetters;
    for (int j = n - 1; j >= 0; --j) {
      const char ch = at(start + j);
      if (ch != '.') {
        w.word[j] = ch;
        boardLetters += ch;
      } else {
        w.word[j] = !boardLetters.empty() && uniform(0, 1) == 0
                        ? boardLetters[uniform(0, static_cast<int>(boardLetters.size()) - 1)]
                        : letter();
        w.tiles += w.word[j];
      }
    }
    if (!boardLetters.empty() && !w.tiles.empty() && w.tiles.size() <= kMoveSlots)
      out.push_back(std::move(w));
  }
  return out;
}

std::string PositionGen::rack(int tiles, int blanks, bool odd) {
  std::string r;
  for (int i = 0; i < tiles - blanks; ++i) {
    char ch = letter();
    if (odd && uniform(0, 5) == 0) ch = uniform(0, 1) ? static_cast<char>(ch - 'a' + 'A') : '\xe9';
    r += ch;
  }
  for (int b = 0; b < blanks; ++b)
    r.insert(r.begin() + uniform(0, static_cast<int>(r.size())), '_');
  return r;
}

std::vector<std::string> plainWords(const std::string& listText) {
  const WordList list = WordList::parse(listText);
  std::vector<std::string> out;
  for (std::size_t i = 0; i < list.size(); ++i) {
    const std::string_view w = list[i];
    bool plain = !w.empty();
    for (char c : w) plain = plain && c >= 'a' && c <= 'z';
    if (plain) out.emplace_back(w);
  }
  return out;
}

}  // namespace tilvan::test
