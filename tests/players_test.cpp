// Number of players, the user's turn and their first-accepted-press guards.
#include <gtest/gtest.h>

#include "support/test_support.h"

namespace tilvan {
namespace {

using Messages = std::vector<std::string>;

class Players : public ::testing::Test {
 protected:
  void players(std::string_view text) {
    g.game.form.txtNumberofPlayers.type(text);
    pressNumberOfPlayers(g.game, g.prompts);
  }
  void turn(std::string_view text) {
    g.game.form.txtUsersTurn.type(text);
    pressUsersTurn(g.game, g.prompts);
  }
  test::StartedGame g;
  GameState& s = g.game.state;
  Form& f = g.game.form;
};

TEST_F(Players, OnlyTheFirstAcceptedPressSetsTheNumber) {
  players("4");
  EXPECT_EQ(s.NumPlayers, 4);
  EXPECT_EQ(f.lblPlayer, (std::array<bool, 4>{true, true, true, true}));
  EXPECT_TRUE(g.prompts.take().empty());

  players("2");
  EXPECT_EQ(s.NumPlayers, 4);
  EXPECT_TRUE(g.prompts.take().empty());
  EXPECT_EQ(f.txtNumberofPlayers.Text, "2");

  players("1");
  EXPECT_EQ(g.prompts.take(), Messages{"Number of Players must be 2,3 or 4 1"});
  EXPECT_EQ(f.txtNumberofPlayers.Text, "");
  EXPECT_EQ(s.NumPlayers, 4);
  EXPECT_EQ(f.lblPlayer, (std::array<bool, 4>{true, true, true, true}));

  players("3");
  EXPECT_EQ(s.NumPlayers, 3);
  // Labels once shown stay shown.
  EXPECT_EQ(f.lblPlayer, (std::array<bool, 4>{true, true, true, true}));
}

TEST_F(Players, OutOfRangeAndNonNumbersAreRefused) {
  for (std::string_view bad : {"0", "1", "5", "6", "7", "8", "9", "x", "-", ".", " ", "+"}) {
    players(bad);
    EXPECT_EQ(g.prompts.take(), Messages{"Number of Players must be 2,3 or 4 1"}) << bad;
    EXPECT_EQ(f.txtNumberofPlayers.Text, "") << bad;
    EXPECT_EQ(s.NumPlayersClicks, 0) << bad;
    EXPECT_EQ(s.NumPlayers, 0) << bad;
  }
  EXPECT_EQ(f.lblPlayer, (std::array<bool, 4>{}));
}

TEST_F(Players, EmptyBoxHasItsOwnMessage) {
  players("");
  EXPECT_EQ(g.prompts.take(), Messages{"Number of Players must be 2,3 or 4"});
  EXPECT_EQ(s.NumPlayersClicks, 0);
  // The next press counts as a first one.
  players("2");
  EXPECT_EQ(s.NumPlayers, 2);
}

TEST_F(Players, TheBoxKeepsOneCharacter) {
  players("34");
  EXPECT_EQ(s.NumPlayers, 3);
  EXPECT_EQ(f.txtNumberofPlayers.Text, "3");
}

TEST_F(Players, ManyPressesNeverOverflowTheGuard) {
  players("2");
  for (int i = 0; i < 70000; ++i) pressNumberOfPlayers(g.game, g.prompts);
  EXPECT_EQ(s.NumPlayers, 2);
  EXPECT_TRUE(g.prompts.take().empty());
}

TEST_F(Players, TurnBeforePlayersIsRefused) {
  turn("2");
  EXPECT_EQ(g.prompts.take(), Messages{"Please type in Number of Players First"});
  EXPECT_EQ(f.txtUsersTurn.Text, "");
  EXPECT_EQ(s.UsersTurnClicks, 0);
}

TEST_F(Players, TurnWithinThePlayers) {
  players("3");
  turn("4");
  EXPECT_EQ(g.prompts.take(), Messages{"User Number must be 1,2,3 or 4"});
  turn("0");
  EXPECT_EQ(g.prompts.take(), Messages{"User Number must be 1,2,3 or 4"});
  turn("q");
  EXPECT_EQ(g.prompts.take(), Messages{"User Number must be 1,2,3 or 4"});
  EXPECT_EQ(f.txtUsersTurn.Text, "");
  turn("");
  EXPECT_EQ(g.prompts.take(), Messages{"User Number must be 1,2,3 or 4"});
  EXPECT_EQ(s.UserTurn, 0);
  turn("3");
  EXPECT_TRUE(g.prompts.take().empty());
  EXPECT_EQ(s.UserTurn, 3);
  EXPECT_EQ(f.shpUser, (std::array<bool, 4>{false, false, true, false}));
  // A later valid press changes nothing; a refused one then a valid one does.
  turn("1");
  EXPECT_EQ(s.UserTurn, 3);
  turn("9");
  g.prompts.take();
  turn("1");
  EXPECT_EQ(s.UserTurn, 1);
  EXPECT_EQ(f.shpUser, (std::array<bool, 4>{true, false, true, false}));
}

TEST_F(Players, NewGameDoesNothing) {
  players("2");
  const GameState before = s;
  const Form formBefore = f;
  pressNewGame(g.game, g.prompts);
  EXPECT_EQ(s, before);
  EXPECT_EQ(f, formBefore);
}

}  // namespace
}  // namespace tilvan
