// The complete search walks the word graph from every anchor square (an empty
// square next to a board letter; the centre on an empty board), once along
// the rows and once down the columns, which it reads as the rows of the
// transposed board. Each new square only takes letters that make its
// cross-word a word. New tiles left of an anchor only cover empty squares
// that are not anchors themselves, so every placement is found once, from
// its leftmost anchor. Those left parts are the same for every anchor: the
// rack's word prefixes are collected once per search, filed by the letters
// that may follow them, and an anchor only takes the prefixes that its own
// letters can follow. Blanks are taken only once the rack has no tile of the
// letter left; which of a word's equal letters become the blanks is chosen
// when the placement is scored.
#include "finder/complete_search.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cstdint>
#include <limits>

#include "finder/complete_best.h"
#include "finder/complete_frame.h"
#include "finder/word_graph.h"
#include "game/move_score.h"
#include "game/move_words.h"

namespace tilvan {

namespace {

constexpr int kN = kSide;
constexpr std::uint32_t kAllLetters = (1u << 26) - 1;

using Found = CompleteMove;

class Generator {
 public:
  Generator(const WordGraph& g, const std::array<int, kLetters>& values, std::string_view rack,
            Best& out)
      : g_(g), value_(values), out_(out) {
    // The rack box holds at most seven tiles; a character that is neither a
    // letter a..z nor '_' is a tile that no word can use.
    for (char ch : rack.substr(0, kMoveSlots)) {
      if (ch == '_')
        ++blanks_;
      else if (ch >= 'a' && ch <= 'z')
        ++rack_[ch - 'a'];
    }
    tilesInRack_ = static_cast<int>(std::min<std::size_t>(rack.size(), kMoveSlots));
    rackLetters_ = rack_;
    blanksInRack_ = blanks_;
    for (int l = 0; l < 26; ++l)
      if (rack_[l] > 0) rackMask_ |= 1u << l;
  }

  // Values placements by their score plus leaves[the tiles kept].
  // REQUIRES: `rack` the constructor's, sorted.
  void valueBy(const LeaveValues& leaves, std::string_view rack) {
    leaves_ = &leaves;
    rack = rack.substr(0, kMoveSlots);
    for (std::size_t k = 0; k < rack.size(); ++k) {
      const char ch = rack[k];
      const int t = ch == '_' ? kBlank : ch >= 'a' && ch <= 'z' ? ch - 'a' : -1;
      if (t < 0)
        fixedKept_ |= 1u << k;  // never laid
      else if (k == 0 || rack[k - 1] != ch)
        firstOf_[static_cast<std::size_t>(distinct_++)] = {static_cast<std::uint8_t>(t),
                                                            static_cast<std::uint8_t>(k)};
    }
  }

  // The rack's prefixes: every start of a word that the rack can lay, up to
  // one tile short of the rack, found once per search. bucket(l, len) holds
  // the prefixes of length len that letter l can follow with a tile left.
  void collectPrefixes() {
    if (tilesInRack_ > 1) growPrefix(g_.root(), 0);
  }

  // Every placement along the frame's rows.
  // REQUIRES: collectPrefixes() ran.
  void run(const Frame& f, bool down) {
    f_ = &f;
    down_ = down;
    if (tilesInRack_ == 0) return;
    for (int r = 0; r < kN; ++r) {
      row_ = r;
      const int base = r * kN;
      for (int c = 0; c < kN; ++c) {
        if (!f.anchor[base + c]) continue;
        anchor_ = c;
        if (c > 0 && !f.empty(base + c - 1)) {
          // The board letters left of the anchor are the word's fixed start.
          int start = c - 1;
          while (start > 0 && !f.empty(base + start - 1)) --start;
          WordGraph::Node n = g_.root();
          for (int k = start; k < c && n != WordGraph::kNone; ++k) {
            n = g_.child(n, f.letter[base + k]);
            word_[k] = static_cast<char>('a' + f.letter[base + k]);
            isNew_[k] = false;
          }
          if (n != WordGraph::kNone) extendRight(n, start, c);
        } else {
          int room = 0;
          while (c - room - 1 >= 0 && !f.anchor[base + c - room - 1] && room + 1 < tilesInRack_)
            ++room;
          fromAnchor(room);
        }
      }
    }
  }

