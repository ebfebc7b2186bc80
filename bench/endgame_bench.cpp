// The exact endgame on positions that games reach.
//
// BM_EndgameSolve: each game played with the best-scoring placement until
// the bag is empty, both racks then cut to N tiles; solve time by tiles
// left a side and the share solved exactly within the time limit of the
// window and tilvan-cli (2 s).
//
// BM_SelfPlayEndgames/K/MS: the first endgame position (the bag just
// emptied, the side to move with its rack, the other's rack its unseen
// tiles) of each of K games of value against value (seeds 1..K), each
// solved with MS ms; the share solved exactly and the time by tiles a side
// (the larger rack) are printed as a table.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <vector>

#include "ahead/endgame.h"
#include "play/selfplay.h"
#include "play/strategy.h"
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
      tilvan::EndgameOptions o;
      o.cpuTime = std::getenv("TILVAN_ENDGAME_CPU") != nullptr;
      const auto r = tilvan::solveEndgame(defaultList(), e.state, e.racks[0].substr(0, tiles),
                                          e.racks[1].substr(0, tiles), o);
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

struct SelfPlayEndgame {
  std::uint64_t seed = 0;
  tilvan::GameState state;
  std::string rack, opponent;
};

// The board of a self-play position as the solver reads it.
tilvan::GameState stateOf(const tilvan::play::Position& pos) {
  tilvan::GameState s;
  for (int l = 0; l < tilvan::kLetters; ++l) {
    s.LetterChar[l] = tilvan::letterChar(l);
    s.LetterValue[l] = tilvan::kLetterValue[l];
  }
  s.Committed = pos.board;
  s.SquareBonus = pos.premiums;
  return s;
}

// The first endgame position of games 1..k of value against value.
std::vector<SelfPlayEndgame> selfPlayEndgames(std::uint64_t k) {
  const tilvan::play::Engine engine{&defaultList(), &tilvan::play::LeaveTable::builtIn()};
  auto a = tilvan::play::makeStrategy("value", engine);
  auto b = tilvan::play::makeStrategy("value", engine);
  std::vector<SelfPlayEndgame> out;
  for (std::uint64_t seed = 1; seed <= k; ++seed) {
    bool taken = false;
    tilvan::play::playGame(seed, *a, *b, [&](const auto& pos, const auto&) {
      if (taken || pos.over || !pos.bag.empty()) return;
      taken = true;
      out.push_back({seed, stateOf(pos), pos.rack(), pos.racks[pos.opponent()]});
    });
  }
  return out;
}

struct Bucket {
  int positions = 0, exact = 0;
  std::vector<double> ms;
  double nodes = 0;
};

void printTable(const std::map<std::size_t, Bucket>& buckets, int limitMs) {
  std::printf("tiles  positions  exact  share   median_ms  p90_ms   max_ms   knodes/s\n");
  for (auto [tiles, b] : buckets) {
    std::sort(b.ms.begin(), b.ms.end());
    double total = 0;
    for (double m : b.ms) total += m;
    const auto at = [&](double q) { return b.ms[static_cast<std::size_t>(q * (b.ms.size() - 1))]; };
    std::printf("%5zu  %9d  %5d  %5.1f%%  %9.1f  %7.1f  %7.1f  %8.1f\n", tiles, b.positions, b.exact,
                100.0 * b.exact / b.positions, at(0.5), at(0.9), b.ms.back(),
                b.nodes / total);
  }
  std::printf("(limit %d ms a position)\n", limitMs);
}

// TILVAN_ENDGAME_GAMES and TILVAN_ENDGAME_MS override the arguments,
// TILVAN_ENDGAME_FIRST skips the games before it, TILVAN_ENDGAME_NODES
// limits the positions a solve visits, TILVAN_ENDGAME_TABLE_BITS sizes the
// transposition table, TILVAN_ENDGAME_THREADS sets the threads a solve
// uses, TILVAN_ENDGAME_CPU=1 times the solves on the calling thread's
// processor time (a shared machine's load aside; helper threads run
// alongside, each on its own) and TILVAN_ENDGAME_VERBOSE=1 prints each
// position's result.
long fromEnv(const char* name, long fallback) {
  const char* v = std::getenv(name);
  return v ? std::atol(v) : fallback;
}

void BM_SelfPlayEndgames(benchmark::State& state) {
  const auto k = static_cast<std::uint64_t>(fromEnv("TILVAN_ENDGAME_GAMES", state.range(0)));
  const int limitMs = static_cast<int>(fromEnv("TILVAN_ENDGAME_MS", state.range(1)));
  const bool verbose = fromEnv("TILVAN_ENDGAME_VERBOSE", 0) != 0;
  const bool cpuTime = fromEnv("TILVAN_ENDGAME_CPU", 0) != 0;
  std::vector<SelfPlayEndgame> games = selfPlayEndgames(k);
  const long first = fromEnv("TILVAN_ENDGAME_FIRST", 1);
  games.erase(games.begin(), games.begin() + std::min<long>(first - 1, games.size()));
  std::map<std::size_t, Bucket> buckets;
  double exact = 0, nodes = 0, totalMs = 0;
  for (auto _ : state) {
    for (const SelfPlayEndgame& e : games) {
      tilvan::EndgameOptions o;
      o.timeMs = limitMs;
      o.describeLine = false;
      o.maxNodes = static_cast<std::uint64_t>(fromEnv("TILVAN_ENDGAME_NODES", 0));
      o.cpuTime = cpuTime;
      o.tableBits = static_cast<std::size_t>(fromEnv("TILVAN_ENDGAME_TABLE_BITS", o.tableBits));
      o.threads = static_cast<int>(fromEnv("TILVAN_ENDGAME_THREADS", 1));
      const auto r = tilvan::solveEndgame(defaultList(), e.state, e.rack, e.opponent, o);
      if (verbose)
        std::printf("seed %3llu  %-7s %-7s  exact %d  spread %4d  depth %3d  %8.1f ms  %9llu nodes"
                    "  %9llu lists %9llu from before\n",
                    static_cast<unsigned long long>(e.seed), e.rack.c_str(), e.opponent.c_str(),
                    r.exact, r.spread, r.depth, r.ms, static_cast<unsigned long long>(r.nodes),
                    static_cast<unsigned long long>(r.lists),
                    static_cast<unsigned long long>(r.listsFromBefore));
      Bucket& b = buckets[std::max(e.rack.size(), e.opponent.size())];
      ++b.positions;
      b.exact += r.exact;
      b.ms.push_back(r.ms);
      b.nodes += static_cast<double>(r.nodes);
      exact += r.exact;
      nodes += static_cast<double>(r.nodes);
      totalMs += r.ms;
    }
  }
  printTable(buckets, limitMs);
  state.counters["positions"] = static_cast<double>(games.size());
  state.counters["exact_share"] = exact / static_cast<double>(games.size());
  state.counters["ms_per_solve"] = totalMs / static_cast<double>(games.size());
  state.counters["nodes_per_s"] = nodes / (totalMs / 1000.0);
}
BENCHMARK(BM_SelfPlayEndgames)
    ->Args({100, 2000})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace
