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

// The players_turns replay walks the first-accepted-press rules and the
// messages; these are the cases it does not reach.

TEST_F(Players, EveryOtherCharacterIsRefusedAndLeavesTheGuardOpen) {
  for (std::string_view bad : {"0", "1", "5", "9", "x", "-", ".", " ", "+"}) {
    players(bad);
    EXPECT_EQ(g.prompts.take(), Messages{"Number of Players must be 2,3 or 4 1"}) << bad;
    EXPECT_EQ(f.txtNumberofPlayers.Text, "") << bad;
    EXPECT_EQ(std::pair(s.NumPlayers, s.NumPlayersClicks), std::pair(0, 0)) << bad;
  }
  EXPECT_EQ(f.lblPlayer, (std::array<bool, 4>{}));
  players("34");  // the box keeps one character
  EXPECT_EQ(s.NumPlayers, 3);
  EXPECT_EQ(f.txtNumberofPlayers.Text, "3");
}

TEST_F(Players, ManyPressesNeverOverflowTheGuard) {
  players("2");
  for (int i = 0; i < 70000; ++i) pressNumberOfPlayers(g.game, g.prompts);
  EXPECT_EQ(s.NumPlayers, 2);
  EXPECT_TRUE(g.prompts.take().empty());
}

TEST_F(Players, ARefusedTurnReopensTheGuard) {
  players("3");
  turn("3");
  turn("1");
  EXPECT_EQ(s.UserTurn, 3);
  turn("9");
  EXPECT_EQ(g.prompts.take(), Messages{"User Number must be 1,2,3 or 4"});
  turn("1");
  EXPECT_EQ(s.UserTurn, 1);
  // Marks once shown stay shown.
  EXPECT_EQ(f.shpUser, (std::array<bool, 4>{true, false, true, false}));
}

}  // namespace
}  // namespace tilvan
