// The word finder's index of one version of the word list, built once on the
// first search (WordList::derived) and kept until the file changes: every
// record that can be laid (1 to 15 characters, any bytes) as a minimal
// acyclic automaton numbered by rank, and a hash set of all records for the
// word check.
//
// The automaton shares prefixes and suffixes, so it is a few times smaller
// than a trie of the same texts and the walks stay in the processor's caches.
// Distinct texts are numbered in sorted (byte) order; a walk adds up the
// numbers on the edges it takes, and arrives at a text's rank, which gives
// the records holding that text.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "finder/letter_bits.h"
#include "words/word_list.h"

namespace tilvan {

class AutomatonBuilder;

// Immutable once built. Borrows the list, which must outlive it (the list's
// cache owns both).
class WordIndex {
  struct Edge;

 public:
  explicit WordIndex(const WordList& list);
  WordIndex(const WordIndex&) = delete;
  WordIndex& operator=(const WordIndex&) = delete;

  // True when some record of the list equals `word` exactly.
  bool contains(std::string_view word) const;

  static constexpr std::uint32_t kNone = 0xFFFFFFFFu;
  // How far ahead the look-ahead masks reach.
  static constexpr int kAheadDepth = 8;

  // A state as the walks carry it: its edge range, the letters a..z of its
  // edges as bits (0 for 'a') and how many of its edges have a character
  // below 'a' and above 'z' (edges are in character order, so these come
  // first and last), whether a text ends there and the rank that the path to
  // it has added up (the text's rank where one ends). It is read from the
  // edge that leads to it, so that a step down touches the edges alone.
  class Cursor {
   public:
    std::uint32_t first() const { return via_->childFirst; }
    std::uint32_t end() const { return via_->childFirst + via_->childCount; }
    std::uint32_t letters() const { return via_->childLetters; }
    std::uint32_t low() const { return via_->childLow; }
    std::uint32_t high() const { return via_->childHigh; }
    bool terminal() const { return via_->childLengths & 1; }
    std::uint32_t rank = 0;

   private:
    friend class WordIndex;
    Cursor(const Edge* via, std::uint32_t r) : rank(r), via_(via) {}
    const Edge* via_;
  };
  Cursor root() const { return {&rootEdge_, 0}; }
  Cursor down(const Cursor& at, std::uint32_t edge) const {
    return {&edges_[edge], at.rank + edges_[edge].before};
  }
  // The bit of a letter a..z in Cursor::letters; 0 for any other character.
  static std::uint32_t letterMask(unsigned char c) { return letterBitOf(c); }
  // The edge of a letter a..z that the cursor's state has (its bit is set in
  // `letters`).
  static std::uint32_t letterEdge(const Cursor& at, std::uint32_t bit) {
    return at.first() + at.low() + lettersBelow(at.letters(), bit);
  }
  // The edge of the cursor's state along character c, or kNone.
  std::uint32_t edgeOf(const Cursor& at, unsigned char c) const {
    if (const std::uint32_t bit = letterMask(c))
      return at.letters() & bit ? letterEdge(at, bit) : kNone;
    return otherEdgeOf(at, c);
  }
  unsigned char edgeChar(std::uint32_t edge) const { return edges_[edge].ch; }
  // The letters of the edges below an edge, as Cursor::letters.
  std::uint32_t childLetters(std::uint32_t edge) const { return edges_[edge].childLetters; }
  // Whether some edge below an edge has a character outside a..z.
  bool childHasOthers(std::uint32_t edge) const {
    return edges_[edge].childLow || edges_[edge].childHigh;
  }
  // edgeOf for a character outside a..z.
  std::uint32_t otherEdgeOf(const Cursor& at, unsigned char c) const;
  // Bit k is set when some text goes on for exactly k more characters after
  // the edge's character (k = 0 when a text ends there).
  std::uint16_t edgeLengths(std::uint32_t edge) const { return edges_[edge].childLengths; }

  // True when every text is held by one record and ranks follow file order:
  // then a rank stands for its record, and sorting by rank sorts by record.
  bool ranksFollowRecords() const { return ranksFollowRecords_; }
  // The record of a rank, when ranks follow records.
  std::uint32_t recordOfRank(std::uint32_t rank) const { return records_[rank]; }

  // Indexes of the records whose text has this rank, in file order.
  const std::uint32_t* recordsBegin(std::uint32_t rank) const {
    return records_.data() + rankBegin_[rank];
  }
  const std::uint32_t* recordsEnd(std::uint32_t rank) const {
    return records_.data() + rankBegin_[rank + 1];
  }

  // Row of a character in the look-ahead masks: 'a'..'z' are 0..25, '_' 26,
  // every other character 27.
  static int letterBit(unsigned char c) {
    return c >= 'a' && c <= 'z' ? c - 'a' : c == '_' ? 26 : 27;
  }
  // Look-ahead masks: bit r - 1 of a state's mask for a character row is set
  // when some text of the state's language (what can follow the path to it)
  // has a character of that row as its r-th character (r = 1 ..
  // kAheadDepth). The root's mask:
  std::uint8_t rootAhead(int row) const { return rootAhead_[static_cast<std::size_t>(row)]; }
  // The masks for one row of the children of the cursor's state, one per
  // edge in edge order (a scan of the edges reads them side by side).
  const std::uint8_t* childAhead(const Cursor& at, int row) const {
    return reinterpret_cast<const unsigned char*>(edges_.data() + at.end()) +
           std::size_t(row) * at.via_->childCount;
  }

  std::size_t states() const { return stateCount_; }
  std::size_t edges() const { return edgeCount_; }
  std::size_t texts() const { return rankBegin_.empty() ? 0 : rankBegin_.size() - 1; }

 private:
  static constexpr std::size_t kAheadRows = 28;
  // The edge slots after a state's `count` edges that hold its children's
  // look-ahead masks: kAheadRows rows of one per edge.
  static std::uint32_t aheadSlots(std::uint32_t count) {
    return static_cast<std::uint32_t>((count * kAheadRows + sizeof(Edge) - 1) / sizeof(Edge));
  }
  struct Edge {
    std::uint32_t childFirst = 0;    // the child's edge range
    std::uint32_t before = 0;        // texts passed over by taking this edge
    std::uint32_t childLetters = 0;  // as Cursor
    std::uint16_t childCount = 0;
    std::uint16_t childLengths = 0;  // see edgeLengths
    unsigned char ch = 0;
    std::uint8_t childLow = 0, childHigh = 0;  // as Cursor
  };

  void fillRecordSet();
  std::vector<std::string_view> rankTexts();
  void layOut(const AutomatonBuilder& automaton);

  const WordList& list_;
  // Each state's edges together, by character, followed by their look-ahead
  // masks (aheadSlots); see layOut.
  std::vector<Edge> edges_;
  std::size_t edgeCount_ = 0;
  std::array<std::uint8_t, kAheadRows> rootAhead_{};
  Edge rootEdge_;  // an edge to the root, for root()
  std::size_t stateCount_ = 0;
  std::vector<std::uint32_t> records_;    // record indexes by rank of their text
  std::vector<std::uint32_t> rankBegin_;  // each rank's first entry in records_
  bool ranksFollowRecords_ = false;
  std::vector<std::uint32_t> slots_;  // hash set: record index + 1, 0 = empty
  std::uint64_t mask_ = 0;
};

}  // namespace tilvan
