// BM_EndgameBlankLists/0 and /1: the lists that the endgame search makes
// for a rack holding one blank after it laid letter tiles, made afresh on
// the whole board (0) or from the rack's list two moves before (1).
//
// The positions: the endgames of greedy games (seeds 1..60) in which a side
// holds one blank, that side to move. From each, up to 8 of its placements
// that keep the blank (spread over its list), each answered by the other's
// best-scoring placement; the list timed is the first side's after the two.
// per_list is the time a list takes, play and undo of the two moves
// included (a few µs either way).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

#include "ahead/endgame_position.h"
#include "support/endgame_gen.h"
#include "words/word_list.h"

namespace {

using tilvan::EgMove;
using tilvan::EgPosition;

const tilvan::WordList& wordList() {
  static const tilvan::WordList list = [] {
    auto file = tilvan::readFileBytes(TILVAN_DEFAULT_WORD_LIST);
    return file.ok() ? tilvan::WordList::parse(file.value()) : tilvan::WordList::parse("");
  }();
  return list;
}

struct BlankListCase {
  std::unique_ptr<EgPosition> pos;
  std::vector<EgMove> before;                    // as the search keeps it
  std::vector<std::pair<EgMove, EgMove>> lines;  // a placement and the reply
};

BlankListCase makeCase(const tilvan::GameState& s, const std::string& rack,
                       const std::string& other) {
  BlankListCase c{std::make_unique<EgPosition>(wordList(), s, rack, other), {}, {}};
  EgPosition& pos = *c.pos;
  std::vector<EgMove> mine, keeping, theirs;
  pos.placements(mine);
  c.before = mine;
  const int tiles = pos.tiles(pos.toMove());
  std::stable_partition(c.before.begin(), c.before.end(),
                        [tiles](const EgMove& m) { return m.count == tiles; });
  c.before.emplace_back();
  std::copy_if(mine.begin(), mine.end(), std::back_inserter(keeping),
               [](const EgMove& m) { return m.blankMask == 0; });
  const std::size_t step = std::max<std::size_t>(1, keeping.size() / 8);
  for (std::size_t k = 0; k < keeping.size() && c.lines.size() < 8; k += step) {
    pos.play(keeping[k]);
    pos.placements(theirs);
    c.lines.emplace_back(keeping[k], theirs.empty() ? EgMove{} : theirs.front());
    pos.undo(keeping[k]);
  }
  return c;
}

std::vector<BlankListCase>& blankCases() {
  static std::vector<BlankListCase> all = [] {
    std::vector<BlankListCase> out;
    for (std::uint64_t seed = 1; seed <= 60; ++seed) {
      const auto e = tilvan::test::greedyEndgame(wordList(), seed);
      if (!e) continue;
      for (int side = 0; side < 2; ++side) {
        const std::string& rack = e->racks[static_cast<std::size_t>(side)];
        if (std::count(rack.begin(), rack.end(), '_') == 1 && rack.size() > 1)
          out.push_back(makeCase(e->state, rack, e->racks[static_cast<std::size_t>(1 - side)]));
      }
    }
    return out;
  }();
  return all;
}

void BM_EndgameBlankLists(benchmark::State& state) {
  const bool fromBefore = state.range(0) == 1;
  std::vector<BlankListCase>& cases = blankCases();
  std::vector<EgMove> out;
  double lists = 0, made = 0, placements = 0;
  for (auto _ : state) {
    lists = made = placements = 0;
    for (BlankListCase& c : cases) {
      for (const auto& [m, reply] : c.lines) {
        c.pos->play(m);
        c.pos->play(reply);
        const bool after = fromBefore && c.pos->placementsAfter(c.before, 2, out);
        if (!after) c.pos->placements(out);
        benchmark::DoNotOptimize(out.data());
        c.pos->undo(reply);
        c.pos->undo(m);
        ++lists;
        made += after;
        placements += static_cast<double>(out.size());
      }
    }
  }
  state.counters["lists"] = lists;
  state.counters["from_before"] = made;
  state.counters["placements_per_list"] = placements / lists;
  state.counters["per_list"] = benchmark::Counter(
      lists, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_EndgameBlankLists)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