 private:
  enum Kind { kNoTile, kLetterTile, kBlankTile };
  using Prefix = std::array<char, kMoveSlots>;  // its letters
  // A prefix that letter x can follow, with what follows x.
  struct Entry {
    std::uint32_t prefix;
    WordGraph::Node after;       // the node after the prefix and x
    std::uint32_t afterLetters;  // the letters that can come next
  };
  // Letters a tile can be taken for now.
  std::uint32_t takeable() const { return blanks_ > 0 ? kAllLetters : rackMask_; }
  // Takes a tile for letter l: a rack letter while there is one, else a blank.
  Kind take(int l) {
    if (rack_[l] > 0) {
      if (--rack_[l] == 0) rackMask_ &= ~(1u << l);
      return kLetterTile;
    }
    if (blanks_ > 0) {
      --blanks_;
      return kBlankTile;
    }
    return kNoTile;
  }
  void giveBack(int l, Kind k) {
    if (k == kLetterTile) {
      ++rack_[l];
      rackMask_ |= 1u << l;
    } else
      ++blanks_;
  }

  void growPrefix(WordGraph::Node n, int len) {
    if (len > 0) {
      Prefix p{};
      std::copy(pre_.begin(), pre_.begin() + len, p.begin());
      const auto id = static_cast<std::uint32_t>(prefixes_.size());
      prefixes_.push_back(p);
      for (std::uint32_t m = g_.letters(n) & takeable(); m; m &= m - 1) {
        const int l = std::countr_zero(m);
        const WordGraph::Node after = g_.child(n, l);
        bucket(l, len).push_back({id, after, g_.letters(after)});
      }
    }
    if (len + 1 >= tilesInRack_) return;
    for (std::uint32_t m = g_.letters(n) & takeable(); m; m &= m - 1) {
      const int l = std::countr_zero(m);
      const Kind kind = take(l);
      pre_[len] = static_cast<char>('a' + l);
      growPrefix(g_.child(n, l), len + 1);
      giveBack(l, kind);
    }
  }
  std::vector<Entry>& bucket(int letter, int len) {
    return buckets_[static_cast<std::size_t>(letter * kMoveSlots + len)];
  }

  // Words whose new tiles start at the anchor or on the `room` empty
  // non-anchor squares left of it: a rack prefix, then the anchor's letter.
  void fromAnchor(int room) {
    const Frame& f = *f_;
    const int a = row_ * kN + anchor_;
    extendRight(g_.root(), anchor_, anchor_);
    // A board letter right of the anchor must follow the anchor's letter.
    const int next = anchor_ + 1 < kN ? f.letter[a + 1] : -1;
    for (int len = 1; len <= room; ++len) {
      const int start = anchor_ - len;
      for (std::uint32_t m = f.cross[a]; m; m &= m - 1) {
        const int x = std::countr_zero(m);
        for (const Entry& e : bucket(x, len)) {
          if (next >= 0 && !((e.afterLetters >> next) & 1)) continue;
          const Prefix& p = prefixes_[e.prefix];
          const WordGraph::Node after = e.after;
          std::array<Kind, kMoveSlots> kinds;
          for (int k = 0; k < len; ++k) {
            const int l = p[static_cast<std::size_t>(k)] - 'a';
            kinds[static_cast<std::size_t>(k)] = take(l);
            word_[start + k] = p[static_cast<std::size_t>(k)];
            isNew_[start + k] = true;
            kind_[start + k] = kinds[static_cast<std::size_t>(k)];
          }
          const Kind kind = take(x);
          word_[anchor_] = static_cast<char>('a' + x);
          isNew_[anchor_] = true;
          kind_[anchor_] = kind;
          tiles_ += len + 1;
          extendRight(after, start, anchor_ + 1);
          tiles_ -= len + 1;
          isNew_[anchor_] = false;
          giveBack(x, kind);
          for (int k = len - 1; k >= 0; --k)
            giveBack(p[static_cast<std::size_t>(k)] - 'a', kinds[static_cast<std::size_t>(k)]);
        }
      }
    }
  }

