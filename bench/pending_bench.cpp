// The move in progress as the window shows it after every tile laid: its
// score and words looked up (pendingMove), and the tiles unseen. One
// iteration is one of each, for the last move of a game of N turns laid
// again on the main board.
#include <benchmark/benchmark.h>

#include "game/unseen.h"
#include "moves/pending.h"
#include "played_game.h"

namespace {

using namespace tilvan;
using bench::playGame;
using bench::Silent;

void BM_PendingMoveAndUnseen(benchmark::State& state) {
  WordListCache cache(TILVAN_DEFAULT_WORD_LIST);
  if (!cache.get().ok()) return state.SkipWithError("no word list");
  Game g(cache);
  Silent prompts;
  playGame(g, prompts, static_cast<int>(state.range(0)));
  // Back to the last move (passes after it are taken back too).
  do pressClearLastMove(g, prompts);
  while (!g.state.Turns.empty() && g.state.TakenBack.back().kind != TurnKind::kMove);
  if (g.state.TakenBack.empty() || g.state.TakenBack.back().kind != TurnKind::kMove)
    return state.SkipWithError("no move to lay again");
  for (const TurnTile& t : g.state.TakenBack.back().tiles) {
    if (t.blank) prompts.letters = std::string(1, t.letter);
    dropTile(g, prompts, t.tile, 290 + 270 * t.col, 290 + 270 * t.row);
  }
  const auto first = pendingMove(g);  // builds the list's look-up set once
  if (!first || !first->legal) return state.SkipWithError("the move laid again is not legal");
  state.counters["words"] = static_cast<double>(first->words.size());
  for (auto _ : state) {
    benchmark::DoNotOptimize(pendingMove(g));
    benchmark::DoNotOptimize(unseenTiles(g));
  }
}
BENCHMARK(BM_PendingMoveAndUnseen)->Arg(2)->Arg(30)->Unit(benchmark::kMicrosecond);

}  // namespace
