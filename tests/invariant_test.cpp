// Long random sequences of drops, typed letters and capitals, Backspace,
// Escape, laid results, blank namings, USE, Clear Last Move, Redo,
// passes, score corrections, ends of the game, CHECK WORDS and player
// changes. After every action the game must be whole: all 100 tiles
// accounted for, every picture in one proper place, the committed board (no
// premium left under it), the move being entered and the history agreeing
// with the pictures, one turn mark; a take-back or a redo gives exactly the
// board the game had with that many turns; and the game equals the one
// rebuilt from its record.
#include <gtest/gtest.h>

#include <optional>
#include <random>

#include "support/test_support.h"
#include "support/whole_game.h"

namespace tilvan {
namespace {

using test::said;

class Walker {
 public:
  Walker(WordListCache& cache, unsigned seed) : game(cache), rng_(seed) {
    startUp(game, prompts);
    if (pick(20)) setUp();  // now and then, never set up
  }

  // One random action; returns what it was, for the failure report.
  std::string step() {
    const int roll = pick(100);
    prompts.blankAnswers = {kAnswers[pick(std::size(kAnswers))]};
    prompts.take();
    if (roll < 45) {
      const int n = tileToDrag();
      // A step along a row or a column from an anchor, so that lines form;
      // or anywhere, the margins included.
      auto [r, c] = anchor();
      (pick(2) ? r : c) += static_cast<int>(pick(3)) - 1;
      int x = 290 + kSquarePitch * c, y = 290 + kSquarePitch * r;
      if (!pick(8)) x = static_cast<int>(pick(4500)) - 200, y = static_cast<int>(pick(4500)) - 200;
      if (!pick(4) && dropTargetAt(game, x, y) != DropTarget::kBoard) return "miss";
      dropTile(game, prompts, n, x, y);
      return said("drop ", n, " ", x, " ", y);
    }
    if (roll < 55) return typing(roll);
    if (roll < 60) return pressClearLastMove(game, prompts), "clear";
    if (roll < 63) return pressCheckWords(game, prompts), "check";
    if (roll < 65) return setUp(), "players";
    if (roll < 67) return pressPass(game, prompts), "pass";
    if (roll < 70) return pressRedo(game, prompts), "redo";
    if (roll < 71) {
      const int turn = pick(static_cast<int>(game.state.Turns.size()) + 1);
      const int score = pick(60) - 10;
      return adjustScore(game, prompts, turn, score), said("adjust ", turn, " ", score);
    }
    if (roll < 72) {
      std::vector<std::string> racks;
      for (int p = 0; p < game.state.NumPlayers + pick(2); ++p)
        racks.push_back(std::string("qz_ea", 0, pick(3) * pick(2)));
      return endGame(game, prompts, racks), "end game";
    }
    pressUse(game, prompts);
    // A refused move stays on the board: the player mends it, or sends it home.
    if (game.state.MoveTileCount > 0 && pick(2)) return pressEscape(game, prompts), "use, escape";
    return "use";
  }

  Game game;
  test::RecordingPrompts prompts;

 private:
  static inline const std::optional<std::string> kAnswers[] = {"e", "Q",          "",
                                                               "_", std::nullopt, "zz"};

