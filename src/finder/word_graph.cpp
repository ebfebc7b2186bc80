#include "finder/word_graph.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "words/word_list.h"

namespace tilvan {

namespace {

bool placeable(std::string_view w) {
  if (w.size() < 2 || w.size() > static_cast<std::size_t>(WordGraph::kMaxWord)) return false;
  for (char ch : w)
    if (ch < 'a' || ch > 'z') return false;
  return true;
}

}  // namespace

// Words are added in sorted order (incremental construction of a minimal
// automaton): only the path of the last word is open; a node is closed once
// no later word can reach below it, and a closed node equal to one already
// kept (same word mark, same children) is replaced by that one.
WordGraph::WordGraph(const WordList& list) {
  std::vector<std::string_view> words;
  words.reserve(list.size());
  for (std::size_t i = 0; i < list.size(); ++i)
    if (placeable(list[i])) words.push_back(list[i]);
  if (!std::is_sorted(words.begin(), words.end())) std::sort(words.begin(), words.end());
  words.erase(std::unique(words.begin(), words.end()), words.end());
  words_ = words.size();

  struct Open {
    std::uint32_t mask = 0;
    std::array<Node, 26> child{};
    int last = -1;  // letter of the child that is still open
  };
  std::array<Open, kMaxWord + 1> path{};

  // Closed nodes, found by content: open addressing over node numbers.
  std::vector<Node> table(1u << 16, kNone);
  std::size_t used = 0;
  nodes_.reserve(words.size() / 2 + 16);
  edges_.reserve(words.size() + 16);

  auto hashOf = [](std::uint32_t mask, const Node* kids, int n) {
    std::uint64_t h = mask * 0x9E3779B97F4A7C15ull;
    for (int i = 0; i < n; ++i) h = (h ^ kids[i]) * 0xFF51AFD7ED558CCDull;
    return h ^ (h >> 29);
  };
  auto grow = [&] {
    std::vector<Node> bigger(table.size() * 2, kNone);
    const std::size_t m = bigger.size() - 1;
    for (Node id : table) {
      if (id == kNone) continue;
      const Packed& p = nodes_[id];
      const int n = std::popcount(p.mask & kLetterBits);
      std::size_t at = hashOf(p.mask, edges_.data() + p.first, n) & m;
      while (bigger[at] != kNone) at = (at + 1) & m;
      bigger[at] = id;
    }
    table.swap(bigger);
  };
  auto close = [&](const Open& o) -> Node {
    std::array<Node, 26> kids;
    int n = 0;
    for (int l = 0; l < 26; ++l)
      if (o.mask & (1u << l)) kids[n++] = o.child[l];
    const std::size_t m = table.size() - 1;
    std::size_t at = hashOf(o.mask, kids.data(), n) & m;
    for (; table[at] != kNone; at = (at + 1) & m) {
      const Packed& p = nodes_[table[at]];
      if (p.mask == o.mask && std::equal(kids.begin(), kids.begin() + n, edges_.begin() + p.first))
        return table[at];
    }
    const Node id = static_cast<Node>(nodes_.size());
    nodes_.push_back(Packed{o.mask, static_cast<std::uint32_t>(edges_.size())});
    edges_.insert(edges_.end(), kids.begin(), kids.begin() + n);
    table[at] = id;
    if (++used * 2 > table.size()) grow();
    return id;
  };
  // Closes the open path below depth `keep`.
  std::size_t depth = 0;
  auto closeTo = [&](std::size_t keep) {
    for (; depth > keep; --depth) {
      Open& parent = path[depth - 1];
      parent.child[parent.last] = close(path[depth]);
      path[depth] = Open{};
    }
  };

  std::string_view prev;
  for (std::string_view w : words) {
    std::size_t common = 0;
    while (common < prev.size() && common < w.size() && prev[common] == w[common]) ++common;
    closeTo(common);
    for (std::size_t d = common; d < w.size(); ++d) {
      const int l = w[d] - 'a';
      path[d].mask |= 1u << l;
      path[d].last = l;
      path[d + 1] = Open{};
    }
    depth = w.size();
    path[depth].mask |= kWordBit;
    prev = w;
  }
  closeTo(0);
  root_ = close(path[0]);
  nodes_.shrink_to_fit();
  edges_.shrink_to_fit();
}

bool WordGraph::contains(std::string_view word) const {
  Node n = root_;
  for (char ch : word) {
    n = child(n, ch - 'a');
    if (n == kNone) return false;
  }
  return isWord(n);
}

}  // namespace tilvan