  void extendRight(WordGraph::Node n, int start, int col) {
    const Frame& f = *f_;
    const int base = row_ * kN;
    if (col == kN || f.empty(base + col)) {
      if (col > anchor_ && g_.isWord(n)) record(start, col);
      if (col == kN) return;
      const std::uint32_t allowed = g_.letters(n) & f.cross[base + col] & takeable();
      for (std::uint32_t m = allowed; m; m &= m - 1) {
        const int l = std::countr_zero(m);
        const Kind kind = take(l);
        word_[col] = static_cast<char>('a' + l);
        isNew_[col] = true;
        kind_[col] = kind;
        ++tiles_;
        extendRight(g_.child(n, l), start, col + 1);
        isNew_[col] = false;
        --tiles_;
        giveBack(l, kind);
      }
      return;
    }
    const WordGraph::Node next = g_.child(n, f.letter[base + col]);
    if (next == WordGraph::kNone) return;
    word_[col] = static_cast<char>('a' + f.letter[base + col]);
    isNew_[col] = false;
    extendRight(next, start, col + 1);
  }

  void record(int start, int end) {
    const Frame& f = *f_;
    const int base = row_ * kN;
    // A single tile with a word across is the across placement.
    if (down_ && tiles_ == 1) {
      for (int c = start; c < end; ++c)
        if (isNew_[c] && f.hasCross[base + c]) return;
    }
    int mainSum = 0, mainMult = 1, crossTotal = 0;
    for (int c = start; c < end; ++c) {
      const int i = base + c;
      if (!isNew_[c]) {
        mainSum += f.value[i];
        continue;
      }
      const int v = value_[word_[c] - 'a'] * f.lm[i];
      mainSum += v;
      mainMult *= f.wm[i];
      if (f.hasCross[i]) crossTotal += (f.crossSum[i] + v) * f.wm[i];
    }
    int score = mainSum * mainMult + crossTotal + fullRackBonus(tiles_);
    // Blanks stand in for the letters the rack lacks, on the squares where
    // the letter counts least (the later square when two count alike).
    std::uint16_t blankBits = 0;
    if (blanks_ < blanksInRack_) {
      // The letters that took blanks while searching: the rack ran out of them.
      for (int c = start; c < end; ++c) {
        if (!isNew_[c] || kind_[c] != kBlankTile) continue;
        const int l = word_[c] - 'a';
        int best = -1, bestWeight = 0;
        for (int k = end - 1; k >= start; --k) {
          if (!isNew_[k] || word_[k] != word_[c] || ((blankBits >> (k - start)) & 1)) continue;
          const int i = base + k;
          const int weight = f.lm[i] * (mainMult + (f.hasCross[i] ? f.wm[i] : 0));
          if (best < 0 || weight < bestWeight) best = k, bestWeight = weight;
        }
        blankBits |= static_cast<std::uint16_t>(1u << (best - start));
        score -= value_[l] * bestWeight;
      }
    }
    const double value = leaves_ ? score + (*leaves_)[keptMask()] : score;
    if (!out_.wants(score, value)) return;
    Found r{};
    r.score = score;
    r.value = value;
    r.down = down_;
    r.row = static_cast<std::uint8_t>(down_ ? start : row_);
    r.col = static_cast<std::uint8_t>(down_ ? row_ : start);
    r.len = static_cast<std::uint8_t>(end - start);
    r.blanks = blankBits;
    std::copy(word_.begin() + start, word_.begin() + end, r.word.begin());
    out_.add(r);
  }

  // The rack positions still kept: of each tile, the first ones.
  unsigned keptMask() const {
    unsigned kept = fixedKept_;
    for (int i = 0; i < distinct_; ++i) {
      const auto [tile, first] = firstOf_[static_cast<std::size_t>(i)];
      const int left = tile == kBlank ? blanks_ : rack_[tile];
      kept |= ((1u << left) - 1) << first;
    }
    return kept;
  }