  // Typing on the main board: a click and a few letters, Backspace, Escape,
  // or a search whose result is laid.
  std::string typing(int roll) {
    if (roll < 50) {
      const auto [r, c] = anchor();
      clickMainSquare(game, prompts, r + pick(3) - 1, c + pick(3) - 1);
      if (pick(2)) pressTab(game, prompts);
      std::string typed;
      for (int i = pick(4); i >= 0; --i) typed += "catrsexqCZ?"[pick(11)];
      for (char ch : typed) typeCharacter(game, prompts, ch);
      return said("type ", typed);
    }
    if (roll < 52) return pressBackspace(game, prompts), "backspace";
    if (roll < 53) return pressEscape(game, prompts), "escape";
    game.form.txtRack.type(std::string("cattars_es", pick(4), 3 + pick(4)));
    game.form.chkComplete = pick(2);
    game.form.chkValue = pick(2);
    pressFindWords(game, prompts);
    const int k = pick(kResultSlots);
    return layResult(game, prompts, k), said("lay ", k);
  }
  int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
  // Mostly a tile of the pool or of the move, now and then any picture.
  int tileToDrag() {
    const GameState& s = game.state;
    if (s.MoveTileCount && !pick(4)) return s.MoveTile[pick(s.MoveTileCount)];
    if (!pick(8)) return pick(kTilePictures);
    int n = pick(kSetTiles);
    for (int tries = 0; tries < 20 && test::squareOf(game.form.imgTile[n]) >= 0; ++tries)
      n = pick(kSetTiles);
    return n;
  }
  // The centre, a committed tile or a tile of the move.
  std::pair<int, int> anchor() {
    const GameState& s = game.state;
    if (s.MoveTileCount && pick(2)) {
      const int i = pick(s.MoveTileCount);
      return {s.MoveRow[i] - 1, s.MoveCol[i] - 1};
    }
    if (s.LockedCount && pick(4)) {
      const int h = test::squareOf(game.form.imgTile[s.PlacedTile[pick(s.LockedCount)]]);
      return {h / kSide, h % kSide};
    }
    return {7, 7};
  }
  void setUp() {
    game.form.txtNumberofPlayers.Text = "1234x"[pick(5)];
    pressNumberOfPlayers(game, prompts);
    game.form.txtUsersTurn.Text = "1234"[pick(4)];
    pressUsersTurn(game, prompts);
  }

  std::mt19937 rng_;
};

TEST(Invariants, HoldAfterEveryActionOfRandomGames) {
  test::TempFile words(test::lines({"cat", "at", "ta", "tars", "es"}));
  WordListCache cache(words.path());
  int commits = 0, takeBacks = 0, redos = 0, deepest = 0, rebuilds = 0, lays = 0;
  for (unsigned seed = 1; seed <= 2000; ++seed) {
    Walker w(cache, seed);
    const GameState& s = w.game.state;
    std::vector<std::string> done;
    std::vector<Board> boardAfter{s.Committed};  // by number of turns played
    int players = s.NumPlayers;
    bool playersChanged = false;
    const int length = seed % 4 ? 60 : 400;  // every fourth game runs long and fills up
    for (int i = 0; i < length; ++i) {
      const Board before = s.Committed;
      const std::size_t turns = s.Turns.size();
      const int moveNumber = s.MoveNumber;
      done.push_back(w.step());
      ASSERT_EQ(test::brokenRule(s, w.game.form), "")
          << "seed " << seed << ": " << testing::PrintToString(done);
      lays += done.back().starts_with("lay") && s.MoveTileCount > 0;
      if (s.MoveNumber > moveNumber && done.back() == "use") {
        ++commits;
        deepest = std::max(deepest, s.MoveNumber);
      }
      if (s.Turns.size() < turns) {
        ++takeBacks;
        ASSERT_EQ(s.Committed, boardAfter[s.Turns.size()]) << "seed " << seed;
      } else if (s.Turns.size() > turns && done.back() == "redo") {
        ++redos;
        ASSERT_EQ(s.Committed, boardAfter[s.Turns.size()]) << "seed " << seed;
      } else if (s.Turns.size() > turns) {
        boardAfter.resize(s.Turns.size() + 1, s.Committed);
        boardAfter[s.Turns.size()] = s.Committed;
      } else {
        ASSERT_EQ(s.Committed, before) << "seed " << seed << ": " << done.back();
      }
      playersChanged |= players != 0 && s.NumPlayers != players;
      players = s.NumPlayers;
      if (i % 8 == 0 || i + 1 == length) {
        if (const auto d = test::differenceFromItsRecord(w.game, playersChanged)) {
          EXPECT_EQ(*d, "") << "seed " << seed;
          ++rebuilds;
        }
      }
      if (::testing::Test::HasFailure()) return;
    }
  }
  // The walk reaches commits, take-backs, redos and crowded boards often.
  EXPECT_GT(commits, 4000);
  EXPECT_GT(takeBacks, 1500);
  EXPECT_GT(redos, 500);
  EXPECT_GT(rebuilds, 5000);
  EXPECT_GE(deepest, 12);
  EXPECT_GT(lays, 1500) << "results laid";
}

}  // namespace
}  // namespace tilvan
