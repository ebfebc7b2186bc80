// The endgame solver's memory: a transposition table of values and bounds
// with the best move found, and each rack's moves by board in the order the
// solver tries them.
#pragma once

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
  std::uint8_t work = 0;   // bit width of the positions searched below it
  bool hasMove = false;
  EgMove move;             // the best move, when hasMove
};

// Pairs of entries: the first keeps the entry of the deeper (then larger)
// search, the second the latest other one. The entries start as zero bytes
// (key 0: empty) that the system hands out untouched, so a large table
// costs only the pages a solve reaches. Intentionally not copyable.
class EndgameTable {
 public:
  explicit EndgameTable(std::size_t bits);
  EndgameTable(const EndgameTable&) = delete;
  EndgameTable& operator=(const EndgameTable&) = delete;

  // The entry of this key, or nullptr.
  const TableEntry* find(std::uint64_t key) const {
    const std::size_t i = slot(key);
    if (entries_[i].key == key) return &entries_[i];
    if (entries_[i + 1].key == key) return &entries_[i + 1];
    return nullptr;
  }
  void store(const TableEntry& e);

 private:
  std::size_t slot(std::uint64_t key) const { return (key & mask_) & ~std::size_t{1}; }
  static int priority(const TableEntry& e) { return e.depth << 8 | e.work; }
  struct Free {
    void operator()(TableEntry* p) const { std::free(p); }
  };
  std::unique_ptr<TableEntry[], Free> entries_;
  std::size_t mask_;
};

// The side to move's moves by board and rack, in the solver's order: the
// moves that play out first, then the rest, each best score first, then the
// pass. Up to `capacity` moves are kept; past that, lists are made afresh
// into the caller's spare list.
class MoveLists {
 public:
  explicit MoveLists(std::size_t capacity) : capacity_(capacity) {}
  // The list for the position, made when it can be from the side to move's
  // list two moves ago (`before`, when given, else the one kept), or else
  // four moves ago (EgPosition::placementsAfter).
  const std::vector<EgMove>& of(EgPosition& pos, std::vector<EgMove>& spare,
                                const std::vector<EgMove>* before);
  std::uint64_t made() const { return made_; }
  std::uint64_t madeFromBefore() const { return fromBefore_; }

 private:
  bool made(EgPosition& pos, const std::vector<EgMove>* before, std::vector<EgMove>& out) const;
  std::unordered_map<std::uint64_t, std::vector<EgMove>> lists_;
  std::size_t capacity_, kept_ = 0;
  std::uint64_t made_ = 0, fromBefore_ = 0;
};

}  // namespace tilvan
