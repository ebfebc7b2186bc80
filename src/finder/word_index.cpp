#include "finder/word_index.h"

#include <algorithm>

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

  // Trie of the placeable records.
  std::vector<std::uint32_t> order;
  order.reserve(list.size());
  for (std::size_t i = 0; i < list.size(); ++i)
    if (!list[i].empty() && list[i].size() <= kLongestPlaceable)
      order.push_back(static_cast<std::uint32_t>(i));
  std::stable_sort(order.begin(), order.end(),
                   [&](std::uint32_t a, std::uint32_t b) { return list[a] < list[b]; });

  // Breadth first from the sorted texts: each node is a range of them.
  struct Range {
    std::uint32_t lo, hi;
    std::uint8_t depth;
  };
  std::vector<Range> bfs{{0, static_cast<std::uint32_t>(order.size()), 0}};
  std::vector<std::uint32_t> bfsEdge{0}, bfsChild;
  std::vector<unsigned char> bfsChar;
  for (std::size_t n = 0; n < bfs.size(); ++n) {
    const Range r = bfs[n];
    std::uint32_t i = r.lo;
    while (i < r.hi && list[order[i]].size() == r.depth) ++i;
    while (i < r.hi) {
      const unsigned char c = static_cast<unsigned char>(list[order[i]][r.depth]);
      std::uint32_t j = i;
      while (j < r.hi && static_cast<unsigned char>(list[order[j]][r.depth]) == c) ++j;
      bfsChar.push_back(c);
      bfsChild.push_back(static_cast<std::uint32_t>(bfs.size()));
      bfs.push_back({i, j, static_cast<std::uint8_t>(r.depth + 1)});
      i = j;
    }
    bfsEdge.push_back(static_cast<std::uint32_t>(bfsChar.size()));
  }

  // Renumber depth first (pre-order).
  std::vector<std::uint32_t> preorder;
  preorder.reserve(bfs.size());
  std::vector<std::uint32_t> newId(bfs.size());
  std::vector<std::uint32_t> stack{0};
  while (!stack.empty()) {
    const std::uint32_t n = stack.back();
    stack.pop_back();
    newId[n] = static_cast<std::uint32_t>(preorder.size());
    preorder.push_back(n);
    for (std::uint32_t e = bfsEdge[n + 1]; e-- > bfsEdge[n];) stack.push_back(bfsChild[e]);
  }
  const std::size_t nodeCount = bfs.size();
  nodes_.resize(nodeCount);
  edges_.resize(bfsChar.size());
  records_.reserve(order.size());
  // Edges of nodes above kAheadDepth first, then the rest, each in pre-order.
  std::uint32_t nextEdge = 0;
  for (int pass = 0; pass < 2; ++pass) {
    for (std::uint32_t id = 0; id < nodeCount; ++id) {
      const std::uint32_t old = preorder[id];
      if ((bfs[old].depth < kAheadDepth) != (pass == 0)) continue;
      Node& node = nodes_[id];
      node.firstEdge = nextEdge;
      for (std::uint32_t e = bfsEdge[old]; e < bfsEdge[old + 1]; ++e)
        edges_[nextEdge++] = {newId[bfsChild[e]], 0, 0, bfsChar[e], 0};
      node.edgeEnd = nextEdge;
    }
    if (pass == 0) edgeAhead_.assign(std::size_t{nextEdge} * kAheadDepth, 0);
  }
  for (std::uint32_t id = 0; id < nodeCount; ++id) {
    const Range r = bfs[preorder[id]];
    nodes_[id].termBegin = static_cast<std::uint32_t>(records_.size());
    for (std::uint32_t i = r.lo; i < r.hi && list[order[i]].size() == r.depth; ++i)
      records_.push_back(order[i]);
    nodes_[id].termEnd = static_cast<std::uint32_t>(records_.size());
  }

  for (Edge& x : edges_) {
    const Node& child = nodes_[x.child];
    x.childFirst = child.firstEdge;
    x.childCount = static_cast<std::uint16_t>(child.edgeEnd - child.firstEdge);
    x.childTerminal = child.termBegin != child.termEnd;
  }

  // Look-ahead masks of the nodes of depth <= kAheadDepth, children first:
  // mask[r - 1] holds the letters r characters below the node.
  std::vector<std::array<std::uint32_t, kAheadDepth + 1>> mask(nodeCount);
  for (std::uint32_t id = static_cast<std::uint32_t>(nodeCount); id-- > 0;) {
    const int depth = bfs[preorder[id]].depth;
    if (depth > kAheadDepth) continue;
    auto& mine = mask[id];
    for (std::uint32_t e = nodes_[id].firstEdge; e < nodes_[id].edgeEnd; ++e) {
      mine[0] |= 1u << letterBit(edges_[e].ch);
      for (int r = 2; r <= kAheadDepth + 1 - depth; ++r)
        mine[r - 1] |= mask[edges_[e].child][r - 2];
    }
  }
  for (std::uint32_t id = 0; id < nodeCount; ++id) {
    if (bfs[preorder[id]].depth >= kAheadDepth) continue;
    const std::uint32_t first = nodes_[id].firstEdge, count = nodes_[id].edgeEnd - first;
    for (std::uint32_t i = 0; i < count; ++i)
      for (int r = 0; r < kAheadDepth; ++r)
        edgeAhead_[std::size_t{first + i} * kAheadDepth + std::size_t(r)] =
            mask[edges_[first + i].child][r];
  }
  rootAhead_ = mask[kRoot];
}

bool WordIndex::contains(std::string_view word) const {
  for (std::uint64_t h = hashOf(word) & mask_;; h = (h + 1) & mask_) {
    if (slots_[h] == 0) return false;
    if (list_[slots_[h] - 1] == word) return true;
  }
}

}  // namespace tilvan
