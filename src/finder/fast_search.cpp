// The program's placement search. It gives exactly the placements, in exactly
// the order and with exactly the collapsing, of the plain search that lays
// every record through every board letter, but walks the trie of the word list
// instead. For each board letter that a word can reach first, it lays the
// rack letters that may come before it (only along prefixes through which
// some word still has that letter at its square), then the rest of the word
// through the board letters and the rack. Empty squares with a neighbour
// across the line take only letters whose cross-word the list holds, so
// placements that the word check would drop are never made; where two equal
// placements are left, whether the plain search had others between them is
// worked out from the records concerned, to collapse them as it would.
// Finally the plain order (record, line, anchor) is restored.
#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "finder/placement_search.h"
#include "finder/word_checks.h"
#include "finder/word_index.h"

namespace tilvan {
namespace {

using Index = WordIndex;
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
    std::uint8_t& m = memo_[q * 256 + c];
    if (!m) {
      int top;
      m = ix_->contains(crossWord(g_, q, static_cast<char>(c), top)) ? 1 : 2;
    }
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
  std::vector<std::uint8_t> memo_ = std::vector<std::uint8_t>(kSquares * 256, 0);
};

// Walks one line's start squares for one direction. With cross checks, only
// placements whose cross-words are all in the list are emitted.
class LineWalker {
 public:
  LineWalker(const Index& ix, const LetterGrid& grid, std::string_view rack,
             std::vector<std::uint64_t>& out, CrossChecks* cross)
      : ix_(ix),
        g_(grid),
        rack_(rack),
        counts_(rack),
        rackBlanks_(counts_.blanks),
        out_(out),
        cross_(cross) {}

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
      fBit_ = 1u << Index::letterBit(letter_);
      if (kMax_ + 1 <= Index::kAheadDepth + 1 && !(ix_.rootAhead(kMax_ + 1) & fBit_)) continue;
      needed_ = 0;
      leftWalk(Index::kRoot, 0);
    }
  }

 private:
  // The d rack letters before the board letter at f are on path_.
  void leftWalk(std::uint32_t node, int d) {
    const std::uint32_t anchor = ix_.child(node, letter_);
    if (anchor != Index::kNone && prefixCrosses(d)) {
      sp_ = f_ - d;
      s_ = base_ + sp_;
      path_[d] = static_cast<char>(letter_);
      walk(anchor, d + 1);
    }
    if (d == kMax_) return;
    // Only children through which some word still has the board letter
    // within reach.
    const std::uint32_t* ahead =
        kMax_ <= Index::kAheadDepth ? ix_.aheadRow(node, kMax_ - d) : nullptr;
    const std::uint32_t first = ix_.firstEdge(node);
    for (std::uint32_t e = first, end = ix_.lastEdge(node); e < end; ++e) {
      if (ahead && !(ahead[e - first] & fBit_)) continue;
      const unsigned char c = ix_.edgeChar(e);
      int& real = counts_.count[c];
      if (!real && !counts_.blanks) continue;
      const bool useReal = real > 0;
      if (useReal)
        --real;
      else
        --counts_.blanks;
      path_[d] = static_cast<char>(c);
      needLetters_[needed_++] = static_cast<char>(c);
      leftWalk(ix_.edgeChild(e), d + 1);
      --needed_;
      if (useReal)
        ++real;
      else
        ++counts_.blanks;
    }
  }

  // Whether the d letters on path_, laid from f - d, pass the cross checks.
  bool prefixCrosses(int d) {
    if (!cross_) return true;
    const int s = base_ + f_ - d;
    for (int j = 0; j < d; ++j)
      if (cross_->crosses(s + j) && !cross_->allows(s + j, static_cast<unsigned char>(path_[j])))
        return false;
    return true;
  }

  // After the board letter at f: the rest of the word from square s_ + d.
  void walk(std::uint32_t node, int d) {
    if (needed_ > 0 && ix_.terminal(node)) emit(node, d);
    if (d >= maxLen_) return;
    const int t = s_ + d;
    if (g_[t]) {
      const std::uint32_t child = ix_.child(node, static_cast<unsigned char>(g_[t]));
      if (child == Index::kNone) return;
      path_[d] = g_[t];
      walk(child, d + 1);
      return;
    }
    if (needed_ == static_cast<int>(rack_.size())) return;
    const bool checkCross = cross_ && cross_->crosses(t);
    for (std::uint32_t e = ix_.firstEdge(node), end = ix_.lastEdge(node); e < end; ++e) {
      const unsigned char c = ix_.edgeChar(e);
      int& real = counts_.count[c];
      if (!real && !counts_.blanks) continue;
      if (checkCross && !cross_->allows(t, c)) continue;
      const bool useReal = real > 0;
      if (useReal)
        --real;
      else
        --counts_.blanks;
      path_[d] = static_cast<char>(c);
      needLetters_[needed_++] = static_cast<char>(c);
      walk(ix_.edgeChild(e), d + 1);
      --needed_;
      if (useReal)
        ++real;
      else
        ++counts_.blanks;
    }
  }

  // A word of n letters from s_ ends here: check the squares around it, the
  // rack and the anchors that find it.
  void emit(std::uint32_t node, int n) {
    const int e = s_ + n - 1;
    if (e + 1 > kSquares - 1 || g_[e + 1]) return;
    // Without blanks the walk's counts already decide; with them, which rack
    // character each letter takes depends on their order.
    if (rackBlanks_ && !takeFromRack(needLetters_, needed_, rack_, scratch_)) return;
    const std::string_view text(path_, static_cast<std::size_t>(n));
    int anchors[kSide];
    int nAnchors = 0;
    for (int p = f_; p <= sp_ + n - 1 && p <= kSide - n; ++p) {
      const char letter = g_[base_ + p];
      if (letter && static_cast<int>(text.find(letter)) == p - sp_) anchors[nAnchors++] = p;
    }
    if (!nAnchors) return;
    for (const std::uint32_t* r = ix_.recordsBegin(node); r != ix_.recordsEnd(node); ++r)
      for (int a = 0; a < nAnchors; ++a)
        out_.push_back((std::uint64_t{*r} << 12) | (std::uint64_t(base_ + anchors[a]) << 4) |
                       static_cast<std::uint64_t>(sp_));
  }

  const Index& ix_;
  const LetterGrid& g_;
  std::string_view rack_;
  RackCounts counts_;
  const int rackBlanks_;
  std::vector<std::uint64_t>& out_;
  CrossChecks* cross_;
  std::string scratch_;
  int base_ = 0, sp_ = 0, s_ = 0, f_ = 0, kMax_ = 0, maxLen_ = 0, needed_ = 0;
  unsigned char letter_ = 0;
  std::uint32_t fBit_ = 0;
  char path_[kMaxLen + 1] = {};
  char needLetters_[kMaxLen + 1] = {};
};

