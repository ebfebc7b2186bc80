// Reading the default word list into its cached form.
#include <benchmark/benchmark.h>

#include "words/word_list.h"

namespace {

void BM_LoadDefaultWordList(benchmark::State& state) {
  for (auto _ : state) {
    tilvan::WordListCache cache(TILVAN_DEFAULT_WORD_LIST);
    auto list = cache.get();
    if (!list.ok()) {
      state.SkipWithError(list.error().message().c_str());
      return;
    }
    benchmark::DoNotOptimize(list.value()->size());
  }
}
BENCHMARK(BM_LoadDefaultWordList)->Unit(benchmark::kMillisecond);

// A cached list whose file did not change: one stat, no read.
void BM_CachedWordListUnchanged(benchmark::State& state) {
  tilvan::WordListCache cache(TILVAN_DEFAULT_WORD_LIST);
  (void)cache.get();
  for (auto _ : state) benchmark::DoNotOptimize(cache.get().ok());
}
BENCHMARK(BM_CachedWordListUnchanged)->Unit(benchmark::kMicrosecond);

}  // namespace
