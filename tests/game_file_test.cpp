// Game files: generated games saved and loaded again come back exactly;
// every kind of bad file is refused with a message that names the file and
// what is wrong, and leaves the game in memory as it was.
#include "moves/game_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <fstream>
#include <future>
#include <nlohmann/json.hpp>

#include "cli/dump.h"
#include "game_file_fixture.h"
#include "support/game_gen.h"

namespace tilvan {
namespace {

using test::Messages;
using Json = nlohmann::ordered_json;

// The dump without what a file does not hold: the finder's results and
// preview, the labels of the last move's words and checks, the rack typed.
Json recordedPart(const Game& game) {
  Json j = Json::parse(cli::stateJson(game));
  for (const char* shown : {"preview", "previewNew", "scores", "words", "checks", "rack"})
    j.erase(shown);
  return j;
}

// What a load must bring back: the record, the board, the stacks and the
// turn.
void expectSameGame(const Game& got, const Game& want) {
  const GameState &a = got.state, &b = want.state;
  EXPECT_EQ(recordedPart(got), recordedPart(want));
  EXPECT_EQ(a.Turns, b.Turns);
  EXPECT_EQ(a.TakenBack, b.TakenBack);
  EXPECT_EQ(playerTotals(a.Turns), playerTotals(b.Turns));
  EXPECT_TRUE(a.Committed == b.Committed);
  EXPECT_EQ(a.SquareBonus, b.SquareBonus);
  EXPECT_EQ(a.PlacedTile, b.PlacedTile);
  EXPECT_EQ(std::pair(a.PlacedCount, a.LockedCount), std::pair(b.PlacedCount, b.LockedCount));
  EXPECT_EQ(a.TileOnBoard, b.TileOnBoard);
  EXPECT_EQ(got.form.imgTile, want.form.imgTile);
  EXPECT_EQ(got.form.lbTile, want.form.lbTile);
  EXPECT_EQ(std::tuple(a.NumPlayers, a.UserTurn, a.CurrentPlayer, a.MoveNumber),
            std::tuple(b.NumPlayers, b.UserTurn, b.CurrentPlayer, b.MoveNumber));
}

TEST(GameFileRoundTrip, GeneratedGamesComeBackExactly) {
#if defined(__SANITIZE_ADDRESS__)
  constexpr int kGames = 500;
#else
  constexpr int kGames = 3000;
#endif
  WordListCache cache(TILVAN_DEFAULT_WORD_LIST);
  const auto list = cache.get();
  ASSERT_TRUE(list.ok());
  std::mt19937 rng(16);
  test::GeneratedGame sum;
  for (int n = 0; n < kGames; ++n) {
    SCOPED_TRACE("game " + std::to_string(n));
    test::StartedGame g(std::string_view{});
    const int players = 2 + n % 3;
    g.setPlayers(players, 1 + n % players);
    const auto gen = test::playGeneratedGame(g, *list.value(), rng, {.steps = 4 + n % 14});
    sum.moves += gen.moves, sum.passes += gen.passes, sum.corrections += gen.corrections;
    sum.takeBacks += gen.takeBacks, sum.redos += gen.redos, sum.ends += gen.ends;
    const std::string text = gameFileText(g.game);
    const auto saved = parseGameFile(text);
    ASSERT_TRUE(saved.ok()) << saved.error().reason << "\n" << text;
    Game loaded(g.cache);
    const auto why = restoreGame(loaded, saved.value());
    ASSERT_FALSE(why) << *why << "\n" << text;
    expectSameGame(loaded, g.game);
    EXPECT_EQ(gameFileText(loaded), text);
    if (::testing::Test::HasFailure()) return;
  }
  EXPECT_GT(sum.moves, kGames * 4);
  EXPECT_GT(sum.passes, kGames / 10);
  EXPECT_GT(sum.corrections, kGames / 10);
  EXPECT_GT(sum.takeBacks, kGames / 10);
  EXPECT_GT(sum.redos, kGames / 20);
  EXPECT_GT(sum.ends, kGames / 10);
}

TEST_F(BadGameFile, TheGoodOneLoads) {
  file.write(good.dump());
  openGame(g.game, g.prompts, file.path());
  EXPECT_EQ(g.prompts.take(), Messages{});
  EXPECT_EQ(s.Turns, stateBefore.Turns);
  EXPECT_EQ(s.MoveTileCount, 0);  // the move in progress went home
}

// Once the number of players is set again during the game (a refused entry
// lets the box be pressed again), the record alone no longer tells whose
// turn it is: the file says it.
// And a game whose number of players was set lower holds turns of players
// beyond it: its file opens too.
TEST_F(BadGameFile, TheTurnComesBackWhenThePlayersWereSetAgain) {
  pressEscape(g.game, g.prompts);
  const auto setPlayersAgain = [&](const char* players) {
    for (const char* text : {"1", players}) {  // refused, then taken
      f.txtNumberofPlayers.type(text);
      pressNumberOfPlayers(g.game, g.prompts);
    }
  };
  const auto expectSameTurnWhenOpened = [&] {
    const auto saved = parseGameFile(gameFileText(g.game));
    ASSERT_TRUE(saved.ok()) << saved.error().reason;
    Game loaded(g.cache);
    ASSERT_FALSE(restoreGame(loaded, saved.value()));
    EXPECT_EQ(loaded.state.Turns, s.Turns);
    EXPECT_EQ(loaded.state.CurrentPlayer, s.CurrentPlayer);
    EXPECT_EQ(loaded.form.linPlayer, f.linPlayer);
  };
  setPlayersAgain("3");
  pressClearLastMove(g.game, g.prompts);  // the pass taken back: player 1 is to pass again
  ASSERT_EQ(std::pair(s.NumPlayers, s.CurrentPlayer), std::pair(3, 0));
  expectSameTurnWhenOpened();
  for (int passes = 0; passes < 3; ++passes) pressPass(g.game, g.prompts);  // players 1, 2, 3
  setPlayersAgain("2");
  ASSERT_EQ(std::pair(s.NumPlayers, s.Turns.back().player), std::pair(2, 2));
  expectSameTurnWhenOpened();
}

// Rule: a saved game cut anywhere is refused as cut short, except a cut that
// drops only the whitespace at its end, which is the same game.
TEST_F(BadGameFile, CutAnywhereIsRefusedOrTheSameGame) {
  const std::string text = good.dump(1) + "\n";
  for (std::size_t at = 0; at < text.size(); ++at) {
    SCOPED_TRACE("cut at " + std::to_string(at));
    const auto saved = parseGameFile(text.substr(0, at));
    if (text.find_first_not_of(" \n", at) == std::string::npos) {
      ASSERT_TRUE(saved.ok());
      EXPECT_EQ(saved.value().turns.size(), stateBefore.Turns.size());
    } else {
      ASSERT_FALSE(saved.ok());
      EXPECT_EQ(saved.error().reason, "not a game file: not JSON, or cut short");
    }
  }
  EXPECT_EQ(openText(text.substr(0, text.size() / 2)),
            prefix() + "not a game file: not JSON, or cut short");
}

// Each flaw made in the good file, and the message that refuses it (`whole`:
// all of it, else how it starts).
TEST_F(BadGameFile, EachFlawIsNamed) {
  const std::string notJson = "not a game file: not JSON, or cut short";
  const std::string other = "not a game file of this program";
  for (const auto& [text, said] : {std::pair{"cat 7 6 across\n", notJson}, {"", notJson},
                                   {R"({"format":"other-game","version":1})", other},
                                   {"[1,2,3]", other}})
    EXPECT_EQ(openText(text), prefix() + said) << text;

  const auto set = [](const char* at, Json value) {
    return [at, value](Json& j) { j[Json::json_pointer(at)] = value; };
  };
  // zzz across: the set has one z.
  const auto zzz = [](Json& j) {
    Json move = j["turns"][0];
    move["tiles"] = Json::array();
    for (int c = 6; c < 9; ++c)
      move["tiles"].push_back({{"row", 7}, {"col", c}, {"letter", "z"}, {"blank", false}});
    move["score"] = 0;
    j["turns"] = Json::array({move});
    j.erase("totals");
  };
  const auto totals = playerTotals(stateBefore.Turns);
  const Total cut = totals[0] + (Total{1} << 32);  // the same total cut to 32 bits
  const std::string player = "\"player\" is not a whole number from 1 to 4";
  struct Case {
    std::function<void(Json&)> change;
    std::string said;
    bool whole = true;
  };
  const Case cases[] = {
      {set("/version", 2), "made by a newer version of the program (format 2)"},
      {set("/version", 0), "format version 0 does not exist"},
      {set("/version", -1), "format version -1 does not exist"},
      {set("/turns/1/score", 99), "turn 2: it scores " + std::to_string(stateBefore.Turns[1].score) +
                                      " by the rules, not 99 (a score agreed at the table goes "
                                      "in \"corrected\")"},
      {set("/turns/2/score", 100000), "turn 3: a pass scores 0"},
      {set("/turns/2/player", 5), "turn 3: " + player},
      {set("/turns/2/player", 0), "turn 3: " + player},
      {set("/players", 5), "\"players\" is not a whole number from 2 to 4"},
      {set("/toMove", 3), "\"toMove\" is not a whole number from 1 to 2"},
      {set("/totals/1", 1000),
       "the totals do not add up: player 2 has " + std::to_string(totals[1]) + ", not 1000"},
      {set("/totals/0", cut), "the totals do not add up: player 1 has " +
                                  std::to_string(totals[0]) + ", not " + std::to_string(cut)},
      {set("/totals/0", std::uint64_t{18446744073709551615u}), "a total is not a whole number",
       false},
      {set("/totals", Json::array({12})), "\"totals\" is not a list of one total per player"},
      // The second move's s apart from the cat, or on the first move's a.
      {set("/turns/1/tiles/0/row", 2), "turn 2: ", false},
      {set("/turns/1/tiles/0/col", 7), "turn 2: ", false},
      {zzz, "turn 1: more \"z\" tiles than the set holds"},
      {[&](Json& j) { zzz(j), j["turns"][0]["tiles"][0]["tile"] = 0; },
       "turn 1: tile 0 is not a z"},
      // The second move taken back, and moved apart from the cat.
      {[](Json& j) {
         j["takenBack"] = Json::array({j["turns"][1]});
         j["takenBack"][0]["tiles"][0]["row"] = 2;
         j["turns"] = Json::array({j["turns"][0]});
         j["totals"] = Json::array({12, 0});
       },
       "taken-back turn 1: ", false},
  };
  for (const Case& c : cases) {
    Json j = good;
    c.change(j);
    const std::string said = openJson(j);
    if (c.whole)
      EXPECT_EQ(said, prefix() + c.said);
    else
      EXPECT_EQ(said.rfind(prefix() + c.said, 0), 0u) << said;
  }
}

TEST_F(BadGameFile, AFolderOrAPipeIsRefusedAtOnce) {
  const std::filesystem::path folder = file.path().parent_path() / "folder";
  std::filesystem::create_directory(folder);
  const std::string said = openPath(folder);
  EXPECT_EQ(said.rfind("Cannot open the game \"" + folder.string() + "\": ", 0), 0u) << said;

  const std::filesystem::path fifo = file.path().parent_path() / "fifo";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  auto done = std::async(std::launch::async, [&] {
    test::RecordingPrompts prompts;
    openGame(g.game, prompts, fifo);
    return prompts.take();
  });
  if (done.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
    ADD_FAILURE() << "opening a pipe waits for a writer";
    const int w = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);  // lets it go
    if (w >= 0) ::close(w);
  }
  const Messages piped = done.get();
  ASSERT_EQ(piped.size(), 1u);
  EXPECT_EQ(piped[0].rfind("Cannot open the game \"" + fifo.string() + "\": ", 0), 0u);
  EXPECT_TRUE(s == stateBefore);
}

}  // namespace
}  // namespace tilvan
