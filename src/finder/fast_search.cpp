// The program's placement search. It gives exactly the placements, in exactly
// the order and with exactly the collapsing, of the plain search that lays
// every record through every board letter, but walks the word list's
// automaton (word_index.h) instead. For each board letter that a word can
// reach first, it lays the rack letters that may come before it (only along
// prefixes through which some word still has the board's letters from there
// on in place), then the rest of the word through the board letters and the
// rack. A branch is left as soon as no word below it can end on a square
// followed by an empty one with the tiles left, pass the next board letters,
// or be supplied by the rack. Empty squares with a neighbour across the line
// take only letters whose cross-word the list holds, so placements that the
// word check would drop are never made; where two equal placements are left,
// whether the plain search had others between them is worked out from the
// records concerned, to collapse them as it would. Finally the plain order
// (record, line, anchor) is restored. A later move's two directions are
// searched by two threads, which share out the lines as they come free.
#include <algorithm>
#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "finder/placement_search.h"
#include "finder/side_by_side.h"
#include "finder/word_checks.h"
#include "finder/word_index.h"

namespace tilvan {
namespace {

using Index = WordIndex;
using Cursor = WordIndex::Cursor;
constexpr int kMaxLen = kSide;

// The rack as counts of its real characters plus the number of blanks.
struct RackCounts {
  explicit RackCounts(std::string_view rack) {
    for (unsigned char c : rack) {
      if (c == '_')
        ++blanks;
      else
        ++count[c];
    }
  }
  std::array<int, 256> count{};
  int blanks = 0;
};

// Take from rack: each needed letter takes the first rack character that is
// that letter or a blank; true when every letter was supplied. (Taking a
// character out keeps the others in order, so marking it used is the same.)
bool takeFromRack(const char* needed, int n, std::string_view rack, std::string& left) {
  if (rack.size() > 64) {
    left.assign(rack);
    int taken = 0;
    for (int i = 0; i < n; ++i) {
      for (std::size_t q = 0; q < left.size(); ++q) {
        if (left[q] == needed[i] || left[q] == '_') {
          left.erase(q, 1);
          ++taken;
          break;
        }
      }
    }
    return taken == n && n != 0;
  }
  std::uint64_t used = 0;
  for (int i = 0; i < n; ++i) {
    std::size_t q = 0;
    while (q < rack.size() && ((used >> q & 1) || (rack[q] != needed[i] && rack[q] != '_'))) ++q;
    if (q == rack.size()) return false;
    used |= std::uint64_t{1} << q;
  }
  return n != 0;
}

// Whether the cross-word that a letter laid on an empty square forms is in
// the list (or is no word, one letter long); looked up once per square and
// character.
class CrossChecks {
 public:
  CrossChecks(const Index& ix, const LetterGrid& g) : ix_(&ix), g_(g) {
    for (int q = 0; q < kSquares; ++q)
      crosses_[q] =
          !g[q] && ((q >= kSide && g[q - kSide]) || (q + kSide < kSquares && g[q + kSide]));
  }
  bool crosses(int q) const { return crosses_[q]; }
  bool allows(int q, unsigned char c) {
    if (c < 'a' || c > 'z') return lookUp(q, c);
    std::uint8_t& m = memo_[static_cast<std::size_t>(q) * 26 + (c - 'a')];
    if (!m) m = lookUp(q, c) ? 1 : 2;
    return m == 1;
  }

  // Set when every placement the search returned passed these checks.
  bool allPassed = false;

  // True when these checks were made for this index and grid.
  bool madeFor(const Index& ix, const LetterGrid& g) const { return ix_ == &ix && g_ == g; }

 private:
  const Index* ix_;
  LetterGrid g_;
  std::array<bool, kSquares> crosses_{};
  std::array<std::uint8_t, kSquares * 26> memo_{};  // 1 allowed, 2 not, 0 not known yet

