// Self-play: the same seed gives the same games whatever the threads; every
// turn of many games keeps the hundred tiles, lays only words of the list
// scored by the game's scorer, and the games end by the rules; the board's
// reading followed move by move stays the board read afresh; shards add up.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <nlohmann/json.hpp>
#include <fstream>
#include <sstream>
#include <unordered_set>

#include "cli/selfplay.h"
#include "finder/complete_frame.h"
#include "game/move_score.h"
#include "game/move_words.h"
#include "moves/end_game.h"
#include "play/selfplay.h"
#include "words/word_list.h"

namespace tilvan::play {
namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr long kGames = 6;
#else
constexpr long kGames = 300;
#endif

const WordList& defaultList() {
  static WordListCache cache(TILVAN_DEFAULT_WORD_LIST);
  static const std::shared_ptr<const WordList> list = cache.get().value();
  return *list;
}

Engine engine() { return {&defaultList(), &LeaveTable::builtIn()}; }

std::vector<std::string> records(const SelfPlayRun& run) {
  std::vector<std::string> out;
  for (const GameLog& g : run.logs) out.push_back(cli::gameRecordJson(g));
  return out;
}

TEST(SelfPlay, SameSeedSameGamesWhateverTheThreads) {
  SelfPlayOptions o;
  o.games = kGames < 20 ? 4 : 20;
  o.seed = 77;
  o.keepLogs = true;
  o.jobs = 1;
  const SelfPlayRun one = runSelfPlay(engine(), o);
  o.jobs = 3;
  const SelfPlayRun three = runSelfPlay(engine(), o);
  EXPECT_EQ(records(one), records(three));
  EXPECT_EQ(one.tally.wins, three.tally.wins);
  EXPECT_EQ(one.tally.spreadSum, three.tally.spreadSum);
  // Each pair deals one bag twice, the seats swapped; another seed deals
  // other games.
  ASSERT_EQ(one.logs.size(), static_cast<std::size_t>(o.games));
  EXPECT_EQ(one.logs[0].racks, one.logs[1].racks);
  EXPECT_EQ(one.logs[0].strategies[0], one.logs[1].strategies[1]);
  o.seed = 78;
  EXPECT_NE(records(runSelfPlay(engine(), o)).front(), records(one).front());
}

std::map<char, int> countTiles(const Position& pos) {
  std::map<char, int> n;
  for (const BoardSquare& sq : pos.board.cells)
    if (sq.occupied) ++n[scoresNothing(sq.tile) ? '_' : letterChar(sq.letter)];
  for (const std::string& r : pos.racks)
    for (char c : r) ++n[c];
  for (char c : pos.bag) ++n[c];
  return n;
}

// The move's words on the board before it, by the game's own word reader
// and scorer: all in the list, and their score the move's.
void expectLegal(const WordList& list, const Board& before, const CompleteMove& m) {
  std::array<int, kSquares> premiums = premiumMap();
  for (int i = 0; i < kSquares; ++i)
    if (before.atH(i).occupied) premiums[i] = 0;
  std::array<char, kLetters> chars{};
  for (int l = 0; l < kLetters; ++l) chars[l] = letterChar(l);
  std::array<int, kLetters> values = kLetterValue;
  const ScoringBoard b = scoringBoard(before, premiums, chars, values, m.down != 0);
  const int line = m.down ? m.col : m.row, first = m.down ? m.row : m.col;
  std::vector<FormedWord> words = formedWords(b.grid, line * kSide + first, m.text());
  EXPECT_EQ(scoreWords(b, words, m.blanks), m.score) << m.text();
  static const std::unordered_set<std::string> records = [&] {
    std::unordered_set<std::string> all;
    for (std::size_t i = 0; i < list.size(); ++i) all.emplace(list[i]);
    return all;
  }();
  for (const FormedWord& w : words) EXPECT_TRUE(records.count(w.Text)) << w.Text;
}

TEST(SelfPlay, EveryTurnKeepsTheTilesAndTheRules) {
  const std::map<char, int> set = [] {
    std::map<char, int> n;
    for (char c : fullSet()) ++n[c];
    return n;
  }();
  auto a = makeStrategy("value", engine()), b = makeStrategy("score", engine());
  long exchanges = 0, passes = 0, outs = 0;
  for (long g = 0; g < kGames; ++g) {
    Board before;
    std::array<int, kSeats> scores{};
    int scoreless = 0;
    const auto check = [&](const Position& pos, const TurnLog& t) {
      ASSERT_EQ(countTiles(pos), set);
      for (const std::string& r : pos.racks) {
        EXPECT_LE(r.size(), 7u);
        EXPECT_TRUE(std::is_sorted(r.begin(), r.end()));
      }
      scores[static_cast<std::size_t>(t.player)] += t.score;
      scoreless = t.score == 0 ? scoreless + 1 : 0;
      if (t.kind == TurnLog::Kind::kMove) expectLegal(defaultList(), before, t.move);
      if (t.kind == TurnLog::Kind::kExchange) {
        EXPECT_GE(t.bag, kMinBagToExchange);
        ++exchanges;
      }
      passes += t.kind == TurnLog::Kind::kPass;
      before = pos.board;
      // The board's reading, followed move by move, is the board read afresh.
      BoardReading fresh;
      fresh.read(defaultList().derived<WordGraph>(), pos.board, pos.premiums);
      ASSERT_TRUE(pos.reading && pos.reading->holds(*fresh.graph, pos.board, pos.premiums));
      ASSERT_TRUE(pos.reading->frames == fresh.frames) << "bag " << t.bag;
      if (!pos.over) return;
      // The end: a player out with the bag empty, or six scoreless turns.
      const bool out = pos.bag.empty() && (pos.racks[0].empty() || pos.racks[1].empty());
      EXPECT_TRUE(out || scoreless == kScorelessTurnsToEnd);
      outs += out;
      const std::vector<int> adjust = endAdjustments({pos.racks[0], pos.racks[1]});
      for (int p = 0; p < kSeats; ++p)
        EXPECT_EQ(pos.scores[static_cast<std::size_t>(p)],
                  scores[static_cast<std::size_t>(p)] + adjust[static_cast<std::size_t>(p)]);
    };
    const GameLog log = g % 2 ? playGame(1000 + g / 2, *b, *a, check, &defaultList())
                              : playGame(1000 + g / 2, *a, *b, check, &defaultList());
    ASSERT_FALSE(::testing::Test::HasFatalFailure()) << "game " << g;
    EXPECT_EQ(log.turns.back().kind, TurnLog::Kind::kEnd);
  }
  // The runs above went through the rarer turns too.
  if (kGames >= 300) {
    EXPECT_GT(exchanges, 0);
    EXPECT_GT(outs, kGames / 2);
  }
  (void)passes;
}

TEST(SelfPlay, ShardsAddUpToTheWholeRun) {
  SelfPlayOptions o;
  o.games = kGames < 20 ? 6 : 12;
  o.seed = 5;
  o.jobs = 2;
  const Tally whole = runSelfPlay(engine(), o).tally;
  std::vector<std::string> files;
  for (int k = 1; k <= 3; ++k) {
    o.shard = k;
    o.shards = 3;
    const std::string path = ::testing::TempDir() + "shard" + std::to_string(k) + ".json";
    std::ofstream(path) << cli::tallyJson(runSelfPlay(engine(), o).tally, o.strategies);
    files.push_back(path);
  }
  std::vector<std::string> args{"selfplay", "--merge"};
  args.insert(args.end(), files.begin(), files.end());
  std::ostringstream out, err;
  ASSERT_EQ(cli::runSelfPlayCommand(args, out, err), 0) << err.str();
  nlohmann::json merged = nlohmann::json::parse(out.str()), expected =
                                                              nlohmann::json::parse(
                                                                  cli::tallyJson(whole, o.strategies));
  merged.erase("gamesPerSecond");
  expected.erase("gamesPerSecond");
  EXPECT_EQ(merged, expected);
}

}  // namespace
}  // namespace tilvan::play
