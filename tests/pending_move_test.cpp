// The move in progress before USE: its reason when refused, its score and
// words when not; the tiles unseen. (Looking a word up: the table_round2
// replay.)
#include <numeric>
#include <random>

#include "board/typing.h"
#include "finder/find_words.h"
#include "game/unseen.h"
#include "moves/move_check.h"
#include "moves/pending.h"
#include "moves_fixture.h"
#include "words/lookup.h"

namespace tilvan {
namespace {

using test::Messages;

class Pending : public test::MovesTest {
 protected:
  Pending() : MovesTest({"cat", "cats", "at", "ta", "scat", "tsar", "rat"}) {}
};

// Lays up to four random tiles around the centre, mostly along one line,
// from what the stacks hold; an upper-case answer names a blank.
void layRandomTiles(test::StartedGame& g, std::mt19937& rng) {
  const auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
  int row = 4 + pick(7), col = 4 + pick(7);
  const bool down = pick(2);
  for (int i = 1 + pick(4); i > 0; --i) {
    const char ch = "catsr_"[pick(6)];
    const int letter = ch == '_' ? kBlank : ch - 'a';
    if (topOfStack(g.game, letter) >= 0) {
      if (letter == kBlank) g.prompts.blankAnswers.push_back(std::string(1, "ST"[pick(2)]));
      if (!pick(6)) (down ? col : row) += pick(3) - 1;  // now and then off the line
      dropTile(g.game, g.prompts, topOfStack(g.game, letter), 290 + 270 * col, 290 + 270 * row);
    }
    (down ? row : col) += 1 + (pick(5) == 0);  // now and then a gap
  }
}

// pendingMove says beforehand what USE then does: the same refusal reason,
// or the score and words the record gets, each looked up in the list.
TEST_F(Pending, ForetellsWhatUseDoesOnRandomMoves) {
  std::mt19937 rng(21);
  int refused = 0, committed = 0, unfound = 0;
  for (int round = 0; round < 3000 && !HasFailure(); ++round) {
    layRandomTiles(g, rng);
    g.prompts.take();
    const std::optional<PendingMove> pending = pendingMove(g.game);
    if (s.MoveTileCount == 0) {
      EXPECT_FALSE(pending);
      continue;
    }
    ASSERT_TRUE(pending);
    const GameState laid = s;
    const std::size_t turns = s.Turns.size();
    const Messages said = use();
    if (s.Turns.size() == turns) {
      ++refused;
      ASSERT_EQ(said.size(), 2u) << round;
      EXPECT_FALSE(pending->legal) << round;
      EXPECT_EQ(said[1], pending->reason) << round;
      EXPECT_EQ(s, laid) << "a refused move stays as laid, round " << round;
      pressEscape(g.game, g.prompts);
      continue;
    }
    ++committed;
    ASSERT_TRUE(pending->legal) << pending->reason;
    EXPECT_EQ(pending->score, s.Turns.back().score);
    ASSERT_EQ(pending->words.size(), s.Turns.back().words.size());
    for (std::size_t w = 0; w < pending->words.size(); ++w) {
      EXPECT_EQ(pending->words[w].text, s.Turns.back().words[w]);
      EXPECT_EQ(pending->words[w].found, lookUpWord(g.game, pending->words[w].text));
      unfound += !pending->words[w].found;
    }
    if (s.MoveNumber > 6 || rng() % 3 == 0) clear();
  }
  EXPECT_GT(refused, 500);
  EXPECT_GT(committed, 300);
  EXPECT_GT(unfound, 50);
}

// Every tile is somewhere: unseen, on the board, in the move or on the rack.
TEST_F(Pending, UnseenTilesAndTheBag) {
  const auto total = [&] {
    const auto u = unseenTiles(g.game);
    return std::accumulate(u.begin(), u.end(), 0);
  };
  EXPECT_EQ(total(), kSetTiles);
  EXPECT_EQ(bagCount(g.game), kSetTiles - 7);  // two players
  f.txtRack.type("cat_ZZz");                   // capitals lowered; three z, one exists
  EXPECT_EQ(unseenTiles(g.game)['z' - 'a'], 0);
  EXPECT_EQ(unseenTiles(g.game)[kBlank], 1);
  EXPECT_EQ(total(), kSetTiles - 5);
  // On the user's turn the move is laid from the rack: c and a count once.
  lay("ca", 7, 6);
  EXPECT_EQ(total(), kSetTiles - 5);
  pressEscape(g.game, g.prompts);
  play("cat", 7, 6);  // the user's move; now player 2 moves
  f.txtRack.type("");
  EXPECT_EQ(total(), kSetTiles - 3);
  lay("s", 7, 9);
  f.txtRack.type("s");  // not the user's turn: the rack is not what is laid
  const auto u = unseenTiles(g.game);
  EXPECT_EQ(u['s' - 'a'], kLetterCount['s' - 'a'] - 2);
  EXPECT_EQ(u['c' - 'a'], kLetterCount['c' - 'a'] - 1);
  EXPECT_EQ(bagCount(g.game), total() - 7);
}

// The rack searched keeps, in its order, as many tiles of each letter as
// the board leaves, and names each letter it had too many of.
TEST_F(Pending, RackCheckKeepsOnlyTilesThatAreLeft) {
  play("cat", 7, 6);
  play("Sat", 8, 6);  // a blank as S
  std::mt19937 rng(3);
  for (int round = 0; round < 2000; ++round) {
    std::string typed;
    for (int i = rng() % 9; i > 0; --i) typed += "cqzsta_-"[rng() % 8];
    const RackCheck got = checkRack(s, typed);
    std::array<int, kLetters> left = kLetterCount, kept{}, asked{};
    left['c' - 'a'] -= 1, left['a' - 'a'] -= 2, left['t' - 'a'] -= 2, left[kBlank] -= 1;
    for (char c : typed) {
      if (c == '_') ++asked[kBlank];
      if (c >= 'a' && c <= 'z') ++asked[c - 'a'];
    }
    for (char c : got.rack) ++kept[c == '_' ? kBlank : c - 'a'];
    for (int l = 0; l < kLetters; ++l) {
      const char c = l == kBlank ? '_' : letterChar(l);
      EXPECT_EQ(kept[l], std::min(asked[l], left[l])) << typed;
      EXPECT_EQ(got.tooMany.find(c) != std::string::npos, asked[l] > left[l]) << typed;
    }
  }
  EXPECT_EQ(tooManyTilesMessage("q_"),
            "There are not that many Q, blank tiles left; the search leaves the extra ones out.");
}

TEST_F(Pending, SwitchingTheWordListClearsItsResults) {
  play("cat", 7, 6);
  f.txtRack.type("s");
  pressFindWords(g.game, g.prompts);
  ASSERT_NE(f.lblWord[0], "");
  f.lblCheckWords[0] = "Not A Word";
  wordListSwitched(g.game);
  EXPECT_EQ(f.lblWord, (std::array<std::string, kResultSlots>{}));
  EXPECT_EQ(f.lblCheckWords[0], "");
  EXPECT_TRUE(s.Finder.V.Cands.empty() && s.Finder.H.Cands.empty());
}

}  // namespace
}  // namespace tilvan