  bool lookUp(int q, unsigned char c) const {
    int top;
    return ix_->contains(crossWord(g_, q, static_cast<char>(c), top));
  }
};

// Whether every blank of the rack comes after every other character.
bool blanksLast(std::string_view rack) {
  const std::size_t lastOther = rack.find_last_not_of('_');
  return lastOther == std::string_view::npos || rack.find('_') > lastOther;
}

// Walks one line's start squares for one direction, giving each placement as
// the rank of its text, its anchor and its start. With cross checks, only
// placements whose cross-words are all in the list are given.
template <bool kByPosition>
class LineWalker {
 public:
  LineWalker(const Index& ix, const LetterGrid& grid, std::string_view rack,
             std::vector<std::uint64_t>& out, CrossChecks* cross)
      : ix_(ix),
        g_(grid),
        rack_(rack),
        counts_(rack),
        countsDecide_(!counts_.blanks || blanksLast(rack)),
        out_(out),
        cross_(cross) {
    if (kByPosition)
      for (std::size_t q = 0; q < rack.size(); ++q)
        at_[static_cast<unsigned char>(rack[q])] |= std::uint64_t{1} << q;
    blankBits_ = at_['_'];
    for (int c = 'a'; c <= 'z'; ++c) {
      if (!counts_.count[c]) continue;
      lettersLeft_ |= Index::letterMask(static_cast<unsigned char>(c));
      rackLetters_.push_back(static_cast<char>(c));
    }
    // reach_[q][m] as described with it: each empty square q + k on the
    // board ends a word for every m of at least the empty squares before it.
    for (int q = 0; q <= kSquares; ++q) {
      std::array<std::uint16_t, kReachTiles> from{};
      int empties = 0;
      for (int k = 0; k < kReachTiles && q + k < kSquares; ++k) {
        if (g_[q + k]) continue;
        from[empties++] |= static_cast<std::uint16_t>(1u << k);
      }
      std::uint16_t bits = 0;
      for (int m = 0; m < kReachTiles; ++m) reach_[q][m] = bits |= from[m];
    }
    for (int q = kSquares - 1, next = kSquares; q >= 0; --q) {
      nextLetter_[q] = std::min(next - q, kReachTiles);
      if (g_[q]) next = q;
    }
    for (int q = 0; q < kSquares; ++q) {
      Run& run = runs_[q];
      for (int i = 0; i < kRun && q % kSide + i < kSide && g_[q + i]; ++i)
        run.rows[run.length++] = Index::letterBit(static_cast<unsigned char>(g_[q + i]));
    }
  }

  // Every placement through a board letter of the line: for each board
  // letter f that a word can reach first (the square before it empty), the
  // rack letters that can lie before it, then the rest of the word.
  void walkLine(int line) {
    base_ = line * kSide;
    const int rackLength = static_cast<int>(rack_.size());
    int prev = -1;
    for (int f = 0; f < kSide; ++f) {
      if (!g_[base_ + f]) continue;
      // Starts sp from lo to f have f as their first board letter.
      const int lo = std::max(1, prev + 2);
      prev = f;
      if (f < lo) continue;
      f_ = f;
      // A word through f is at most 15 - f long (its anchor lies at f or
      // further), so at most 14 - f letters come before f.
      maxLen_ = kSide - f;
      kMax_ = std::min({f - lo, rackLength, maxLen_ - 1});
      letter_ = static_cast<unsigned char>(g_[base_ + f]);
      run_ = &runs_[base_ + f];
      // One walk over the runs of rack letters before f for every start
      // square at once: bit d of `starts` stands for the start d squares
      // before f, kept while some word can still have the board letters
      // from f on at positions d, d + 1, ... and the rack letters pass the
      // cross checks from that start.
      std::uint32_t starts = (2u << kMax_) - 1;
      for (int i = 0; i < run_->length; ++i)
        starts &= aheadBits(ix_.rootAhead(run_->rows[i]), 0) >> i;
      if (!starts) continue;
      // For the (j + 1)-th rack letter of a word that starts d squares
      // before f: whether its square has a cross-word, and the lengths that
      // the word can go on for after it.
      for (int j = 0; j < kMax_; ++j) {
        prefixCrossing_[j] = 0;
        const int tilesLeft = rackLength - j - 1;
        for (int d = j + 1; d <= kMax_; ++d) {
          const int t = base_ + f_ - d + j;
          if (cross_ && cross_->crosses(t)) prefixCrossing_[j] |= 1u << d;
          prefixWant_[j][d] = reachable(t + 1, j + 1, tilesLeft);
        }
      }
      needed_ = 0;
      prefixWalk(ix_.root(), 0, starts);
    }
  }

 private:
  // The positions in the word (as bits) at which some text through a state
  // with look-ahead mask `ahead` for a letter (the state lies j characters
  // into the word) has that letter; positions beyond the masks' reach are
  // all set.
  static std::uint32_t aheadBits(std::uint8_t ahead, int j) {
    return (std::uint32_t{ahead} << j) | (~0u << (j + Index::kAheadDepth));
  }

