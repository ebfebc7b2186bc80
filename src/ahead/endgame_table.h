// The endgame solver's memory: a transposition table of values and bounds
// with the best move found, and each rack's moves by board in the order the
// solver tries them.
#pragma once

#include <array>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <unordered_map>
#include <vector>

#include "ahead/endgame_position.h"

namespace tilvan {

enum class Bound : std::uint8_t { kExact, kLower, kUpper };

// A table entry's depth when no depth limit touched the search below it:
// its value or bound is proven.
inline constexpr int kProvenDepth = 255;

struct TableEntry {
  std::uint64_t key = 0;
  std::int16_t value = 0;
  std::uint8_t depth = 0;  // the depth searched, kProvenDepth when proven
  Bound bound = Bound::kExact;
  std::uint8_t work : 7 = 0;    // bit width of the positions searched below it
  std::uint8_t byHelper : 1 = 0;  // written by a helper thread (see solveEndgame)
  bool hasMove = false;
  EgMove move;             // the best move, when hasMove
};

// Pairs of entries: the first keeps the entry of the deeper (then larger)
// search, the second the latest other one. Solvers on several threads may
// share a table: each entry is four words written and read one by one, the
// first the key mixed with the other three, so that an entry that one
// thread read while another wrote it does not match its key and is not
// found (but for a chance of one in 2^64 with keys as random as the
// positions' hashes: the chance that two positions share a key). The words start as zero bytes (an empty entry) that the system
// hands out untouched, so a large table costs only the pages a solve
// reaches. Intentionally not copyable.
class EndgameTable {
 public:
  explicit EndgameTable(std::size_t bits);
  EndgameTable(const EndgameTable&) = delete;
  EndgameTable& operator=(const EndgameTable&) = delete;

  // True with the entry of this key in `out`, else false.
  bool find(std::uint64_t key, TableEntry& out) const {
    const std::size_t i = slot(key);
    return load(i, key, out) || load(i + 1, key, out);
  }
  void store(const TableEntry& e);

 private:
  static constexpr std::size_t kWords = 4;
  using Words = std::array<std::uint64_t, kWords>;
  std::size_t slot(std::uint64_t key) const { return (key & mask_) & ~std::size_t{1}; }
  static int priority(const TableEntry& e) { return e.depth << 8 | e.work; }
  // Entry i as written, its key checked against the other words (0: empty or torn).
  bool load(std::size_t i, std::uint64_t key, TableEntry& out) const;
  TableEntry at(std::size_t i) const;
  void put(std::size_t i, const TableEntry& e);
  struct Free {
    void operator()(std::uint64_t* p) const { std::free(p); }
  };
  std::unique_ptr<std::uint64_t[], Free> words_;
  std::size_t mask_;
};

// The line `pv` from pos, carried on by the table's moves where it stops
// short of the end of the game (at most kMaxLine moves); pos is left as it
// was.
inline constexpr std::size_t kMaxLine = 128;
std::vector<EgMove> principalLine(EgPosition& pos, const EndgameTable& table,
                                  const std::vector<EgMove>& pv);

// The side to move's moves by board and rack, in the solver's order: the
// moves that play out first, then the rest, each best score first, then the
// pass. Up to `capacity` moves are kept; past that, lists are made afresh
// into the caller's spare list.
class MoveLists {
 public:
  explicit MoveLists(std::size_t capacity) : capacity_(capacity) {}
  // The list for the position, made when it can be from the side to move's
  // list two moves ago (`before`, when given, else the one kept), or else
  // four moves ago (EgPosition::placementsAfter); after the first move,
  // from the side to move's list on the first board, made once.
  const std::vector<EgMove>& of(EgPosition& pos, std::vector<EgMove>& spare,
                                const std::vector<EgMove>* before);
  std::uint64_t made() const { return made_; }
  std::uint64_t madeFromBefore() const { return fromBefore_; }

 private:
  bool made(EgPosition& pos, const std::vector<EgMove>* before, std::vector<EgMove>& out);
  // The side to move's list on the board before the last move, kept for
  // the board and rack of `firstKey_` (EgPosition::placementKeyBeforeLast).
  const std::vector<EgMove>& listBeforeLast(EgPosition& pos);
  std::unordered_map<std::uint64_t, std::vector<EgMove>> lists_;
  std::uint64_t firstKey_ = 0;
  std::vector<EgMove> first_;
  std::size_t capacity_, kept_ = 0;
  std::uint64_t made_ = 0, fromBefore_ = 0;
};

}  // namespace tilvan
