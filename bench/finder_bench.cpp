// "Find   Words" with the default word list on fixed positions: the program's
// indexed search and the plain reference search timed in the same run, with
// their medians and the ratio, for an empty board and an early, middle and
// late game and the end of a game, with racks of 0, 1 and 2 blanks.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <vector>

#include "finder/classic_search.h"
#include "finder/find_words.h"
#include "finder/word_index.h"
#include "game/handlers.h"
#include "support/position_gen.h"
#include "support/reference_finder.h"

namespace tilvan {
namespace {

// The program's classic search, one for the whole test program.
PlacementSearch& classicSearch() {
  static ClassicSearch search;
  return search;
}

// Positions from a game played with the default list, best result each turn.
const Grid kPositions[] = {
    {"...............", "...............", "...............", "...............", "...............",
     "...............", "...............", "...............", "...............", "...............",
     "...............", "...............", "...............", "...............", "..............."},
    // early: after 2 moves (11 tiles)
    {"...............", "...............", "...............", "...............", "...............",
     "...............", "...............", "....patible....", "....a..........", "....c..........",
     "....k..........", "....e..........", "....r..........", "...............", "..............."},
    // middle: after 8 moves (41 tiles)
    {"...............", "......i........", "......n........", "......v...u....", "......e...r....",
     "......r..fa....", "......i..at....", "....patible....", "....a.y..c.....", ".mitch...o.....",
     "....k....n.....", "..dzerens......", ".year..........", "...............", "..............."},
    // late: after 16 moves (67 tiles)
    {"...............", ".....jiao......", "..Avion.....f..", "......v...u.u..", "......e...r.n..",
     "......r..faugh.", "......i..at.o..", "....patible....", "..qua.y..c.....", ".mitch...o.....",
     "....k.pirnie...", "..dzerens......", ".yearend.......", ".......o.......", ".......w......."},
    // end: after 24 moves (94 tiles)
    {"...............", ".....jiao......", "..Avion...arf..", "......vae.u.u..", "...boxed..r.n..",
     ".g.emirs.faugh.", ".l....i..at.o..", ".o..patible....", ".aqua.y..c.....", ".mitch...o.....",
     ".s..k.pirnie...", "..dzerens..t...", ".yearend...w...", ".....diol..e...", ".....sEwn..e..."},
};
const char* const kPositionNames[] = {"empty", "early", "middle", "late", "end"};
const char* const kRacks[] = {"adeilrt", "aeilrt_", "aeir_t_"};

class Setup {
 public:
  static Setup& get() {
    static Setup setup;
    return setup;
  }
  WordListCache cache{TILVAN_DEFAULT_WORD_LIST};
  bool ok = false;

 private:
  Setup() {
    auto list = cache.get();
    ok = list.ok();
    if (ok) (void)list.value()->derived<WordIndex>();  // built once per file version
  }
};

class Silent : public Prompts {
 public:
  void message(std::string_view) override {}
  std::optional<std::string> askBlankLetter() override { return std::nullopt; }
};

std::unique_ptr<Game> position(int pos, int rack) {
  auto game = std::make_unique<Game>(Setup::get().cache);
  Silent silent;
  startUp(*game, silent);
  test::setBoard(game->state, kPositions[pos]);
  game->form.txtRack.type(kRacks[rack]);
  return game;
}

double millisOf(Game& game, bool reference) {
  Silent silent;
  const auto t0 = std::chrono::steady_clock::now();
  if (reference)
    test::referenceFindWords(game, silent);
  else
    pressFindWords(game, silent);
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

// Runs a search untimed for at least `seconds` (and at least once): what the
// processor, its caches and the helper thread need to reach their steady
// state. The time of the first run.
double warmUp(Game& game, bool reference, double seconds) {
  const double first = millisOf(game, reference);
  for (double spent = first; spent < seconds * 1000;) spent += millisOf(game, reference);
  return first;
}

// One benchmark per position and rack: after warming both up, the indexed
// search 31 times and the reference 3 times, reporting both medians (ms) and
// their ratio, and the indexed search's first (cold) run. The two must agree
// on the results.
void BM_FindWords(benchmark::State& state) {
  if (!Setup::get().ok) {
    state.SkipWithError("the default word list cannot be read");
    return;
  }
  const int pos = static_cast<int>(state.range(0)), rack = static_cast<int>(state.range(1));
  auto fast = position(pos, rack), ref = position(pos, rack);
  std::vector<double> fastMs, refMs;
  warmUp(*ref, true, 0.2);
  const double cold = warmUp(*fast, false, 0.2);
  for (auto _ : state) {
    for (int i = 0; i < 31; ++i) fastMs.push_back(millisOf(*fast, false));
    for (int i = 0; i < 3; ++i) refMs.push_back(millisOf(*ref, true));
  }
  if (fast->state.Finder != ref->state.Finder) state.SkipWithError("results differ");
  const double f = median(fastMs), r = median(refMs);
  state.counters["fast_ms"] = f;
  state.counters["reference_ms"] = r;
  state.counters["ratio"] = r / f;
  state.counters["fast_cold_ms"] = cold;
  // Every candidate the slots were chosen from (the finder keeps the best).
  const AllCandidates all =
      allCandidates(*Setup::get().cache.get().value(), fast->state, kRacks[rack], classicSearch());
  state.counters["candidates"] = static_cast<double>(all.V.size() + all.H.size());
  state.SetLabel(std::string(kPositionNames[pos]) + " rack " + kRacks[rack]);
}
BENCHMARK(BM_FindWords)
    ->ArgsProduct({{0, 1, 2, 3, 4}, {0, 1, 2}})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

// The indexed search alone, with Google Benchmark's own statistics.
void BM_FindWordsIndexed(benchmark::State& state) {
  if (!Setup::get().ok) {
    state.SkipWithError("the default word list cannot be read");
    return;
  }
  auto game = position(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  Silent silent;
  for (auto _ : state) pressFindWords(*game, silent);
  state.SetLabel(std::string(kPositionNames[state.range(0)]) + " rack " + kRacks[state.range(1)]);
}
BENCHMARK(BM_FindWordsIndexed)
    ->ArgsProduct({{0, 1, 2, 3, 4}, {0, 1, 2}})
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMicrosecond);

// Building the finder's index of the default list (once per file version).
void BM_BuildWordIndex(benchmark::State& state) {
  auto list = WordListCache(TILVAN_DEFAULT_WORD_LIST).get();
  if (!list.ok()) {
    state.SkipWithError("the default word list cannot be read");
    return;
  }
  for (auto _ : state) {
    WordIndex index(*list.value());
    benchmark::DoNotOptimize(index.states());
  }
}
BENCHMARK(BM_BuildWordIndex)->Unit(benchmark::kMillisecond)->Iterations(3);

// Pressing "Find   Words" twice reads the file once: the counter file_reads
// is the number of reads for both presses in a fresh program.
void BM_SecondPressReadsNothing(benchmark::State& state) {
  WordListCache cache(TILVAN_DEFAULT_WORD_LIST);
  Game game(cache);
  Silent silent;
  startUp(game, silent);
  test::setBoard(game.state, kPositions[2]);  // middle
  game.form.txtRack.type(kRacks[1]);
  pressFindWords(game, silent);
  for (auto _ : state) pressFindWords(game, silent);
  state.counters["file_reads"] = cache.reads();
}
BENCHMARK(BM_SecondPressReadsNothing)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
}  // namespace tilvan