  // The j rack letters before f's letter are on path_; `starts` as above.
  void prefixWalk(const Cursor& node, int j, std::uint32_t starts) {
    if (starts & (1u << j)) {
      const std::uint32_t anchor = ix_.edgeOf(node, letter_);
      if (anchor != Index::kNone) {
        sp_ = f_ - j;
        s_ = base_ + sp_;
        prefixLetters_ = 0;
        for (int i = 0; i < j; ++i)
          prefixLetters_ |= Index::letterMask(static_cast<unsigned char>(path_[i]));
        path_[j] = static_cast<char>(letter_);
        walk(ix_.down(node, anchor), j + 1);
      }
    }
    const std::uint32_t later = starts & ~((2u << j) - 1);
    if (!later) return;
    const std::uint32_t crossing = prefixCrossing_[j];
    const std::array<std::uint16_t, kSide>& want = prefixWant_[j];
    std::array<const std::uint8_t*, kRun> ahead{};
    for (int i = 0; i < run_->length; ++i) ahead[i] = ix_.childAhead(node, run_->rows[i]);
    std::array<std::uint32_t, 256> edges;
    const int count = takeableEdges(node, edges);
    for (int k = 0; k < count; ++k) {
      const std::uint32_t e = edges[k];
      const unsigned char c = ix_.edgeChar(e);
      // Only children through which some word has the board letters from f
      // on at positions d, d + 1, ...
      std::uint32_t next = later;
      for (int i = 0; i < run_->length; ++i)
        next &= aheadBits(ahead[i][e - node.first()], j + 1) >> i;
      const std::uint16_t lengths = ix_.edgeLengths(e);
      for (std::uint32_t left = next; left; left &= left - 1) {
        const int d = __builtin_ctz(left);
        if (!(lengths & want[d])) next &= ~(1u << d);
      }
      for (std::uint32_t left = next & crossing; left; left &= left - 1) {
        const int d = __builtin_ctz(left);
        if (!cross_->allows(base_ + f_ - d + j, c)) next &= ~(1u << d);
      }
      if (!next) continue;
      const std::uint64_t token = take(c);
      // Only the anchor's letter can follow a child that the rack cannot go
      // on from.
      if ((next & (2u << j)) || canGoOn(e)) {
        path_[j] = static_cast<char>(c);
        needLetters_[needed_++] = static_cast<char>(c);
        prefixWalk(ix_.down(node, e), j + 1, next);
        --needed_;
      }
      putBack(c, token);
    }
  }

  // The edges of `node` whose character the rack can supply now, into
  // `edges`: the letters a..z that it holds (all of them while it has a
  // blank left), then the characters outside a..z that it holds. Their count.
  __attribute__((always_inline)) int takeableEdges(const Cursor& node,
                                                   std::array<std::uint32_t, 256>& edges) const {
    int count = 0;
    // The letters' edges lie in letter order after the `low` others.
    const std::uint32_t takeable = node.letters() & takeableLetters();
    if (takeable == node.letters()) {
      std::uint32_t e = node.first() + node.low();
      for (std::uint32_t bits = takeable; bits; bits &= bits - 1) edges[count++] = e++;
    } else {
      for (std::uint32_t bits = takeable; bits; bits &= bits - 1)
        edges[count++] = Index::letterEdge(node, bits & (~bits + 1));
    }
    if (!(node.low() | node.high())) return count;
    for (std::uint32_t e = node.first(); e < node.first() + node.low(); ++e)
      if (canTake(ix_.edgeChar(e))) edges[count++] = e;
    for (std::uint32_t e = node.end() - node.high(); e < node.end(); ++e)
      if (canTake(ix_.edgeChar(e))) edges[count++] = e;
    return count;
  }

  // Whether the rack, as it is now, can supply some letter of an edge below
  // `edge`.
  bool canGoOn(std::uint32_t edge) const {
    return (ix_.childLetters(edge) & takeableLetters()) || ix_.childHasOthers(edge);
  }

  // The letters a..z (as Cursor::letters bits) that the rack can supply now.
  std::uint32_t takeableLetters() const {
    if constexpr (kByPosition) {
      if (blankBits_ & ~used_) return ~0u;
      std::uint32_t letters = 0;
      for (const unsigned char c : rackLetters_)
        if (at_[c] & ~used_) letters |= Index::letterMask(c);
      return letters;
    } else {
      return counts_.blanks > 0 ? ~0u : lettersLeft_;
    }
  }

  // Whether rack character c can be taken now.
  bool canTake(unsigned char c) const {
    if constexpr (kByPosition)
      return ((at_[c] | blankBits_) & ~used_) != 0;
    else
      return counts_.count[c] > 0 || counts_.blanks > 0;
  }
  // Takes c from the rack (canTake(c) must hold); the token puts it back.
  std::uint64_t take(unsigned char c) {
    if constexpr (kByPosition) {
      const std::uint64_t left = (at_[c] | blankBits_) & ~used_;
      const std::uint64_t bit = left & (~left + 1);
      used_ |= bit;
      return bit;
    }
    if (counts_.count[c] > 0) {
      if (--counts_.count[c] == 0) lettersLeft_ &= ~Index::letterMask(c);
      return 1;
    }
    --counts_.blanks;
    return 0;
  }
  void putBack(unsigned char c, std::uint64_t token) {
    if constexpr (kByPosition)
      used_ &= ~token;
    else if (token) {
      ++counts_.count[c];
      lettersLeft_ |= Index::letterMask(c);
    } else
      ++counts_.blanks;
  }

  // The lengths (as WordIndex::edgeLengths gives them) that a word whose
  // next square is q, with d characters laid, can still go on for.
  std::uint16_t reachable(int q, int d, int tilesLeft) const {
    return reach_[q][std::min(tilesLeft, kReachTiles - 1)] &
           static_cast<std::uint16_t>((2u << (maxLen_ - d)) - 1);
  }

  // After the board letter at f: the rest of the word from square s_ + d.
  // Children that no word can go on from to end on a square followed by an
  // empty one are left out.
  void walk(const Cursor& node, int d) {
    if (needed_ > 0 && node.terminal()) emit(node.rank, d);
    if (d >= maxLen_ || node.first() == node.end()) return;
    const int t = s_ + d;
    const int tilesLeft = static_cast<int>(rack_.size()) - needed_;
    if (g_[t]) {
      const std::uint32_t edge = ix_.edgeOf(node, static_cast<unsigned char>(g_[t]));
      if (edge == Index::kNone || !(ix_.edgeLengths(edge) & reachable(t + 1, d + 1, tilesLeft)))
        return;
      path_[d] = g_[t];
      walk(ix_.down(node, edge), d + 1);
      return;
    }
    if (tilesLeft == 0) return;
    const std::uint16_t want = reachable(t + 1, d + 1, tilesLeft - 1);
    if (!want) return;
    // Words that go on past the next board letter (p squares on) must have
    // the board's letters from there on (up to kRun of them) in place.
    const int p = nextLetter_[t];
    const std::uint16_t passing = static_cast<std::uint16_t>(want & (~0u << p));
    const std::uint16_t stopping = want & ~passing;
    std::array<const std::uint8_t*, kRun> ahead{};
    int rows = 0;
    if (passing)
      for (const Run& run = runs_[t + p]; rows < run.length && p + rows <= Index::kAheadDepth;
           ++rows)
        ahead[rows] = ix_.childAhead(node, run.rows[rows]);
    const bool checkCross = cross_ && cross_->crosses(t);
    std::array<std::uint32_t, 256> edges;
    const int count = takeableEdges(node, edges);
    for (int k = 0; k < count; ++k) {
      const std::uint32_t e = edges[k];
      const std::uint16_t lengths = ix_.edgeLengths(e);
      if (!(lengths & stopping)) {
        if (!(lengths & passing)) continue;
        bool fits = true;
        for (int i = 0; i < rows && fits; ++i) fits = ahead[i][e - node.first()] >> (p - 1 + i) & 1;
        if (!fits) continue;
      }
      const unsigned char c = ix_.edgeChar(e);
      if (checkCross && !cross_->allows(t, c)) continue;
      const std::uint64_t token = take(c);
      // A child where no word ends that the rack cannot go on from is left.
      if ((lengths & want & 1) || g_[t + 1] || canGoOn(e)) {
        path_[d] = static_cast<char>(c);
        needLetters_[needed_++] = static_cast<char>(c);
        walk(ix_.down(node, e), d + 1);
        --needed_;
      }
      putBack(c, token);
    }
  }

  // A word of n letters from s_ ends here: check the squares around it, the
  // rack and the anchors that find it.
  void emit(std::uint32_t rank, int n) {
    const int e = s_ + n - 1;
    if (e + 1 > kSquares - 1 || g_[e + 1]) return;
    // Taken by rack position, or by counts when they decide, the walk
    // already took the letters as the rules do; otherwise check.
    if (!kByPosition && !countsDecide_ && !takeFromRack(needLetters_, needed_, rack_, scratch_))
      return;
    // The board letters from f on (within the anchor bound) that are the
    // first of their letter in the word.
    const std::string_view text(path_, static_cast<std::size_t>(n));
    int anchors[kSide];
    int nAnchors = 0;
    std::uint32_t seen = prefixLetters_;  // the letters a..z before position p
    for (int p = f_; p <= sp_ + n - 1 && p <= kSide - n; ++p) {
      const auto letter = static_cast<unsigned char>(path_[p - sp_]);
      const std::uint32_t bit = Index::letterMask(letter);
      if (g_[base_ + p] &&
          (bit ? !(seen & bit) : static_cast<int>(text.find(static_cast<char>(letter))) == p - sp_))
        anchors[nAnchors++] = p;
      seen |= bit;
    }
    // The rank stands for its records until the walk is over (see
    // FastSearch::walk).
    for (int a = 0; a < nAnchors; ++a)
      out_.push_back((std::uint64_t{rank} << 12) | (std::uint64_t(base_ + anchors[a]) << 4) |
                     static_cast<std::uint64_t>(sp_));
  }

