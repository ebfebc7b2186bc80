// The simulation's estimator against the exact expectation on positions
// whose every draw can be listed; its known answer when a candidate plays
// out; the same seed giving the same result on any number of threads.
#include <gtest/gtest.h>

#include <cmath>

#include "ahead/simulation.h"
#include "play/leave.h"
#include "play/shared_reply.h"
#include "support/endgame_gen.h"
#include "words/word_list.h"

namespace tilvan {
namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr int kRounds = 60;
#else
constexpr int kRounds = 400;
#endif

const WordList& defaultList() {
  static const WordList list = [] {
    auto file = readFileBytes(TILVAN_DEFAULT_WORD_LIST);
    return file.ok() ? WordList::parse(file.value()) : WordList::parse("");
  }();
  return list;
}

play::Engine engine() { return {&defaultList(), &play::LeaveTable::builtIn()}; }

// A game played greedily until the bag holds `bagLeft` tiles, as the
// simulation sees it (player 0 to move).
std::optional<play::Position> reached(std::uint64_t seed, std::size_t bagLeft) {
  auto e = test::greedyEndgame(defaultList(), seed, bagLeft);
  if (!e || e->bag.size() != bagLeft || e->racks[0].size() != kMoveSlots) return std::nullopt;
  play::Position p;
  p.board = e->state.Committed;
  p.premiums = e->state.SquareBonus;
  p.racks = {play::sortedTiles(e->racks[0]), play::sortedTiles(e->racks[1])};
  p.bag = e->bag;
  return p;
}

std::vector<play::Choice> candidates(const play::Position& p, int count) {
  return simCandidates(defaultList(), p.board, p.premiums, p.rack(), play::valueInputs(engine(), p),
                       count);
}

// The candidate's outcome averaged over every way of dealing the unseen
// tiles: with one tile left in the bag, each of them is the bag tile with
// the same chance, and the rest is fixed.
double exactValue(const play::Position& base, const play::Choice& c) {
  const std::string unseen = base.unseen();
  auto value = play::makeStrategy("value", engine());
  double sum = 0;
  for (std::size_t left = 0; left < unseen.size(); ++left) {
    play::Position p = base;
    p.bag = unseen.substr(left, 1);
    p.racks[1] = play::sortedTiles(unseen.substr(0, left) + unseen.substr(left + 1));
    if (c.kind == play::Choice::Kind::kMove)
      play::playMove(p, c.move);
    else
      play::passTurn(p);
    for (int turn = 0; turn < 2 && !p.over; ++turn) {
      const play::Choice r = value->choose(p);
      if (r.kind == play::Choice::Kind::kMove)
        play::playMove(p, r.move);
      else
        play::passTurn(p);
    }
    double v = (p.scores[0] - base.scores[0]) - (p.scores[1] - base.scores[1]);
    if (!p.over)
      v += play::leaveValue(play::LeaveTable::builtIn(), p.racks[0], p.bag + p.racks[1],
                            static_cast<int>(p.bag.size()));
    sum += v;
  }
  return sum / static_cast<double>(unseen.size());
}

TEST(Simulation, EstimatesAreUnbiasedWhereEveryDrawCanBeListed) {
  int checked = 0;
  for (std::uint64_t seed = 1; seed < 40 && checked < 3; ++seed) {
    const auto pos = reached(seed, 1);
    if (!pos) continue;
    const auto cands = candidates(*pos, 3);
    SimOptions options;
    options.timeMs = 600000;
    options.maxRounds = kRounds;
    options.minRounds = kRounds;  // no early stop: every candidate gets every round
    options.seed = seed;
    const SimResult r = simulate(engine(), *pos, cands, options);
    ASSERT_EQ(r.rounds, kRounds);
    const double first = exactValue(*pos, cands.front());
    for (const SimCandidate& s : r.candidates) {
      const double exact = exactValue(*pos, s.choice);
      EXPECT_NEAR(s.mean, exact, 4 * s.stdErr + 1e-9) << "seed " << seed << " value " << s.choice.value;
      EXPECT_NEAR(s.lead, exact - first, 4 * s.leadStdErr + 1e-9) << "seed " << seed;
    }
    ++checked;
  }
  EXPECT_EQ(checked, 3);
}

TEST(Simulation, APlayOutWithTheBagEmptyScoresItsKnownValue) {
  int checked = 0;
  for (std::uint64_t seed = 1; seed < 60 && checked < 3; ++seed) {
    auto pos = reached(seed, 0);
    if (!pos) continue;
    pos->racks[0].resize(seed % 3 + 1);  // few tiles, so that some candidate plays out
    for (const play::Choice& c : candidates(*pos, 10)) {
      if (c.kind != play::Choice::Kind::kMove || !c.keep.empty()) continue;
      SimOptions options;
      options.maxRounds = 30;
      const SimResult r = simulate(engine(), *pos, {c}, options);
      ASSERT_EQ(r.candidates.size(), 1u);
      EXPECT_DOUBLE_EQ(r.candidates[0].mean, c.score + 2 * play::tilePoints(pos->racks[1]));
      EXPECT_DOUBLE_EQ(r.candidates[0].stdErr, 0);
      ++checked;
      break;
    }
  }
  EXPECT_GT(checked, 0);
}

TEST(Simulation, CandidatesAreTheBestByValueThenThePass) {
  const auto pos = reached(5, 40);
  ASSERT_TRUE(pos);
  const auto in = play::valueInputs(engine(), *pos);
  const auto cands = candidates(*pos, 10);
  const auto best = play::rankByValue(defaultList(), pos->board, pos->premiums, pos->rack(), in, 9);
  ASSERT_EQ(cands.size(), best.size() + 1);
  for (std::size_t i = 0; i < best.size(); ++i) EXPECT_EQ(cands[i].value, best[i].value);
  EXPECT_EQ(cands.back().kind, play::Choice::Kind::kPass);
  EXPECT_EQ(cands.back().keep, pos->rack());
}

TEST(Simulation, SameSeedSameResultOnAnyNumberOfThreads) {
  const auto pos = reached(3, 30);
  ASSERT_TRUE(pos);
  const auto cands = candidates(*pos, 4);
  auto run = [&](int threads, std::uint64_t seed) {
    SimOptions options;
    options.timeMs = 600000;
    options.maxRounds = kRounds / 10;
    options.threads = threads;
    options.seed = seed;
    return simulate(engine(), *pos, cands, options);
  };
  const SimResult one = run(1, 7), two = run(2, 7), other = run(2, 8);
  ASSERT_EQ(one.candidates.size(), two.candidates.size());
  bool differs = false;
  for (std::size_t i = 0; i < one.candidates.size(); ++i) {
    EXPECT_EQ(one.candidates[i].mean, two.candidates[i].mean);
    EXPECT_EQ(one.candidates[i].stdErr, two.candidates[i].stdErr);
    EXPECT_EQ(one.candidates[i].choice.value, two.candidates[i].choice.value);
    differs |= one.candidates[i].mean != other.candidates[i].mean;
  }
  EXPECT_EQ(one.plies, two.plies);
  EXPECT_TRUE(differs) << "another seed draws other racks";
}

// A game played by value for 2 to 23 turns from seed's deal (nullopt when
// it ended): boards from early to late, bags from full to nearly empty.
std::optional<play::Position> played(std::uint64_t seed) {
  play::Position p = play::newGame(seed);
  auto value = play::makeStrategy("value", engine());
  for (std::uint64_t turn = 0; turn < 2 + seed % 22; ++turn)
    if (!p.over) play::applyChoice(p, value->choose(p));
  if (p.over) return std::nullopt;
  return p;
}

void expectSameChoice(const play::Choice& a, const play::Choice& b, const std::string& where) {
  EXPECT_EQ(a.kind, b.kind) << where;
  EXPECT_EQ(a.move, b.move) << where;
  EXPECT_EQ(a.keep, b.keep) << where;
  EXPECT_EQ(a.thrown, b.thrown) << where;
  EXPECT_EQ(a.score, b.score) << where;
  EXPECT_EQ(a.leaveValue, b.leaveValue) << where;
  EXPECT_EQ(a.value, b.value) << where;
}

// Every candidate of many positions, on many draws of the opponent's rack:
// the shared reply against rankByValue on the board after the candidate.
// Short base lists (1, 3 placements) drive the case where the list cannot
// tell the best unmarked placement; bags of a few tiles the exchanges'
// limit after a candidate.
TEST(Simulation, SharedRepliesEqualTheSearchAfreshAfterEveryCandidate) {
  const play::Engine e = engine();
  int pairs = 0, laying = 0, exchanges = 0;
  int positions = 0;
  for (std::uint64_t seed = 1; seed <= 80; ++seed) {
    const auto pos = played(seed);
    if (!pos) continue;
    ++positions;
    const std::vector<play::Choice> cands = candidates(*pos, 10);
    const std::size_t baseSize = std::array<std::size_t, 4>{1, 3, 8, 64}[seed % 4];
    play::SharedReply shared(defaultList(), *e.leaves, baseSize);
    play::Rng rng(seed);
    for (int draw = 0; draw < 8; ++draw) {
      std::string unseen = pos->unseen();
      rng.shuffle(unseen);
      play::Position start = *pos;
      const std::size_t opp = static_cast<std::size_t>(start.opponent());
      const std::size_t take = std::min<std::size_t>(unseen.size(), kMoveSlots);
      start.racks[opp] = play::sortedTiles(unseen.substr(0, take));
      start.bag = unseen.substr(take);
      if (start.bag.empty()) continue;
      play::readBoard(defaultList(), start);
      shared.setBase(start.board, start.premiums, start.racks[opp],
                     draw % 2 ? start.reading.get() : nullptr);
      for (const play::Choice& c : cands) {
        play::Position p = start;
        play::applyChoice(p, c);
        if (p.over || p.bag.empty()) continue;
        std::array<int, kMoveSlots> laid{};
        int count = 0;
        for (int j = 0; c.kind == play::Choice::Kind::kMove && j < c.move.len; ++j)
          if (!start.board.atH(c.move.square(j)).occupied) laid[count++] = c.move.square(j);
        const play::Choice want = play::rankByValue(defaultList(), p.board, p.premiums, p.rack(),
                                                    play::valueInputs(e, p), 1)
                                      .front();
        const play::Choice got = shared.replyAfter(p.board, p.premiums, laid.data(), count,
                                                   static_cast<int>(p.bag.size()),
                                                   draw % 2 ? p.reading.get() : nullptr);
        expectSameChoice(got, want, "seed " + std::to_string(seed) + " draw " +
                                        std::to_string(draw) + " candidate " + c.keep);
        ++pairs;
        laying += count > 0;
        exchanges += want.kind == play::Choice::Kind::kExchange;
      }
    }
  }
  EXPECT_GT(positions, 60);
  EXPECT_GT(pairs, 3000);
  EXPECT_GT(laying, pairs / 2);
  EXPECT_GT(exchanges, 0);
}

// The whole simulation with the replies shared and searched afresh.
TEST(Simulation, SharingRepliesKeepsEveryResult) {
  for (std::uint64_t seed = 3; seed <= 23; seed += 4) {
    const auto pos = played(seed);
    if (!pos) continue;
    const auto cands = candidates(*pos, 10);
    auto run = [&](bool share) {
      SimOptions options;
      options.timeMs = 600000;
      options.maxRounds = 6;
      options.threads = 1;
      options.seed = seed;
      options.shareReplies = share;
      return simulate(engine(), *pos, cands, options);
    };
    const SimResult shared = run(true), plain = run(false);
    ASSERT_EQ(shared.candidates.size(), plain.candidates.size());
    EXPECT_EQ(shared.rounds, plain.rounds);
    EXPECT_EQ(shared.plies, plain.plies);
    EXPECT_EQ(shared.separated, plain.separated);
    for (std::size_t i = 0; i < plain.candidates.size(); ++i) {
      const SimCandidate &a = shared.candidates[i], &b = plain.candidates[i];
      EXPECT_EQ(a.choice.value, b.choice.value) << "seed " << seed;
      EXPECT_EQ(a.mean, b.mean) << "seed " << seed;
      EXPECT_EQ(a.stdErr, b.stdErr) << "seed " << seed;
      EXPECT_EQ(a.iterations, b.iterations) << "seed " << seed;
      EXPECT_EQ(a.lead, b.lead) << "seed " << seed;
      EXPECT_EQ(a.leadStdErr, b.leadStdErr) << "seed " << seed;
    }
  }
}

}  // namespace
}  // namespace tilvan
