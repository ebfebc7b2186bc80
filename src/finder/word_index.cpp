#include "finder/word_index.h"

#include <algorithm>
#include <utility>

namespace tilvan {
namespace {

constexpr std::size_t kLongestPlaceable = 15;

std::uint64_t hashOf(std::string_view s) {
  std::uint64_t h = 1469598103934665603ull;
  for (unsigned char c : s) h = (h ^ c) * 1099511628211ull;
  return h ^ (h >> 29);
}

using Kid = std::pair<unsigned char, std::uint32_t>;  // character, state

// The states of a minimal automaton while it is built, children before
// their parents.
struct Builder {
  std::vector<std::uint32_t> first, count;  // edge range in `kids`
  std::vector<unsigned char> terminal;
  std::vector<Kid> kids;
  std::vector<std::uint32_t> table = std::vector<std::uint32_t>(1u << 16, WordIndex::kNone);
  std::size_t used = 0;

  static std::uint64_t hashOf(bool term, const Kid* k, std::size_t n) {
    std::uint64_t h = term ? 0x9E3779B97F4A7C15ull : 0x632BE59BD9B4E019ull;
    for (std::size_t i = 0; i < n; ++i)
      h = (h ^ (std::uint64_t{k[i].first} << 32 | k[i].second)) * 0xFF51AFD7ED558CCDull;
    return h ^ (h >> 29);
  }

  // The state with these children and end mark: an equal one already kept,
  // or a new one.
  std::uint32_t close(bool term, const std::vector<Kid>& open) {
    const std::size_t m = table.size() - 1;
    std::size_t at = hashOf(term, open.data(), open.size()) & m;
    for (; table[at] != WordIndex::kNone; at = (at + 1) & m) {
      const std::uint32_t s = table[at];
      if (terminal[s] == term && count[s] == open.size() &&
          std::equal(open.begin(), open.end(), kids.begin() + first[s]))
        return s;
    }
    const auto id = static_cast<std::uint32_t>(first.size());
    first.push_back(static_cast<std::uint32_t>(kids.size()));
    count.push_back(static_cast<std::uint32_t>(open.size()));
    terminal.push_back(term);
    kids.insert(kids.end(), open.begin(), open.end());
    table[at] = id;
    if (++used * 2 > table.size()) grow();
    return id;
  }