// Sorts keys ascending with three byte-wide radix passes per 11 bits.
void sortKeys(std::vector<std::uint64_t>& keys) {
  if (keys.size() < 256) {
    std::sort(keys.begin(), keys.end());
    return;
  }
  std::uint64_t maxKey = 0;
  for (auto k : keys) maxKey = std::max(maxKey, k);
  std::vector<std::uint64_t> tmp(keys.size());
  for (int shift = 0; shift < 64 && (maxKey >> shift); shift += 11) {
    std::array<std::size_t, 2049> count{};
    for (auto k : keys) ++count[((k >> shift) & 2047) + 1];
    for (int i = 0; i < 2048; ++i) count[i + 1] += count[i];
    for (auto k : keys) tmp[count[(k >> shift) & 2047]++] = k;
    keys.swap(tmp);
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

class FastSearch final : public PlacementSearch {
 public:
  std::vector<std::string_view> rackWords(const WordList& list, std::string_view rack) override {
    const Index& ix = list.derived<Index>();
    RackCounts counts(rack);
    std::vector<std::uint32_t> ids;
    std::string scratch;
    char path[kMoveSlots + 1];
    auto walk = [&](auto&& self, std::uint32_t node, int d) -> void {
      if (d > 0 && ix.terminal(node) && takeFromRack(path, d, rack, scratch))
        ids.insert(ids.end(), ix.recordsBegin(node), ix.recordsEnd(node));
      if (d == kMoveSlots) return;
      for (std::uint32_t e = ix.firstEdge(node), end = ix.lastEdge(node); e < end; ++e) {
        const unsigned char c = ix.edgeChar(e);
        int& real = counts.count[c];
        if (!real && !counts.blanks) continue;
        const bool useReal = real > 0;
        if (useReal)
          --real;
        else
          --counts.blanks;
        path[d] = static_cast<char>(c);
        self(self, ix.edgeChild(e), d + 1);
        if (useReal)
          ++real;
        else
          ++counts.blanks;
      }
    };
    walk(walk, Index::kRoot, 0);
    std::sort(ids.begin(), ids.end());
    std::vector<std::string_view> out;
    out.reserve(ids.size());
    for (auto id : ids) out.push_back(list[id]);
    return out;
  }

  std::vector<Placement> findPlacements(const WordList& list, const LetterGrid& grid,
                                        std::string_view rack) override {
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
    walk(ix, grid, rack, nullptr);
    out.clear();
    for (auto key : keys_) out.push_back({list[key >> 12], entryOf(key).start});
    return collapseDuplicates(out);
  }

  void checkWords(const WordList& list, const LetterGrid& gridV,
                  const std::vector<Placement>& foundV, const LetterGrid& gridH,
                  const std::vector<Placement>& foundH, std::vector<Candidate>& candsV,
                  std::vector<Candidate>& candsH) override {
    const Index& ix = list.derived<Index>();
    keep(ix, gridV, foundV, candsV);
    keep(ix, gridH, foundH, candsH);
    for (auto& c : cross_) c.reset();
  }

 private:
  // Two identical placements further apart than this many records are not
  // worked out one by one: the search then lists every placement instead.
  static constexpr std::uint32_t kLongestGap = 256;

  void walk(const Index& ix, const LetterGrid& grid, std::string_view rack, CrossChecks* cross) {
    keys_.clear();
    LineWalker walker(ix, grid, rack, keys_, cross);
    for (int line = 0; line < kSide; ++line) walker.walkLine(line);
    sortKeys(keys_);
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
      const Entry first = entryOf(keys_[i]);
      const std::string_view w = list[first.record];
      std::size_t j = i, run = 1;
      while (j + 1 < n) {
        const Entry a = entryOf(keys_[j]), b = entryOf(keys_[j + 1]);
        if (b.start != first.start || list[b.record] != w) break;
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
            std::vector<Candidate>& cands) {
    if (found.empty()) return;
    CrossChecks& cross = crossFor(ix, g);
    cands.reserve(found.size());
    for (const Placement& pl : found) {
      bool ok = true;
      for (std::size_t j = 0; j < pl.word.size() && ok && !cross.allPassed; ++j) {
        const int q = pl.start + static_cast<int>(j);
        ok = !cross.crosses(q) || cross.allows(q, static_cast<unsigned char>(pl.word[j]));
      }
      if (ok) cands.emplace_back().Words = formedWords(g, pl);
    }
  }

  std::array<std::unique_ptr<CrossChecks>, 2> cross_;
  std::size_t nextCross_ = 0;
  std::vector<std::uint64_t> keys_;
  std::string scratch_;
};

}  // namespace

PlacementSearch& fastPlacementSearch() {
  static FastSearch search;
  return search;
}

}  // namespace tilvan
