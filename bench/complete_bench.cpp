// The complete search on the default word list: building its word graph
// from the file, the graph's size, and searches on a fixed mid-game board.
// Read the medians: run with --benchmark_repetitions=N.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <array>
#include <memory>

#include "finder/complete_search.h"
#include "finder/word_graph.h"
#include "play/choice.h"
#include "play/selfplay.h"
#include "words/word_list.h"

namespace {

using tilvan::GameState;
using tilvan::WordList;

double peakRssMb() {
  struct rusage u {};
  getrusage(RUSAGE_SELF, &u);
  return static_cast<double>(u.ru_maxrss) / 1024.0;  // Linux reports kB
}

// Read the file, split it into records and build the graph: what the first
// complete search after a change of the file pays.
void BM_WordGraphFromFile(benchmark::State& state) {
  std::size_t bytes = 0, nodes = 0, words = 0;
  for (auto _ : state) {
    auto file = tilvan::readFileBytes(TILVAN_DEFAULT_WORD_LIST);
    if (!file.ok()) {
      state.SkipWithError(file.error().message().c_str());
      return;
    }
    const WordList list = WordList::parse(file.value());
    const auto& g = list.derived<tilvan::WordGraph>();
    bytes = g.bytes();
    nodes = g.nodeCount();
    words = g.wordCount();
  }
  state.counters["graph_MB"] = static_cast<double>(bytes) / (1024.0 * 1024.0);
  state.counters["nodes"] = static_cast<double>(nodes);
  state.counters["words"] = static_cast<double>(words);
  state.counters["peak_rss_MB"] = peakRssMb();
}
BENCHMARK(BM_WordGraphFromFile)->Unit(benchmark::kMillisecond);

// The graph alone, from a list already read.
void BM_WordGraphFromList(benchmark::State& state) {
  auto file = tilvan::readFileBytes(TILVAN_DEFAULT_WORD_LIST);
  if (!file.ok()) {
    state.SkipWithError(file.error().message().c_str());
    return;
  }
  const WordList list = WordList::parse(file.value());
  for (auto _ : state) {
    tilvan::WordGraph g(list);
    benchmark::DoNotOptimize(g.root());
  }
}
BENCHMARK(BM_WordGraphFromList)->Unit(benchmark::kMillisecond);

// A game after ten moves: 37 tiles, every word on it in the default list.
constexpr std::array<const char*, tilvan::kSide> kMidGame = {
    "...............",  //
    ".j.............",  //
    ".a.........y...",  //
    ".m.........w...",  //
    "ps.........i...",  //
    "i.........ds...",  //
    "g...milk..r....",  //
    "skats..y..e....",  //
    "......dusky....",  //
    "...pyro........",  //
    "......chiz.....",  //
    "...............",  //
    "...............",  //
    "...............",  //
    "...............",
};

// Late in a game: 22 moves, 88 tiles.
constexpr std::array<const char*, tilvan::kSide> kLateGame = {
    "..............h",  //,
    ".........z....i",  //,
    ".........e.loid",  //,
    "........pa.u..y",  //,
    "........i.anas.",  //,
    "....b..be..g...",  //,
    "....o.remaker..",  //,
    "g...o..ja..s.h.",  //,
    "rigor.den....u.",  //,
    "a......s..moan.",  //,
    "na.f..duly..n..",  //,
    "aviettes.ouvert",  //,
    ".e.e.....d..l..",  //,
    ".r.t.....l..e..",  //,
    ".t...concept...",
};

// The position of the rows (null rows are empty), every premium under a tile
// used up.
GameState position(const std::array<const char*, tilvan::kSide>& rows, int moves) {
  GameState s;
  s.LetterValue = tilvan::kLetterValue;
  s.SquareBonus = tilvan::premiumMap();
  for (int r = 0; r < tilvan::kSide; ++r)
    for (int c = 0; rows[r] && c < tilvan::kSide; ++c) {
      const char ch = rows[r][c];
      if (ch == '.') continue;
      const int l = ch - 'a', h = tilvan::hIndex(r, c);
      s.Committed.set(h, {true, l, tilvan::kLetterValue[l], tilvan::letterEnd(l) - 1});
      s.SquareBonus[h] = 0;
    }
  s.MoveNumber = moves;
  return s;
}

struct Loaded {
  std::unique_ptr<WordList> list;
  GameState empty = position({}, 0);
  GameState mid = position(kMidGame, 10);
  GameState late = position(kLateGame, 22);
};

const Loaded& loaded() {
  static const Loaded l = [] {
    Loaded out;
    auto file = tilvan::readFileBytes(TILVAN_DEFAULT_WORD_LIST);
    out.list = std::make_unique<WordList>(WordList::parse(file.ok() ? file.value() : ""));
    (void)out.list->derived<tilvan::WordGraph>();
    return out;
  }();
  return l;
}

enum Board { kEmpty, kMid, kLate };

void completeSearch(benchmark::State& state, const char* rack, std::size_t maxResults,
                    Board which = kMid) {
  const Loaded& l = loaded();
  const GameState& board = which == kEmpty ? l.empty : which == kMid ? l.mid : l.late;
  if (l.list->size() == 0) {
    state.SkipWithError("the default word list cannot be read");
    return;
  }
  std::size_t found = 0;
  for (auto _ : state) {
    auto results = tilvan::completeSearch(*l.list, board, rack, maxResults);
    found = results.size();
    benchmark::DoNotOptimize(results.data());
  }
  state.counters["results"] = static_cast<double>(found);
  // Every placement, for the count (not timed).
  state.counters["placements"] =
      static_cast<double>(tilvan::completeSearch(*l.list, board, rack, 1u << 30).size());
}

BENCHMARK_CAPTURE(completeSearch, midgame_7_tiles, "aeilnrt", 5)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(completeSearch, midgame_7_tiles_s, "aeinrst", 5)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(completeSearch, midgame_7_tiles_hard, "cdgouvw", 5)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(completeSearch, midgame_2_blanks, "eilnt__", 5)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(completeSearch, midgame_2_blanks_s, "aerst__", 5)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(completeSearch, midgame_2_blanks_all_results, "aerst__", 1u << 30)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(completeSearch, lategame_7_tiles, "aeilnrt", 5, kLate)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(completeSearch, lategame_2_blanks, "aerst__", 5, kLate)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(completeSearch, first_move_7_tiles, "aeilnrt", 5, kEmpty)
    ->Unit(benchmark::kMicrosecond);

}  // namespace