  void grow() {
    std::vector<std::uint32_t> bigger(table.size() * 2, WordIndex::kNone);
    const std::size_t m = bigger.size() - 1;
    for (std::uint32_t s : table) {
      if (s == WordIndex::kNone) continue;
      std::size_t at = hashOf(terminal[s], kids.data() + first[s], count[s]) & m;
      while (bigger[at] != WordIndex::kNone) at = (at + 1) & m;
      bigger[at] = s;
    }
    table.swap(bigger);
  }
};

}  // namespace

WordIndex::WordIndex(const WordList& list) : list_(list) {
  // Hash set over every record.
  std::size_t capacity = 16;
  while (capacity < 2 * list.size() + 2) capacity *= 2;
  slots_.assign(capacity, 0);
  mask_ = capacity - 1;
  for (std::size_t i = 0; i < list.size(); ++i) {
    const std::string_view w = list[i];
    for (std::uint64_t h = hashOf(w) & mask_;; h = (h + 1) & mask_) {
      if (slots_[h] == 0) {
        slots_[h] = static_cast<std::uint32_t>(i + 1);
        break;
      }
      if (list[slots_[h] - 1] == w) break;
    }
  }

  // The placeable records by text, equal texts in file order: one rank per
  // distinct text.
  std::vector<std::uint32_t> order;
  order.reserve(list.size());
  for (std::size_t i = 0; i < list.size(); ++i)
    if (!list[i].empty() && list[i].size() <= kLongestPlaceable)
      order.push_back(static_cast<std::uint32_t>(i));
  if (!std::is_sorted(order.begin(), order.end(),
                      [&](std::uint32_t a, std::uint32_t b) { return list[a] < list[b]; }))
    std::stable_sort(order.begin(), order.end(),
                     [&](std::uint32_t a, std::uint32_t b) { return list[a] < list[b]; });
  records_ = order;
  std::vector<std::string_view> texts;
  texts.reserve(order.size());
  for (std::size_t i = 0; i < order.size(); ++i) {
    if (i == 0 || list[order[i]] != list[order[i - 1]]) {
      rankBegin_.push_back(static_cast<std::uint32_t>(i));
      texts.push_back(list[order[i]]);
    }
  }
  rankBegin_.push_back(static_cast<std::uint32_t>(order.size()));
  ranksFollowRecords_ =
      texts.size() == records_.size() && std::is_sorted(records_.begin(), records_.end());

  // The automaton, from the sorted texts: only the path of the last text is
  // open; a state is closed once no later text can reach below it.
  Builder b;
  struct Open {
    std::vector<Kid> kids;
    bool terminal = false;
  };
  std::vector<Open> path(kLongestPlaceable + 1);
  std::size_t depth = 0;
  auto closeTo = [&](std::size_t keep) {
    for (; depth > keep; --depth) {
      Open& closing = path[depth];
      path[depth - 1].kids.back().second = b.close(closing.terminal, closing.kids);
      closing.kids.clear();
      closing.terminal = false;
    }
  };
  std::string_view prev;
  for (std::string_view w : texts) {
    std::size_t common = 0;
    while (common < prev.size() && common < w.size() && prev[common] == w[common]) ++common;
    closeTo(common);
    for (std::size_t d = common; d < w.size(); ++d)
      path[d].kids.emplace_back(static_cast<unsigned char>(w[d]), kNone);
    depth = w.size();
    path[depth].terminal = true;
    prev = w;
  }
  closeTo(0);
  const std::uint32_t rootOld = b.close(false, path[0].kids);
  const std::size_t n = b.first.size();
  stateCount_ = n;

  // Texts below each state, and the look-ahead masks (children first).
  std::vector<std::uint32_t> below(n);
  std::vector<std::uint16_t> lengths(n);
  std::vector<std::uint32_t> letters(n);
  std::vector<std::uint8_t> low(n), high(n);
  std::vector<std::uint8_t> aheadOld(n * kAheadRows, 0);
  for (std::uint32_t s = 0; s < n; ++s) {
    std::uint32_t total = b.terminal[s];
    std::uint16_t ends = b.terminal[s];
    std::uint8_t* mine = &aheadOld[std::size_t{s} * kAheadRows];
    for (std::uint32_t k = b.first[s]; k < b.first[s] + b.count[s]; ++k) {
      const auto [ch, child] = b.kids[k];
      total += below[child];
      ends = static_cast<std::uint16_t>(ends | lengths[child] << 1);
      letters[s] |= letterMask(ch);
      if (ch < 'a') ++low[s];
      if (ch > 'z') ++high[s];
      mine[letterBit(ch)] |= 1;
      const std::uint8_t* theirs = &aheadOld[std::size_t{child} * kAheadRows];
      for (std::size_t row = 0; row < kAheadRows; ++row)
        mine[row] |= static_cast<std::uint8_t>(theirs[row] << 1);
    }
    below[s] = total;
    lengths[s] = ends;
  }

  // Renumber depth first from the root.
  std::vector<std::uint32_t> newId(n, kNone), byNew;
  byNew.reserve(n);
  std::vector<std::uint32_t> stack{rootOld};
  while (!stack.empty()) {
    const std::uint32_t s = stack.back();
    stack.pop_back();
    if (newId[s] != kNone) continue;
    newId[s] = static_cast<std::uint32_t>(byNew.size());
    byNew.push_back(s);
    for (std::uint32_t k = b.first[s] + b.count[s]; k-- > b.first[s];)
      if (newId[b.kids[k].second] == kNone) stack.push_back(b.kids[k].second);
  }
  // Each state's edges, then its children's look-ahead rows in the slots
  // after them, so that a walk finds both in the same stretch of memory.
  std::vector<std::uint32_t> firstNew(n);
  std::uint32_t next = 0;
  for (std::uint32_t id = 0; id < byNew.size(); ++id) {
    firstNew[id] = next;
    const std::uint32_t count = b.count[byNew[id]];
    next += count + aheadSlots(count);
    edgeCount_ += count;
  }
  edges_.assign(next, Edge{});
  for (std::uint32_t id = 0; id < byNew.size(); ++id) {
    const std::uint32_t s = byNew[id];
    std::uint32_t before = b.terminal[s];
    for (std::uint32_t i = 0; i < b.count[s]; ++i) {
      const auto [ch, child] = b.kids[b.first[s] + i];
      edges_[firstNew[id] + i] = {firstNew[newId[child]],
                                  before,
                                  letters[child],
                                  static_cast<std::uint16_t>(b.count[child]),
                                  lengths[child],
                                  ch,
                                  low[child],
                                  high[child]};
      before += below[child];
      auto* rows = reinterpret_cast<unsigned char*>(edges_.data() + firstNew[id] + b.count[s]);
      for (std::size_t row = 0; row < kAheadRows; ++row)
        rows[row * b.count[s] + i] = aheadOld[std::size_t{child} * kAheadRows + row];
    }
  }
  std::copy_n(&aheadOld[std::size_t{rootOld} * kAheadRows], kAheadRows, rootAhead_.begin());
  rootEdge_ = {firstNew[0],
               0,
               letters[rootOld],
               static_cast<std::uint16_t>(b.count[rootOld]),
               static_cast<std::uint16_t>(lengths[rootOld]),
               0,
               low[rootOld],
               high[rootOld]};
}

std::uint32_t WordIndex::otherEdgeOf(const Cursor& at, unsigned char c) const {
  for (std::uint32_t e = at.first(), end = at.end(); e < end; ++e)
    if (edges_[e].ch == c) return e;
  return kNone;
}

bool WordIndex::contains(std::string_view word) const {
  for (std::uint64_t h = hashOf(word) & mask_;; h = (h + 1) & mask_) {
    if (slots_[h] == 0) return false;
    if (list_[slots_[h] - 1] == word) return true;
  }
}

}  // namespace tilvan
