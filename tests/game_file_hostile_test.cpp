// Hostile game files and the end of the game: nothing nested without end,
// no score or total a file cannot hold, no end of the game the program could
// not have recorded itself; saving writes through links and replaces
// nothing but a regular file.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <random>

#include "game_file_fixture.h"
#include "moves/end_game.h"

namespace tilvan {
namespace {

using test::Messages;
using Json = nlohmann::ordered_json;

std::string nested(int levels) {
  return std::string(static_cast<std::size_t>(levels), '[') +
         std::string(static_cast<std::size_t>(levels), ']');
}

TEST_F(BadGameFile, NestingDeeperThanAGameFileNeedsIsRefused) {
  const std::string text = good.dump();
  const auto withField = [&](const std::string& value) {
    return "{\"deep\":" + value + "," + text.substr(1);
  };
  EXPECT_EQ(openText(withField(nested(110000))),
            prefix() + "not a game file: nested more than 16 levels deep");
  EXPECT_EQ(openText(withField(nested(16))),
            prefix() + "not a game file: nested more than 16 levels deep");
  // An unknown field nested as deep as the limit allows is ignored.
  file.write(withField(nested(15)));
  openGame(g.game, g.prompts, file.path());
  EXPECT_EQ(g.prompts.take(), Messages{});
  EXPECT_EQ(s.Turns, stateBefore.Turns);
}

// A score sheet correction is taken only when a file can hold it, and a
// game of such corrections saves and loads.
TEST_F(BadGameFile, ACorrectionIsWhatAFileCanHold) {
  for (int bad : {200000, -100001, 2147483647, -2147483647 - 1}) {
    adjustScore(g.game, g.prompts, 1, bad);
    EXPECT_EQ(g.prompts.take(), Messages{"A score must be between -100000 and 100000."});
    EXPECT_EQ(s.Turns, stateBefore.Turns);
  }
  adjustScore(g.game, g.prompts, 1, 100000);
  adjustScore(g.game, g.prompts, 2, -100000);
  EXPECT_EQ(g.prompts.take(), Messages{});
  EXPECT_EQ(playerTotals(s.Turns)[1], 100000);
  const std::vector<Turn> corrected = s.Turns;
  file.write(gameFileText(g.game));
  g.game.state = stateBefore;
  openGame(g.game, g.prompts, file.path());
  EXPECT_EQ(g.prompts.take(), Messages{});
  EXPECT_EQ(s.Turns, corrected);
}

// The fixture's game ended: player 2 went out, player 1 kept q and z.
class EndInFile : public BadGameFile {
 protected:
  EndInFile() {
    endGame(g.game, g.prompts, {"qz", ""});
    EXPECT_EQ(g.prompts.take(), Messages{});
    ended = Json::parse(gameFileText(g.game));
    ended.erase("totals");
    stateBefore = s;
    formBefore = f;
  }
  // The ended game with its adjustments `scores`: loads exactly, or is
  // refused with a message that starts with `refusal`.
  void expectAdjustments(const std::vector<int>& scores, const std::string& refusal) {
    Json j = ended;
    Json& turns = j["turns"];
    while (turns.back()["kind"] == "end") turns.erase(turns.size() - 1);
    for (std::size_t p = 0; p < scores.size(); ++p)
      turns.push_back({{"kind", "end"}, {"player", p + 1}, {"score", scores[p]}});
    SCOPED_TRACE(j["turns"].dump());
    if (!refusal.empty()) {
      const std::string said = openJson(j);
      EXPECT_EQ(said.rfind(prefix() + refusal, 0), 0u) << said;
      return;
    }
    file.write(j.dump());
    openGame(g.game, g.prompts, file.path());
    EXPECT_EQ(g.prompts.take(), Messages{});
    ASSERT_EQ(s.Turns.size(), 3 + scores.size());
    for (std::size_t p = 0; p < scores.size(); ++p) EXPECT_EQ(s.Turns[3 + p].score, scores[p]);
    g.game.state = stateBefore;
    g.game.form = formBefore;
  }
  Json ended;
};

TEST_F(EndInFile, AdjustmentsAreWhatTheRulesGiveForSomeRacks) {
  expectAdjustments({-20, 20}, "");  // qz against an empty rack, as recorded
  expectAdjustments({-10, 10}, "");  // q or z
  expectAdjustments({-3, -4}, "");   // nobody went out
  expectAdjustments({0, 0}, "");     // both racks empty: nobody gains
  expectAdjustments({-20, 21}, "turn 4: no tiles left on the racks give");
  expectAdjustments({-1000, 1000}, "turn 4: no tiles left on the racks give");
  expectAdjustments({5, 5}, "turn 4: no tiles left on the racks give");
  expectAdjustments({-71, 0}, "turn 4: no tiles left on the racks give");  // 8 tiles' worth
  expectAdjustments({-20}, "turn 4: the end of the game has 1 adjustments");
}

TEST_F(EndInFile, OneEndOfTheGameAtTheVeryEnd) {
  Json j = ended;
  j["turns"].push_back({{"kind", "pass"}, {"player", 1}});
  EXPECT_EQ(openJson(j), prefix() + "turn 6: a turn after the end of the game");
  j = ended;
  j["turns"].push_back(ended["turns"][3]);
  j["turns"].push_back(ended["turns"][4]);
  EXPECT_EQ(openJson(j).rfind(prefix() + "turn 4: ", 0), 0u);
  // Adjustments out of the players' order.
  j = ended;
  std::swap(j["turns"][3], j["turns"][4]);
  EXPECT_EQ(openJson(j), prefix() +
                             "turn 4: the end of the game does not give each player's adjustment "
                             "in turn");
}

TEST_F(EndInFile, RedoAfterTakingBackTheEndRestoresEveryAdjustment) {
  adjustScore(g.game, g.prompts, 3, -25);
  adjustScore(g.game, g.prompts, 4, 19);
  const std::vector<Turn> before = s.Turns;
  pressClearLastMove(g.game, g.prompts);
  EXPECT_EQ(s.Turns.size(), 3u);
  pressRedo(g.game, g.prompts);
  EXPECT_EQ(g.prompts.take(), Messages{});
  EXPECT_EQ(s.Turns, before);
}

TEST(EndOfTheGame, RacksAreCheckedAgainstTheTilesNotOnTheBoard) {
  test::StartedGame g(std::vector<std::string>{"cat"});
  g.setPlayers(2, 1);
  // c, a blank as a, t.
  g.prompts.blankAnswers.push_back("a");
  for (auto [tile, col] : {std::pair{11, 6}, {kFirstBlank, 7}, {80, 8}})
    dropTile(g.game, g.prompts, tile, 290 + 270 * col, 290 + 270 * 7);
  pressUse(g.game, g.prompts);
  g.prompts.take();
  Game& game = g.game;
  const Game before = game;
  for (const auto& [racks, message] :
       {std::pair{std::vector<std::string>{"qz"},
                  "Give the tiles left on the racks of all 2 players."},
        {{"__", ""}, "There are not that many _ tiles left."},  // only one blank is left
        {{"qq", ""}, "There are not that many q tiles left."},
        {{"c3", ""}, "\"3\" is not a tile: use a to z, _ for a blank."}}) {
    endGame(game, g.prompts, racks);
    EXPECT_EQ(g.prompts.take(), Messages{message});
    EXPECT_EQ(game.state.Turns, before.state.Turns);
  }
  // The blank on the board is no a: nine a tiles are left.
  endGame(game, g.prompts, {"aaaaaaa", "_aa"});
  EXPECT_EQ(g.prompts.take(), Messages{});
  ASSERT_EQ(game.state.Turns.size(), 3u);
  EXPECT_EQ(game.state.Turns[1].score, -7);
  EXPECT_EQ(game.state.Turns[2].score, -2);
}

TEST(EndOfTheGame, TwoEmptyRacksGainNothing) {
  EXPECT_EQ(endAdjustments({"", "", "qz"}), (std::vector<int>{0, 0, -20}));
  EXPECT_EQ(endAdjustments({"", "qz"}), (std::vector<int>{20, -20}));
}

// The racks found for recorded adjustments give them by the rules, and are
// found whenever racks of the game's tiles give them.
TEST(EndOfTheGame, RacksAreFoundForEveryAdjustmentTheRulesCanGive) {
  std::mt19937 rng(20);
  for (int n = 0; n < 300; ++n) {
    std::array<int, kLetters> left{};
    std::vector<char> bag;
    for (int l = 0; l < kLetters; ++l)
      for (int k = 0; k < kLetterCount[l]; ++k)
        if (rng() % 4 == 0) ++left[l], bag.push_back(letterChar(l));
    std::shuffle(bag.begin(), bag.end(), rng);
    std::vector<std::string> racks(2 + n % 3);
    for (std::string& rack : racks)
      for (std::size_t k = rng() % 8; k > 0 && !bag.empty(); --k)
        rack.push_back(bag.back()), bag.pop_back();
    const std::vector<int> want = endAdjustments(racks);
    const auto found = racksGiving(left, want);
    ASSERT_TRUE(found) << n;
    EXPECT_EQ(endAdjustments(*found), want);
    std::array<int, kLetters> used{};
    for (const std::string& rack : *found) {
      EXPECT_LE(rack.size(), 7u);
      for (char c : rack) ++used[c == '_' ? kBlank : c - 'a'];
    }
    for (int l = 0; l < kLetters; ++l) EXPECT_LE(used[l], left[l]);
  }
}

class SingleTiles : public test::MovesTest {
 protected:
  SingleTiles() : MovesTest({"za", "qa", "cat"}) {}
};

// The letters the set holds one of load, with or without their numbers.
TEST_F(SingleTiles, AFileWithTheSingleZAndQLoads) {
  play("za", 7, 7);
  play("q", 6, 8);
  const std::vector<Turn> played = s.Turns;
  Json file = Json::parse(gameFileText(g.game));
  for (bool numbered : {true, false}) {
    if (!numbered)
      for (Json& turn : file["turns"])
        for (Json& tile : turn["tiles"]) tile.erase("tile");
    Game loaded(g.cache);
    const auto saved = parseGameFile(file.dump());
    ASSERT_TRUE(saved.ok()) << saved.error().reason;
    EXPECT_EQ(restoreGame(loaded, saved.value()), std::nullopt);
    EXPECT_EQ(loaded.state.Turns, played);
  }
}

TEST_F(SingleTiles, AnAcrossMoveWithAGapIsRefused) {
  lay("c", 7, 6);
  lay("t", 7, 8);
  EXPECT_FALSE(use().empty());
  EXPECT_TRUE(s.Turns.empty());
  EXPECT_EQ(s.MoveNumber, 0);
  EXPECT_FALSE(s.Committed.atH(hIndex(7, 6)).occupied);
}

}  // namespace
}  // namespace tilvan
