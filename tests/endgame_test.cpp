// The endgame solver against a plain minimax (every move of both sides, no
// pruning, no table) on generated endgames of one to four tiles a side;
// the line it reports replays to its spread; its end-of-game sums agree
// with the score sheet's end of the game.
#include <atomic>
#include <bit>
#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "ahead/endgame.h"
#include "ahead/endgame_position.h"
#include "cli/endgame.h"
#include "finder/complete_frame.h"
#include "finder/complete_search.h"
#include "finder/word_graph.h"
#include "support/brute_force_complete.h"
#include "support/endgame_gen.h"
#include "support/position_gen.h"
#include "support/test_support.h"

namespace tilvan {
namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr int kCases = 150;
#else
constexpr int kCases = 2000;
#endif

int rackSum(const std::string& rack) {
  int sum = 0;
  for (char c : rack) sum += letterValueOf(c);
  return sum;
}

// The plain game tree: each turn tries every placement of the complete
// search and the pass. Counts its nodes; gives up (nullopt) past `budget`.
struct Minimax {
  const WordList& list;
  long budget;
  long nodes = 0;

  // Best final spread for racks[mover] against racks[1 - mover].
  std::optional<int> value(GameState& s, std::array<std::string, 2>& racks, int mover,
                           int scoreless) {
    if (++nodes > budget) return std::nullopt;
    std::optional<int> best;
    std::vector<CompleteResult> moves = completeSearch(list, s, racks[mover], 1000000);
    for (std::size_t i = 0; i <= moves.size(); ++i) {
      const std::array<std::string, 2> keep = racks;
      std::vector<int> laid;
      int score = 0;
      if (i < moves.size()) score = test::layPlacement(s, moves[i], racks[mover], laid);
      const int n = score == 0 ? scoreless + 1 : 0;
      std::optional<int> v;
      if (racks[mover].empty())
        v = score + 2 * rackSum(racks[1 - mover]);
      else if (n == 6)
        v = score + rackSum(racks[1 - mover]) - rackSum(racks[mover]);
      else if (auto w = value(s, racks, 1 - mover, n))
        v = score - *w;
      for (int h : laid) s.Committed.clear(h), s.SquareBonus[h] = premiumMap()[h];
      racks = keep;
      if (!v) return std::nullopt;
      if (!best || *v > *best) best = v;
    }
    return best;
  }
};

using test::Case;
using test::makeCase;
using test::shortWords;

// Plays the line on the case and sums the side to move's spread, the end
// of the game included; nullopt when a move is not legal there or the line
// stops before the end.
std::optional<int> lineSpread(const WordList& list, const Case& c, const EndgameResult& r) {
  EgPosition pos(list, c.state, c.racks[0], c.racks[1]);
  int spread = 0;
  for (std::size_t i = 0; i < r.line.size(); ++i) {
    const int sign = i % 2 ? -1 : 1, mover = pos.toMove();
    EgMove m;
    if (!r.line[i].pass) {
      std::vector<EgMove> legal;
      pos.placements(legal);
      m = toEgMove(r.line[i].placement, pos.state().Committed);
      if (std::find(legal.begin(), legal.end(), m) == legal.end()) return std::nullopt;
    }
    pos.play(m);
    spread += sign * m.score;
    if (pos.tiles(mover) == 0) return spread + sign * outBonus(pos.rackSum(1 - mover));
    if (pos.scoreless() == kScorelessLimit)
      return spread + sign * scorelessEnd(pos.rackSum(mover), pos.rackSum(1 - mover));
  }
  return std::nullopt;
}

TEST(Endgame, SolverEqualsPlainMinimaxOnGeneratedEndgames) {
  test::PositionGen gen(2323);
  int compared = 0, skipped = 0, fullLines = 0;
  for (int k = 0; k < kCases; ++k) {
    const std::vector<std::string> words = shortWords(gen.rng());
    const WordList list = WordList::parse(test::lines(words));
    Case c = makeCase(gen, words);
    Minimax plain{list, 20000};
    GameState s = c.state;
    std::array<std::string, 2> racks = c.racks;
    const std::optional<int> expected = plain.value(s, racks, 0, 0);
    if (!expected) {
      ++skipped;
      continue;
    }
    ++compared;
    EndgameOptions options;
    options.timeMs = 60000;
    options.tableBits = k % 3 == 0 ? 4 : 14;  // a tiny table overwrites itself all the time
    options.threads = k % 4 == 1 ? 2 : 1;     // a helper thread writing the same table
    const EndgameResult r = solveEndgame(list, c.state, c.racks[0], c.racks[1], options);
    ASSERT_TRUE(r.exact) << c.describe();
    ASSERT_EQ(r.spread, *expected) << c.describe();
    ASSERT_FALSE(r.line.empty()) << c.describe();
    if (const auto replayed = lineSpread(list, c, r)) {
      ASSERT_EQ(*replayed, r.spread) << c.describe();
      ++fullLines;
    }
  }
  std::printf("compared %d skipped %d full lines %d\n", compared, skipped, fullLines);
  EXPECT_GT(compared, kCases * 3 / 4) << skipped << " skipped";
  EXPECT_GT(fullLines, compared * 9 / 10);
}

bool byBytes(const EgMove& a, const EgMove& b) {
  return std::tie(a.score, a.count, a.blankMask, a.square, a.letter) <
         std::tie(b.score, b.count, b.blankMask, b.square, b.letter);
}

bool sameFrame(const Frame& a, const Frame& b) {
  for (int i = 0; i < kSquares; ++i) {
    if (a.letter[i] != b.letter[i] || a.value[i] != b.value[i]) return false;
    if (a.empty(i) && (a.anchor[i] != b.anchor[i] || a.hasCross[i] != b.hasCross[i] ||
                       a.cross[i] != b.cross[i] || a.crossSum[i] != b.crossSum[i] ||
                       a.lm[i] != b.lm[i] || a.wm[i] != b.wm[i]))
      return false;
  }
  return true;
}

// True when the side to move laid a letter tile (not a blank) in the last `since` moves.
bool laidLetters(const std::vector<EgMove>& played, std::size_t since) {
  for (std::size_t j = 2; j <= since; j += 2)
    if (const EgMove& m = played[played.size() - j]; m.count > std::popcount(m.blankMask))
      return true;
  return false;
}

// The lists made from the lists two and four moves ago, when they can
// stand for it, and from the list on the board before the last move (the
// list that a pass instead of that move would have made, under that key)
// equal `mine`, made afresh and sorted by bytes.
void checkListsFromBefore(EgPosition& pos, const std::vector<EgMove>& played,
                          const std::vector<std::vector<EgMove>>& lists,
                          const std::vector<EgMove>& mine, const std::string& where, int& made,
                          int& withBlank) {
  const int tiles = pos.tiles(pos.toMove());
  std::vector<EgMove> last, viaPass, after;
  for (std::size_t since = 1; since <= 4 && since <= played.size(); since += 1 + (since > 1)) {
    if (since == 1) {
      pos.placementsBeforeLast(last);
      const std::uint64_t lastKey = pos.placementKeyBeforeLast();
      pos.undo(played.back());
      pos.play(EgMove{});
      pos.placements(viaPass);
      EXPECT_EQ(pos.placementKey(), lastKey);
      pos.undo(EgMove{});
      pos.play(played.back());
      ASSERT_EQ(last, viaPass) << where;
      std::stable_partition(last.begin(), last.end(), [&](const EgMove& m) { return m.count == tiles; });
    }
    const std::vector<EgMove>& before = since == 1 ? last : lists[lists.size() - since];
    if (!pos.placementsAfter(before, static_cast<int>(since), after)) continue;
    ++made;
    withBlank += pos.rack(pos.toMove()).find('_') != std::string::npos && laidLetters(played, since);
    ASSERT_TRUE(std::is_sorted(after.begin(), after.end(), scoreBefore)) << since;
    std::sort(after.begin(), after.end(), byBytes);
    ASSERT_EQ(after, mine) << where << " " << since;
  }
}

// Moves played and taken back at random: the frames kept move by move equal
// frames read afresh, and the placements, listed afresh or made from the
// lists two and four moves before or from the list on the board before the
// last move, equal the complete search's (among them many racks with a
// blank that the side to move played from since).
TEST(Endgame, PositionKeepsTheBoardAsTheCompleteSearchReadsIt) {
  test::PositionGen gen(99);
  int madeAfter = 0, madeWithBlank = 0;
  for (int k = 0; k < kCases / 10; ++k) {
    const std::vector<std::string> words = shortWords(gen.rng());
    const WordList list = WordList::parse(test::lines(words));
    Case c = makeCase(gen, words);
    if (k % 10 == 0) c.state = test::freshPosition();
    c.racks = {gen.rack(7, gen.uniform(0, 2)), gen.rack(7, gen.uniform(0, 1))};
    EgPosition pos(list, c.state, c.racks[0], c.racks[1]);
    const std::uint64_t key0 = pos.key();
    std::vector<EgMove> played;
    std::vector<std::vector<EgMove>> lists;  // the side to move's list before each move played
    for (int step = 0; step < 16; ++step) {
      std::array<Frame, 2> fresh;
      for (int d = 0; d < 2; ++d) {
        readFrame(pos.state().Committed, pos.state().SquareBonus, pos.state().LetterValue, d == 1,
                  fresh[d]);
        findFrameAnchors(list.derived<WordGraph>(), pos.state().Committed.empty(), fresh[d]);
        ASSERT_TRUE(sameFrame(pos.frames()[d], fresh[d])) << c.describe() << step;
      }
      std::vector<EgMove> mine, theirs;
      pos.placements(mine);
      for (const CompleteResult& r : pos.completeResults())
        theirs.push_back(toEgMove(r, pos.state().Committed));
      ASSERT_TRUE(std::is_sorted(mine.begin(), mine.end(), scoreBefore));
      // The list as the solver keeps it: the moves that play out first, the pass last.
      std::vector<EgMove> kept = mine;
      const int tiles = pos.tiles(pos.toMove());
      std::stable_partition(kept.begin(), kept.end(), [&](const EgMove& m) { return m.count == tiles; });
      kept.emplace_back();
      std::sort(mine.begin(), mine.end(), byBytes);
      std::sort(theirs.begin(), theirs.end(), byBytes);
      ASSERT_EQ(mine, theirs) << c.describe() << step;
      ASSERT_NO_FATAL_FAILURE(checkListsFromBefore(pos, played, lists, mine,
                                                   c.describe() + " " + std::to_string(step),
                                                   madeAfter, madeWithBlank));
      if (!played.empty() && gen.uniform(0, 3) == 0) {
        pos.undo(played.back());
        played.pop_back();
        lists.pop_back();
        continue;
      }
      lists.push_back(std::move(kept));
      // Two times in three, one that keeps the blank (most placements of a blank rack lay it).
      std::vector<EgMove> choice;
      if (gen.uniform(0, 2) != 0)
        std::copy_if(mine.begin(), mine.end(), std::back_inserter(choice),
                     [](const EgMove& p) { return p.blankMask == 0; });
      if (choice.empty()) choice = mine;
      const EgMove m =
          choice.empty() || gen.uniform(0, 5) == 0
              ? EgMove{}
              : choice[static_cast<std::size_t>(gen.uniform(0, int(choice.size()) - 1))];
      pos.play(m);
      played.push_back(m);
    }
    while (!played.empty()) pos.undo(played.back()), played.pop_back();
    EXPECT_EQ(pos.key(), key0);
  }
  std::printf("made from before %d, of them with a blank %d\n", madeAfter, madeWithBlank);
  EXPECT_GT(madeAfter, kCases / 2);
  EXPECT_GT(madeWithBlank, kCases / 6);
}

TEST(Endgame, EndOfGameSumsAgreeWithTheScoreSheet) {
  test::PositionGen gen(77);
  for (int k = 0; k < 300; ++k) {
    test::StartedGame g;
    g.setPlayers(2, 1);
    std::string bag;
    for (int l = 0; l < kLetters; ++l) bag.append(kLetterCount[l], letterChar(l));
    std::shuffle(bag.begin(), bag.end(), gen.rng());
    const auto first = static_cast<std::size_t>(gen.uniform(0, 7));
    std::vector<std::string> racks{bag.substr(0, first),
                                   bag.substr(first, static_cast<std::size_t>(gen.uniform(k % 2, 7)))};
    endGame(g.game, g.prompts, racks);
    ASSERT_EQ(g.prompts.take(), std::vector<std::string>{});
    const auto& turns = g.game.state.Turns;
    ASSERT_EQ(turns.size(), 2u) << racks[0] << " " << racks[1];
    const int sheet = turns[0].score - turns[1].score;
    const int mine = racks[0].empty()   ? outBonus(rackSum(racks[1]))
                     : racks[1].empty() ? -outBonus(rackSum(racks[0]))
                                        : scorelessEnd(rackSum(racks[0]), rackSum(racks[1]));
    EXPECT_EQ(sheet, mine) << racks[0] << " " << racks[1];
  }
}

TEST(Endgame, TimeLimitGivesAnUnprovenAnswerWithALegalFirstMove) {
  test::PositionGen gen(5);
  WordListCache cache(TILVAN_DEFAULT_WORD_LIST);
  const auto list = cache.get();
  ASSERT_TRUE(list.ok());
  Case c{test::freshPosition(), {"aeinrst", "eiloqu_"}};
  test::setBoard(c.state, gen.board({"stone", "tears", "notes", "rates", "aeon"}, 5));
  EndgameOptions options;
  options.maxNodes = 40;
  const EndgameResult r = solveEndgame(*list.value(), c.state, c.racks[0], c.racks[1], options);
  EXPECT_FALSE(r.exact);
  ASSERT_FALSE(r.line.empty());
  EXPECT_GE(r.depth, 1);
  ASSERT_FALSE(r.line[0].pass);  // this rack has moves, and the first depth saw them all
  EgPosition pos(*list.value(), c.state, c.racks[0], c.racks[1]);
  std::vector<EgMove> legal;
  pos.placements(legal);
  EXPECT_NE(std::find(legal.begin(), legal.end(), toEgMove(r.line[0].placement, c.state.Committed)),
            legal.end());
  EXPECT_EQ(r.moves.front(), toEgMove(r.line[0].placement, c.state.Committed));

  // A solve told to stop ends at once, even in its first depth, unproven.
  std::atomic<bool> cancel{true};
  options = {};
  options.cancel = &cancel;
  const EndgameResult stopped =
      solveEndgame(*list.value(), c.state, c.racks[0], c.racks[1], options);
  EXPECT_FALSE(stopped.exact);
  EXPECT_LE(stopped.nodes, 1u);
}

}  // namespace
}  // namespace tilvan

