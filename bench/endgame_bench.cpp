// The exact endgame on positions that games reach: each game played with
// the best-scoring placement until the bag is empty, both racks then cut
// to N tiles. Solve time by tiles left a side, and the share solved exactly
// within the time limit of the window and tilvan-cli (2 s).
#include <benchmark/benchmark.h>

#include <vector>

#include "ahead/endgame.h"
#include "support/endgame_gen.h"
#include "words/word_list.h"

namespace {

using tilvan::WordList;

const WordList& defaultList() {
  static const WordList list = [] {
    auto file = tilvan::readFileBytes(TILVAN_DEFAULT_WORD_LIST);
    return file.ok() ? WordList::parse(file.value()) : WordList::parse("");
  }();
  return list;
}

const std::vector<tilvan::test::ReachedEndgame>& endgames() {
  static const std::vector<tilvan::test::ReachedEndgame> all = [] {
    std::vector<tilvan::test::ReachedEndgame> out;
    for (std::uint64_t seed = 1; out.size() < 12 && seed < 100; ++seed)
      if (auto e = tilvan::test::greedyEndgame(defaultList(), seed))
        if (e->racks[0].size() == 7 && e->racks[1].size() >= 6) out.push_back(std::move(*e));
    return out;
  }();
  return all;
}

// Every endgame once with both racks cut to range(0) tiles.
void BM_EndgameSolve(benchmark::State& state) {
  const auto tiles = static_cast<std::size_t>(state.range(0));
  const auto& games = endgames();
  double solved = 0, positions = 0, nodes = 0, worstMs = 0, totalMs = 0;
  for (auto _ : state) {
    for (const auto& e : games) {
      const auto r = tilvan::solveEndgame(defaultList(), e.state, e.racks[0].substr(0, tiles),
                                          e.racks[1].substr(0, tiles));
      solved += r.exact;
      positions += 1;
      nodes += static_cast<double>(r.nodes);
      worstMs = std::max(worstMs, r.ms);
      totalMs += r.ms;
    }
  }
  state.counters["positions"] = static_cast<double>(games.size());
  state.counters["exact_share"] = solved / positions;
  state.counters["nodes_per_solve"] = nodes / positions;
  state.counters["worst_ms"] = worstMs;
  state.counters["ms_per_solve"] = totalMs / positions;
  state.counters["nodes_per_s"] = nodes / (totalMs / 1000.0);
}
BENCHMARK(BM_EndgameSolve)->DenseRange(1, 7)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