namespace {

// Ranking by value, as find --rank value does it: every placement, the
// value of its leave and of every exchange, the five best described. Read
// against completeSearch's five best on the same board and rack.
void rankByValue(benchmark::State& state, const char* rack, Board which) {
  const Loaded& l = loaded();
  const GameState& s = which == kEmpty ? l.empty : which == kMid ? l.mid : l.late;
  const std::string tiles = tilvan::play::sortedTiles(rack);
  for (auto _ : state) {
    const auto in = tilvan::play::inputsFor(s.Committed, tiles, 2,
                                            tilvan::play::LeaveTable::builtIn());
    const auto best =
        tilvan::play::rankByValue(*l.list, s.Committed, s.SquareBonus, tiles, in, 5);
    std::vector<tilvan::CompleteMove> shown;
    for (const auto& c : best)
      if (c.kind == tilvan::play::Choice::Kind::kMove) shown.push_back(c.move);
    auto described = tilvan::describeMoves(s, shown);
    benchmark::DoNotOptimize(described.data());
  }
}
BENCHMARK_CAPTURE(rankByValue, midgame_7_tiles, "aeilnrt", kMid)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(rankByValue, midgame_7_tiles_hard, "cdgouvw", kMid)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(rankByValue, midgame_2_blanks_s, "aerst__", kMid)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(rankByValue, lategame_2_blanks, "aerst__", kLate)
    ->Unit(benchmark::kMicrosecond);

// Reading the built-in leave table, as the first ranking by value does.
void BM_LeaveTableLoad(benchmark::State& state) {
  for (auto _ : state) {
    tilvan::play::LeaveTable t;
    std::string why;
    tilvan::play::LeaveTable::parse(tilvan::play::LeaveTable::builtInText(), t, why);
    benchmark::DoNotOptimize(t.weightCount());
  }
}
BENCHMARK(BM_LeaveTableLoad)->Unit(benchmark::kMillisecond);

// Whole self-play games, one a iteration (seeds 1, 2, ...); the counter is
// games per second on one thread.
void selfPlayGame(benchmark::State& state, const char* a, const char* b) {
  const Loaded& l = loaded();
  const tilvan::play::Engine engine{l.list.get(), &tilvan::play::LeaveTable::builtIn()};
  auto first = tilvan::play::makeStrategy(a, engine), second = tilvan::play::makeStrategy(b, engine);
  std::uint64_t seed = 1;
  for (auto _ : state) {
    auto log = tilvan::play::playGame(seed++, *first, *second);
    benchmark::DoNotOptimize(log.final.data());
  }
  state.counters["games_per_s"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK_CAPTURE(selfPlayGame, score_score, "score", "score")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(selfPlayGame, value_score, "value", "score")->Unit(benchmark::kMillisecond);

}  // namespace
