// Self-play: whole games between two strategies, and their tally.
//
// Games come in pairs: pair i deals the bag shuffled from seed S + i twice,
// strategy A in seat 0 (moving first) in game 2i and strategy B there in
// game 2i + 1, so the luck of the draw cancels. A game depends only on its
// seed and strategies, so the games and the tally are the same whatever
// the number of threads.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "play/strategy.h"

namespace tilvan::play {

// One turn as self-play records it.
struct TurnLog {
  enum class Kind { kMove, kExchange, kPass, kEnd };
  Kind kind = Kind::kPass;
  int player = 0;
  std::string rack;   // before the turn, sorted
  int score = 0;      // the turn's points (kEnd: the adjustment)
  std::string drawn;  // the tiles drawn after it, in draw order
  CompleteMove move;  // kMove
  std::uint16_t newTiles = 0;  // kMove: bit j, letter j of the main word is a tile laid
  std::string keep, thrown;
  double leaveValue = 0, value = 0;
  int bag = 0;  // tiles in the bag before the turn
};

struct GameLog {
  std::uint64_t seed = 0;
  std::array<std::string, kSeats> strategies;  // by seat
  std::array<std::string, kSeats> racks;       // the first racks
  std::vector<TurnLog> turns;
  std::array<int, kSeats> final{};
};

// Called after every turn with the position it left (for checks).
using TurnObserver = std::function<void(const Position&, const TurnLog&)>;

// Plays one game from `seed` with `seat0` moving first. With `list` (the
// strategies' word list), the board's reading is kept move by move for
// their searches (readBoard); the game is the same either way.
GameLog playGame(std::uint64_t seed, Strategy& seat0, Strategy& seat1,
                 const TurnObserver& observe = {}, const WordList* list = nullptr);

struct Tally {
  long games = 0;
  std::array<long, kSeats> wins{};  // by strategy (A, B)
  long draws = 0;
  double spreadSum = 0;  // A's points minus B's, summed
  double seconds = 0;
  double gamesPerSecond = 0;

  double meanSpread() const { return games ? spreadSum / games : 0; }
  double winRate() const { return games ? (wins[0] + 0.5 * draws) / games : 0; }
  // The normal approximation's 95 % interval of the win rate.
  std::array<double, 2> ci95() const;
  // Counts a game in which strategy A sat in seat `seatOfA`.
  void add(const GameLog& g, int seatOfA);
};

struct SelfPlayOptions {
  long games = 0;
  std::uint64_t seed = 1;
  int jobs = 1;
  int shard = 1, shards = 1;  // play the shard-th of `shards` slices of the pairs
  std::array<std::string, kSeats> strategies{"value", "score"};
  bool keepLogs = false;
  // Called from the playing threads, one at a time, after each game, with
  // the tally of the games done so far.
  std::function<void(const Tally&)> progress;
};

struct SelfPlayRun {
  Tally tally;
  std::vector<GameLog> logs;  // in game order, when kept
};

// The games of one run: game g (0 <= g < games) belongs to pair g / 2; a
// shard plays the pairs p with p % shards == shard - 1. Strategies are made
// per thread with makeStrategy. REQUIRES: both strategy names known.
SelfPlayRun runSelfPlay(const Engine& engine, const SelfPlayOptions& options);

}  // namespace tilvan::play
