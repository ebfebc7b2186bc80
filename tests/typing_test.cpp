// Typing a move on the main board and laying a result: every tile goes
// through the drop handler, so a typed or laid move is exactly the dragged
// one, and Backspace and Escape leave every table as it was. (Empty stacks
// and results that cannot be laid are walked by the typing replay.)
#include "board/typing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

#include "game/views.h"
#include "support/position_gen.h"
#include "support/test_support.h"

namespace tilvan {
namespace {

// Twips of square i's middle on the main board, as a drag would let go.
int middle(int i) { return 40 + kSquarePitch * i + kSquarePitch / 2; }

void type(Game& game, Prompts& prompts, int row, int col, bool down, std::string_view text) {
  clickMainSquare(game, prompts, row, col);
  if (game.form.cursor.Down != down) pressTab(game, prompts);
  for (char ch : text) typeCharacter(game, prompts, ch);
}

// The state without what only remembers the last drop: its slot and the
// blank tile dialog's last answer.
GameState withoutDropSlot(GameState s) {
  s.DropSlot = s.DropSlot2 = 0;
  s.BlankTile = s.BlankLetterIndex = 0;
  return s;
}

class Typing : public ::testing::Test {
 protected:
  Typing() : g({"cat", "at", "ta", "act", "tact", "cats"}) { g.setPlayers(2, 1); }
  Game& game() { return g.game; }
  GameState& s() { return g.game.state; }
  void type(int row, int col, bool down, std::string_view text) {
    tilvan::type(g.game, g.prompts, row, col, down, text);
  }
  test::StartedGame g;
};

TEST_F(Typing, TypedWordIsTheDraggedWordBeforeAndAfterUse) {
  test::StartedGame dragged({"cat", "at", "ta", "act", "tact", "cats"});
  dragged.setPlayers(2, 1);
  // The top of each stack is the last picture of its letter's block.
  int col = 6;
  for (int letter : {2, 0, 19})
    dropTile(dragged.game, dragged.prompts, letterEnd(letter) - 1, middle(col++), middle(7));
  type(7, 6, false, "cat");
  dragged.game.form.cursor = game().form.cursor;
  EXPECT_EQ(s(), dragged.game.state);
  EXPECT_EQ(game().form, dragged.game.form);
  EXPECT_EQ((Cursor{7, 9, false, true}), game().form.cursor);

  pressUse(game(), g.prompts);
  pressUse(dragged.game, dragged.prompts);
  EXPECT_EQ(s(), dragged.game.state);
  EXPECT_EQ(game().form, dragged.game.form);
  EXPECT_EQ(g.prompts.take(), dragged.prompts.take());
  EXPECT_EQ(s().MoveNumber, 1);
}

// An empty stack lays nothing and the cursor stays. (Its message: the typing
// replay.)
TEST_F(Typing, AnEmptyStackLaysNothing) {
  type(7, 3, false, "qq");
  EXPECT_EQ(s().MoveTileCount, 1);
  EXPECT_EQ((Cursor{7, 4, false, true}), game().form.cursor);
}

TEST_F(Typing, CursorSkipsOccupiedSquaresAndLeavesTheBoard) {
  type(7, 6, false, "cat");
  pressUse(game(), g.prompts);
  type(6, 7, true, "tt");  // over the committed 'a' at (7, 7)
  EXPECT_EQ(mainBoardView(game().form)[6][7], 't');
  EXPECT_EQ(mainBoardView(game().form)[8][7], 't');
  EXPECT_EQ((Cursor{9, 7, true, true}), game().form.cursor);
  // Clicks on an occupied square are ignored; off the board's edge the
  // cursor is gone and typing lays nothing.
  clickMainSquare(game(), g.prompts, 7, 7);
  EXPECT_EQ((Cursor{9, 7, true, true}), game().form.cursor);
  type(14, 13, false, "aaa");
  EXPECT_EQ(s().MoveTileCount, 4);
  EXPECT_FALSE(game().form.cursor.Visible);
  typeCharacter(game(), g.prompts, 'e');
  EXPECT_EQ(s().MoveTileCount, 4);
}

TEST_F(Typing, ClickTwiceOrTabTurnsTheCursor) {
  clickMainSquare(game(), g.prompts, 3, 4);
  EXPECT_EQ((Cursor{3, 4, false, true}), game().form.cursor);
  clickMainSquare(game(), g.prompts, 3, 4);
  EXPECT_TRUE(game().form.cursor.Down);
  pressTab(game(), g.prompts);
  EXPECT_FALSE(game().form.cursor.Down);
  clickMainSquare(game(), g.prompts, 15, 0);  // off the board
  EXPECT_EQ((Cursor{3, 4, false, true}), game().form.cursor);
}

TEST_F(Typing, BackspaceAndEscapeRestoreEveryTable) {
  type(7, 6, false, "cat");
  pressUse(game(), g.prompts);
  test::PositionGen gen(7);
  for (int round = 0; round < 40; ++round) {
    const GameState before = s();
    const Form formBefore = game().form;
    std::vector<std::pair<GameState, Form>> after;
    clickMainSquare(game(), g.prompts, gen.uniform(0, 14), gen.uniform(0, 14));
    if (gen.uniform(0, 1)) pressTab(game(), g.prompts);
    for (int i = 0; i < 7; ++i) {
      after.emplace_back(s(), game().form);
      const char ch = "aeiostrAEZ"[gen.uniform(0, 9)];
      typeCharacter(game(), g.prompts, ch);
    }
    if (round % 2) {
      pressEscape(game(), g.prompts);
      EXPECT_EQ(withoutDropSlot(s()), withoutDropSlot(before)) << round;
      game().form.cursor = formBefore.cursor;
      EXPECT_EQ(game().form, formBefore) << round;
      continue;
    }
    while (!after.empty()) {
      if (s().MoveTileCount == after.back().first.MoveTileCount) {
        after.pop_back();
        continue;
      }
      pressBackspace(game(), g.prompts);
      const int last = s().MoveTileCount;
      ASSERT_EQ(withoutDropSlot(s()), withoutDropSlot(after.back().first)) << round;
      const Cursor c = game().form.cursor;
      EXPECT_TRUE(c.Visible);
      EXPECT_FALSE(squareOccupied(s(), c.Row, c.Col));
      game().form.cursor = after.back().second.cursor;
      ASSERT_EQ(game().form, after.back().second) << round << " " << last;
      after.pop_back();
    }
    EXPECT_EQ(withoutDropSlot(s()), withoutDropSlot(before));
  }
  g.prompts.take();
}

// The candidate result button k shows, read from the slot tables.
const Candidate* shown(const FinderState& f, int k) {
  if (f.SlotV[k] == k + 1) return &f.V.Cands[f.V.RankedCand[f.SlotRankV[k]]];
  if (f.SlotH[k] == k + 1) return &f.H.Cands[f.H.RankedCand[f.SlotRankH[k]]];
  return nullptr;
}

// Random games played by laying results: after `lay K` and USE the committed
// board is the old one plus the tiles the preview of K showed, blanks where
// the placement uses them, scored as the result said. Racks holding tiles
// that are no longer left are searched without them, so every result can be
// laid.
void layAndUseRandomGames(bool complete) {
  int laid = 0, blanks = 0, refused = 0, trimmed = 0;
  for (unsigned seed = 1; seed <= 12; ++seed) {
    test::PositionGen gen(seed);
    test::StartedGame g(gen.wordListText(1500));
    g.setPlayers(2, 1);
    g.game.form.chkComplete = complete;
    for (int turn = 0; turn < 14; ++turn) {
      g.game.form.txtRack.type(gen.rack(7, gen.uniform(0, 3) / 2));
      pressFindWords(g.game, g.prompts);
      for (const std::string& m : g.prompts.take()) trimmed += m.starts_with("There are not that many");
      const int k = gen.uniform(0, kResultSlots - 1);
      const Candidate* c = shown(g.game.state.Finder, k);
      if (!c) continue;
      // Something typed first goes home.
      type(g.game, g.prompts, gen.uniform(0, 14), gen.uniform(0, 14), false, "e");
      pressShowSlot(g.game, g.prompts, k);
      const Grid preview = previewView(g.game.form);
      const Grid before = committedView(g.game.state.Committed);
      const int score = std::stoi(g.game.form.lblWord[k]);
      const auto usedBlanks = std::count(c->TilesUsed.begin(), c->TilesUsed.end(), '_');
      const GameState unlaid = g.game.state;
      layResult(g.game, g.prompts, k);
      const auto said = g.prompts.take();
      if (!said.empty()) {
        ASSERT_EQ(said.size(), 1u);
        EXPECT_TRUE(said[0].starts_with("No ")) << said[0];
        EXPECT_EQ(g.game.state, unlaid);
        ++refused;
        pressEscape(g.game, g.prompts);
        continue;
      }
      pressUse(g.game, g.prompts);
      g.prompts.take();
      const Grid after = committedView(g.game.state.Committed);
      int newBlanks = 0;
      for (int r = 0; r < kSide; ++r)
        for (int col = 0; col < kSide; ++col) {
          const char was = before[r][col], now = after[r][col];
          if (was != '.') {
            ASSERT_EQ(now, was) << "seed " << seed;
            continue;
          }
          ASSERT_EQ(std::tolower(now), preview[r][col] == '.' ? '.' : preview[r][col])
              << "seed " << seed << " turn " << turn << " square " << r << "," << col;
          newBlanks += std::isupper(static_cast<unsigned char>(now)) != 0;
        }
      ASSERT_EQ(newBlanks, usedBlanks) << "seed " << seed;
      ASSERT_EQ(g.game.state.Turns.back().score, score) << "seed " << seed;
      ++laid;
      blanks += newBlanks;
    }
  }
  EXPECT_GT(laid, 40);
  EXPECT_GT(blanks, 3);
  EXPECT_GT(trimmed, 3);
  EXPECT_EQ(refused, 0) << "results that cannot be laid";
}

TEST(LayResult, UseCommitsThePreviewedPlacementClassic) { layAndUseRandomGames(false); }
TEST(LayResult, UseCommitsThePreviewedPlacementComplete) { layAndUseRandomGames(true); }

TEST_F(Typing, LayingMayUseTheBlankOfTheMoveInProgress) {
  type(7, 6, false, "cAt");  // one blank on the board
  pressUse(game(), g.prompts);
  game().form.txtRack.type("_");
  pressFindWords(game(), g.prompts);
  type(2, 2, false, "T");  // the other blank in the move in progress
  g.prompts.take();
  layResult(game(), g.prompts, 0);
  EXPECT_EQ(g.prompts.take(), std::vector<std::string>{});
  ASSERT_EQ(s().MoveTileCount, 1);
  EXPECT_TRUE(isBlankLetterPicture(s().MoveTile[0]));
  EXPECT_NE(s().MoveRow[0], 3);  // the typed tile went home
}

}  // namespace
}  // namespace tilvan
