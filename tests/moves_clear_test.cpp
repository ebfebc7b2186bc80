// Clear Last Move: exact take-back of the latest turn, again and again, and
// Redo.
#include "moves_fixture.h"

namespace tilvan {
namespace {

using test::Messages;
using Clear = test::MovesTest;

TEST_F(Clear, RestoresTheStateBeforeTheMove) {
  play("cat", 7, 6);
  const GameState before = s;
  const Form formBefore = f;
  play("Sat", 8, 6);  // a blank as S, under CAT
  const Board after = s.Committed;
  const Form formAfter = f;
  const std::vector<Turn> turnsAfter = s.Turns;
  clear();
  GameState expected = before;
  // What a take-back keeps: the words listed, the last move's record and
  // the snapshot; and the move taken back, for Redo.
  expected.TakenBack = s.TakenBack;
  expected.FormedWords = s.FormedWords;
  expected.WordCount = s.WordCount;
  expected.MainWordSquares = s.MainWordSquares;
  expected.LastMoveTile = s.LastMoveTile;
  expected.LastMoveLetter = s.LastMoveLetter;
  expected.LastMoveTileCount = s.LastMoveTileCount;
  expected.LastMovePlayer = s.LastMovePlayer;
  expected.Prev = s.Prev;
  expected.BlankTile = s.BlankTile;
  expected.BlankLetterIndex = s.BlankLetterIndex;
  EXPECT_EQ(s, expected);
  // The premium under the taken-back move counts again.
  EXPECT_EQ(s.SquareBonus[hIndex(8, 6)], premiumMap()[hIndex(8, 6)]);
  EXPECT_EQ(f.imgTile, formBefore.imgTile);
  EXPECT_EQ(f.lbTile, formBefore.lbTile);
  EXPECT_EQ(f.lblWords[0], "") << "the taken-back move's words are no longer listed";

  // The first move stays locked until a second press takes it back too.
  place(before.PlacedTile[0], 0, 0);
  EXPECT_EQ(g.prompts.take(), Messages{"You can't moved previously played Tiles."});
  clear();
  EXPECT_TRUE(s.Committed.empty());
  EXPECT_EQ(s.MoveNumber, 0);
  EXPECT_EQ(s.SquareBonus, premiumMap());
  EXPECT_EQ(f.lbTile, designForm().lbTile);
  EXPECT_EQ(s.TakenBack.size(), 2u);

  // Redo puts both back in order; a new move then ends what Redo can do.
  pressRedo(g.game, g.prompts);
  pressRedo(g.game, g.prompts);
  EXPECT_EQ(s.Committed, after);
  EXPECT_EQ(f.imgTile, formAfter.imgTile);
  EXPECT_EQ(s.Turns, turnsAfter);
  pressRedo(g.game, g.prompts);
  EXPECT_EQ(g.prompts.take(), Messages{"There is no move to put back."});
  clear();
  play("at", 8, 7);
  EXPECT_TRUE(s.TakenBack.empty());
}

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