namespace tilvan {
namespace {

TEST(EndgameCli, PrintsTheBestLineAsJsonAndRejectsImpossibleRacks) {
  const test::TempFile words(test::lines({"quiet", "qi", "at", "ta", "tae", "eta", "tea", "ate",
                                          "ex", "xi", "ax", "rate", "tear", "dog", "go", "od"}));
  const test::TempFile board(
      "...............\n...............\n...............\n...............\n"
      "...............\n...............\n...............\n....quiet......\n"
      "...............\n...............\n...............\n...............\n"
      "...............\n...............\n...............\n",
      "board.txt");
  WordListCache cache(words.path());
  auto run = [&](const std::string& rack, const std::string& opponent, std::string& out) {
    std::istringstream in;
    std::ostringstream o, e;
    const int code =
        cli::runEndgame({board.path().string(), rack, opponent, 2000, true}, cache, in, o, e);
    out = code == 0 ? o.str() : e.str();
    return code;
  };
  std::string out;
  ASSERT_EQ(run("aetr", "dgo", out), 0) << out;
  EXPECT_NE(out.find("\"exact\":true"), std::string::npos) << out;
  const auto best = out.substr(8, out.find(",\"spread\":") - 8);  // after {"best":
  EXPECT_NE(out.find("\"line\":[" + best), std::string::npos) << out;
  GameState s = test::freshPosition();
  test::layWord(s, 7, 4, false, "quiet");
  const EndgameResult r = solveEndgame(*cache.get().value(), s, "aetr", "dgo");
  EXPECT_NE(out.find("\"spread\":" + std::to_string(r.spread) + ","), std::string::npos) << out;

  EXPECT_EQ(run("", "dgo", out), 2);
  EXPECT_NE(out.find("--rack: the rack is empty"), std::string::npos) << out;
  EXPECT_EQ(run("ab1", "dgo", out), 2);
  EXPECT_NE(out.find("\"1\" is no tile"), std::string::npos) << out;
  EXPECT_EQ(run("q", "dgo", out), 2);  // the board's q is the only one
  EXPECT_NE(out.find("--rack: more \"q\" tiles than the set holds (1)"), std::string::npos) << out;
  EXPECT_EQ(run("aetr", "dgoxxlm", out), 2);
  EXPECT_NE(out.find("--opponent: more \"x\""), std::string::npos) << out;
}

}  // namespace
}  // namespace tilvan