  const Index& ix_;
  const LetterGrid& g_;
  std::string_view rack_;
  RackCounts counts_;
  // Without blanks, or with every blank after every letter, taking by
  // counts is what the rules do (a letter takes a blank only when no copy of
  // it is left). Otherwise a walker by position takes, as the rules do, the
  // first rack character left that is the letter or a blank (racks of up to
  // 64 characters); one by counts checks each word at the end.
  const bool countsDecide_;
  std::array<std::uint64_t, 256> at_{};  // rack positions of each character
  std::string rackLetters_;              // the letters a..z of the rack, once each
  std::uint32_t lettersLeft_ = 0;        // those that counts_ has left, as bits
  // reach_[q][m], bit k: a word can go on for exactly k more squares from
  // square q with m rack tiles left (m capped): the square after them is
  // empty and on the board (not the last square, which no word can end
  // before), and at most m of them are empty.
  static constexpr int kReachTiles = 16;
  std::array<std::array<std::uint16_t, kReachTiles>, kSquares + 1> reach_{};
  // How many squares on the next board letter lies (at most kReachTiles).
  std::array<int, kSquares> nextLetter_{};
  // The look-ahead rows of the board letters from a square on, up to the
  // first empty square or the end of its line (at most kRun of them).
  static constexpr int kRun = 4;
  struct Run {
    int length = 0;
    std::array<int, kRun> rows{};
  };
  std::array<Run, kSquares> runs_{};
  const Run* run_ = nullptr;  // that of f
  // As worked out for f in walkLine, by j and d.
  std::array<std::uint32_t, kSide> prefixCrossing_{};
  std::array<std::array<std::uint16_t, kSide>, kSide> prefixWant_{};
  std::uint64_t blankBits_ = 0, used_ = 0;
  std::vector<std::uint64_t>& out_;
  CrossChecks* cross_;
  std::string scratch_;
  int base_ = 0, sp_ = 0, s_ = 0, f_ = 0, kMax_ = 0, maxLen_ = 0, needed_ = 0;
  unsigned char letter_ = 0;
  std::uint32_t prefixLetters_ = 0;  // the letters a..z before f in the word
  char path_[kMaxLen + 1] = {};
  char needLetters_[kMaxLen + 1] = {};
};

// Sorts keys ascending: radix passes of 10 bits for all but short lists.
void sortKeys(std::vector<std::uint64_t>& keys, std::vector<std::uint64_t>& scratch) {
  if (keys.size() < 256) {
    std::sort(keys.begin(), keys.end());
    return;
  }
  constexpr int kDigit = 10;
  constexpr std::uint64_t kMask = (1u << kDigit) - 1;
  std::uint64_t maxKey = 0;
  for (auto k : keys) maxKey = std::max(maxKey, k);
  scratch.resize(keys.size());
  for (int shift = 0; shift < 64 && (maxKey >> shift); shift += kDigit) {
    std::array<std::uint32_t, kMask + 2> count{};
    for (auto k : keys) ++count[((k >> shift) & kMask) + 1];
    for (std::size_t i = 0; i <= kMask; ++i) count[i + 1] += count[i];
    for (auto k : keys) scratch[count[(k >> shift) & kMask]++] = k;
    keys.swap(scratch);
  }
}

// Whether the plain search finds record w through the anchor at position p
// of `line` (whatever its cross-words): the rules' steps one to seven.
bool foundAt(std::string_view w, const LetterGrid& g, std::string_view rack, int line, int p,
             std::string& scratch) {
  const int n = static_cast<int>(w.size());
  const int a = line * kSide + p;
  if (!g[a]) return false;
  const std::size_t first = w.find(g[a]);
  if (first == std::string_view::npos) return false;
  const int sp = p - static_cast<int>(first);
  const int s = line * kSide + sp, e = s + n - 1;
  if (sp < 1 || sp + n - 1 > kSide - 1 || e + 1 > kSquares - 1 || g[e + 1] || g[s - 1])
    return false;
  char needed[kMaxLen];
  int count = 0;
  for (int j = 0; j < n; ++j) {
    if (!g[s + j])
      needed[count++] = w[j];
    else if (g[s + j] != w[j])
      return false;
  }
  if (count == 0 || count > static_cast<int>(rack.size())) return false;
  return takeFromRack(needed, count, rack, scratch);
}

// Whether record w has any entry in the plain search's found list between
// (line, p) positions `from` and `to` (line * 15 + anchor, both exclusive).
bool foundBetween(std::string_view w, const LetterGrid& g, std::string_view rack, int from, int to,
                  std::string& scratch) {
  const int n = static_cast<int>(w.size());
  if (n == 0 || n > kMaxLen) return false;
  for (int lineP = from + 1; lineP < to; ++lineP) {
    const int p = lineP % kSide;
    if (p <= kSide - n && foundAt(w, g, rack, lineP / kSide, p, scratch)) return true;
  }
  return false;
}

struct Entry {
  std::uint32_t record;
  int lineP;  // line * 15 + anchor position
  int start;
};
Entry entryOf(std::uint64_t key) {
  const int lineP = static_cast<int>((key >> 4) & 0xFF);
  return {static_cast<std::uint32_t>(key >> 12), lineP,
          lineP / kSide * kSide + static_cast<int>(key & 0xF)};
}

// The working state of one thread's searches and the searches themselves.
class Searcher {
 public:
  std::vector<std::string_view> rackWords(const WordList& list, std::string_view rack) {
    const Index& ix = list.derived<Index>();
    RackCounts counts(rack);
    std::vector<std::uint32_t> ids;
    std::string scratch;
    char path[kMoveSlots + 1];
    if (rack.size() <= 64) {
      // Each letter takes the first rack character left that is the letter
      // or a blank, as the rules do, so every path the walk reaches is taken
      // from the rack exactly and no further check is needed.
      std::array<std::uint64_t, 256> at{};
      for (std::size_t q = 0; q < rack.size(); ++q)
        at[static_cast<unsigned char>(rack[q])] |= std::uint64_t{1} << q;
      const std::uint64_t blanks = at['_'];
      std::uint64_t used = 0;
      auto take = [&](auto&& self, const Cursor& node, int d) -> void {
        if (d > 0 && node.terminal())
          ids.insert(ids.end(), ix.recordsBegin(node.rank), ix.recordsEnd(node.rank));
        if (d == kMoveSlots) return;
        for (std::uint32_t e = node.first(), end = node.end(); e < end; ++e) {
          const std::uint64_t left = (at[ix.edgeChar(e)] | blanks) & ~used;
          if (!left) continue;
          const std::uint64_t bit = left & (~left + 1);
          used |= bit;
          self(self, ix.down(node, e), d + 1);
          used &= ~bit;
        }
      };
      take(take, ix.root(), 0);
      return inFileOrder(list, ids);
    }
    auto walk = [&](auto&& self, const Cursor& node, int d) -> void {
      if (d > 0 && node.terminal() && takeFromRack(path, d, rack, scratch))
        ids.insert(ids.end(), ix.recordsBegin(node.rank), ix.recordsEnd(node.rank));
      if (d == kMoveSlots) return;
      for (std::uint32_t e = node.first(), end = node.end(); e < end; ++e) {
        const unsigned char c = ix.edgeChar(e);
        int& real = counts.count[c];
        if (!real && !counts.blanks) continue;
        const bool useReal = real > 0;
        if (useReal)
          --real;
        else
          --counts.blanks;
        path[d] = static_cast<char>(c);
        self(self, ix.down(node, e), d + 1);
        if (useReal)
          ++real;
        else
          ++counts.blanks;
      }
    };
    walk(walk, ix.root(), 0);
    return inFileOrder(list, ids);
  }

