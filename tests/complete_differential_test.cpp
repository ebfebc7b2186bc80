// The complete search against the brute-force reference on generated
// positions: small lists drawn from the default word list, empty and
// filled boards, racks with 0, 1 and 2 blanks. The whole ordered result
// lists must be equal, words, scores and blank choices included; the best
// few (searched anchor by anchor under a bound) must be their head, by score
// and by value; a search whose blanks stand for a few letters only finds the
// placements of the full one whose blanks stand for those.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <sstream>

#include "finder/classic_search.h"
#include "finder/complete_frame.h"
#include "finder/complete_generator.h"
#include "finder/complete_search.h"
#include "finder/find_words.h"
#include "finder/word_graph.h"
#include "play/position.h"
#include "support/brute_force_complete.h"
#include "support/test_support.h"

namespace tilvan {
namespace {

// The program's classic search, one for the whole test program.
PlacementSearch& classicSearch() {
  static ClassicSearch search;
  return search;
}

constexpr std::size_t kAll = 1000000;
// The search's own choice of racks worth bounding.
const std::size_t kBoundFrom = Generator::boundFrom();

// Words of 2 to 8 letters from the default list; a small fixed fallback when
// the list cannot be read.
const std::vector<std::string>& sourceWords() {
  static const std::vector<std::string> words = [] {
    std::vector<std::string> out;
    auto bytes = readFileBytes(TILVAN_DEFAULT_WORD_LIST);
    if (bytes.ok()) {
      const WordList all = WordList::parse(bytes.value());
      for (std::size_t i = 0; i < all.size(); ++i)
        if (all[i].size() >= 2 && all[i].size() <= 8) out.emplace_back(all[i]);
    }
    if (out.size() < 1000) {
      for (const char* w :
           {"at",    "to",    "ta",    "an",    "na",   "as",   "is",   "it",   "in",    "on",
            "no",    "cat",   "act",   "tac",   "ant",  "tan",  "nat",  "eat",  "tea",   "ate",
            "eta",   "seat",  "east",  "teas",  "sate", "neat", "ante", "etna", "stone", "notes",
            "tones", "onset", "seton", "steno", "ae",   "ea",   "ee"})
        out.emplace_back(w);
    }
    return out;
  }();
  return words;
}

struct TestList {
  std::vector<std::string> placeable;  // the a..z words of 2+ letters
  std::unique_ptr<WordList> list;
};

// A list of about `size` words: mostly random source words, plus every
// two-letter source word when `shorts` (so that boards grow many
// cross-words), plus a few records that can never be placed.
TestList makeList(std::mt19937& rng, std::size_t size, bool shorts) {
  const auto& src = sourceWords();
  TestList t;
  std::uniform_int_distribution<std::size_t> pick(0, src.size() - 1);
  for (std::size_t k = 0; k < size; ++k) t.placeable.push_back(src[pick(rng)]);
  if (shorts)
    for (const auto& w : src)
      if (w.size() == 2) t.placeable.push_back(w);
  std::string text;
  for (const auto& w : t.placeable) text += w + "\n";
  text += "Cat\n\nxx1\nq-a\n\"at\"\nb\n";  // case, empty, digits, punctuation, quotes, one letter
  text += t.placeable.front() + "\n";      // a duplicate
  t.list = std::make_unique<WordList>(WordList::parse(text));
  return t;
}

// Lays list words onto the board: each crosses or touches what is there and
// agrees with the letters it runs over; cross-words are not checked, so
// boards also hold runs that are not words. About one tile in 15 is a blank.
GameState makeBoard(std::mt19937& rng, const TestList& t, int moves) {
  GameState s = test::freshPosition();
  std::uniform_int_distribution<std::size_t> pickWord(0, t.placeable.size() - 1);
  std::uniform_int_distribution<int> pos(0, kSide - 1), coin(0, 1), blankDie(0, 14);
  int laid = 0;
  for (int attempt = 0; attempt < 400 && laid < moves; ++attempt) {
    const std::string& w = t.placeable[pickWord(rng)];
    const bool down = coin(rng);
    const int line = pos(rng), at = pos(rng);
    const int len = static_cast<int>(w.size());
    if (at + len > kSide) continue;
    auto sq = [&](int k) { return down ? hIndex(at + k, line) : hIndex(line, at + k); };
    bool fits = true, touches = false, centre = false, adds = false;
    for (int k = 0; k < len && fits; ++k) {
      const BoardSquare& b = s.Committed.atH(sq(k));
      centre |= sq(k) == kCentre;
      if (b.occupied) {
        fits = b.letter == w[static_cast<std::size_t>(k)] - 'a';
        touches = true;
      } else {
        adds = true;
        const int r = sq(k) / kSide, c = sq(k) % kSide;
        for (auto [dr, dc] : {std::pair{-1, 0}, {1, 0}, {0, -1}, {0, 1}}) {
          const int rr = r + dr, cc = c + dc;
          if (rr >= 0 && rr < kSide && cc >= 0 && cc < kSide &&
              s.Committed.atH(hIndex(rr, cc)).occupied)
            touches = true;
        }
      }
    }
    if (!fits || !adds || (laid == 0 ? !centre : !touches)) continue;
    for (int k = 0; k < len; ++k) {
      if (s.Committed.atH(sq(k)).occupied) continue;
      const char ch = w[static_cast<std::size_t>(k)];
      const char tile = blankDie(rng) == 0 ? static_cast<char>(ch - 'a' + 'A') : ch;
      test::layWord(s, sq(k) / kSide, sq(k) % kSide, false, std::string(1, tile));
      --s.MoveNumber;  // one move for the whole word
    }
    ++s.MoveNumber;
    ++laid;
  }
  return s;
}

// A rack of `tiles` tiles with `blanks` blanks; letters follow the set's mix.
std::string makeRack(std::mt19937& rng, int tiles, int blanks) {
  std::discrete_distribution<int> letter(kLetterCount.begin(), kLetterCount.begin() + 26);
  std::string rack;
  for (int k = 0; k < tiles - blanks; ++k) rack += static_cast<char>('a' + letter(rng));
  rack.insert(rack.end(), static_cast<std::size_t>(blanks), '_');
  std::shuffle(rack.begin(), rack.end(), rng);
  return rack;
}

std::string describe(const GameState& s, std::string_view rack) {
  std::ostringstream out;
  out << "rack \"" << rack << "\", move " << s.MoveNumber << "\n";
  for (int r = 0; r < kSide; ++r) {
    for (int c = 0; c < kSide; ++c) {
      const BoardSquare& b = s.Committed.atH(hIndex(r, c));
      out << (!b.occupied                   ? '.'
              : b.tile >= kFirstBlankLetter ? static_cast<char>('A' + b.letter)
                                            : static_cast<char>('a' + b.letter));
    }
    out << "\n";
  }
  return out.str();
}

std::string show(const CompleteResult& r) {
  std::ostringstream out;
  out << (r.down ? "down " : "across ") << r.cand.Total << " " << r.cand.TilesUsed << ":";
  for (const auto& w : r.cand.Words) out << " " << w.Text << "@" << w.Start << "=" << w.Score;
  return out.str();
}

// Runs `positions` positions; stops at the first difference and reports it.
// `crowded`: boards of 25 words and full racks with two blanks.
void compareOn(std::uint32_t seed, int positions, std::size_t listSize, bool shorts,
               bool crowded = false) {
  std::mt19937 rng(seed);
  const TestList t = makeList(rng, listSize, shorts);
  std::uniform_int_distribution<int> moves(crowded ? 20 : 0, crowded ? 25 : 14),
      tiles(crowded ? 7 : 1, 7), blanks(crowded ? 2 : 0, 2);
  std::size_t results = 0;
  for (int p = 0; p < positions; ++p) {
    const GameState s = makeBoard(rng, t, p % 5 == 0 && !crowded ? 0 : moves(rng));
    const int n = tiles(rng);
    const std::string rack =
        makeRack(rng, n, std::min(n, p % 3 == 0 && !crowded ? 0 : blanks(rng)));
    const auto fast = completeSearch(*t.list, s, rack, kAll);
    const auto slow = test::bruteForceComplete(*t.list, s, rack);
    results += slow.size();
    // The best few, found under the anchors' bounds (every rack bounded, or
    // only those the search deems worth it): still the head.
    for (const std::size_t from : {std::size_t{0}, kBoundFrom}) {
      Generator::boundFrom() = from;
      for (const std::size_t k : {std::size_t{1}, std::size_t{4}, std::size_t{13}}) {
        const auto want = std::vector<CompleteResult>(
            slow.begin(), slow.begin() + static_cast<std::ptrdiff_t>(std::min(k, slow.size())));
        ASSERT_EQ(completeSearch(*t.list, s, rack, k), want)
            << "seed " << seed << " position " << p << ", best " << k << ": " << describe(s, rack);
      }
    }
    Generator::boundFrom() = kBoundFrom;
    // Blanks kept to a few letters: the full search's placements whose
    // blanks stand for them (the thread's prefixes are kept per letters too).
    if (rack.find('_') != std::string::npos) {
      std::uniform_int_distribution<std::uint32_t> bits(0, kAnyLetter);
      const std::uint32_t letters = bits(rng) & bits(rng) & bits(rng);
      BoardReading read;
      read.read(t.list->derived<WordGraph>(), s.Committed, s.SquareBonus);
      std::vector<CompleteMove> all, some;
      findPlacements(*read.graph, read.frames, kLetterValue, rack, all);
      findPlacements(*read.graph, read.frames, kLetterValue, rack, some, true, letters);
      std::erase_if(all, [letters](const CompleteMove& m) {
        for (int j = 0; j < m.len; ++j)
          if ((m.blanks >> j) & 1 && !((letters >> (m.word[j] - 'a')) & 1)) return true;
        return false;
      });
      ASSERT_EQ(some, all) << "letters " << letters << ", " << describe(s, rack);
    }
    if (fast == slow) continue;
    std::size_t k = 0;
    while (k < fast.size() && k < slow.size() && fast[k] == slow[k]) ++k;
    FAIL() << "seed " << seed << " position " << p << ": " << describe(s, rack) << "found "
           << fast.size() << ", reference " << slow.size() << "; first difference at " << k
           << "\n  found:     " << (k < fast.size() ? show(fast[k]) : "-")
           << "\n  reference: " << (k < slow.size() ? show(slow[k]) : "-");
  }
  // The positions must be worth comparing: most racks find something.
  EXPECT_GT(results, static_cast<std::size_t>(positions) * 3);
}

TEST(CompleteDifferential, SmallListsWithManyShortWords) { compareOn(1, 800, 300, true); }
TEST(CompleteDifferential, MediumLists) { compareOn(2, 700, 1500, true); }
TEST(CompleteDifferential, LargerListsWithoutTheShortWords) { compareOn(3, 600, 4000, false); }
TEST(CompleteDifferential, CrowdedBoardsAndFullRacks) { compareOn(4, 200, 2000, true, true); }

// Boards no game produces (an unnamed blank, tile numbers and premiums out
// of their ranges, letters everywhere) and racks of any bytes: the search
// still agrees with the reference and never reads out of range.
TEST(CompleteDifferential, OddBoardsAndRacks) {
  std::mt19937 rng(7);
  const TestList t = makeList(rng, 400, true);
  std::uniform_int_distribution<int> letter(0, 26), tile(0, 160), premium(-1, 7), byte(0, 255),
      length(0, 10), percent(0, 99);
  for (int p = 0; p < 150; ++p) {
    GameState s = test::freshPosition();
    const int density = percent(rng) / 2;
    for (int h = 0; h < kSquares; ++h) {
      if (percent(rng) < 20) s.SquareBonus[h] = premium(rng);
      if (percent(rng) >= density) continue;
      const int l = letter(rng);
      s.Committed.set(h, {true, l, s.LetterValue[l], tile(rng)});
    }
    s.MoveNumber = p % 7 - 1;
    std::string rack;
    for (int k = length(rng); k > 0; --k)
      rack += static_cast<char>(percent(rng) < 70   ? 'a' + letter(rng) % 26
                                : percent(rng) < 50 ? '_'
                                                    : byte(rng));
    const auto slow = test::bruteForceComplete(*t.list, s, rack);
    ASSERT_EQ(completeSearch(*t.list, s, rack, kAll), slow) << describe(s, rack);
    Generator::boundFrom() = p % 2 ? 0 : kBoundFrom;
    ASSERT_EQ(completeSearch(*t.list, s, rack, 3),
              std::vector<CompleteResult>(slow.begin(), slow.begin() + std::min<std::ptrdiff_t>(
                                                                          3, std::ssize(slow))))
        << describe(s, rack);
    Generator::boundFrom() = kBoundFrom;
  }
}

// Asking for fewer results gives the head of the full list.
TEST(CompleteDifferential, MaxResultsTakesTheHeadOfTheOrder) {
  std::mt19937 rng(5);
  const TestList t = makeList(rng, 800, true);
  for (int p = 0; p < 40; ++p) {
    const GameState s = makeBoard(rng, t, 6);
    const std::string rack = makeRack(rng, 7, p % 3);
    const auto all = completeSearch(*t.list, s, rack, kAll);
    for (std::size_t k : {std::size_t{0}, std::size_t{1}, std::size_t{5}, all.size() / 2}) {
      const auto head = completeSearch(*t.list, s, rack, k);
      ASSERT_EQ(head, std::vector<CompleteResult>(
                          all.begin(),
                          all.begin() + static_cast<std::ptrdiff_t>(std::min(k, all.size()))));
    }
  }
}

// The best few by value (score plus a value of the tiles kept) are the head
// of every placement sorted by value. Leave values on a coarse grid, so that
// many placements tie and the order's tie-breaks count; some racks hold
// characters that are no tiles.
TEST(CompleteDifferential, BestByValueIsTheHeadOfThePlainSort) {
  std::mt19937 rng(8);
  std::uniform_int_distribution<int> moves(0, 14), tiles(1, 7), blanks(0, 2), half(-40, 120),
      percent(0, 99);
  for (int listNo = 0; listNo < 2; ++listNo) {
    const TestList t = makeList(rng, listNo ? 2500 : 500, listNo == 0);
    for (int p = 0; p < 250; ++p) {
      const GameState s = makeBoard(rng, t, p % 6 == 0 ? 0 : moves(rng));
      const int n = tiles(rng);
      std::string rack = makeRack(rng, n, std::min(n, blanks(rng)));
      if (percent(rng) < 10) rack.back() = '?';
      std::sort(rack.begin(), rack.end());
      LeaveValues leaves{};
      for (double& v : leaves) v = half(rng) / 2.0;
      std::vector<CompleteMove> all;
      completeMoves(*t.list, s.Committed, s.SquareBonus, rack, all);
      const unsigned everyTile = (1u << rack.size()) - 1;
      for (CompleteMove& m : all)
        m.value = m.score + leaves[everyTile & ~play::usedMask(s.Committed, rack, m)];
      std::sort(all.begin(), all.end(), valueRankedBefore);
      for (const std::size_t k : {std::size_t{1}, std::size_t{5}, std::size_t{12}}) {
        Generator::boundFrom() = k == 5 ? kBoundFrom : 0;
        std::vector<CompleteMove> best;
        completeMovesByValue(*t.list, s.Committed, s.SquareBonus, rack, leaves, k, best);
        ASSERT_EQ(best, std::vector<CompleteMove>(all.begin(), all.begin() + std::min<std::ptrdiff_t>(
                                                                             std::ssize(all), k)))
            << "best " << k << " by value, " << describe(s, rack);
        Generator::boundFrom() = kBoundFrom;
      }
    }
  }
}

// The squares and letters of a placement's new tiles, by H index.
using NewTiles = std::vector<std::pair<int, char>>;
NewTiles newTiles(const GameState& s, bool down, const Candidate& c) {
  NewTiles out;
  const FormedWord& main = c.Words.front();
  for (std::size_t j = 0; j < main.Text.size(); ++j) {
    const int own = main.Start + static_cast<int>(j);
    const int h = down ? transposeIndex(own) : own;
    if (!s.Committed.atH(h).occupied) out.emplace_back(h, main.Text[j]);
  }
  std::sort(out.begin(), out.end());
  return out;
}
std::vector<std::string> texts(const Candidate& c) {
  std::vector<std::string> out;
  for (const auto& w : c.Words) out.push_back(w.Text);
  std::sort(out.begin(), out.end());
  return out;
}

// Every candidate of the classic search ("Find   Words" with the option
// off) is a placement of the complete search that forms the same words, with
// the same score for the same choice of tiles. The complete search keeps the
// best choice of blanks, so with blanks its score may be higher, never lower.
TEST(CompleteDifferential, EveryClassicCandidateIsACompletePlacement) {
  std::mt19937 rng(6);
  std::uniform_int_distribution<int> moves(0, 10), tiles(1, 7), blanks(0, 2);
  std::size_t compared = 0;
  for (int listNo = 0; listNo < 3; ++listNo) {
    const TestList t = makeList(rng, listNo == 2 ? 3000 : 600, listNo != 2);
    test::StartedGame g(t.placeable);
    for (int p = 0; p < 200; ++p) {
      const GameState board = makeBoard(rng, t, p % 5 == 0 ? 0 : moves(rng));
      GameState& s = g.game.state;
      s.Committed = board.Committed;
      s.SquareBonus = board.SquareBonus;
      s.MoveNumber = board.MoveNumber;
      const int n = tiles(rng);
      const std::string rack = makeRack(rng, n, std::min(n, p % 2 ? 0 : blanks(rng)));
      g.game.form.txtRack.type(rack);
      pressFindWords(g.game, g.prompts);
      ASSERT_TRUE(g.prompts.take().empty());

      std::map<NewTiles, const CompleteResult*> byTiles;
      const auto all = completeSearch(*t.list, s, rack, kAll);
      for (const auto& r : all) byTiles[newTiles(s, r.down, r.cand)] = &r;
      // The classic candidates come from the game's own list.
      auto gameList = g.game.words.get();
      ASSERT_TRUE(gameList.ok());
      const AllCandidates classic =
          allCandidates(*gameList.value(), s, rack, classicSearch());
      for (bool down : {false, true}) {
        for (const Candidate& c : down ? classic.V : classic.H) {
          const auto it = byTiles.find(newTiles(s, down, c));
          ASSERT_NE(it, byTiles.end())
              << describe(s, rack) << "classic " << (down ? "down " : "across ")
              << c.Words.front().Text << "@" << c.Words.front().Start;
          const Candidate& mine = it->second->cand;
          EXPECT_EQ(texts(mine), texts(c)) << describe(s, rack);
          const Candidate asLaid = test::scoreAsLaid(s, down, c.Words.front().Start,
                                                     c.Words.front().Text, c.TilesUsed);
          EXPECT_EQ(asLaid.Words, c.Words) << describe(s, rack);
          EXPECT_EQ(asLaid.Total, c.Total) << describe(s, rack);
          if (rack.find('_') == std::string::npos)
            EXPECT_EQ(mine.Total, c.Total) << describe(s, rack) << show(*it->second);
          else
            EXPECT_GE(mine.Total, c.Total) << describe(s, rack) << show(*it->second);
          ++compared;
        }
      }
    }
  }
  EXPECT_GT(compared, 1000u);
}

}  // namespace
}  // namespace tilvan
