// The complete search's generator (internal to the complete search).
//
// It walks the word graph from every anchor square (an empty square next to
// a board letter; the centre on an empty board), once along the rows and
// once down the columns, which it reads as the rows of the transposed board.
// Each new square only takes letters that make its cross-word a word. New
// tiles left of an anchor only cover empty squares that are not anchors
// themselves, so every placement is found once, from its leftmost anchor.
// Those left parts are the same for every anchor: the rack's word prefixes
// are collected once per search, filed by the letters that may follow them,
// and an anchor only takes the prefixes that its own letters can follow.
// Blanks are taken only once the rack has no tile of the letter left; which
// of a word's equal letters become the blanks is chosen when the placement
// is scored. A search may let blanks stand for some letters only: it finds
// exactly the placements of the full search whose blanks stand for those
// letters (a blank is taken for a letter only when the rack has none left,
// so leaving out the others only leaves out the walks that take a blank
// for them).
//
// When only the best few are wanted, the anchors are searched in the order
// of their bounds (complete_bound.h), highest first, and the search stops at
// the first anchor whose bound is below the worst of the best kept: what an
// anchor finds does not depend on when it is searched, and the best kept
// are ranked by a total order, so the result is the same as searching every
// anchor in board order.
//
// Two cuts leave the placements found unchanged: a word found is dropped
// before its blanks and leave are worked out when not even its score with
// every tile counted plus the best leave of as many tiles laid could be kept
// (blanks only take points away); and a letter is not walked into when it
// ends no word and no rack tile may follow it on the open square after it
// (the walk from there would record nothing and lay nothing).
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "finder/complete_best.h"
#include "finder/complete_bound.h"
#include "finder/complete_frame.h"
#include "finder/word_graph.h"

namespace tilvan {

class Generator {
 public:
  // The rack as typed: '_' a blank; only its first 7 characters are tiles.
  // Blanks stand only for the letters of `blankLetters` (bit l: letter l).
  Generator(const WordGraph& g, const std::array<int, kLetters>& values, std::string_view rack,
            Best& out, std::uint32_t blankLetters = kAnyLetter);

  // Values placements by their score plus leaves[the tiles kept].
  // REQUIRES: `rack` the constructor's, sorted.
  void valueBy(const LeaveValues& leaves, std::string_view rack);

  // The rack's prefixes: every start of a word that the rack can lay, up to
  // one tile short of the rack. They depend on the graph, the rack and the
  // letters its blanks may stand for only, so a thread keeps the last
  // rack's: the next search with the same rack and graph (a simulation asks
  // for the same rack on many boards) finds them ready.
  void collectPrefixes();

  // Every placement along the frame's rows, anchors in board order.
  // REQUIRES: collectPrefixes() ran.
  void run(const Frame& f, bool down);

  // The placements of both frames (across, down) that can be among the
  // best kept: anchors by their bounds, highest first.
  // REQUIRES: collectPrefixes() ran.
  void runBest(const std::array<const Frame*, 2>& frames);

  // Whether bounding the anchors is likely to pay: a rack with few prefixes
  // finds little from any anchor, less than the bounds cost. Either way
  // gives the same placements. REQUIRES: collectPrefixes() ran.
  bool worthBounding() const { return prefixes_.size() >= boundFrom().load(std::memory_order_relaxed); }
  // The fewest prefixes for which worthBounding() holds (tests set 0 to
  // bound every search).
  static std::atomic<std::size_t>& boundFrom();

 private:
  enum Kind : std::uint8_t { kNoTile, kLetterTile, kBlankTile };
  using Prefix = std::array<char, kMoveSlots>;  // its letters
  // A prefix that letter x can follow, with what follows x.
  struct Entry {
    std::uint32_t prefix;
    WordGraph::Node after;  // the node after the prefix and x
  };
  // The prefixes' storage, kept by each thread from one search to the next
  // so that their vectors keep their room, with the prefixes of the last
  // few racks searched (a simulation alternates between two players'
  // racks; the endgame's lists search a rack with its blank standing for
  // any letter and for a few). A thread runs one generator at a time.
  struct Scratch {
    std::vector<Prefix> prefixes;
    std::array<std::vector<Entry>, 26 * kMoveSlots> buckets;
    // The graph (WordGraph::id(), 0 none), the rack as given and the
    // letters its blanks stand for whose prefixes these are.
    std::uint64_t graph = 0;
    std::string rack;
    std::uint32_t blankLetters = kAnyLetter;
    std::uint64_t used = 0;  // when last taken, by a count of the thread's searches
    bool holds(const WordGraph& g, std::string_view r, std::uint32_t b) const {
      return graph == g.id() && rack == r && blankLetters == b;
    }
  };
  // The storage that holds `rack`'s prefixes for graph g and those blank
  // letters, else the one used longest ago.
  static Scratch& scratchFor(const WordGraph& g, std::string_view rack, std::uint32_t blankLetters);
  // The letters a rack's blanks stand for as the prefixes' key: all of
  // them when it has no blank (the prefixes do not depend on them then).
  static std::uint32_t blankKey(std::string_view rack, std::uint32_t blankLetters);

  // Letters a tile can be taken for now.
  std::uint32_t takeable() const { return blanks_ > 0 ? rackMask_ | blankLetters_ : rackMask_; }
  // Takes a tile for letter l: a rack letter while there is one, else a
  // blank. REQUIRES: l takeable().
  Kind take(int l) {
    if (rack_[l] > 0) {
      if (--rack_[l] == 0) rackMask_ &= ~(1u << l);
      return kLetterTile;
    }
    if (blanks_ > 0) {
      --blanks_;
      return kBlankTile;
    }
    return kNoTile;
  }
  void giveBack(int l, Kind k) {
    if (k == kLetterTile) {
      ++rack_[l];
      rackMask_ |= 1u << l;
    } else {
      ++blanks_;
    }
  }
  std::vector<Entry>& bucket(int letter, int len) {
    return buckets_[static_cast<std::size_t>(letter * kMoveSlots + len)];
  }

  void growPrefix(WordGraph::Node n, int len);
  // The placements found from the anchor at column c of frame row r.
  void fromAnchorAt(int r, int c);
  void fromAnchor(int room);
  void extendRight(WordGraph::Node n, int start, int col);
  void record(int start, int end);
  // The rack positions still kept: of each tile, the first ones.
  unsigned keptMask() const;

  const WordGraph& g_;
  const std::array<int, kLetters>& value_;
  const LeaveValues* leaves_ = nullptr;
  RackPoints points_;
  unsigned fixedKept_ = 0;
  int distinct_ = 0;
  std::array<std::pair<std::uint8_t, std::uint8_t>, kMoveSlots> firstOf_{};  // tile, first position
  Best& out_;
  const Frame* f_ = nullptr;
  bool down_ = false;
  int row_ = 0, anchor_ = 0, tiles_ = 0, tilesInRack_ = 0, blanks_ = 0, blanksInRack_ = 0;
  Scratch& scratch_;
  std::vector<Prefix>& prefixes_;
  std::array<std::vector<Entry>, 26 * kMoveSlots>& buckets_;
  std::array<char, kMoveSlots> given_{};  // the rack as given, its first tiles
  std::size_t givenSize_ = 0;
  std::uint32_t rackMask_ = 0;  // letters with a rack tile left
  std::uint32_t blankLetters_ = kAnyLetter;  // letters a blank may stand for
  std::array<int, 26> rack_{};
  std::array<char, kSide> word_{}, pre_{};
  std::array<bool, kSide> isNew_{};
  std::array<Kind, kSide> kind_{};  // how each new tile was taken
};

}  // namespace tilvan
