// The walk's steps refer to the invariants numbered in classic_search.h.
#include "finder/line_walk.h"

#include <algorithm>
#include <bit>
#include <optional>

#include "finder/line_tables.h"
#include "finder/rack_take.h"

namespace tilvan {
namespace {

// Walks lines of one grid for one rack. Each placement found is added to
// `found` as a key whose item is the rank of its text, once per anchor that
// finds it. With cross-checks, only placements whose cross-words the list
// all holds are found. kByPosition as RackTaker.
template <bool kByPosition>
class LineWalker {
 public:
  LineWalker(const WordIndex& ix, const LetterGrid& grid, std::string_view rack,
             std::vector<PlacementKey>& found, CrossChecks* cross);

  // Every placement through a board letter of line `line` (0..14).
  void walkLine(int line);

 private:
  using Cursor = WordIndex::Cursor;
  using Run = LineTables::Run;
  static constexpr int kRun = LineTables::kRun;

  void walkThrough(int first, int lowestStart);
  void preparePrefix();
  void prefixWalk(const Cursor& node, int j, std::uint32_t starts);
  void walk(const Cursor& node, int d);
  void layTile(const Cursor& node, int d);
  void emit(std::uint32_t rank, int n);

  // The positions in the word (as bits) at which some text through a state
  // with look-ahead mask `ahead` for a letter (the state lies j characters
  // into the word) has that letter; positions beyond the masks' reach are
  // all set.
  static std::uint32_t aheadBits(std::uint8_t ahead, int j) {
    return (std::uint32_t{ahead} << j) | (~0u << (j + WordIndex::kAheadDepth));
  }
  // The lengths (as WordIndex::edgeLengths gives them) that a word whose
  // next square is q, with d characters laid, can still go on for.
  std::uint16_t reachable(int q, int d, int tilesLeft) const {
    return tables_.reach[q][std::min(tilesLeft, LineTables::kReachTiles - 1)] &
           static_cast<std::uint16_t>((2u << (longestWord_ - d)) - 1);
  }

  const WordIndex& index_;
  const LetterGrid& grid_;
  std::string_view rack_;
  RackTaker<kByPosition> taker_;
  LineTables tables_;
  std::vector<PlacementKey>& found_;
  CrossChecks* cross_;
  std::string rackScratch_;

  // The board letter that the words walked now reach first.
  int lineStart_ = 0;    // the square of the line's first square
  int firstInLine_ = 0;  // its position in the line
  unsigned char firstLetter_ = 0;
  const Run* firstRun_ = nullptr;  // the board letters from it on
  int longestPrefix_ = 0;          // rack letters that can come before it
  int longestWord_ = 0;            // the longest word that it can anchor
  // For the (j + 1)-th rack letter of a word that starts d squares before
  // it: whether that square has a cross-word (bit d), and the lengths that
  // the word can go on for after it.
  std::array<std::uint32_t, kSide> prefixCrossing_{};
  std::array<std::array<std::uint16_t, kSide>, kSide> prefixWant_{};

