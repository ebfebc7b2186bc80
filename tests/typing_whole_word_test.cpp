// Typing a move as players do, the whole word, the letters already on the
// board included: every move of generated games typed again that way is the
// same move, with the same score and words.
#include <random>
#include <set>
#include <tuple>

#include <gtest/gtest.h>

#include "game/handlers.h"
#include "moves/pending.h"
#include "moves/take_back.h"
#include "support/game_gen.h"

namespace tilvan {
namespace {

using Laid = std::set<std::tuple<int, int, char, bool>>;

Laid laidTiles(const std::vector<TurnTile>& tiles) {
  Laid out;
  for (const TurnTile& t : tiles) out.emplace(t.row, t.col, t.letter, t.blank);
  return out;
}

// The tiles of the move in progress.
Laid inProgress(const GameState& s) {
  Laid out;
  for (int j = 0; j < s.MoveTileCount; ++j)
    out.emplace(s.MoveRow[j] - 1, s.MoveCol[j] - 1, letterChar(letterShownBy(s.MoveTile[j])),
                isBlankLetterPicture(s.MoveTile[j]));
  return out;
}

// Types the main word of `move` from its first square: a new blank as a
// capital, every other letter small.
void typeWholeWord(Game& game, Prompts& prompts, const Turn& move) {
  const Laid tiles = laidTiles(move.tiles);
  game.form.cursor = {move.row, move.col, move.down, true};
  int row = move.row, col = move.col;
  for (char ch : move.words.front()) {
    const bool blank = tiles.count({row, col, ch, true}) > 0;
    typeCharacter(game, prompts, blank ? static_cast<char>(ch - 'a' + 'A') : ch);
    (move.down ? row : col) += 1;
  }
}

TEST(TypingWholeWords, EveryGeneratedMoveTypedAgainIsTheSameMove) {
#if defined(__SANITIZE_ADDRESS__)
  constexpr int kGames = 20;
#else
  constexpr int kGames = 150;
#endif
  WordListCache cache(TILVAN_DEFAULT_WORD_LIST);
  const auto list = cache.get();
  ASSERT_TRUE(list.ok());
  std::mt19937 rng(4);
  int typedOver = 0, moves = 0;
  for (int n = 0; n < kGames && !::testing::Test::HasFailure(); ++n) {
    SCOPED_TRACE("game " + std::to_string(n));
    test::StartedGame played(std::string_view{});
    played.setPlayers(2, 1);
    test::playGeneratedGame(played, *list.value(), rng, {.steps = 14, .extras = false});

    test::StartedGame g(std::string_view{});
    g.setPlayers(2, 1);
    for (const Turn& turn : played.game.state.Turns) {
      if (turn.kind != TurnKind::kMove) {
        pressPass(g.game, g.prompts);
        continue;
      }
      turnTo(g.game, turn.player);
      typeWholeWord(g.game, g.prompts, turn);
      ASSERT_EQ(inProgress(g.game.state), laidTiles(turn.tiles)) << turn.words.front();
      const auto pending = pendingMove(g.game);
      ASSERT_TRUE(pending && pending->legal) << turn.words.front();
      EXPECT_EQ(pending->score, turn.score);
      pressUse(g.game, g.prompts);
      ASSERT_EQ(g.prompts.take(), std::vector<std::string>{});
      EXPECT_EQ(g.game.state.Turns.back().score, turn.score);
      EXPECT_EQ(g.game.state.Turns.back().words, turn.words);
      ++moves;
      typedOver += turn.words.front().size() > turn.tiles.size();
    }
  }
  EXPECT_GT(moves, kGames * 5);
  EXPECT_GT(typedOver, moves / 3) << "moves through letters on the board";
}

}  // namespace
}  // namespace tilvan
