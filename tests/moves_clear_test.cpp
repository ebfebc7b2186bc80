// Clear Last Move: one level of exact take-back, and nothing more.
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
  clear();
  GameState expected = before;
  // What a take-back keeps: the used premiums, the words listed, the last
  // move's record and the snapshot.
  expected.SquareBonus = s.SquareBonus;
  expected.FormedWords = s.FormedWords;
  expected.WordCount = s.WordCount;
  expected.MainWordSquares = s.MainWordSquares;
  expected.LastMoveTile = s.LastMoveTile;
  expected.LastMoveLetter = s.LastMoveLetter;
  expected.LastMoveTileCount = s.LastMoveTileCount;
  expected.LastMovePlayer = s.LastMovePlayer;
  expected.Prev = s.Prev;
  expected.LastMoveOnBoard = false;
  expected.BlankTile = s.BlankTile;
  expected.BlankLetterIndex = s.BlankLetterIndex;
  EXPECT_EQ(s, expected);
  EXPECT_EQ(s.SquareBonus[hIndex(8, 6)], 0);
  EXPECT_EQ(f.imgTile, formBefore.imgTile);
  EXPECT_EQ(f.lbTile, formBefore.lbTile);
  EXPECT_EQ(f.lblWords[0], "SAT");

  // The first move stays locked; a second press changes nothing.
  const Form once = f;
  clear();
  EXPECT_EQ(f, once);
  place(before.PlacedTile[0], 0, 0);
  EXPECT_EQ(g.prompts.take(), Messages{"You can't moved previously played Tiles."});
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
  EXPECT_EQ(use(), Messages{"The Player's Move is Invalid 1"});
  clear();
  EXPECT_EQ(s.CurrentPlayer, 3);
  EXPECT_EQ(f.linPlayer, (std::array<bool, 4>{false, false, false, true}));
}

}  // namespace
}  // namespace tilvan
