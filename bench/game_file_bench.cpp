// Game files after 40 turns (of four players; the tiles run out after some
// 23 moves, the rest are passes): one autosave (the file's text written to a
// temporary file, synced and renamed over the old one, the folder synced),
// the text alone, and one load (the text read and every turn played again on
// a fresh game).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>

#include "moves/game_file.h"
#include "played_game.h"

namespace {

using namespace tilvan;

void BM_Autosave(benchmark::State& state) {
  WordListCache cache(TILVAN_DEFAULT_WORD_LIST);
  if (!cache.get().ok()) return state.SkipWithError("no word list");
  Game g(cache);
  bench::Silent prompts;
  bench::playGame(g, prompts, static_cast<int>(state.range(0)));
  std::string dir = (std::filesystem::temp_directory_path() / "tilvan-bench-XXXXXX").string();
  if (!::mkdtemp(dir.data())) return state.SkipWithError("no temporary folder");
  const std::filesystem::path file = std::filesystem::path(dir) / "autosave.json";
  std::size_t bytes = 0;
  for (auto _ : state) {
    const std::string text = gameFileText(g);
    bytes = text.size();
    if (writeFileAtomically(file, text)) state.SkipWithError("the save failed");
  }
  state.counters["turns"] = static_cast<double>(g.state.Turns.size());
  state.counters["bytes"] = static_cast<double>(bytes);
  std::filesystem::remove_all(dir);
}
BENCHMARK(BM_Autosave)->Arg(40)->Unit(benchmark::kMillisecond);

// The text alone, without the disk.
void BM_GameFileText(benchmark::State& state) {
  WordListCache cache(TILVAN_DEFAULT_WORD_LIST);
  if (!cache.get().ok()) return state.SkipWithError("no word list");
  Game g(cache);
  bench::Silent prompts;
  bench::playGame(g, prompts, static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(gameFileText(g));
}
BENCHMARK(BM_GameFileText)->Arg(40)->Unit(benchmark::kMillisecond);

void BM_LoadGame(benchmark::State& state) {
  WordListCache cache(TILVAN_DEFAULT_WORD_LIST);
  if (!cache.get().ok()) return state.SkipWithError("no word list");
  Game g(cache);
  bench::Silent prompts;
  bench::playGame(g, prompts, static_cast<int>(state.range(0)));
  const std::string text = gameFileText(g);
  Game loaded(cache);
  for (auto _ : state) {
    const auto saved = parseGameFile(text);
    if (!saved.ok() || restoreGame(loaded, saved.value())) state.SkipWithError("the load failed");
  }
  state.counters["turns"] = static_cast<double>(loaded.state.Turns.size());
  state.counters["moves"] = loaded.state.MoveNumber;
}
BENCHMARK(BM_LoadGame)->Arg(40)->Unit(benchmark::kMillisecond);

}  // namespace
