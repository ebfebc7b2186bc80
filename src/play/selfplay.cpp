#include "play/selfplay.h"

#include <atomic>
#include <chrono>
#include <cmath>
#include <mutex>
#include <thread>

#include "finder/word_graph.h"

namespace tilvan::play {
namespace {

// Plays the chosen turn on `pos` and fills the log's outcome.
void apply(Position& pos, const Choice& c, TurnLog& t) {
  const bool exchange = c.kind == Choice::Kind::kExchange && pos.canExchange();
  t.kind = c.kind == Choice::Kind::kMove ? TurnLog::Kind::kMove
           : exchange                    ? TurnLog::Kind::kExchange
                                         : TurnLog::Kind::kPass;
  t.keep = t.kind == TurnLog::Kind::kPass ? pos.rack() : c.keep;
  t.leaveValue = c.leaveValue;
  t.value = c.value;
  if (t.kind == TurnLog::Kind::kMove) {
    t.move = c.move;
    t.score = c.move.score;
    for (int j = 0; j < c.move.len; ++j)
      if (!pos.board.atH(c.move.square(j)).occupied) t.newTiles |= std::uint16_t(1u << j);
  }
  if (exchange) t.thrown = c.thrown;
  t.drawn = applyChoice(pos, c);
}

}  // namespace

GameLog playGame(std::uint64_t seed, Strategy& seat0, Strategy& seat1,
                 const TurnObserver& observe, const WordList* list) {
  GameLog log;
  log.seed = seed;
  log.strategies = {std::string(seat0.name()), std::string(seat1.name())};
  Position pos = newGame(seed);
  if (list) readBoard(*list, pos);
  log.racks = pos.racks;
  while (!pos.over) {
    TurnLog t;
    t.player = pos.toMove;
    t.rack = pos.rack();
    t.bag = static_cast<int>(pos.bag.size());
    const Choice c = (pos.toMove == 0 ? seat0 : seat1).choose(pos);
    apply(pos, c, t);
    log.turns.push_back(std::move(t));
    if (observe) observe(pos, log.turns.back());
  }
  for (int p = 0; p < kSeats; ++p) {
    TurnLog end;
    end.kind = TurnLog::Kind::kEnd;
    end.player = p;
    end.rack = pos.racks[static_cast<std::size_t>(p)];
    end.score = pos.endAdjustment[static_cast<std::size_t>(p)];
    log.turns.push_back(std::move(end));
  }
  log.final = pos.scores;
  return log;
}

std::array<double, 2> Tally::ci95() const {
  if (games == 0) return {0, 0};
  const double p = winRate();
  const double half = 1.96 * std::sqrt(p * (1 - p) / static_cast<double>(games));
  return {p - half, p + half};
}

void Tally::add(const GameLog& g, int seatOfA) {
  const int a = g.final[static_cast<std::size_t>(seatOfA)];
  const int b = g.final[static_cast<std::size_t>(1 - seatOfA)];
  ++games;
  spreadSum += a - b;
  if (a > b)
    ++wins[0];
  else if (b > a)
    ++wins[1];
  else
    ++draws;
}

SelfPlayRun runSelfPlay(const Engine& engine, const SelfPlayOptions& o) {
  std::vector<long> mine;  // the games of this shard
  for (long g = 0; g < o.games; ++g)
    if ((g / 2) % o.shards == o.shard - 1) mine.push_back(g);
  std::vector<GameLog> logs(o.keepLogs ? mine.size() : 0);
  std::vector<std::array<int, kSeats>> finals(mine.size());
  Tally running;
  engine.list->derived<WordGraph>();  // built once, before the threads read it
  std::atomic<std::size_t> next{0};
  std::mutex progressMutex;
  const auto start = std::chrono::steady_clock::now();
  auto work = [&] {
    auto a = makeStrategy(o.strategies[0], engine), b = makeStrategy(o.strategies[1], engine);
    for (std::size_t i; (i = next++) < mine.size();) {
      const long g = mine[i];
      const std::uint64_t seed = o.seed + static_cast<std::uint64_t>(g / 2);
      GameLog log = g % 2 == 0 ? playGame(seed, *a, *b, {}, engine.list)
                                   : playGame(seed, *b, *a, {}, engine.list);
      finals[i] = log.final;
      if (o.progress) {
        std::lock_guard lock(progressMutex);
        running.add(log, g % 2 == 0 ? 0 : 1);
        o.progress(running);
      }
      if (o.keepLogs) logs[i] = std::move(log);
    }
  };
  const int jobs = std::max(1, o.jobs);
  std::vector<std::thread> threads;
  for (int j = 1; j < jobs; ++j) threads.emplace_back(work);
  work();
  for (std::thread& t : threads) t.join();
  SelfPlayRun run;
  for (std::size_t i = 0; i < mine.size(); ++i) {
    GameLog g;
    g.final = finals[i];
    run.tally.add(g, mine[i] % 2 == 0 ? 0 : 1);
  }
  run.tally.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  run.tally.gamesPerSecond = run.tally.seconds > 0 ? run.tally.games / run.tally.seconds : 0;
  if (o.keepLogs) run.logs = std::move(logs);
  return run;
}

}  // namespace tilvan::play
