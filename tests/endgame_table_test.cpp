// The endgame's transposition table: what it finds is what was last stored
// for that key, also while another thread writes the same entries.
#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <random>
#include <thread>

#include "ahead/endgame_table.h"

namespace tilvan {
namespace {

// An entry whose every field follows from its key and a version number, so
// that a reader can tell a whole entry from one mixed of two writes.
TableEntry entryOf(std::uint64_t key, std::uint8_t version) {
  TableEntry e;
  e.key = key;
  e.value = static_cast<std::int16_t>(key % 2001) - 1000;
  e.depth = version;
  e.bound = static_cast<Bound>(key % 3);
  e.work = static_cast<std::uint8_t>(key >> 8);
  e.hasMove = (key & 1) != 0;
  e.move.score = static_cast<std::int16_t>(version * 7);
  e.move.count = static_cast<std::uint8_t>(key % 8);
  e.move.blankMask = version;
  for (std::size_t k = 0; k < e.move.square.size(); ++k) {
    e.move.square[k] = static_cast<std::uint8_t>((key >> k) ^ version);
    e.move.letter[k] = static_cast<std::uint8_t>((key >> (k + 8)) % 26 + version % 3);
  }
  return e;
}

bool sameEntry(const TableEntry& a, const TableEntry& b) {
  return a.key == b.key && a.value == b.value && a.depth == b.depth && a.bound == b.bound &&
         a.work == b.work && a.hasMove == b.hasMove && a.move == b.move;
}

// (Versions below kProvenDepth: unproven entries, which replace each other.)
TEST(EndgameTable, FindsTheLastEntryStoredForAKeyOrNone) {
  std::mt19937_64 rng(11);
  EndgameTable table(4);  // 16 entries for 64 keys: replaced all the time
  std::map<std::uint64_t, TableEntry> last;
  int found = 0;
  for (int step = 0; step < 200000; ++step) {
    const std::uint64_t key = (rng() % 64 + 1) * 0x9e3779b97f4a7c15ull;
    if (rng() % 2) {
      const TableEntry e = entryOf(key, static_cast<std::uint8_t>(rng() % kProvenDepth));
      table.store(e);
      last[key] = e;
    } else if (TableEntry e; table.find(key, e)) {
      ++found;
      ASSERT_TRUE(last.count(key));
      ASSERT_TRUE(sameEntry(e, last[key])) << step;
    }
  }
  EXPECT_GT(found, 10000);
  // A proven entry stays until a proven one of the same key or another key replaces it.
  const std::uint64_t key = 7 * 0x9e3779b97f4a7c15ull;
  table.store(entryOf(key, kProvenDepth));
  table.store(entryOf(key, 3));
  TableEntry e;
  ASSERT_TRUE(table.find(key, e));
  EXPECT_EQ(e.depth, kProvenDepth);
}

// One of 16 keys, as random as the positions' hashes: a mix of two writes
// matches one only by a chance of one in 2^64 (with small keys and entries
// made from them, mixes of two writes can match another small key).
std::uint64_t randomKey(std::uint64_t n) {
  std::uint64_t z = (n % 16 + 1) * 0x9e3779b97f4a7c15ull;
  z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
  z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
  return z ^ (z >> 31);
}

TEST(EndgameTable, AnEntryReadWhileAnotherThreadWritesItIsWholeOrNotFound) {
  EndgameTable table(3);  // 8 entries: the threads meet on every one
  std::atomic<bool> done{false};
  std::thread writer([&] {
    std::mt19937_64 rng(3);
    for (int step = 0; step < 2000000; ++step)
      table.store(entryOf(randomKey(rng()), static_cast<std::uint8_t>(rng() % 256)));
    done = true;
  });
  std::mt19937_64 rng(4);
  long found = 0, whole = 0;
  while (!done) {
    const std::uint64_t key = randomKey(rng());
    TableEntry e;
    if (!table.find(key, e)) continue;
    ++found;
    whole += sameEntry(e, entryOf(key, e.depth));
    table.store(entryOf(key, static_cast<std::uint8_t>(rng() % 256)));
  }
  writer.join();
  EXPECT_EQ(whole, found);
  EXPECT_GT(found, 1000);
}

}  // namespace
}  // namespace tilvan
