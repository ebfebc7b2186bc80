#include "finder/word_index.h"

#include <algorithm>
#include <utility>

#include "finder/automaton_builder.h"
#include "finder/letter_bits.h"

namespace tilvan {
namespace {

constexpr std::size_t kLongestPlaceable = 15;

std::uint64_t hashOf(std::string_view s) {
  std::uint64_t h = 1469598103934665603ull;
  for (unsigned char c : s) h = (h ^ c) * 1099511628211ull;
  return h ^ (h >> 29);
}

}  // namespace

WordIndex::WordIndex(const WordList& list) : list_(list) {
  fillRecordSet();
  const AutomatonBuilder automaton(rankTexts(), kLongestPlaceable);
  stateCount_ = automaton.states();
  layOut(automaton);
}

// A hash set over every record, for contains().
void WordIndex::fillRecordSet() {
  std::size_t capacity = 16;
  while (capacity < 2 * list_.size() + 2) capacity *= 2;
  slots_.assign(capacity, 0);
  mask_ = capacity - 1;
  for (std::size_t i = 0; i < list_.size(); ++i) {
    const std::string_view w = list_[i];
    for (std::uint64_t h = hashOf(w) & mask_;; h = (h + 1) & mask_) {
      if (slots_[h] == 0) {
        slots_[h] = static_cast<std::uint32_t>(i + 1);
        break;
      }
      if (list_[slots_[h] - 1] == w) break;
    }
  }
}

// The placeable records by text, equal texts in file order: one rank per
// distinct text. The distinct texts, sorted.
std::vector<std::string_view> WordIndex::rankTexts() {
  const WordList& list = list_;
  std::vector<std::uint32_t> order;
  order.reserve(list.size());
  for (std::size_t i = 0; i < list.size(); ++i)
    if (!list[i].empty() && list[i].size() <= kLongestPlaceable)
      order.push_back(static_cast<std::uint32_t>(i));
  const auto byText = [&](std::uint32_t a, std::uint32_t b) { return list[a] < list[b]; };
  if (!std::is_sorted(order.begin(), order.end(), byText))
    std::stable_sort(order.begin(), order.end(), byText);
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
  return texts;
}

namespace {

// What the walks read of each state of an automaton, worked out children
// first: the texts below it, the lengths that go on from it, its letters,
// and its look-ahead masks.
struct StateFacts {
  explicit StateFacts(const AutomatonBuilder& automaton, std::size_t aheadRows);
  std::vector<std::uint32_t> below, letters;
  std::vector<std::uint16_t> lengths;
  std::vector<std::uint8_t> low, high;
  std::vector<std::uint8_t> ahead;  // aheadRows per state
};

StateFacts::StateFacts(const AutomatonBuilder& automaton, std::size_t aheadRows)
    : below(automaton.states()),
      letters(automaton.states()),
      lengths(automaton.states()),
      low(automaton.states()),
      high(automaton.states()),
      ahead(automaton.states() * aheadRows, 0) {
  for (std::uint32_t s = 0; s < automaton.states(); ++s) {
    below[s] = automaton.terminal(s);
    lengths[s] = automaton.terminal(s);
    std::uint8_t* mine = &ahead[std::size_t{s} * aheadRows];
    for (const auto& [ch, child] : automaton.edges(s)) {
      below[s] += below[child];
      lengths[s] = static_cast<std::uint16_t>(lengths[s] | lengths[child] << 1);
      letters[s] |= letterBitOf(ch);
      if (ch < 'a') ++low[s];
      if (ch > 'z') ++high[s];
      mine[WordIndex::letterBit(ch)] |= 1;
      const std::uint8_t* theirs = &ahead[std::size_t{child} * aheadRows];
      for (std::size_t row = 0; row < aheadRows; ++row)
        mine[row] |= static_cast<std::uint8_t>(theirs[row] << 1);
    }
  }
}

// The states in depth-first order from the root.
std::vector<std::uint32_t> depthFirst(const AutomatonBuilder& automaton) {
  std::vector<std::uint32_t> order;
  order.reserve(automaton.states());
  std::vector<bool> seen(automaton.states());
  std::vector<std::uint32_t> stack{automaton.root()};
  while (!stack.empty()) {
    const std::uint32_t s = stack.back();
    stack.pop_back();
    if (seen[s]) continue;
    seen[s] = true;
    order.push_back(s);
    const auto edges = automaton.edges(s);
    for (auto e = edges.rbegin(); e != edges.rend(); ++e)
      if (!seen[e->second]) stack.push_back(e->second);
  }
  return order;
}

}  // namespace

// Each state's edges, then its children's look-ahead rows in the slots after
// them, so that a walk finds both in the same stretch of memory; states in
// depth-first order from the root, so that a walk down reads memory mostly
// forwards.
void WordIndex::layOut(const AutomatonBuilder& automaton) {
  const StateFacts facts(automaton, kAheadRows);
  const std::vector<std::uint32_t> order = depthFirst(automaton);
  std::vector<std::uint32_t> firstOf(automaton.states());
  std::uint32_t next = 0;
  for (const std::uint32_t s : order) {
    firstOf[s] = next;
    const auto count = static_cast<std::uint32_t>(automaton.edges(s).size());
    next += count + aheadSlots(count);
    edgeCount_ += count;
  }
  edges_.assign(next, Edge{});
  auto edgeTo = [&](std::uint32_t child, std::uint32_t before, unsigned char ch) {
    return Edge{firstOf[child],       before,
                facts.letters[child], static_cast<std::uint16_t>(automaton.edges(child).size()),
                facts.lengths[child], ch,
                facts.low[child],     facts.high[child]};
  };
  for (const std::uint32_t s : order) {
    const auto edges = automaton.edges(s);
    std::uint32_t before = automaton.terminal(s);
    auto* rows = reinterpret_cast<unsigned char*>(edges_.data() + firstOf[s] + edges.size());
    for (std::size_t i = 0; i < edges.size(); ++i) {
      const auto [ch, child] = edges[i];
      edges_[firstOf[s] + i] = edgeTo(child, before, ch);
      before += facts.below[child];
      for (std::size_t row = 0; row < kAheadRows; ++row)
        rows[row * edges.size() + i] = facts.ahead[std::size_t{child} * kAheadRows + row];
    }
  }
  const std::uint32_t root = automaton.root();
  std::copy_n(&facts.ahead[std::size_t{root} * kAheadRows], kAheadRows, rootAhead_.begin());
  rootEdge_ = edgeTo(root, 0, 0);
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
