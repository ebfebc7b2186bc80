#include "ahead/endgame_table.h"

#include <algorithm>
#include <new>

namespace tilvan {

EndgameTable::EndgameTable(std::size_t bits)
    : mask_((std::size_t{1} << std::max<std::size_t>(bits, 1)) - 1) {
  // TableEntry is an aggregate of plain fields: zeroed memory holds empty entries.
  entries_.reset(static_cast<TableEntry*>(std::calloc(mask_ + 1, sizeof(TableEntry))));
  if (!entries_) throw std::bad_alloc();
}

void EndgameTable::store(const TableEntry& e) {
  TableEntry* pair = &entries_[slot(e.key)];
  if (pair[1].key == e.key) {
    // A deeper search of a position already kept moves it to the first entry.
    if (priority(e) < priority(pair[0])) {
      pair[1] = e;
      return;
    }
    pair[1] = pair[0];
    pair[0] = e;
    return;
  }
  if (pair[0].key == e.key || priority(e) >= priority(pair[0])) {
    if (pair[0].key != e.key) pair[1] = pair[0];
    pair[0] = e;
    return;
  }
  pair[1] = e;
}

bool MoveLists::made(EgPosition& pos, const std::vector<EgMove>* before,
                     std::vector<EgMove>& out) const {
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
  // The placements come best score first: the moves that play out go to the
  // front, keeping that order among both parts.
  const int tiles = pos.tiles(pos.toMove());
  std::stable_partition(spare.begin(), spare.end(),
                        [tiles](const EgMove& m) { return m.count == tiles; });
  spare.push_back(EgMove{});
  if (kept_ + spare.size() > capacity_) return spare;
  kept_ += spare.size();
  return lists_.emplace(key, spare).first->second;
}

}  // namespace tilvan
