// What the complete search adds to the original search's results, and the
// arrow keys on the main board.
#include "finder/search_gain.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "cli/replay.h"
#include "finder/complete_search.h"
#include "game/handlers.h"
#include "game/standings.h"
#include "support/position_gen.h"
#include "support/test_support.h"

namespace tilvan {
namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr int kCases = 12;
#else
constexpr int kCases = 120;
#endif

// The best total that the score captions show (0 when none does).
int bestCaption(const Form& form) {
  int best = 0;
  for (const std::string& c : form.lblWord)
    if (!c.empty()) best = std::max(best, std::stoi(c));
  return best;
}

// On generated boards and racks: the gain is what the complete search's best
// adds to the best caption shown, and the complete search never finds less
// than the original search (which only finds legal placements too).
TEST(SearchGain, AddsTheCompleteSearchsBestToTheShownBest) {
  test::PositionGen gen(2114);
  const std::vector<std::string> words = test::plainWords(gen.wordListText(3000));
  test::StartedGame started(words);
  Game& game = started.game;
  const auto loaded = started.cache.get().value();
  const WordList& list = *loaded;
  int gains = 0;
  for (int i = 0; i < kCases; ++i) {
    if (i % 12 == 0) {
      test::setBoard(game.state, gen.board(words, gen.uniform(0, 8)));
      game.form.chkComplete = false;
    }
    game.form.txtRack.type(gen.rack(7, gen.uniform(0, 2), i % 5 == 0));
    pressFindWords(game, started.prompts);
    const int shown = bestCaption(game.form);
    ASSERT_EQ(bestResultTotal(game.state.Finder), shown);
    const auto best = completeSearch(list, game.state, game.form.txtRack.Text, 1);
    const int complete = best.empty() ? 0 : best.front().cand.Total;
    ASSERT_GE(complete, shown) << "rack " << game.form.txtRack.Text;
    ASSERT_EQ(completeSearchGain(game), complete - shown);
    gains += complete > shown;
  }
  EXPECT_GT(gains, 0);  // the cases reach the placements the original rules miss
}

TEST(Standings, LeadersTiesAndTheEnd) {
  std::vector<Turn> turns(3);
  turns[0].player = 0, turns[0].score = 20;
  turns[1].player = 1, turns[1].score = 14, turns[1].corrected = 20;
  turns[2].player = 2, turns[2].score = 5;
  Standings s = standings(turns, 3);
  EXPECT_EQ(s.leaders, (std::vector<int>{0, 1}));  // a corrected score counts
  EXPECT_FALSE(s.over);
  Turn end;
  end.kind = TurnKind::kEnd;
  end.player = 0, end.score = -3;
  turns.push_back(end);
  s = standings(turns, 3);
  EXPECT_EQ(s.leaders, (std::vector<int>{1}));
  EXPECT_TRUE(s.over);
  EXPECT_EQ(s.totals[0], 17);
}

// Arrow keys: the cursor turns to the arrow's line, skips occupied squares
// and stops at the edge; a hidden one appears at the centre first.
TEST(ArrowKeys, MoveTheCursorOverEmptySquares) {
  test::StartedGame g(std::vector<std::string>{"cat"});
  g.setPlayers(2, 1);
  Cursor& c = g.game.form.cursor;
  ASSERT_FALSE(c.Visible);
  pressArrow(g.game, g.prompts, 0, 1);
  EXPECT_EQ(c, (Cursor{7, 7, false, true}));
  pressArrow(g.game, g.prompts, 0, -1);
  EXPECT_EQ(c, (Cursor{7, 6, false, true}));
  for (char ch : std::string("cat")) typeCharacter(g.game, g.prompts, ch);
  pressUse(g.game, g.prompts);
  ASSERT_EQ(g.game.state.Turns.size(), 1u);
  // From the left of CAT, right jumps over its three letters.
  c = {7, 5, false, true};
  pressArrow(g.game, g.prompts, 0, 1);
  EXPECT_EQ(c, (Cursor{7, 9, false, true}));
  pressArrow(g.game, g.prompts, 1, 0);
  EXPECT_EQ(c, (Cursor{8, 9, true, true}));
  c = {14, 3, false, true};
  pressArrow(g.game, g.prompts, 1, 0);
  EXPECT_EQ(c, (Cursor{14, 3, true, true}));  // the edge: it stays, turned
  pressArrow(g.game, g.prompts, 1, 1);        // not an arrow: nothing
  EXPECT_EQ(c, (Cursor{14, 3, true, true}));
  // Typing off the bottom edge hides the cursor past it; an arrow brings it
  // back from the square at the edge (not from off the board).
  typeCharacter(g.game, g.prompts, 'c');
  EXPECT_EQ(c, (Cursor{15, 3, true, false}));
  pressArrow(g.game, g.prompts, -1, 0);
  EXPECT_EQ(c, (Cursor{13, 3, true, true}));  // (14, 3) holds the C just typed
  c = {7, 15, false, false};
  pressArrow(g.game, g.prompts, 1, 0);
  EXPECT_EQ(c, (Cursor{7, 14, true, true}));
  EXPECT_TRUE(g.prompts.take().empty());
}

TEST(ArrowKeys, AreAReplayAction) {
  test::TempFile words("cat\n");
  WordListCache cache(words.path());
  for (const char* arrow : {"up", "down", "left", "right"}) {
    std::istringstream in(std::string("players 2\nturn 1\narrow ") + arrow + "\n");
    std::ostringstream out, err;
    EXPECT_EQ(cli::runReplay(in, "arrows", cache, out, err, std::nullopt), 0) << err.str();
  }
  std::istringstream in("arrow sideways\n");
  std::ostringstream out, err;
  EXPECT_NE(cli::runReplay(in, "arrows", cache, out, err, std::nullopt), 0);
  EXPECT_NE(err.str().find("arrow takes up, down, left or right"), std::string::npos) << err.str();
}

}  // namespace
}  // namespace tilvan
