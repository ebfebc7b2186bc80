#include "finder/rack_take.h"

#include <algorithm>

#include "game/rules.h"

namespace tilvan {
namespace {

constexpr int kLongestRackWord = kMoveSlots;

// The records of the texts that a walk from the root reaches taking each
// letter by rack position, which is how the rules take it, so every text
// reached is supplied exactly (racks of up to 64 characters).
void byPosition(const WordIndex& ix, std::string_view rack, std::vector<std::uint32_t>& ids) {
  std::array<std::uint64_t, 256> positions{};
  for (std::size_t q = 0; q < rack.size(); ++q)
    positions[static_cast<unsigned char>(rack[q])] |= std::uint64_t{1} << q;
  const std::uint64_t blanks = positions['_'];
  std::uint64_t used = 0;
  auto take = [&](auto&& self, const WordIndex::Cursor& node, int depth) -> void {
    if (depth > 0 && node.terminal())
      ids.insert(ids.end(), ix.recordsBegin(node.rank), ix.recordsEnd(node.rank));
    if (depth == kLongestRackWord) return;
    for (std::uint32_t e = node.first(), end = node.end(); e < end; ++e) {
      const std::uint64_t left = (positions[ix.edgeChar(e)] | blanks) & ~used;
      if (!left) continue;
      const std::uint64_t first = left & (~left + 1);
      used |= first;
      self(self, ix.down(node, e), depth + 1);
      used &= ~first;
    }
  };
  take(take, ix.root(), 0);
}

// The same for longer racks: taken by counts, each text reached checked.
void byCounts(const WordIndex& ix, std::string_view rack, std::vector<std::uint32_t>& ids) {
  RackCounts counts(rack);
  std::string scratch;
  char path[kLongestRackWord + 1];
  auto walk = [&](auto&& self, const WordIndex::Cursor& node, int depth) -> void {
    if (depth > 0 && node.terminal() && takeFromRack(path, depth, rack, scratch))
      ids.insert(ids.end(), ix.recordsBegin(node.rank), ix.recordsEnd(node.rank));
    if (depth == kLongestRackWord) return;
    for (std::uint32_t e = node.first(), end = node.end(); e < end; ++e) {
      const unsigned char c = ix.edgeChar(e);
      int& real = counts.count[c];
      if (!real && !counts.blanks) continue;
      int& taken = real > 0 ? real : counts.blanks;
      --taken;
      path[depth] = static_cast<char>(c);
      self(self, ix.down(node, e), depth + 1);
      ++taken;
    }
  };
  walk(walk, ix.root(), 0);
}

}  // namespace

bool takeFromRack(const char* needed, int n, std::string_view rack, std::string& scratch) {
  if (rack.size() > 64) {
    scratch.assign(rack);
    int taken = 0;
    for (int i = 0; i < n; ++i) {
      for (std::size_t q = 0; q < scratch.size(); ++q) {
        if (scratch[q] == needed[i] || scratch[q] == '_') {
          scratch.erase(q, 1);
          ++taken;
          break;
        }
      }
    }
    return taken == n && n != 0;
  }
  // Taking a character out keeps the others in order, so marking it used is
  // the same.
  std::uint64_t used = 0;
  for (int i = 0; i < n; ++i) {
    std::size_t q = 0;
    while (q < rack.size() && ((used >> q & 1) || (rack[q] != needed[i] && rack[q] != '_'))) ++q;
    if (q == rack.size()) return false;
    used |= std::uint64_t{1} << q;
  }
  return n != 0;
}

bool blanksLast(std::string_view rack) {
  const std::size_t lastOther = rack.find_last_not_of('_');
  return lastOther == std::string_view::npos || rack.find('_') > lastOther;
}

std::vector<std::string_view> rackOnlyWords(const WordList& list, std::string_view rack) {
  const WordIndex& ix = list.derived<WordIndex>();
  std::vector<std::uint32_t> ids;
  if (rack.size() <= 64)
    byPosition(ix, rack, ids);
  else
    byCounts(ix, rack, ids);
  std::sort(ids.begin(), ids.end());
  std::vector<std::string_view> out;
  out.reserve(ids.size());
  for (const auto id : ids) out.push_back(list[id]);
  return out;
}

}  // namespace tilvan
