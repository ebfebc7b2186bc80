#include "finder/complete_generator.h"

#include <algorithm>
#include <bit>

namespace tilvan {
namespace {

constexpr int kN = kSide;

}  // namespace

std::atomic<std::size_t>& Generator::boundFrom() {
  static std::atomic<std::size_t> from{100};
  return from;
}

std::uint32_t Generator::blankKey(std::string_view rack, std::uint32_t blankLetters) {
  return rack.substr(0, kMoveSlots).find('_') == std::string_view::npos ? kAnyLetter
                                                                         : blankLetters;
}

Generator::Scratch& Generator::scratchFor(const WordGraph& g, std::string_view rack,
                                          std::uint32_t blankLetters) {
  thread_local std::array<Scratch, 4> kept;
  thread_local std::uint64_t searches = 0;
  rack = rack.substr(0, kMoveSlots);
  blankLetters = blankKey(rack, blankLetters);
  Scratch* pick = &kept[0];
  for (Scratch& s : kept) {
    if (s.holds(g, rack, blankLetters)) {
      pick = &s;
      break;
    }
    if (s.used < pick->used) pick = &s;
  }
  pick->used = ++searches;
  return *pick;
}

Generator::Generator(const WordGraph& g, const std::array<int, kLetters>& values,
                     std::string_view rack, Best& out, std::uint32_t blankLetters)
    : g_(g),
      value_(values),
      out_(out),
      scratch_(scratchFor(g, rack, blankLetters)),
      prefixes_(scratch_.prefixes),
      buckets_(scratch_.buckets) {
  // The rack box holds at most seven tiles; a character that is neither a
  // letter a..z nor '_' is a tile that no word can use.
  for (char ch : rack.substr(0, kMoveSlots)) {
    if (ch == '_') {
      ++blanks_;
      points_.best[static_cast<std::size_t>(points_.count++)] = 0;
    } else if (ch >= 'a' && ch <= 'z') {
      ++rack_[ch - 'a'];
      points_.best[static_cast<std::size_t>(points_.count++)] = values[ch - 'a'];
    }
  }
  std::sort(points_.best.begin(), points_.best.begin() + points_.count, std::greater<>());
  tilesInRack_ = static_cast<int>(std::min<std::size_t>(rack.size(), kMoveSlots));
  givenSize_ = static_cast<std::size_t>(tilesInRack_);
  std::copy_n(rack.begin(), givenSize_, given_.begin());
  blanksInRack_ = blanks_;
  blankLetters_ = blankKey(rack, blankLetters);
  for (int l = 0; l < 26; ++l)
    if (rack_[l] > 0) rackMask_ |= 1u << l;
  points_.letters = takeable();
}

void Generator::valueBy(const LeaveValues& leaves, std::string_view rack) {
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
  // A placement of k tiles keeps rack.size() - k of them: its leave is worth
  // at most the best leave of that many tiles.
  const unsigned masks = 1u << rack.size();
  points_.extra.fill(kNoPlacement);
  for (unsigned kept = 0; kept < masks; ++kept) {
    const auto laid = rack.size() - static_cast<std::size_t>(std::popcount(kept));
    points_.extra[laid] = std::max(points_.extra[laid], leaves[kept]);
  }
}

void Generator::collectPrefixes() {
  Scratch& s = scratch_;
  const std::string_view rack(given_.data(), givenSize_);
  if (s.holds(g_, rack, blankLetters_)) return;
  s.graph = 0;  // not valid while they are collected
  prefixes_.clear();
  for (auto& b : buckets_) b.clear();
  if (tilesInRack_ > 1) growPrefix(g_.root(), 0);
  s.rack.assign(rack);
  s.blankLetters = blankLetters_;
  s.graph = g_.id();
}

void Generator::run(const Frame& f, bool down) {
  f_ = &f;
  down_ = down;
  if (tilesInRack_ == 0) return;
  for (int r = 0; r < kN; ++r)
    for (int c = 0; c < kN; ++c)
      if (f.anchor[r * kN + c]) fromAnchorAt(r, c);
}

void Generator::runBest(const std::array<const Frame*, 2>& frames) {
  if (tilesInRack_ == 0) return;
  struct Anchor {
    double bound;
    std::uint16_t at;  // frame d's square i as d * kSquares + i
  };
  std::array<Anchor, 2 * kSquares> order;
  std::size_t n = 0;
  std::array<double, kSquares> bound;
  for (int d = 0; d < 2; ++d) {
    const Frame& f = *frames[static_cast<std::size_t>(d)];
    anchorBounds(f, points_, bound);
    for (int i = 0; i < kSquares; ++i)
      if (f.anchor[i] && bound[static_cast<std::size_t>(i)] > kNoPlacement)
        order[n++] = {bound[static_cast<std::size_t>(i)], static_cast<std::uint16_t>(d * kSquares + i)};
  }
  std::sort(order.begin(), order.begin() + static_cast<std::ptrdiff_t>(n),
            [](const Anchor& a, const Anchor& b) {
              return a.bound != b.bound ? a.bound > b.bound : a.at < b.at;
            });
  for (std::size_t k = 0; k < n && out_.reaches(order[k].bound); ++k) {
    const int d = order[k].at / kSquares, i = order[k].at % kSquares;
    f_ = frames[static_cast<std::size_t>(d)];
    down_ = d == 1;
    fromAnchorAt(i / kN, i % kN);
  }
}

void Generator::fromAnchorAt(int r, int c) {
  const Frame& f = *f_;
  const int base = r * kN;
  row_ = r;
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
    while (c - room - 1 >= 0 && !f.anchor[base + c - room - 1] && room + 1 < tilesInRack_) ++room;
    fromAnchor(room);
  }
}

