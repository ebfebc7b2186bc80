// The leave fitter and the self-play record it reads: the fit recovers the
// weights that generated its samples, and every record line is a game whose
// turns add up to its final scores.
#include <gtest/gtest.h>

#include <cmath>
#include <nlohmann/json.hpp>
#include <sstream>

#include "cli/fit_leaves.h"
#include "cli/selfplay.h"
#include "play/selfplay.h"

namespace tilvan::cli {
namespace {

TEST(FitLeaves, RecoversTheWeightsThatMadeTheSamples) {
  play::LeaveTable truth;
  for (const auto& [f, w] : std::vector<std::pair<std::string, double>>{
           {"1_", 20}, {"1q", -8}, {"2i", -5}, {"1s", 6}, {"pqu", 7}, {"b0.3", -3}, {"b3.0", -4}})
    truth.setWeight(f, w);
  play::Rng rng(11);
  std::vector<LeaveSample> samples;
  for (int i = 0; i < 40000; ++i) {
    std::string set = play::fullSet();
    rng.shuffle(set);
    const std::string leave = play::sortedTiles(set.substr(0, rng.below(7)));
    const double noise = static_cast<double>(rng.below(2001)) / 1000.0 - 1.0;
    samples.push_back({leave, 30 + truth.model(leave) + noise});
  }
  double mean = 0;
  for (const LeaveSample& s : samples) mean += s.points;
  mean /= static_cast<double>(samples.size());
  play::LeaveTable fitted;
  std::string why;
  ASSERT_TRUE(play::LeaveTable::parse(fitLeaveTable(samples, 1 << 30, 1.0), fitted, why)) << why;
  double error = 0;
  for (const LeaveSample& s : samples) error += std::abs(fitted.model(s.leave) - (s.points - mean));
  // The noise alone is 0.5 on average; a wrong feature or solver adds more.
  EXPECT_LT(error / static_cast<double>(samples.size()), 0.6);
  EXPECT_NEAR(fitted.model("q") - fitted.model("r"), -8 - truth.model("r"), 0.5);
  EXPECT_NEAR(fitted.model("qu") - fitted.model("q") - fitted.model("u") + fitted.model(""), 7, 0.5);
}

TEST(SelfPlayRecord, EachLineIsAGameTheFitterReads) {
  WordListCache cache(TILVAN_DEFAULT_WORD_LIST);
  const auto list = cache.get();
  ASSERT_TRUE(list.ok());
  const play::Engine engine{list.value().get(), &play::LeaveTable::builtIn()};
  play::SelfPlayOptions o;
  o.games = 4;
  o.keepLogs = true;
  for (const play::GameLog& g : play::runSelfPlay(engine, o).logs) {
    const std::string line = gameRecordJson(g);
    const auto game = nlohmann::json::parse(line);
    std::array<int, 2> totals{};
    int samplesExpected = 0;
    const auto& turns = game.at("turns");
    for (std::size_t i = 0; i < turns.size(); ++i) {
      const auto& t = turns[i];
      const int p = t.at("player").get<int>();
      totals[static_cast<std::size_t>(p)] += t.at("score").get<int>();
      const std::string kind = t.at("kind").get<std::string>();
      EXPECT_EQ(t.contains("tiles"), kind == "move");
      EXPECT_EQ(t.contains("throw"), kind == "exchange");
      if ((kind == "move" || kind == "exchange") && t.at("bag").get<int>() >= 14)
        for (std::size_t k = i + 1; k < turns.size(); ++k)
          if (turns[k].at("player") == p) {
            samplesExpected += turns[k].at("kind") != "end";
            break;
          }
    }
    EXPECT_EQ(totals[0], game.at("final")[0].get<int>());
    EXPECT_EQ(totals[1], game.at("final")[1].get<int>());
    std::vector<LeaveSample> samples;
    ASSERT_TRUE(leaveSamples(line, 14, samples));
    EXPECT_EQ(static_cast<int>(samples.size()), samplesExpected);
  }
  std::vector<LeaveSample> none;
  EXPECT_FALSE(leaveSamples("{\"turns\":[{\"kind\":1}]}", 14, none));
}

TEST(SelfPlayCommand, RefusesBadArguments) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"selfplay"}, {"selfplay", "--games", "x"},
        {"selfplay", "--games", "2", "--shard", "3/2"},
        {"selfplay", "--games", "2", "--strategies", "score,best"},
        {"selfplay", "--games", "2", "--jobs", "0"}, {"selfplay", "--merge"}}) {
    std::ostringstream out, err;
    EXPECT_EQ(runSelfPlayCommand(args, out, err), 2) << args.back();
    const std::string said = err.str();
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
  }
}

}  // namespace
}  // namespace tilvan::cli
