#include "finder/plain_order.h"

#include <algorithm>

#include "finder/rack_take.h"
#include "finder/word_checks.h"

namespace tilvan {
namespace {

// Two identical placements further apart than this many records are not
// worked out one by one: the search then lists every placement instead.
constexpr std::uint32_t kLongestGap = 256;

// Whether the plain search finds record w through the anchor at position p
// of `line` (whatever its cross-words).
bool foundAt(std::string_view w, const LetterGrid& g, std::string_view rack, int line, int p,
             std::string& scratch) {
  const int n = static_cast<int>(w.size());
  const int a = line * kSide + p;
  if (!g[a]) return false;
  const std::size_t first = w.find(g[a]);
  if (first == std::string_view::npos) return false;
  const int sp = p - static_cast<int>(first);
  const int s = line * kSide + sp, e = s + n - 1;
  if (sp < 1 || sp + n - 1 > kSide - 1 || e + 1 > kSquares - 1 || g[e + 1] || g[s - 1])
    return false;
  char needed[kSide];
  int count = 0;
  for (int j = 0; j < n; ++j) {
    if (!g[s + j])
      needed[count++] = w[j];
    else if (g[s + j] != w[j])
      return false;
  }
  if (count == 0 || count > static_cast<int>(rack.size())) return false;
  return takeFromRack(needed, count, rack, scratch);
}

// Whether record w has any entry in the plain search's found list between
// line * 15 + anchor positions `from` and `to` (both exclusive).
bool foundBetween(std::string_view w, const LetterGrid& g, std::string_view rack, int from, int to,
                  std::string& scratch) {
  const int n = static_cast<int>(w.size());
  if (n == 0 || n > kSide) return false;
  for (int lineAnchor = from + 1; lineAnchor < to; ++lineAnchor) {
    const int p = lineAnchor % kSide;
    if (p <= kSide - n && foundAt(w, g, rack, lineAnchor / kSide, p, scratch)) return true;
  }
  return false;
}

}  // namespace

void PlainOrder::sortFound(const WordIndex& ix, const std::vector<PlacementKey>& found,
                           std::vector<PlacementKey>& sorted) {
  if (ix.ranksFollowRecords()) {
    // Ranks sort as their records do: the records are read after sorting,
    // in order (see entry).
    sorted = found;
    sortKeys(sorted, sortScratch_);
    return;
  }
  // One pass whose loads do not wait on each other.
  sorted.clear();
  sorted.reserve(found.size());
  for (const PlacementKey key : found) {
    const std::uint32_t rank = key.item();
    for (const std::uint32_t* r = ix.recordsBegin(rank); r != ix.recordsEnd(rank); ++r)
      sorted.push_back(key.withItem(*r));
  }
  sortKeys(sorted, sortScratch_);
}

void PlainOrder::take(const WordIndex& ix, const std::vector<PlacementKey>& found) {
  sortFound(ix, found, keys_);
  index_ = &ix;
}

void PlainOrder::takeMerged(const WordIndex& ix, const std::vector<PlacementKey>& sortedA,
                            const std::vector<PlacementKey>& sortedB) {
  keys_.resize(sortedA.size() + sortedB.size());
  std::merge(sortedA.begin(), sortedA.end(), sortedB.begin(), sortedB.end(), keys_.begin());
  index_ = &ix;
}

PlainOrder::Entry PlainOrder::entry(PlacementKey key) const {
  std::uint32_t record = key.item();
  if (index_->ranksFollowRecords()) record = index_->recordOfRank(record);
  return {record, key.lineAnchor(), key.start()};
}

// Whether the plain found list has nothing between entries a and b (a
// before b, same placement); nullopt when that is too costly to tell.
std::optional<bool> PlainOrder::adjacent(const WordList& list, const LetterGrid& grid,
                                         std::string_view rack, const Entry& a, const Entry& b) {
  std::string& scratch = rackScratch_;
  if (a.record == b.record)
    return !foundBetween(list[a.record], grid, rack, a.lineAnchor, b.lineAnchor, scratch);
  if (b.record - a.record - 1 > kLongestGap) return std::nullopt;
  if (foundBetween(list[a.record], grid, rack, a.lineAnchor, kSquares, scratch)) return false;
  for (std::uint32_t r = a.record + 1; r < b.record; ++r)
    if (foundBetween(list[r], grid, rack, -1, kSquares, scratch)) return false;
  return !foundBetween(list[b.record], grid, rack, -1, b.lineAnchor, scratch);
}

bool PlainOrder::collapseChecked(const WordList& list, const LetterGrid& grid,
                                 std::string_view rack, std::vector<Placement>& out) {
  out.reserve(keys_.size());
  const std::size_t n = keys_.size();
  for (std::size_t i = 0; i < n;) {
    const Entry first = entry(keys_[i]);
    const std::string_view w = list[first.record];
    std::size_t j = i, run = 1;
    for (; j + 1 < n; ++j, ++run) {
      const Entry a = entry(keys_[j]), b = entry(keys_[j + 1]);
      if (b.start != first.start || (b.record != a.record && list[b.record] != w)) break;
      const auto side = adjacent(list, grid, rack, a, b);
      if (!side) return false;
      if (!*side) break;
    }
    for (std::size_t c = 0; c < (run + 15) / 16; ++c) out.push_back({w, first.start});
    i = j + 1;
  }
  return true;
}

std::vector<Placement> PlainOrder::collapseAll(const WordList& list) const {
  std::vector<Placement> out;
  out.reserve(keys_.size());
  for (const PlacementKey key : keys_) {
    const Entry at = entry(key);
    out.push_back({list[at.record], at.start});
  }
  return collapseDuplicates(out);
}

}  // namespace tilvan
