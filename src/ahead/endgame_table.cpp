#include "ahead/endgame_table.h"

#include <algorithm>

namespace tilvan {

EndgameTable::EndgameTable(std::size_t bits)
    : entries_(std::size_t{1} << std::max<std::size_t>(bits, 1)), mask_(entries_.size() - 1) {}

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

const std::vector<EgMove>& MoveLists::of(EgPosition& pos, std::vector<EgMove>& spare) {
  const std::uint64_t key = pos.placementKey();
  if (auto it = lists_.find(key); it != lists_.end()) return it->second;
  ++made_;
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
