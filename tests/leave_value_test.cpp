// Leave values and the ranking by value: every leave has a value, exchanges
// obey the bag rule, and find --rank value ranks what a plain enumeration of
// the complete search's placements and of the exchanges would rank first.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <map>
#include <nlohmann/json.hpp>
#include <set>

#include "cli/find.h"
#include "finder/complete_search.h"
#include "game/move_score.h"
#include "game/views.h"
#include "play/selfplay.h"
#include "support/test_support.h"

namespace tilvan::play {
namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr int kLeaveStride = 97;  // every 97th leave
constexpr int kPositions = 4;
#else
constexpr int kLeaveStride = 1;
constexpr int kPositions = 60;
#endif

const WordList& defaultList() {
  static WordListCache cache(TILVAN_DEFAULT_WORD_LIST);
  static const std::shared_ptr<const WordList> list = cache.get().value();
  return *list;
}

// Calls f on every leave of up to 6 tiles that the set allows, sorted.
template <class F>
void forEveryLeave(std::string& leave, int from, F&& f) {
  f(leave);
  if (leave.size() == 6) return;
  for (int l = from; l < kLetters; ++l) {
    const char c = letterChar(l);
    if (std::count(leave.begin(), leave.end(), c) == kLetterCount[l]) continue;
    leave.push_back(c);
    forEveryLeave(leave, l, f);
    leave.pop_back();
  }
}

TEST(LeaveTable, GivesEveryLeaveAValue) {
  const LeaveTable& table = LeaveTable::builtIn();
  ASSERT_GT(table.weightCount(), 100u) << "the shipped table was not built in";
  long leaves = 0, own = 0;
  std::string start;
  forEveryLeave(start, 0, [&](const std::string& raw) {
    if (leaves++ % kLeaveStride) return;
    std::string l = raw;
    std::sort(l.begin(), l.end());
    const double v = table.value(l);
    ASSERT_TRUE(std::isfinite(v)) << l;
    ASSERT_LT(std::abs(v), 80) << l;
    own += table.hasOwnValue(l);
    // The model read from its arrays against the plain sum of its features.
    double plain = 0;
    for (const std::string& f : leaveFeatures(l)) plain += table.weight(f);
    ASSERT_NEAR(table.model(l), plain, 1e-9) << l;
  });
  EXPECT_EQ(leaves, 914625);  // multisets of 0..6 tiles within the set's counts
  EXPECT_GT(own, 0);
  // A blank is worth keeping; a leave of four I's is not.
  EXPECT_GT(table.value("_"), table.value("v"));
  EXPECT_LT(table.value("iiii"), table.value(""));
}

// A table with a random weight for every feature and random own values for
// leaves of 0 to 6 random tiles (sorted or not).
LeaveTable randomTable(Rng& rng) {
  const std::string tiles = "_abcdefghijklmnopqrstuvwxyz";
  const auto weight = [&] { return (static_cast<double>(rng.below(2000001)) - 1e6) / 7919.0; };
  LeaveTable t;
  for (char c : tiles) {
    for (char n : std::string("123")) t.setWeight(std::string{n, c}, weight());
    for (char d : tiles) t.setWeight(std::string{'p', c, d}, weight());
  }
  for (int v = 0; v < 8; ++v)
    for (int c = 0; c < 8; ++c)
      t.setWeight("b" + std::to_string(v) + "." + std::to_string(c), weight());
  for (int k = 0; k < 400; ++k) {
    std::string leave;
    for (std::uint32_t n = rng.below(7); n > 0; --n) leave += tiles[rng.below(27)];
    t.setLeave(rng.below(2) ? sortedTiles(leave) : leave, weight());
  }
  return t;
}

// Every leave of a rack valued at once is bit for bit the leave valued on
// its own, for the shipped table and random ones, on racks drawn from the
// set and on racks of few distinct tiles (many equal tiles and own values);
// and RackLeaves::fillAll gives what RackLeaves::of gives, bag or none.
// Every leave of `rack` in `byKept` (by the rack positions kept) equals, bit
// for bit, the table's value of that leave alone.
void expectEachLeaveAlone(const LeaveTable& table, const std::string& rack,
                          const LeaveValues& byKept) {
  for (unsigned kept = 0; kept < (1u << rack.size()); ++kept) {
    std::string leave;
    for (std::size_t k = 0; k < rack.size(); ++k)
      if (kept >> k & 1) leave += rack[k];
    ASSERT_EQ(std::bit_cast<std::uint64_t>(byKept[kept]),
              std::bit_cast<std::uint64_t>(table.value(leave)))
        << rack << " keeps " << leave;
  }
}

TEST(LeaveTable, ValuesAllLeavesOfARackAsEachAlone) {
  Rng rng(11);
  std::vector<LeaveTable> tables{LeaveTable::builtIn()};
  for (int k = 0; k < 4; ++k) tables.push_back(randomTable(rng));
  for (int round = 0; round < 4000; ++round) {
    const LeaveTable& table = tables[static_cast<std::size_t>(round) % tables.size()];
    std::string set = round % 3 ? fullSet() : std::string("__aaabbbe");
    rng.shuffle(set);
    std::string rack = set.substr(0, rng.below(8));
    if (round % 5) rack = sortedTiles(rack);
    LeaveValues fast{};
    table.valuesByKept(rack, fast.data());
    ASSERT_NO_FATAL_FAILURE(expectEachLeaveAlone(table, rack, fast));
    ValueInputs in;
    in.table = &table;
    in.bag = static_cast<int>(rng.below(3));
    in.unseen = set.substr(rack.size(), 9);
    RackLeaves all(rack, in), one(rack, in);
    LeaveValues byKept{};
    all.fillAll(byKept);
    const unsigned full = (1u << rack.size()) - 1;
    for (unsigned used = 0; used <= full; ++used) {
      ASSERT_EQ(std::bit_cast<std::uint64_t>(all.of(used)),
                std::bit_cast<std::uint64_t>(one.of(used)));
      ASSERT_EQ(std::bit_cast<std::uint64_t>(byKept[full & ~used]),
                std::bit_cast<std::uint64_t>(one.of(used)));
    }
  }
}

// Racks asked for again are answered from what the thread kept: still bit
// for bit each leave's value(), on a few racks asked for over and over while
// tables are copied and changed in between (a changed table must not be
// answered with what its earlier contents gave, nor a copy with the
// original's changes).
TEST(LeaveTable, RacksAskedForAgainFollowTheTablesChanges) {
  Rng rng(12);
  std::vector<std::string> racks;
  for (int k = 0; k < 24; ++k) {
    std::string set = fullSet();
    rng.shuffle(set);
    racks.push_back(sortedTiles(set.substr(0, 1 + rng.below(7))));
  }
  std::vector<LeaveTable> tables{randomTable(rng), LeaveTable{}};
  tables.push_back(tables[0]);
  for (int round = 0; round < 3000; ++round) {
    LeaveTable& table = tables[rng.below(static_cast<std::uint32_t>(tables.size()))];
    const std::string& rack = racks[rng.below(static_cast<std::uint32_t>(racks.size()))];
    if (round % 7 == 0) {
      // Change what this rack's leaves are worth in one table only.
      std::string leave = rack.substr(0, rng.below(static_cast<std::uint32_t>(rack.size()) + 1));
      if (round % 2)
        table.setLeave(leave, round / 7.0);
      else
        table.setWeight("1" + rack.substr(0, 1), -round / 7.0);
    }
    LeaveValues fast{};
    table.valuesByKept(rack, fast.data());
    ASSERT_NO_FATAL_FAILURE(expectEachLeaveAlone(table, rack, fast)) << "round " << round;
  }
}

TEST(Exchanges, ObeyTheBagRuleAndListEachKeepOnce) {
  Rng rng(3);
  for (int round = 0; round < 300; ++round) {
    std::string set = fullSet();
    rng.shuffle(set);
    const std::string rack = sortedTiles(set.substr(0, 1 + rng.below(7)));
    ValueInputs in;
    in.table = &LeaveTable::builtIn();
    in.bag = static_cast<int>(rng.below(20));
    in.unseen = set.substr(7, static_cast<std::size_t>(in.bag) + 7);
    RackLeaves leaves(rack, in);
    const std::vector<Choice> ex = exchangeChoices(rack, leaves, in);
    if (in.bag < kMinBagToExchange) {
      EXPECT_TRUE(ex.empty()) << rack << " bag " << in.bag;
      continue;
    }
    long expected = 1;
    for (char c : std::string("_abcdefghijklmnopqrstuvwxyz"))
      expected *= 1 + std::count(rack.begin(), rack.end(), c);
    EXPECT_EQ(static_cast<long>(ex.size()), expected - 1) << rack;
    std::set<std::string> keeps;
    for (const Choice& c : ex) {
      EXPECT_FALSE(c.thrown.empty());
      EXPECT_EQ(sortedTiles(c.keep + c.thrown), rack);
      EXPECT_TRUE(keeps.insert(c.keep).second) << c.keep;
      EXPECT_EQ(c.score, 0);
      EXPECT_DOUBLE_EQ(c.value, in.table->value(c.keep));
    }
  }
}

// The rack less the tiles a result lays (a blank as '_').
std::string leaveOf(std::string rack, const Candidate& c, const LetterGrid& grid, int start) {
  for (std::size_t j = 0; j < c.TilesUsed.size(); ++j) {
    if (grid[static_cast<std::size_t>(start) + j]) continue;
    rack.erase(rack.find(c.TilesUsed[j]), 1);
  }
  return rack;
}

// Mid-game positions of self-play games, one every few turns.
std::vector<Position> positions() {
  std::vector<Position> out;
  const Engine e{&defaultList(), &LeaveTable::builtIn()};
  auto a = makeStrategy("score", e), b = makeStrategy("score", e);
  for (std::uint64_t seed = 1; static_cast<int>(out.size()) < kPositions; ++seed)
    playGame(seed, *a, *b, [&](const Position& p, const TurnLog& t) {
      if (!p.over && (static_cast<std::uint64_t>(t.bag) % 3 == seed % 3)) out.push_back(p);
    });
  return out;
}

TEST(RankByValue, FindsTheBestValueSortedAndAddingUp) {
  const LeaveTable& table = LeaveTable::builtIn();
  for (const Position& pos : positions()) {
    test::StartedGame g;
    cli::layBoard(g.game.state, committedView(pos.board));
    const GameState& s = g.game.state;
    const std::string rack = pos.rack();
    const ValueInputs in = inputsFor(s.Committed, rack, 2, table);
    EXPECT_EQ(sortedTiles(in.unseen), sortedTiles(pos.unseen()));
    // The plain enumeration: every placement and every exchange.
    double best = -1e9;
    for (const CompleteResult& r : completeSearch(defaultList(), s, rack, 1 << 20)) {
      const LetterGrid grid = letterGridOf(s.Committed, s.LetterChar, r.down);
      const std::string leave = leaveOf(rack, r.cand, grid, r.cand.Words[0].Start);
      best = std::max(best, r.cand.Total + leaveValue(table, leave, in.unseen, in.bag));
    }
    RackLeaves leaves(rack, in);
    for (const Choice& c : exchangeChoices(rack, leaves, in)) best = std::max(best, c.value);

    const auto out = nlohmann::json::parse(cli::valueResults(s, defaultList(), rack, 2, true));
    const auto& results = out.at("results");
    ASSERT_FALSE(results.empty());
    EXPECT_NEAR(results[0].at("value").get<double>(), best, 0.006) << rack;
    double last = 1e9;
    for (const auto& r : results) {
      const double value = r.at("value").get<double>(), lv = r.at("leaveValue").get<double>();
      EXPECT_LE(value, last + 1e-9);
      last = value;
      EXPECT_NEAR(value, r.at("score").get<int>() + lv, 0.011);
      const std::string leave = r.at("leave").get<std::string>();
      EXPECT_NEAR(lv, leaveValue(table, leave, in.unseen, in.bag), 0.006) << leave;
      std::string laid;
      if (r.at("kind") == "exchange") {
        EXPECT_GE(in.bag, kMinBagToExchange);
        EXPECT_FALSE(r.contains("tiles"));
        laid = r.at("throw").get<std::string>();
        EXPECT_EQ(r.at("keep"), leave);
      } else {
        for (const auto& t : r.at("tiles"))
          laid += t.at("blank").get<bool>() ? '_' : t.at("letter").get<std::string>()[0];
      }
      EXPECT_EQ(sortedTiles(leave + laid), rack);
    }
  }
}

// rankByValue against the plain ranking it shortens: every placement and
// every exchange, each leave valued on its own, all sorted by valueBefore.
// With the shipped table and a random one (whose large values often put
// exchanges first), several limits, and positions with and without a bag.
TEST(RankByValue, RanksAsThePlainSortOfEveryChoice) {
  Rng rng(5);
  const LeaveTable random = randomTable(rng);
  int round = 0;
  for (const Position& pos : positions()) {
    const LeaveTable& table = round % 2 ? random : LeaveTable::builtIn();
    const std::size_t limit = std::array<std::size_t, 3>{1, 5, 12}[round++ % 3];
    const std::string rack = pos.rack();
    const ValueInputs in = inputsFor(pos.board, rack, 2, table);
    RackLeaves leaves(rack, in);
    std::vector<Choice> plain = exchangeChoices(rack, leaves, in);
    std::vector<CompleteMove> moves;
    legalMoves(defaultList(), pos, moves);
    for (CompleteMove m : moves) {
      Choice c;
      c.kind = Choice::Kind::kMove;
      c.score = m.score;
      c.leaveValue = leaves.of(usedMask(pos.board, rack, m));
      c.value = m.value = m.score + c.leaveValue;
      c.move = m;
      c.keep = leaves.leave(usedMask(pos.board, rack, m));
      plain.push_back(c);
    }
    std::sort(plain.begin(), plain.end(), valueBefore);
    plain.resize(std::min(plain.size(), limit));
    const std::vector<Choice> fast =
        rankByValue(defaultList(), pos.board, pos.premiums, rack, in, limit);
    ASSERT_EQ(fast.size(), std::max<std::size_t>(plain.size(), 1)) << rack;
    for (std::size_t k = 0; k < plain.size(); ++k) {
      const Choice &a = fast[k], &b = plain[k];
      EXPECT_TRUE(a.kind == b.kind && a.move == b.move && a.keep == b.keep &&
                  a.thrown == b.thrown && a.score == b.score)
          << rack << " #" << k << " keeps " << a.keep << " / " << b.keep;
      EXPECT_EQ(std::bit_cast<std::uint64_t>(a.value), std::bit_cast<std::uint64_t>(b.value));
      EXPECT_EQ(std::bit_cast<std::uint64_t>(a.leaveValue),
                std::bit_cast<std::uint64_t>(b.leaveValue));
    }
  }
}

}  // namespace
}  // namespace tilvan::play
