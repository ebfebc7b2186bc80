// The word finder's index of one version of the word list, built once on the
// first search (WordList::derived) and kept until the file changes: a trie of
// every record that can be laid (1 to 15 characters) and a hash set of all
// records for the word check.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "words/word_list.h"

namespace tilvan {

class WordIndex {
 public:
  explicit WordIndex(const WordList& list);
  WordIndex(const WordIndex&) = delete;
  WordIndex& operator=(const WordIndex&) = delete;

  // True when some record of the list equals `word` exactly.
  bool contains(std::string_view word) const;

  // Trie nodes are numbered depth first from the root (0).
  static constexpr std::uint32_t kRoot = 0;
  static constexpr std::uint32_t kNone = 0xFFFFFFFFu;
  static constexpr int kAheadDepth = 7;  // the longest run of rack tiles

  // A node as the walks carry it: its number, its edge range and whether
  // records end there, read from the edge that leads to it so that a step
  // down touches the edges alone.
  struct Cursor {
    std::uint32_t node = kRoot, first = 0, end = 0;
    bool terminal = false;
  };
  Cursor root() const {
    return {kRoot, nodes_[kRoot].firstEdge, nodes_[kRoot].edgeEnd, terminal(kRoot)};
  }
  Cursor down(std::uint32_t edge) const {
    const Edge& x = edges_[edge];
    return {x.child, x.childFirst, x.childFirst + x.childCount, x.childTerminal != 0};
  }
  // The edge of the cursor's node along character c, or kNone.
  std::uint32_t edgeOf(const Cursor& at, unsigned char c) const {
    for (std::uint32_t e = at.first; e < at.end; ++e)
      if (edges_[e].ch == c) return e;
    return kNone;
  }

  unsigned char edgeChar(std::uint32_t edge) const { return edges_[edge].ch; }
  // Indexes of the records whose text ends at `node`, in file order.
  const std::uint32_t* recordsBegin(std::uint32_t node) const {
    return records_.data() + nodes_[node].termBegin;
  }
  const std::uint32_t* recordsEnd(std::uint32_t node) const {
    return records_.data() + nodes_[node].termEnd;
  }
  bool terminal(std::uint32_t node) const { return nodes_[node].termBegin != nodes_[node].termEnd; }

  // Bit of a board letter ('a'..'z', '_') in the look-ahead masks; 31 for
  // any other character.
  static int letterBit(unsigned char c) {
    return c >= 'a' && c <= 'z' ? c - 'a' : c == '_' ? 26 : 31;
  }
  // The letters that some word has as its r-th character, as bits
  // (r = 1 .. kAheadDepth + 1).
  std::uint32_t rootAhead(int r) const { return rootAhead_[r - 1]; }
  // For an edge of a node of depth d < kAheadDepth: at [r - 1], the letters
  // that some word through the edge's child has as its r-th character after
  // the child (r = 1 .. kAheadDepth - d), as bits.
  const std::uint32_t* ahead(std::uint32_t edge) const {
    return edgeAhead_.data() + std::size_t{edge} * kAheadDepth;
  }

  std::size_t nodes() const { return nodes_.size(); }

 private:
  const WordList& list_;
  struct Node {
    std::uint32_t firstEdge = 0, edgeEnd = 0, termBegin = 0, termEnd = 0;
  };
  struct Edge {
    std::uint32_t child = 0;
    std::uint32_t childFirst = 0;  // the child's edge range and end mark
    std::uint16_t childCount = 0;
    unsigned char ch = 0;
    unsigned char childTerminal = 0;
  };
  // Nodes in depth-first order, so that a walk down the trie reads memory
  // mostly forwards. The edges of the shallow nodes come first, so that their
  // look-ahead masks (edgeAhead_) lie side by side.
  std::vector<Node> nodes_;
  std::vector<Edge> edges_;
  std::vector<std::uint32_t> records_;
  std::array<std::uint32_t, kAheadDepth + 1> rootAhead_{};
  // Per shallow node, kAheadDepth rows of one mask per edge.
  std::vector<std::uint32_t> edgeAhead_;
  std::vector<std::uint32_t> slots_;  // hash set: record index + 1, 0 = empty
  std::uint64_t mask_ = 0;
};

}  // namespace tilvan
