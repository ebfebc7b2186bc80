// The simulation's speed: turns played per second of one core on positions
// from the middle of greedy games, ten candidates, a fixed number of rounds
// (plies_per_cpu_s counts processor time, so it holds on a busy machine).
// Where the time goes: BM_SimulationPlyChoice times one simulated turn's
// choice (the complete search ranking by value), BM_SimulationPlySearch the
// complete search alone, on the same positions.
#include <benchmark/benchmark.h>

#include <ctime>
#include <vector>

#include "ahead/simulation.h"
#include "play/leave.h"
#include "support/endgame_gen.h"
#include "words/word_list.h"

namespace {

using tilvan::WordList;

const WordList& simList() {
  static const WordList list = [] {
    auto file = tilvan::readFileBytes(TILVAN_DEFAULT_WORD_LIST);
    return file.ok() ? WordList::parse(file.value()) : WordList::parse("");
  }();
  return list;
}

tilvan::play::Engine engine() { return {&simList(), &tilvan::play::LeaveTable::builtIn()}; }

// Positions with 40 to 50 tiles in the bag, player 0 to move.
const std::vector<tilvan::play::Position>& midgames() {
  static const std::vector<tilvan::play::Position> all = [] {
    std::vector<tilvan::play::Position> out;
    for (std::uint64_t seed = 1; out.size() < 6 && seed < 50; ++seed) {
      auto e = tilvan::test::greedyEndgame(simList(), seed, 50);
      if (!e || e->bag.size() < 40) continue;
      tilvan::play::Position p;
      p.board = e->state.Committed;
      p.premiums = e->state.SquareBonus;
      p.racks = {tilvan::play::sortedTiles(e->racks[0]), tilvan::play::sortedTiles(e->racks[1])};
      p.bag = e->bag;
      out.push_back(p);
    }
    return out;
  }();
  return all;
}

void BM_SimulationPlies(benchmark::State& state) {
  // The positions and the word graph are made before the clock starts: a
  // single iteration would otherwise count them as simulation.
  if (!midgames().empty())
    benchmark::DoNotOptimize(tilvan::play::rankByValue(
        simList(), midgames().front().board, midgames().front().premiums,
        midgames().front().rack(), tilvan::play::valueInputs(engine(), midgames().front()), 1));
  double plies = 0;
  const std::clock_t cpuStart = std::clock();
  for (auto _ : state) {
    for (const auto& pos : midgames()) {
      const auto cands = tilvan::simCandidates(simList(), pos.board, pos.premiums, pos.rack(),
                                               tilvan::play::valueInputs(engine(), pos), 10);
      tilvan::SimOptions o;
      o.threads = 1;
      o.timeMs = 600000;
      o.maxRounds = 20;
      o.minRounds = 20;
      plies += static_cast<double>(tilvan::simulate(engine(), pos, cands, o).plies);
    }
  }
  state.counters["plies_per_s"] = benchmark::Counter(plies, benchmark::Counter::kIsRate);
  // The same per second of processor time (the simulation's thread and
  // this one): what one core plays however busy the machine is.
  const double cpu = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
  state.counters["plies_per_cpu_s"] = cpu > 0 ? plies / cpu : 0;
}
BENCHMARK(BM_SimulationPlies)->Unit(benchmark::kMillisecond)->UseRealTime();

// One simulated turn: the best by value of every placement and exchange.
void BM_SimulationPlyChoice(benchmark::State& state) {
  for (auto _ : state)
    for (const auto& pos : midgames())
      benchmark::DoNotOptimize(tilvan::play::rankByValue(simList(), pos.board, pos.premiums,
                                                         pos.rack(),
                                                         tilvan::play::valueInputs(engine(), pos), 1));
  state.SetItemsProcessed(state.iterations() * static_cast<long>(midgames().size()));
}
BENCHMARK(BM_SimulationPlyChoice)->Unit(benchmark::kMicrosecond);

// The complete search alone on the same positions (every placement by score).
void BM_SimulationPlySearch(benchmark::State& state) {
  std::vector<tilvan::CompleteMove> moves;
  for (auto _ : state)
    for (const auto& pos : midgames()) tilvan::play::legalMoves(simList(), pos, moves);
  state.SetItemsProcessed(state.iterations() * static_cast<long>(midgames().size()));
}
BENCHMARK(BM_SimulationPlySearch)->Unit(benchmark::kMicrosecond);

}  // namespace