  std::vector<Placement> findPlacements(const WordList& list, const LetterGrid& grid,
                                        std::string_view rack) {
    const Index& ix = list.derived<Index>();
    if (rack.empty()) return {};
    // First only the placements whose cross-words are all in the list; their
    // duplicates collapse as in the full found list when the entries between
    // them (which the cross checks left out) can be worked out directly.
    CrossChecks& cross = freshCross(ix, grid);
    walk(ix, grid, rack, &cross);
    std::vector<Placement> out;
    if (collapseChecked(list, grid, rack, out)) {
      cross.allPassed = true;
      return out;
    }
    return everyPlacement(list, ix, grid, rack);
  }

  void checkWords(const WordList& list, const LetterGrid& gridV,
                  const std::vector<Placement>& foundV, const LetterGrid& gridH,
                  const std::vector<Placement>& foundH, std::vector<Placement>& keptV,
                  std::vector<Placement>& keptH) {
    const Index& ix = list.derived<Index>();
    keep(ix, gridV, foundV, keptV);
    keep(ix, gridH, foundH, keptH);
    for (auto& c : cross_) c.reset();
  }

  // Both directions at once, in two lanes (each a Searcher, each run by one
  // thread): first every lane walks the lines of both directions that it
  // takes from `next` (0 .. 29: V line 0, H line 0, V line 1, ...), then lane
  // k finishes direction k with what both lanes found.
  void walkShared(const Index& ix, const std::array<const LetterGrid*, 2>& grids,
                  std::string_view rack, std::atomic<int>& next) {
    for (int dir = 0; dir < 2; ++dir) {
      shared_[dir].ends.clear();
      shared_[dir].cross.emplace(ix, *grids[dir]);
    }
    if (byPosition(rack))
      walkUnits<true>(ix, grids, rack, next);
    else
      walkUnits<false>(ix, grids, rack, next);
    for (Shared& dir : shared_) makeKeys(ix, dir.ends, dir.keys);
  }
  void finishShared(const WordList& list, const Index& ix, const LetterGrid& grid,
                    std::string_view rack, int dir, const Searcher& other,
                    std::vector<Placement>& kept) {
    kept.clear();
    CrossChecks& cross = *shared_[dir].cross;
    const std::vector<std::uint64_t>&mine = shared_[dir].keys, &theirs = other.shared_[dir].keys;
    keys_.resize(mine.size() + theirs.size());
    std::merge(mine.begin(), mine.end(), theirs.begin(), theirs.end(), keys_.begin());
    keysIndex_ = &ix;
    std::vector<Placement> found;
    if (collapseChecked(list, grid, rack, found)) {
      kept = std::move(found);
      return;
    }
    keep(cross, everyPlacement(list, ix, grid, rack), kept);
  }

 private:
  // The records `ids`, sorted, as the list's texts.
  static std::vector<std::string_view> inFileOrder(const WordList& list,
                                                   std::vector<std::uint32_t>& ids) {
    std::sort(ids.begin(), ids.end());
    std::vector<std::string_view> out;
    out.reserve(ids.size());
    for (auto id : ids) out.push_back(list[id]);
    return out;
  }

