// The word graph of the complete search: every placeable word of a word list
// (2 to 15 letters, each a..z) as a minimal acyclic automaton that shares
// both prefixes and suffixes. Built once per version of the list through
// WordList::derived<WordGraph>().
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "finder/letter_bits.h"

namespace tilvan {

class WordList;

// Immutable once built; safe to read from any number of threads.
// Intentionally not copyable: the list's cache owns the one copy.
class WordGraph {
 public:
  // A node as its letters, end mark and the place of its children: each
  // edge holds the whole of the node it leads to, so a step along a letter
  // reads one entry and the node reached needs no further reading.
  struct Node {
    std::uint32_t mask = 0;   // letter bits and kWordBit
    std::uint32_t first = 0;  // its children's first entry in edges_, in letter order
    bool operator==(const Node&) const = default;
  };
  static constexpr Node kNone{0, 0xFFFFFFFFu};
  static constexpr int kMaxWord = 15;

  // Builds the graph of the list's placeable records. Empty records, records
  // with any character but a..z, words of one letter or longer than the
  // board, and duplicates are left out.
  explicit WordGraph(const WordList& list);
  WordGraph(const WordGraph&) = delete;
  WordGraph& operator=(const WordGraph&) = delete;

  // The node of the empty prefix.
  Node root() const { return root_; }
  // Bit L (0..25) is set when letter L continues a prefix of some word.
  static std::uint32_t letters(Node n) { return n.mask & kLetterBits; }
  // True when the prefix that leads to n is a word.
  static bool isWord(Node n) { return (n.mask & kWordBit) != 0; }
  // The node after letter `letter` (0..25), or kNone; any other letter gives kNone.
  Node child(Node n, int letter) const {
    if (static_cast<unsigned>(letter) >= 26u) return kNone;
    const std::uint32_t bit = 1u << letter;
    if (!(n.mask & bit)) return kNone;
    return edges_[n.first + lettersBelow(n.mask, bit)];
  }
  // Whether `word` (lower-case letters) is in the graph.
  bool contains(std::string_view word) const;

  // A number no other graph built by this process has: what caches of
  // results that depend on the graph tell graphs apart by (an address may
  // be reused once a graph is gone).
  std::uint64_t id() const { return id_; }

  std::size_t wordCount() const { return words_; }
  std::size_t nodeCount() const { return nodes_; }
  std::size_t edgeCount() const { return edges_.size(); }
  // Bytes that the graph holds.
  std::size_t bytes() const { return edges_.capacity() * sizeof(Node); }

 private:
  static constexpr std::uint32_t kLetterBits = kAllLetterBits;
  static constexpr std::uint32_t kWordBit = 1u << 31;
  std::vector<Node> edges_;
  Node root_;
  std::size_t nodes_ = 0, words_ = 0;
  std::uint64_t id_;
};

}  // namespace tilvan
