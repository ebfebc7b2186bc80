#include "ahead/endgame_table.h"

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstring>
#include <new>
#include <type_traits>

namespace tilvan {

namespace {

// An entry's fields after the key fill three words exactly.
static_assert(offsetof(TableEntry, value) == 8 && sizeof(TableEntry) == 32 &&
              std::is_trivially_copyable_v<TableEntry>);

std::uint64_t readWord(const std::uint64_t& w) {
  return std::atomic_ref<const std::uint64_t>(w).load(std::memory_order_relaxed);
}

void writeWord(std::uint64_t& w, std::uint64_t v) {
  std::atomic_ref<std::uint64_t>(w).store(v, std::memory_order_relaxed);
}

}  // namespace

EndgameTable::EndgameTable(std::size_t bits)
    : mask_((std::size_t{1} << std::max<std::size_t>(bits, 1)) - 1) {
  words_.reset(static_cast<std::uint64_t*>(std::calloc((mask_ + 1) * kWords, sizeof(std::uint64_t))));
  if (!words_) throw std::bad_alloc();
}

bool EndgameTable::load(std::size_t i, std::uint64_t key, TableEntry& out) const {
  Words w;
  for (std::size_t k = 0; k < kWords; ++k) w[k] = readWord(words_[i * kWords + k]);
  if ((w[0] ^ w[1] ^ w[2] ^ w[3]) != key) return false;
  out.key = key;
  std::memcpy(&out.value, &w[1], 3 * sizeof(std::uint64_t));
  return true;
}

TableEntry EndgameTable::at(std::size_t i) const {
  Words w;
  for (std::size_t k = 0; k < kWords; ++k) w[k] = readWord(words_[i * kWords + k]);
  TableEntry e;
  e.key = w[0] ^ w[1] ^ w[2] ^ w[3];
  std::memcpy(&e.value, &w[1], 3 * sizeof(std::uint64_t));
  return e;
}

void EndgameTable::put(std::size_t i, const TableEntry& e) {
  Words w;
  std::memcpy(&w[1], &e.value, 3 * sizeof(std::uint64_t));
  w[0] = e.key ^ w[1] ^ w[2] ^ w[3];
  for (std::size_t k = 0; k < kWords; ++k) writeWord(words_[i * kWords + k], w[k]);
}

void EndgameTable::store(const TableEntry& e) {
  const std::size_t i = slot(e.key);
  const TableEntry first = at(i), second = at(i + 1);
  // A proven entry is not replaced by an unproven one of the same position
  // (a search that could not use its bound, or another thread's).
  const auto keeps = [&](const TableEntry& old) {
    return old.key == e.key && old.depth == kProvenDepth && e.depth != kProvenDepth;
  };
  if (keeps(first) || keeps(second)) return;
  if (second.key == e.key) {
    // A deeper search of a position already kept moves it to the first entry.
    if (priority(e) < priority(first)) {
      put(i + 1, e);
      return;
    }
    put(i + 1, first);
    put(i, e);
    return;
  }
  if (first.key == e.key || priority(e) >= priority(first)) {
    if (first.key != e.key) put(i + 1, first);
    put(i, e);
    return;
  }
  put(i + 1, e);
}

namespace {

// The placements come best score first: the moves that play out go to the
// front, keeping that order among both parts, and the pass last.
void keepAsSearched(EgPosition& pos, std::vector<EgMove>& list) {
  const int tiles = pos.tiles(pos.toMove());
  std::stable_partition(list.begin(), list.end(),
                        [tiles](const EgMove& m) { return m.count == tiles; });
  list.push_back(EgMove{});
}

}  // namespace

const std::vector<EgMove>& MoveLists::listBeforeLast(EgPosition& pos) {
  const std::uint64_t key = pos.placementKeyBeforeLast();
  if (first_.empty() || firstKey_ != key) {
    pos.placementsBeforeLast(first_);
    keepAsSearched(pos, first_);
    firstKey_ = key;
  }
  return first_;
}

bool MoveLists::made(EgPosition& pos, const std::vector<EgMove>* before, std::vector<EgMove>& out) {
  if (pos.played() == 1) return pos.placementsAfter(listBeforeLast(pos), 1, out);
  for (int since = 2; since <= 4 && since <= pos.played(); since += 2) {
    const std::vector<EgMove>* from = since == 2 ? before : nullptr;
    if (!from) {
      const auto it = lists_.find(pos.placementKeyBefore(since));
      if (it != lists_.end()) from = &it->second;
    }
    if (from) return pos.placementsAfter(*from, since, out);
  }
  return false;
}

const std::vector<EgMove>& MoveLists::of(EgPosition& pos, std::vector<EgMove>& spare,
                                         const std::vector<EgMove>* before) {
  const std::uint64_t key = pos.placementKey();
  if (auto it = lists_.find(key); it != lists_.end()) return it->second;
  ++made_;
  if (made(pos, before, spare))
    ++fromBefore_;
  else
    pos.placements(spare);
  keepAsSearched(pos, spare);
  if (kept_ + spare.size() > capacity_) return spare;
  kept_ += spare.size();
  return lists_.emplace(key, spare).first->second;
}

std::vector<EgMove> principalLine(EgPosition& pos, const EndgameTable& table,
                                  const std::vector<EgMove>& pv) {
  std::vector<EgMove> line;
  auto ends = [&](int mover) {
    return pos.tiles(mover) == 0 || pos.scoreless() >= kScorelessLimit;
  };
  bool ended = false;
  for (const EgMove& m : pv) {
    const int mover = pos.toMove();
    pos.play(m);
    line.push_back(m);
    if ((ended = ends(mover))) break;
  }
  while (!ended && line.size() < kMaxLine) {
    TableEntry e;
    if (!table.find(pos.key(), e) || !e.hasMove) break;
    const EgMove m = e.move;
    const int mover = pos.toMove();
    pos.play(m);
    line.push_back(m);
    ended = ends(mover);
  }
  for (auto it = line.rbegin(); it != line.rend(); ++it) pos.undo(*it);
  return line;
}

}  // namespace tilvan
