// "Find   Words" at the end of the game: slot 0 holds the solver's best move
// marked with its spread, the other slots the plain ranking less that move,
// and the line in the tooltip adds up to the spread; nothing changes with
// tiles in the bag, three players, another search, or slots that changed
// while the solve ran.
#include "ahead/slot_endgame.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <sstream>

#include "finder/complete_search.h"
#include "game/handlers.h"
#include "support/brute_force_complete.h"
#include "support/endgame_gen.h"
#include "support/position_gen.h"
#include "support/test_support.h"

namespace tilvan {
namespace {

WordListCache& defaultWords() {
  static WordListCache cache(TILVAN_DEFAULT_WORD_LIST);
  return cache;
}

// A started game of two players, the user to move on `board` with `rack`
// typed, the complete search ranking by value or by score.
std::unique_ptr<Game> gameOn(WordListCache& words, const GameState& board, const std::string& rack,
                             bool byValue, int players = 2) {
  auto game = std::make_unique<Game>(words);
  test::RecordingPrompts prompts;
  startUp(*game, prompts);
  game->form.txtNumberofPlayers.type(std::to_string(players));
  pressNumberOfPlayers(*game, prompts);
  game->form.txtUsersTurn.type("1");
  pressUsersTurn(*game, prompts);
  game->state.Committed = board.Committed;
  game->state.SquareBonus = board.SquareBonus;
  game->state.MoveNumber = 1;
  game->form.txtRack.type(rack);
  game->form.chkComplete = true;
  game->form.chkValue = byValue;
  return game;
}

std::string placementId(const CompleteResult& r) {
  std::string id = r.down ? "V" : "H";
  for (const FormedWord& w : r.cand.Words) id += " " + w.Text + "@" + std::to_string(w.Start);
  return id + " " + r.cand.TilesUsed;
}

// What slot k holds: a placement, an exchange's or a pass's caption, or "".
std::string slotId(const Game& g, int k) {
  const FinderState& f = g.state.Finder;
  for (bool down : {true, false}) {
    if ((down ? f.SlotV : f.SlotH)[k] != k + 1) continue;
    const CandidateSet& set = down ? f.V : f.H;
    const int rank = (down ? f.SlotRankV : f.SlotRankH)[k];
    return placementId({down, set.Cands[static_cast<std::size_t>(set.RankedCand[rank])]});
  }
  return f.SlotExchange[k];
}

std::string bestId(const EndgameResult& r) {
  return r.line.empty() || r.line[0].pass ? "Pass" : placementId(r.line[0].placement);
}

// The line's turns and its end added up from the user's side; nullopt
// when the line stops before the end of the game ("...").
std::optional<int> lineSum(const std::string& line) {
  std::istringstream in(line);
  std::string item;
  int sum = 0;
  while (std::getline(in, item, ',')) {
    if (item.starts_with(" ")) item.erase(0, 1);
    if (item == "...") return std::nullopt;
    const int sign = item.starts_with("Opponent:") ? -1 : 1;
    if (item.ends_with("pass")) continue;
    const int n = std::stoi(item.substr(item.find_last_of(' ') + 1));
    if (item.starts_with("out ") || item.starts_with("six scoreless turns ")) return sum + n;
    sum += sign * n;
  }
  ADD_FAILURE() << "no end: " << line;
  return std::nullopt;
}

// Endgames with few tiles a side as games reach them: a greedy game up to
// the empty bag, then each side's best-scoring move until both racks hold
// at most `most` tiles. racks[0] moves next.
std::optional<test::ReachedEndgame> smallEndgame(const WordList& list, std::uint64_t seed,
                                                 std::size_t most) {
  auto e = test::greedyEndgame(list, seed);
  for (int turn = 0, passes = 0; e && passes < 2; ++turn) {
    if (e->racks[0].size() <= most && e->racks[1].size() <= most) return e;
    const auto best = completeSearch(list, e->state, e->racks[0], 1);
    passes = best.empty() ? passes + 1 : 0;
    std::vector<int> laid;
    if (!best.empty()) test::layPlacement(e->state, best.front(), e->racks[0], laid);
    if (e->racks[0].empty()) return std::nullopt;
    std::swap(e->racks[0], e->racks[1]);
  }
  return std::nullopt;
}

std::string sorted(std::string s) {
  std::sort(s.begin(), s.end());
  return s;
}

TEST(SlotEndgame, BestMoveFirstTheRestRankedAndTheLineAddsUp) {
  auto list = defaultWords().get();
  ASSERT_TRUE(list.ok());
  int cases = 0, exact = 0, fullLines = 0, moved = 0;
  for (std::uint64_t seed = 1; cases < 40 && seed < 200; ++seed) {
    const auto e = smallEndgame(*list.value(), seed, 1 + seed % 4);
    if (!e) continue;
    ++cases;
    const bool byValue = seed % 2 == 0;
    auto plain = gameOn(defaultWords(), e->state, e->racks[0], byValue);
    auto marked = gameOn(defaultWords(), e->state, e->racks[0], byValue);
    test::RecordingPrompts prompts;
    pressFindWordsRanked(*plain, prompts);
    const auto prepared = prepareSlotEndgame(*plain);
    ASSERT_TRUE(prepared) << seed;
    EXPECT_EQ(sorted(prepared->opponent), sorted(e->racks[1])) << seed;
    pressFindWordsToTheEnd(*marked, prompts);

    const EndgameResult r = solveEndgame(*list.value(), e->state, e->racks[0], e->racks[1],
                                         reproducibleEndgameOptions());
    const std::string n = spreadShown(r.spread);
    ASSERT_EQ(slotId(*marked, 0), bestId(r)) << seed;
    EXPECT_EQ(marked->form.lblWord[0],
              r.exact ? "best to the end (" + n + ")" : "unproven best (" + n + ")");
    std::vector<std::string> rest;
    for (int k = 0; k < kResultSlots; ++k)
      if (const std::string id = slotId(*plain, k); !id.empty() && id != bestId(r))
        rest.push_back(id);
    moved += rest.empty() || rest.front() != slotId(*plain, 0);
    rest.resize(std::min<std::size_t>(rest.size(), kResultSlots - 1));
    for (int k = 1; k < kResultSlots; ++k)
      EXPECT_EQ(slotId(*marked, k), k <= int(rest.size()) ? rest[k - 1] : "") << seed << " " << k;
    // The tooltip's second line is the line; played out, it adds up.
    const std::string tip = marked->form.lblWordTip[0];
    const std::string line =
        tip.substr(tip.find('\n') + 1, tip.find('\n', tip.find('\n') + 1) - tip.find('\n') - 1);
    EXPECT_TRUE(line.starts_with("You: ")) << tip;
    exact += r.exact;
    if (const auto sum = lineSum(line)) {
      ++fullLines;
      if (r.exact) {
        EXPECT_EQ(*sum, r.spread) << seed << ": " << line;
      }
    }
  }
  std::printf("cases %d exact %d full lines %d best moved up %d\n", cases, exact, fullLines, moved);
  EXPECT_GE(cases, 30);
  EXPECT_GE(exact, cases * 3 / 4);
  EXPECT_GE(fullLines, cases * 3 / 4);
}

// A board whose rows 8.. hold every tile not in play, so that the bag is
// empty with racks of one or three tiles; "qi" across row 4 from column H.
GameState tinyEndgameBoard(const std::string& racks) {
  std::array<int, kLetters> left = kLetterCount;
  for (char c : racks + "qi") --left[c == '_' ? kBlank : c - 'a'];
  std::string junk;
  for (int l = 0; l < kLetters; ++l) junk.append(left[l], l == kBlank ? 'A' : letterChar(l));
  Grid rows = test::emptyRows();
  for (std::size_t i = 0; i < junk.size(); ++i) rows[kSide - 1 - i / kSide][i % kSide] = junk[i];
  test::put(rows, 3, 7, "qi");
  GameState s = test::freshPosition();
  test::setBoard(s, rows);
  return s;
}

TEST(SlotEndgame, PlayingOutAndPassingAreShownWithTheirLines) {
  const test::TempFile words(test::lines({"qi", "xi"}));
  WordListCache cache(words.path());
  test::RecordingPrompts prompts;
  const int dgo = kLetterValue['d' - 'a'] + kLetterValue['g' - 'a'] + kLetterValue['o' - 'a'];

  // X plays out above the i: "XI" down from column I, row 3.
  auto out = gameOn(cache, tinyEndgameBoard("xdgo"), "x", true);
  pressFindWordsToTheEnd(*out, prompts);
  ASSERT_EQ(slotId(*out, 0).substr(0, 2), "V ");
  const int xi = out->state.Finder.V.Cands[0].Total;
  EXPECT_EQ(out->form.lblWord[0], "best to the end (+" + std::to_string(xi + 2 * dgo) + ")");
  EXPECT_NE(out->form.lblWordTip[0].find("\nYou: XI I3 " + std::to_string(xi) + ", out +" +
                                         std::to_string(2 * dgo)),
            std::string::npos)
      << out->form.lblWordTip[0];
  EXPECT_EQ(out->form.lblWords[0], "XI");  // slot 0 is shown on the lower board
  EXPECT_EQ(prompts.take(), std::vector<std::string>{"Endgame solved: result 1 is the best to "
                                                     "the end, +" +
                                                     std::to_string(xi + 2 * dgo) + " from here."});

  // D has no move: the best is to pass and let X play out.
  auto pass = gameOn(cache, tinyEndgameBoard("dx"), "d", true);
  pressFindWordsToTheEnd(*pass, prompts);
  const std::string lost = std::to_string(xi + 2 * kLetterValue['d' - 'a']);
  EXPECT_EQ(slotId(*pass, 0), "Pass");
  EXPECT_EQ(pass->form.lblWord[0], "best to the end (-" + lost + ")");
  EXPECT_NE(pass->form.lblWordTip[0].find("\nYou: pass, Opponent: XI I3 " + std::to_string(xi) +
                                          ", out -" + std::to_string(2 * kLetterValue['d' - 'a'])),
            std::string::npos)
      << pass->form.lblWordTip[0];
  for (int k = 1; k < kResultSlots; ++k) EXPECT_EQ(slotId(*pass, k), "");
}

TEST(SlotEndgame, AnUnprovenSolveStillPutsItsBestFirstMarkedSo) {
  auto list = defaultWords().get();
  ASSERT_TRUE(list.ok());
  const auto e = test::greedyEndgame(*list.value(), 3);
  ASSERT_TRUE(e);
  auto game = gameOn(defaultWords(), e->state, e->racks[0], true);
  test::RecordingPrompts prompts;
  pressFindWordsRanked(*game, prompts);
  const auto prepared = prepareSlotEndgame(*game);
  ASSERT_TRUE(prepared);
  EndgameOptions options;
  options.maxNodes = 30;
  const SlotEndgameAnswer a = solveSlotEndgame(*prepared, options);
  ASSERT_FALSE(a.solved.exact);
  ASSERT_TRUE(showBestToTheEnd(*game, prompts, *prepared, a));
  EXPECT_EQ(slotId(*game, 0), bestId(a.solved));
  EXPECT_EQ(game->form.lblWord[0], "unproven best (" + spreadShown(a.solved.spread) + ")");
  EXPECT_EQ(prompts.take().back(),
            "Endgame not proven in 30 positions: result 1 is the best "
            "found, " +
                spreadShown(a.solved.spread) + " from here.");
  // Shown once, the slots are no longer those it was prepared on.
  EXPECT_FALSE(showBestToTheEnd(*game, prompts, *prepared, a));
}

TEST(SlotEndgame, NoSolveWithTilesInTheBagThreePlayersOrAnotherSearch) {
  auto list = defaultWords().get();
  ASSERT_TRUE(list.ok());
  const auto before = test::greedyEndgame(*list.value(), 3, 8);  // 8 tiles or fewer in the bag
  const auto at = test::greedyEndgame(*list.value(), 3);
  ASSERT_TRUE(before && at);
  ASSERT_FALSE(before->bag.empty());
  test::RecordingPrompts prompts;
  auto bagLeft = gameOn(defaultWords(), before->state, before->racks[0], true);
  auto three = gameOn(defaultWords(), at->state, at->racks[0], true, 3);
  auto classic = gameOn(defaultWords(), at->state, at->racks[0], true);
  classic->form.chkComplete = false;
  auto noRack = gameOn(defaultWords(), at->state, "", true);
  for (Game* g : {bagLeft.get(), three.get(), classic.get(), noRack.get()}) {
    pressFindWordsToTheEnd(*g, prompts);
    EXPECT_FALSE(prepareSlotEndgame(*g));
    for (const std::string& caption : g->form.lblWord)
      EXPECT_EQ(caption.find("best"), std::string::npos);
  }
  EXPECT_EQ(prompts.take(), std::vector<std::string>{});
  EXPECT_TRUE(prepareSlotEndgame(*gameOn(defaultWords(), at->state, at->racks[0], false)));
}

}  // namespace
}  // namespace tilvan