  // Every placement of the plain found list, whatever its cross-words,
  // collapsed: for when the checked ones cannot be collapsed alone.
  std::vector<Placement> everyPlacement(const WordList& list, const Index& ix,
                                        const LetterGrid& grid, std::string_view rack) {
    walk(ix, grid, rack, nullptr);
    std::vector<Placement> out;
    out.reserve(keys_.size());
    for (auto key : keys_) {
      const Entry at = entry(key);
      out.push_back({list[at.record], at.start});
    }
    return collapseDuplicates(out);
  }

  // Two identical placements further apart than this many records are not
  // worked out one by one: the search then lists every placement instead.
  static constexpr std::uint32_t kLongestGap = 256;

  void walk(const Index& ix, const LetterGrid& grid, std::string_view rack, CrossChecks* cross) {
    ends_.clear();
    if (byPosition(rack)) {
      LineWalker<true> walker(ix, grid, rack, ends_, cross);
      for (int line = 0; line < kSide; ++line) walker.walkLine(line);
    } else {
      LineWalker<false> walker(ix, grid, rack, ends_, cross);
      for (int line = 0; line < kSide; ++line) walker.walkLine(line);
    }
    makeKeys(ix, ends_);
  }

  // By rack position only where counts do not decide (see LineWalker).
  static bool byPosition(std::string_view rack) { return rack.size() <= 64 && !blanksLast(rack); }

  // The keys of what walks found, sorted. The walks left the ranks of the
  // texts: their records are read here, in one pass whose loads do not wait
  // on each other.
  void makeKeys(const Index& ix, const std::vector<std::uint64_t>& ends,
                std::vector<std::uint64_t>& keys) {
    if (ix.ranksFollowRecords()) {
      // Ranks sort as their records do: the records are read after sorting,
      // in order (see entry).
      keys = ends;
      sortKeys(keys, sortScratch_);
      return;
    }
    keys.clear();
    keys.reserve(ends.size());
    for (const std::uint64_t end : ends) {
      const auto rank = static_cast<std::uint32_t>(end >> 12);
      const std::uint64_t place = end & 0xFFF;
      for (const std::uint32_t* r = ix.recordsBegin(rank); r != ix.recordsEnd(rank); ++r)
        keys.push_back((std::uint64_t{*r} << 12) | place);
    }
    sortKeys(keys, sortScratch_);
  }
  void makeKeys(const Index& ix, const std::vector<std::uint64_t>& ends) {
    makeKeys(ix, ends, keys_);
    keysIndex_ = &ix;
  }

  // The entry of a key of keys_.
  Entry entry(std::uint64_t key) const {
    Entry e = entryOf(key);
    if (keysIndex_->ranksFollowRecords()) e.record = keysIndex_->recordOfRank(e.record);
    return e;
  }

  // Whether the full found list has nothing between entries a and b (a
  // before b, same placement); nullopt when that is too costly to tell.
  std::optional<bool> adjacent(const WordList& list, const LetterGrid& g, std::string_view rack,
                               const Entry& a, const Entry& b) {
    if (a.record == b.record)
      return !foundBetween(list[a.record], g, rack, a.lineP, b.lineP, scratch_);
    if (b.record - a.record - 1 > kLongestGap) return std::nullopt;
    if (foundBetween(list[a.record], g, rack, a.lineP, kSquares, scratch_)) return false;
    for (std::uint32_t r = a.record + 1; r < b.record; ++r)
      if (foundBetween(list[r], g, rack, -1, kSquares, scratch_)) return false;
    return !foundBetween(list[b.record], g, rack, -1, b.lineP, scratch_);
  }

  // Collapses the sorted keys of the checked placements into `out`: each run
  // of identical placements that lie side by side in the full found list
  // gives one entry per 16. False when a run cannot be told.
  bool collapseChecked(const WordList& list, const LetterGrid& g, std::string_view rack,
                       std::vector<Placement>& out) {
    out.reserve(keys_.size());
    const std::size_t n = keys_.size();
    for (std::size_t i = 0; i < n;) {
      const Entry first = entry(keys_[i]);
      const std::string_view w = list[first.record];
      std::size_t j = i, run = 1;
      while (j + 1 < n) {
        const Entry a = entry(keys_[j]), b = entry(keys_[j + 1]);
        if (b.start != first.start || (b.record != a.record && list[b.record] != w)) break;
        const auto side = adjacent(list, g, rack, a, b);
        if (!side) return false;
        if (!*side) break;
        ++run;
        ++j;
      }
      for (std::size_t c = 0; c < (run + 15) / 16; ++c) out.push_back({w, first.start});
      i = j + 1;
    }
    return true;
  }