  // The word being laid.
  int startInLine_ = 0, startSquare_ = 0;
  std::uint32_t prefixLetters_ = 0;  // the letters a..z before the first board letter
  char word_[kSide + 1] = {};
  char tiles_[kSide + 1] = {};  // the rack letters laid, in order
  int tilesLaid_ = 0;
};

template <bool kByPosition>
LineWalker<kByPosition>::LineWalker(const WordIndex& ix, const LetterGrid& grid,
                                    std::string_view rack, std::vector<PlacementKey>& found,
                                    CrossChecks* cross)
    : index_(ix),
      grid_(grid),
      rack_(rack),
      taker_(rack),
      tables_(grid),
      found_(found),
      cross_(cross) {}

template <bool kByPosition>
void LineWalker<kByPosition>::walkLine(int line) {
  lineStart_ = line * kSide;
  int previous = -1;
  for (int first = 0; first < kSide; ++first) {
    if (!grid_[lineStart_ + first]) continue;
    // Starts from lowestStart to `first` have it as their first board letter.
    const int lowestStart = std::max(1, previous + 2);
    previous = first;
    if (first >= lowestStart) walkThrough(first, lowestStart);
  }
}

// The words whose first board letter is at position `first` of the line
// (invariant 2).
template <bool kByPosition>
void LineWalker<kByPosition>::walkThrough(int first, int lowestStart) {
  firstInLine_ = first;
  // A word through `first` is at most 15 - first long (its anchor lies at
  // `first` or further), so at most 14 - first letters come before it.
  longestWord_ = kSide - first;
  longestPrefix_ =
      std::min({first - lowestStart, static_cast<int>(rack_.size()), longestWord_ - 1});
  firstLetter_ = static_cast<unsigned char>(grid_[lineStart_ + first]);
  firstRun_ = &tables_.runs[lineStart_ + first];
  // One walk over the rack letters before `first` for every start square
  // at once: bit d of `starts` stands for the start d squares before it,
  // kept while some word can still have the board letters from `first` on
  // at positions d, d + 1, ... (invariant 3).
  std::uint32_t starts = (2u << longestPrefix_) - 1;
  for (int i = 0; i < firstRun_->length; ++i)
    starts &= aheadBits(index_.rootAhead(firstRun_->rows[i]), 0) >> i;
  if (!starts) return;
  preparePrefix();
  tilesLaid_ = 0;
  prefixWalk(index_.root(), 0, starts);
}

template <bool kByPosition>
void LineWalker<kByPosition>::preparePrefix() {
  const int rackLength = static_cast<int>(rack_.size());
  for (int j = 0; j < longestPrefix_; ++j) {
    prefixCrossing_[j] = 0;
    const int tilesLeft = rackLength - j - 1;
    for (int d = j + 1; d <= longestPrefix_; ++d) {
      const int square = lineStart_ + firstInLine_ - d + j;
      if (cross_ && cross_->crosses(square)) prefixCrossing_[j] |= 1u << d;
      prefixWant_[j][d] = reachable(square + 1, j + 1, tilesLeft);
    }
  }
}

// The j rack letters before the first board letter are in word_; `starts`
// as in walkThrough.
template <bool kByPosition>
void LineWalker<kByPosition>::prefixWalk(const Cursor& node, int j, std::uint32_t starts) {
  if (starts & (1u << j)) {
    const std::uint32_t anchor = index_.edgeOf(node, firstLetter_);
    if (anchor != WordIndex::kNone) {
      startInLine_ = firstInLine_ - j;
      startSquare_ = lineStart_ + startInLine_;
      prefixLetters_ = 0;
      for (int i = 0; i < j; ++i)
        prefixLetters_ |= WordIndex::letterMask(static_cast<unsigned char>(word_[i]));
      word_[j] = static_cast<char>(firstLetter_);
      walk(index_.down(node, anchor), j + 1);
    }
  }
  const std::uint32_t later = starts & ~((2u << j) - 1);
  if (!later) return;
  std::array<const std::uint8_t*, kRun> ahead{};
  for (int i = 0; i < firstRun_->length; ++i)
    ahead[i] = index_.childAhead(node, firstRun_->rows[i]);
  std::array<std::uint32_t, 256> edges;
  const int count = taker_.takeableEdges(index_, node, edges);
  for (int k = 0; k < count; ++k) {
    const std::uint32_t e = edges[k];
    const unsigned char c = index_.edgeChar(e);
    std::uint32_t next = later;
    for (int i = 0; i < firstRun_->length; ++i)
      next &= aheadBits(ahead[i][e - node.first()], j + 1) >> i;
    const std::uint16_t lengths = index_.edgeLengths(e);
    for (std::uint32_t left = next; left; left &= left - 1) {
      const int d = std::countr_zero(left);
      if (!(lengths & prefixWant_[j][d])) next &= ~(1u << d);
    }
    for (std::uint32_t left = next & prefixCrossing_[j]; left; left &= left - 1) {
      const int d = std::countr_zero(left);
      if (!cross_->allows(lineStart_ + firstInLine_ - d + j, c)) next &= ~(1u << d);
    }
    if (!next) continue;
    const std::uint64_t token = taker_.take(c);
    // Only the first board letter can follow a child that the rack cannot
    // go on from (invariant 4).
    if ((next & (2u << j)) || taker_.canGoOn(index_, e)) {
      word_[j] = static_cast<char>(c);
      tiles_[tilesLaid_++] = static_cast<char>(c);
      prefixWalk(index_.down(node, e), j + 1, next);
      --tilesLaid_;
    }
    taker_.putBack(c, token);
  }
}

// After the first board letter: the rest of the word from square
// startSquare_ + d (invariant 3).
template <bool kByPosition>
void LineWalker<kByPosition>::walk(const Cursor& node, int d) {
  if (tilesLaid_ > 0 && node.terminal()) emit(node.rank, d);
  if (d >= longestWord_ || node.first() == node.end()) return;
  const int square = startSquare_ + d;
  if (!grid_[square]) {
    layTile(node, d);
    return;
  }
  const int tilesLeft = static_cast<int>(rack_.size()) - tilesLaid_;
  const std::uint32_t edge = index_.edgeOf(node, static_cast<unsigned char>(grid_[square]));
  if (edge == WordIndex::kNone ||
      !(index_.edgeLengths(edge) & reachable(square + 1, d + 1, tilesLeft)))
    return;
  word_[d] = grid_[square];
  walk(index_.down(node, edge), d + 1);
}

// A rack letter on the empty square startSquare_ + d.
template <bool kByPosition>
void LineWalker<kByPosition>::layTile(const Cursor& node, int d) {
  const int square = startSquare_ + d;
  const int tilesLeft = static_cast<int>(rack_.size()) - tilesLaid_;
  if (tilesLeft == 0) return;
  const std::uint16_t want = reachable(square + 1, d + 1, tilesLeft - 1);
  if (!want) return;
  // Words that go on past the next board letter (p squares on) must have
  // the board's letters from there on (up to kRun of them) in place.
  const int p = tables_.nextLetter[square];
  const std::uint16_t passing = static_cast<std::uint16_t>(want & (~0u << p));
  const std::uint16_t stopping = want & ~passing;
  std::array<const std::uint8_t*, kRun> ahead{};
  int rows = 0;
  if (passing)
    for (const Run& run = tables_.runs[square + p];
         rows < run.length && p + rows <= WordIndex::kAheadDepth; ++rows)
      ahead[rows] = index_.childAhead(node, run.rows[rows]);
  const bool checkCross = cross_ && cross_->crosses(square);
  std::array<std::uint32_t, 256> edges;
  const int count = taker_.takeableEdges(index_, node, edges);
  for (int k = 0; k < count; ++k) {
    const std::uint32_t e = edges[k];
    const std::uint16_t lengths = index_.edgeLengths(e);
    if (!(lengths & stopping)) {
      if (!(lengths & passing)) continue;
      bool fits = true;
      for (int i = 0; i < rows && fits; ++i) fits = ahead[i][e - node.first()] >> (p - 1 + i) & 1;
      if (!fits) continue;
    }
    const unsigned char c = index_.edgeChar(e);
    if (checkCross && !cross_->allows(square, c)) continue;
    const std::uint64_t token = taker_.take(c);
    // A child where no word ends that the rack cannot go on from is left.
    if ((lengths & want & 1) || grid_[square + 1] || taker_.canGoOn(index_, e)) {
      word_[d] = static_cast<char>(c);
      tiles_[tilesLaid_++] = static_cast<char>(c);
      walk(index_.down(node, e), d + 1);
      --tilesLaid_;
    }
    taker_.putBack(c, token);
  }
}

// A word of n letters from startSquare_ ends here: the square after it, the
// rack, and the anchors that find it (invariant 5).
template <bool kByPosition>
void LineWalker<kByPosition>::emit(std::uint32_t rank, int n) {
  const int last = startSquare_ + n - 1;
  if (last + 1 > kSquares - 1 || grid_[last + 1]) return;
  if (!taker_.takesAsTheRulesDo() && !takeFromRack(tiles_, tilesLaid_, rack_, rackScratch_)) return;
  // The board letters from the first one on (within the anchor bound) that
  // are the first of their letter in the word.
  const std::string_view text(word_, static_cast<std::size_t>(n));
  std::uint32_t seen = prefixLetters_;  // the letters a..z before position p
  for (int p = firstInLine_; p <= startInLine_ + n - 1 && p <= kSide - n; ++p) {
    const auto letter = static_cast<unsigned char>(word_[p - startInLine_]);
    const std::uint32_t bit = WordIndex::letterMask(letter);
    if (grid_[lineStart_ + p] &&
        (bit ? !(seen & bit)
             : static_cast<int>(text.find(static_cast<char>(letter))) == p - startInLine_))
      found_.push_back(PlacementKey::pack(rank, lineStart_ + p, startInLine_));
    seen |= bit;
  }
}

template <bool kByPosition>
void walkUnits(const WordIndex& ix, const std::array<const LetterGrid*, 2>& grids,
               std::string_view rack, const std::array<std::vector<PlacementKey>*, 2>& found,
               const std::array<CrossChecks*, 2>& cross, std::atomic<int>& next) {
  std::array<std::optional<LineWalker<kByPosition>>, 2> walkers;
  for (int unit; (unit = next.fetch_add(1, std::memory_order_relaxed)) < 2 * kSide;) {
    const int dir = unit & 1;
    if (!walkers[dir]) walkers[dir].emplace(ix, *grids[dir], rack, *found[dir], cross[dir]);
    walkers[dir]->walkLine(unit >> 1);
  }
}

}  // namespace

void walkLines(const WordIndex& ix, const LetterGrid& grid, std::string_view rack,
               std::vector<PlacementKey>& found, CrossChecks* cross) {
  if (takesByPosition(rack)) {
    LineWalker<true> walker(ix, grid, rack, found, cross);
    for (int line = 0; line < kSide; ++line) walker.walkLine(line);
  } else {
    LineWalker<false> walker(ix, grid, rack, found, cross);
    for (int line = 0; line < kSide; ++line) walker.walkLine(line);
  }
}

void walkSharedLines(const WordIndex& ix, const std::array<const LetterGrid*, 2>& grids,
                     std::string_view rack, const std::array<std::vector<PlacementKey>*, 2>& found,
                     const std::array<CrossChecks*, 2>& cross, std::atomic<int>& next) {
  if (takesByPosition(rack))
    walkUnits<true>(ix, grids, rack, found, cross, next);
  else
    walkUnits<false>(ix, grids, rack, found, cross, next);
}

}  // namespace tilvan