void Generator::growPrefix(WordGraph::Node n, int len) {
  std::uint32_t id = 0;
  if (len > 0) {
    Prefix p{};
    std::copy(pre_.begin(), pre_.begin() + len, p.begin());
    id = static_cast<std::uint32_t>(prefixes_.size());
    prefixes_.push_back(p);
  }
  const bool deeper = len + 1 < tilesInRack_;
  for (std::uint32_t m = g_.letters(n) & takeable(); m; m &= m - 1) {
    const int l = std::countr_zero(m);
    const WordGraph::Node after = g_.child(n, l);
    if (len > 0) bucket(l, len).push_back({id, after});
    if (!deeper) continue;
    const Kind kind = take(l);
    pre_[len] = static_cast<char>('a' + l);
    growPrefix(after, len + 1);
    giveBack(l, kind);
  }
}

// Words whose new tiles start at the anchor or on the `room` empty
// non-anchor squares left of it: a rack prefix, then the anchor's letter.
void Generator::fromAnchor(int room) {
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
        if (next >= 0 && !((WordGraph::letters(e.after) >> next) & 1)) continue;
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

void Generator::extendRight(WordGraph::Node n, int start, int col) {
  const Frame& f = *f_;
  const int base = row_ * kN;
  // The word runs on through the board letters from here.
  for (; col < kN && !f.empty(base + col); ++col) {
    n = g_.child(n, f.letter[base + col]);
    if (n == WordGraph::kNone) return;
    word_[col] = static_cast<char>('a' + f.letter[base + col]);
    isNew_[col] = false;
  }
  if (col > anchor_ && g_.isWord(n)) record(start, col);
  if (col == kN) return;
  const std::uint32_t allowed = g_.letters(n) & f.cross[base + col] & takeable();
  // After the square: the letters that may follow on the next square when
  // it is empty (none past the row's end); nothing when a board letter.
  const bool open = col + 1 == kN || f.empty(base + col + 1);
  const std::uint32_t goOn = col + 1 < kN && open ? f.cross[base + col + 1] & takeable() : 0;
  for (std::uint32_t m = allowed; m; m &= m - 1) {
    const int l = std::countr_zero(m);
    const WordGraph::Node child = g_.child(n, l);
    // A letter that ends no word and that nothing can follow on the open
    // square after it finds nothing.
    if (open && !g_.isWord(child) && !(g_.letters(child) & goOn)) continue;
    const Kind kind = take(l);
    word_[col] = static_cast<char>('a' + l);
    isNew_[col] = true;
    kind_[col] = kind;
    ++tiles_;
    extendRight(child, start, col + 1);
    isNew_[col] = false;
    --tiles_;
    giveBack(l, kind);
  }
}

void Generator::record(int start, int end) {
  const Frame& f = *f_;
  const int base = row_ * kN;
  // A single tile with a word across is the across placement.
  const bool lone = down_ && tiles_ == 1;
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
    if (!f.hasCross[i]) continue;
    if (lone) return;
    crossTotal += (f.crossSum[i] + v) * f.wm[i];
  }
  int score = mainSum * mainMult + crossTotal + fullRackBonus(tiles_);
  // Blanks only take points away, and no leave of the tiles kept is worth
  // more than points_.extra[tiles_]: most placements are not wanted even so.
  if (!out_.wants(score, score + points_.extra[static_cast<std::size_t>(tiles_)])) return;
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
  CompleteMove r{};
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
unsigned Generator::keptMask() const {
  unsigned kept = fixedKept_;
  for (int i = 0; i < distinct_; ++i) {
    const auto [tile, first] = firstOf_[static_cast<std::size_t>(i)];
    const int left = tile == kBlank ? blanks_ : rack_[tile];
    kept |= ((1u << left) - 1) << first;
  }
  return kept;
}

}  // namespace tilvan