  // The cross checks of a grid, made by the search of each direction and
  // kept for the word check that follows; the word check forgets them.
  CrossChecks& freshCross(const Index& ix, const LetterGrid& g) {
    auto& slot = cross_[nextCross_++ % cross_.size()];
    slot = std::make_unique<CrossChecks>(ix, g);
    return *slot;
  }
  CrossChecks& crossFor(const Index& ix, const LetterGrid& g) {
    for (auto& c : cross_)
      if (c && c->madeFor(ix, g)) return *c;
    return freshCross(ix, g);
  }

  // Keeps the placements whose every cross-word the list holds.
  void keep(const Index& ix, const LetterGrid& g, const std::vector<Placement>& found,
            std::vector<Placement>& kept) {
    if (found.empty()) return;
    keep(crossFor(ix, g), found, kept);
  }
  static void keep(CrossChecks& cross, const std::vector<Placement>& found,
                   std::vector<Placement>& kept) {
    if (cross.allPassed) {
      kept = found;
      return;
    }
    kept.reserve(found.size());
    for (const Placement& pl : found) {
      bool ok = true;
      for (std::size_t j = 0; j < pl.word.size() && ok; ++j) {
        const int q = pl.start + static_cast<int>(j);
        ok = !cross.crosses(q) || cross.allows(q, static_cast<unsigned char>(pl.word[j]));
      }
      if (ok) kept.push_back(pl);
    }
  }

  template <bool kByPosition>
  void walkUnits(const Index& ix, const std::array<const LetterGrid*, 2>& grids,
                 std::string_view rack, std::atomic<int>& next) {
    std::array<std::optional<LineWalker<kByPosition>>, 2> walkers;
    for (int unit; (unit = next.fetch_add(1, std::memory_order_relaxed)) < 2 * kSide;) {
      const int dir = unit & 1;
      if (!walkers[dir])
        walkers[dir].emplace(ix, *grids[dir], rack, shared_[dir].ends, &*shared_[dir].cross);
      walkers[dir]->walkLine(unit >> 1);
    }
  }

  std::array<std::unique_ptr<CrossChecks>, 2> cross_;
  std::size_t nextCross_ = 0;
  // What this lane's walks of each direction found, with their cross checks.
  struct Shared {
    std::vector<std::uint64_t> ends, keys;  // keys as keys_
    std::optional<CrossChecks> cross;
  };
  std::array<Shared, 2> shared_;
  std::vector<std::uint64_t> ends_;   // what the walk found, by rank of text
  std::vector<std::uint64_t> keys_;   // the same by record, sorted (see entry)
  const Index* keysIndex_ = nullptr;  // that of keys_
  std::vector<std::uint64_t> sortScratch_;
  std::string scratch_;
};

// The program's search. Not thread-safe: one search at a time (it may use a
// helper thread inside).
class FastSearch final : public PlacementSearch {
 public:
  std::vector<std::string_view> rackWords(const WordList& list, std::string_view rack) override {
    return lanes_[0].rackWords(list, rack);
  }
  std::vector<Placement> findPlacements(const WordList& list, const LetterGrid& grid,
                                        std::string_view rack) override {
    return lanes_[0].findPlacements(list, grid, rack);
  }
  void checkWords(const WordList& list, const LetterGrid& gridV,
                  const std::vector<Placement>& foundV, const LetterGrid& gridH,
                  const std::vector<Placement>& foundH, std::vector<Placement>& keptV,
                  std::vector<Placement>& keptH) override {
    lanes_[0].checkWords(list, gridV, foundV, gridH, foundH, keptV, keptH);
  }

  // The lines of both directions are shared out between two threads as they
  // come free; then each finishes one direction.
  void keptPlacements(const WordList& list, const LetterGrid& gridV, const LetterGrid& gridH,
                      std::string_view rack, std::vector<Placement>& keptV,
                      std::vector<Placement>& keptH) override {
    keptV.clear();
    keptH.clear();
    if (rack.empty()) return;
    const Index& ix = list.derived<Index>();  // built here, before the lanes start
    const std::array<const LetterGrid*, 2> grids{&gridV, &gridH};
    std::atomic<int> next{0};
    runSideBySide([&] { lanes_[0].walkShared(ix, grids, rack, next); },
                  [&] { lanes_[1].walkShared(ix, grids, rack, next); });
    // Each lane then finishes the next direction left, H (the larger as a
    // rule) first, so that a lane that runs slower takes less.
    std::atomic<int> nextDir{0};
    auto finish = [&](int lane) {
      for (int k; (k = nextDir.fetch_add(1, std::memory_order_relaxed)) < 2;) {
        const int dir = 1 - k;
        lanes_[lane].finishShared(list, ix, *grids[dir], rack, dir, lanes_[1 - lane],
                                  dir == 0 ? keptV : keptH);
      }
    };
    runSideBySide([&] { finish(0); }, [&] { finish(1); });
  }

 private:
  std::array<Searcher, 2> lanes_;
};

}  // namespace

PlacementSearch& fastPlacementSearch() {
  static FastSearch search;
  return search;
}

}  // namespace tilvan
