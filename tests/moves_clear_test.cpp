// Clear Last Move: the cases the random games of invariant_test and the
// moves_clear and history replays do not reach.
#include "moves_fixture.h"

namespace tilvan {
namespace {

using test::Messages;
using Clear = test::MovesTest;

TEST_F(Clear, NothingCommittedNothingChanges) {
  const GameState start = s;
  const Form startForm = f;
  clear();
  EXPECT_EQ(s, start);
  EXPECT_EQ(f, startForm);
}

TEST_F(Clear, TurnReturnsToTheMoverEvenAfterARefusedMove) {
  g.game.form.txtNumberofPlayers.type("0");  // refused, so 4 can be set
  pressNumberOfPlayers(g.game, g.prompts);
  g.setPlayers(4, 1);
  g.prompts.take();
  play("cat", 7, 6);
  play("s", 7, 9);
  play("a", 8, 6);
  play("t", 9, 6);
  lay("e", 0, 0);
  EXPECT_EQ(use(), (Messages{"The Player's Move is Invalid 1",
                             "The tiles must touch the letters already on the board"}));
  clear();
  EXPECT_EQ(s.CurrentPlayer, 3);
  EXPECT_EQ(f.linPlayer, (std::array<bool, 4>{false, false, false, true}));
}

}  // namespace
}  // namespace tilvan