  const WordGraph& g_;
  const std::array<int, kLetters>& value_;
  const LeaveValues* leaves_ = nullptr;
  unsigned fixedKept_ = 0;
  int distinct_ = 0;
  std::array<std::pair<std::uint8_t, std::uint8_t>, kMoveSlots> firstOf_{};  // tile, first position
  Best& out_;
  const Frame* f_ = nullptr;
  bool down_ = false;
  int row_ = 0, anchor_ = 0, tiles_ = 0, tilesInRack_ = 0, blanks_ = 0, blanksInRack_ = 0;
  std::vector<Prefix> prefixes_;
  std::array<std::vector<Entry>, 26 * kMoveSlots> buckets_;
  std::uint32_t rackMask_ = 0;  // letters with a rack tile left
  std::array<int, 26> rack_{}, rackLetters_{};
  std::array<char, kN> word_{}, pre_{};
  std::array<bool, kN> isNew_{};
  std::array<Kind, kN> kind_{};  // how each new tile was taken
};

}  // namespace

bool valueRankedBefore(const CompleteMove& a, const CompleteMove& b) {
  if (a.value != b.value) return a.value > b.value;
  return rankedBefore(a, b);
}

bool rankedBefore(const CompleteMove& a, const CompleteMove& b) {
  if (a.score != b.score) return a.score > b.score;
  if (a.down != b.down) return a.down < b.down;
  if (a.row != b.row) return a.row < b.row;
  if (a.col != b.col) return a.col < b.col;
  return a.text() < b.text();
}

namespace {

// Every placement on `board`, or the best `limit`, into `best`; valued by
// `leaves` when given.
void generate(const WordList& list, const Board& board, const std::array<int, kSquares>& premiums,
              const std::array<int, kLetters>& values, std::string_view rack, Best& best,
              const LeaveValues* leaves = nullptr) {
  const WordGraph& g = list.derived<WordGraph>();
  const bool boardEmpty = board.empty();
  Frame frame;
  Generator gen(g, values, rack, best);
  if (leaves) gen.valueBy(*leaves, rack);
  gen.collectPrefixes();
  for (int d = 0; d < 2; ++d) {
    readFrame(board, premiums, values, d == 1, frame);
    findFrameAnchors(g, boardEmpty, frame);
    gen.run(frame, d == 1);
  }
}

}  // namespace

std::vector<CompleteResult> completeSearch(const WordList& list, const GameState& state,
                                           std::string_view rack, std::size_t maxResults) {
  if (maxResults == 0) return {};
  Best best(maxResults, false);
  generate(list, state.Committed, state.SquareBonus, state.LetterValue, rack, best);
  return describeMoves(state, std::move(best).ranked());
}

void completeMoves(const WordList& list, const Board& board,
                   const std::array<int, kSquares>& premiums, std::string_view rack,
                   std::vector<CompleteMove>& out, std::size_t maxResults) {
  const bool all = maxResults == std::numeric_limits<std::size_t>::max();
  Best best(maxResults, false);
  generate(list, board, premiums, kLetterValue, rack, best);
  out = all ? std::move(best).all() : std::move(best).ranked();
}

void completeMovesByValue(const WordList& list, const Board& board,
                          const std::array<int, kSquares>& premiums, std::string_view rack,
                          const LeaveValues& leaveValues, std::size_t maxResults,
                          std::vector<CompleteMove>& out) {
  assert(std::is_sorted(rack.begin(), rack.end()));
  Best best(maxResults, true);
  generate(list, board, premiums, kLetterValue, rack, best, &leaveValues);
  out = std::move(best).ranked();
}

void findPlacements(const WordGraph& g, const std::array<Frame, 2>& frames,
                    const std::array<int, kLetters>& letterValue, std::string_view rack,
                    std::vector<CompleteMove>& out, bool ranked) {
  Best best(static_cast<std::size_t>(-1), false);
  Generator gen(g, letterValue, rack, best);
  gen.collectPrefixes();
  for (int d = 0; d < 2; ++d) gen.run(frames[d], d == 1);
  out = ranked ? std::move(best).ranked() : std::move(best).all();
}

}  // namespace tilvan
