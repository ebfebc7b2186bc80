// The game's record: taking back and putting back a turn after 40 turns.
// Both rebuild the game from its record (every move laid again and
// committed); one iteration is one press of Clear Last Move and one of Redo.
#include <benchmark/benchmark.h>

#include "played_game.h"

namespace {

using namespace tilvan;
using bench::playGame;
using bench::Silent;

void BM_TakeBackAndRedo(benchmark::State& state) {
  WordListCache cache(TILVAN_DEFAULT_WORD_LIST);
  if (!cache.get().ok()) return state.SkipWithError("no word list");
  Game g(cache);
  Silent prompts;
  playGame(g, prompts, static_cast<int>(state.range(0)));
  state.counters["turns"] = static_cast<double>(g.state.Turns.size());
  state.counters["moves"] = g.state.MoveNumber;
  for (auto _ : state) {
    pressClearLastMove(g, prompts);
    pressRedo(g, prompts);
  }
}
BENCHMARK(BM_TakeBackAndRedo)->Arg(40)->Unit(benchmark::kMillisecond);

}  // namespace
