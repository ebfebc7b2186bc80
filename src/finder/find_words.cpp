#include "finder/find_words.h"

#include <algorithm>
#include <atomic>
#include <cassert>
#include <numeric>
#include <optional>

#include "board/preview.h"
#include "finder/classic_search.h"
#include "finder/scoring.h"
#include "finder/word_checks.h"
#include "game/handlers.h"

namespace tilvan {
namespace {

// Placements too few to be worth a second thread for their scores, and how
// many a thread scores at a time.
constexpr std::size_t kScoredAlone = 512;
constexpr std::size_t kScoreChunk = 256;

void takeSlot(CandidateSet& set, std::array<int, kResultSlots>& slot,
              std::array<int, kResultSlots>& rank, Form& form, int k, int pos) {
  form.lblWord[k] = std::to_string(set.RankedScore[pos]);
  slot[k] = k + 1;
  rank[k] = pos;
}

// Only the letters a..z are tiles, and '_' a blank that stands for one of
// them: other rack characters lay nothing, and a record with any other
// character can never be laid.
bool layable(std::string_view word) {
  return std::all_of(word.begin(), word.end(), [](char c) { return c >= 'a' && c <= 'z'; });
}
std::string tileRack(std::string_view typed) {
  std::string rack;
  for (char c : typed)
    if ((c >= 'a' && c <= 'z') || c == '_') rack += c;
  return rack;
}
std::vector<std::string_view> rackWords(const WordList& list, PlacementSearch& search,
                                        std::string_view rack) {
  std::vector<std::string_view> words = search.rackWords(list, rack);
  std::erase_if(words, [](std::string_view w) { return !layable(w); });
  return words;
}

// The kept placements of both directions of a later move.
struct Kept {
  std::vector<Placement> V, H;
};
Kept keptPlacements(const WordList& list, PlacementSearch& search, const LetterGrid& gridV,
                    const LetterGrid& gridH, std::string_view rack) {
  Kept kept;
  search.keptPlacements(list, gridV, gridH, rack, kept.V, kept.H);
  for (auto* set : {&kept.V, &kept.H})
    std::erase_if(*set, [](const Placement& p) { return !layable(p.word); });
  return kept;
}

Candidate laterMoveCandidate(const SetView& view, std::string_view rack, const Placement& p) {
  Candidate cand;
  cand.Words = formedWords(view.grid, p);
  scoreCandidate(view, rack, cand);
  return cand;
}

// Keeps in `set`, in ranking order, the candidates that can reach a result
// slot: the best kResultSlots by total.
template <class Make>
void keepBest(CandidateSet& set, const std::vector<int>& totals, Make make) {
  for (int i : bestRanked(totals, kResultSlots)) {
    set.RankedCand.push_back(static_cast<int>(set.Cands.size()));
    set.RankedScore.push_back(totals[i]);
    set.Cands.push_back(make(i));
  }
}

void laterMove(const WordList& list, PlacementSearch& search, const GameState& state,
               FinderState& finder, std::string_view rack) {
  const Kept kept = keptPlacements(list, search, finder.BoardCharV, finder.BoardCharH, rack);
  const std::array<SetView, 2> views{makeSetView(state, true), makeSetView(state, false)};
  const std::array<const std::vector<Placement>*, 2> placements{&kept.V, &kept.H};
  std::array<std::vector<int>, 2> totals{std::vector<int>(kept.V.size()),
                                         std::vector<int>(kept.H.size())};
  // Every placement's total, V's then H's, in chunks that the two threads
  // take as they come free (each with scorers of its own).
  const std::size_t all = kept.V.size() + kept.H.size();
  std::atomic<std::size_t> nextChunk{0};
  auto score = [&] {
    std::array<std::optional<PlacementScorer>, 2> scorers;
    for (std::size_t from; (from = nextChunk.fetch_add(kScoreChunk)) < all;) {
      const std::size_t to = std::min(all, from + kScoreChunk);
      for (std::size_t at = from; at < to; ++at) {
        const int set = at < kept.V.size() ? 0 : 1;
        const std::size_t i = set == 0 ? at : at - kept.V.size();
        if (!scorers[set]) scorers[set].emplace(views[set], rack);
        totals[set][i] = scorers[set]->total((*placements[set])[i]);
      }
    }
  };
  if (all < kScoredAlone)
    score();
  else
    search.runBoth(score, score);
#ifndef NDEBUG
  for (int set = 0; set < 2; ++set)
    for (std::size_t i = 0; i < totals[set].size(); ++i)
      assert(totals[set][i] == laterMoveCandidate(views[set], rack, (*placements[set])[i]).Total);
#endif
  for (int set = 0; set < 2; ++set)
    keepBest(set == 0 ? finder.V : finder.H, totals[set],
             [&](int i) { return laterMoveCandidate(views[set], rack, (*placements[set])[i]); });
}

void firstMove(const WordList& list, PlacementSearch& search, const GameState& state,
               FinderState& finder, std::string_view rack) {
  const std::vector<std::string_view> words = rackWords(list, search, rack);
  if (words.empty()) return;
  const SetView view = makeSetView(state, false);
  PlacementScorer scorer(view, rack);
  std::vector<int> totals;
  totals.reserve(words.size());
  for (std::string_view w : words) totals.push_back(scorer.firstMoveTotal(w));
  keepBest(finder.H, totals, [&](int i) { return firstMoveCandidate(view, words[i], rack); });
}

}  // namespace

void rankSet(CandidateSet& set) {
  // A stable sort by total, highest first: counted when the totals are
  // small, as they are in play.
  const std::size_t n = set.Cands.size();
  set.RankedCand.resize(n);
  set.RankedScore.resize(n);
  int low = 0, high = 0;
  for (const Candidate& c : set.Cands) {
    low = std::min(low, c.Total);
    high = std::max(high, c.Total);
  }
  if (static_cast<long>(high) - low > 100000) {
    std::iota(set.RankedCand.begin(), set.RankedCand.end(), 0);
    std::stable_sort(set.RankedCand.begin(), set.RankedCand.end(),
                     [&](int a, int b) { return set.Cands[a].Total > set.Cands[b].Total; });
  } else {
    std::vector<int> start(static_cast<std::size_t>(high - low) + 2, 0);
    for (const Candidate& c : set.Cands) ++start[high - c.Total + 1];
    for (std::size_t i = 1; i < start.size(); ++i) start[i] += start[i - 1];
    for (std::size_t i = 0; i < n; ++i)
      set.RankedCand[start[high - set.Cands[i].Total]++] = static_cast<int>(i);
  }
  for (std::size_t i = 0; i < n; ++i) set.RankedScore[i] = set.Cands[set.RankedCand[i]].Total;
}

std::vector<int> bestRanked(const std::vector<int>& totals, int count) {
  // Insertion into a short list: a later total displaces only a lower one.
  std::vector<int> best;
  if (count <= 0) return best;
  best.reserve(static_cast<std::size_t>(count) + 1);
  for (int i = 0; i < static_cast<int>(totals.size()); ++i) {
    if (static_cast<int>(best.size()) == count && totals[i] <= totals[best.back()]) continue;
    auto at = best.end();
    while (at != best.begin() && totals[*(at - 1)] < totals[i]) --at;
    best.insert(at, i);
    if (static_cast<int>(best.size()) > count) best.pop_back();
  }
  return best;
}

RackCheck checkRack(const GameState& state, std::string_view typedRack) {
  std::array<int, kLetters> left = kLetterCount;
  for (int h = 0; h < kSquares; ++h) {
    const BoardSquare& sq = state.Committed.atH(h);
    if (!sq.occupied) continue;
    const int letter = scoresNothing(sq.tile) ? kBlank : letterBlockOf(sq.tile);
    if (letter >= 0) --left[letter];
  }
  RackCheck out;
  for (char c : tileRack(typedRack)) {
    const int letter = c == '_' ? kBlank : c - 'a';
    if (left[letter]-- > 0)
      out.rack += c;
    else if (out.tooMany.find(c) == std::string::npos)
      out.tooMany += c;
  }
  return out;
}

std::string tooManyTilesMessage(std::string_view letters) {
  std::string names;
  for (char c : letters) {
    if (!names.empty()) names += ", ";
    names += c == '_' ? std::string("blank") : std::string(1, static_cast<char>(c - 'a' + 'A'));
  }
  return "There are not that many " + names + " tiles left; the search leaves the extra ones out.";
}

void wordListSwitched(Game& game) {
  clearResults(game);
  game.state.WordFound.fill(false);
  for (auto& mark : game.form.lblCheckWords) mark.clear();
}

AllCandidates allCandidates(const WordList& list, const GameState& state,
                            std::string_view typedRack, PlacementSearch& search) {
  AllCandidates all;
  const std::string rack = tileRack(typedRack);
  if (state.MoveNumber == 0) {
    const SetView view = makeSetView(state, false);
    for (std::string_view w : rackWords(list, search, rack))
      all.H.push_back(firstMoveCandidate(view, w, rack));
  } else if (state.MoveNumber > 0) {
    const Kept kept =
        keptPlacements(list, search, letterGrid(state, true), letterGrid(state, false), rack);
    for (bool down : {true, false}) {
      const SetView view = makeSetView(state, down);
      for (const Placement& p : down ? kept.V : kept.H)
        (down ? all.V : all.H).push_back(laterMoveCandidate(view, rack, p));
    }
  }
  return all;
}

void fillSlots(FinderState& f, Form& form, bool firstMove) {
  const int nV = firstMove ? 0 : static_cast<int>(f.V.RankedScore.size());
  const int nH = static_cast<int>(f.H.RankedScore.size());
  int pV = 0, pH = 0;
  for (int k = 0; k < kResultSlots; ++k) {
    const bool haveV = pV < nV, haveH = pH < nH;
    if (!haveV && !haveH) break;
    if (haveV && (!haveH || f.V.RankedScore[pV] > f.H.RankedScore[pH]))
      takeSlot(f.V, f.SlotV, f.SlotRankV, form, k, pV++);
    else
      takeSlot(f.H, f.SlotH, f.SlotRankH, form, k, pH++);
  }
}

void fillSlotsFromResults(FinderState& f, Form& form, const std::vector<CompleteResult>& results) {
  for (std::size_t k = 0; k < results.size() && k < static_cast<std::size_t>(kResultSlots); ++k) {
    const bool down = results[k].down;
    CandidateSet& set = down ? f.V : f.H;
    const int cand = static_cast<int>(set.Cands.size());
    set.Cands.push_back(results[k].cand);
    set.RankedCand.push_back(cand);
    set.RankedScore.push_back(results[k].cand.Total);
    takeSlot(set, down ? f.SlotV : f.SlotH, down ? f.SlotRankV : f.SlotRankH, form,
             static_cast<int>(k), cand);
  }
}

void emptyResultSlots(GameState& state, Form& form) {
  FinderState& f = state.Finder;
  f.V = {};
  f.H = {};
  f.SlotV = f.SlotH = f.SlotRankV = f.SlotRankH = {};
  f.SlotExchange = {};
  for (auto& tip : form.lblWordTip) tip.clear();
  parkPreview(form);
  f.BoardCharH = letterGrid(state, false);
  f.BoardCharV = letterGrid(state, true);
}

void runFindWords(Game& game, Prompts& prompts, PlacementSearch& search,
                  const CompleteFill& fill) {
  auto got = game.words.get();
  if (!got.ok()) {
    prompts.message(got.error().message());
    return;
  }
  const WordList& list = *got.value();
  GameState& state = game.state;
  Form& form = game.form;
  FinderState& f = state.Finder;

  // Start clean: nothing of the last search survives, and no preview laid
  // for a placement that was never played stays on the lower board.
  emptyResultSlots(state, form);
  // In a game (its players set) the rack holds only tiles that are left; a
  // position searched on its own is searched with the rack as typed.
  const bool inGame = state.NumPlayers > 0 && state.UserTurn > 0;
  const RackCheck checked = checkRack(state, form.txtRack.Text);
  if (inGame && !checked.tooMany.empty()) prompts.message(tooManyTilesMessage(checked.tooMany));
  const std::string rack = inGame ? checked.rack : tileRack(form.txtRack.Text);

  if (form.chkComplete) {
    redrawCommitted(state, form);
    if (fill)
      fill(list, state, form, rack);
    else
      fillSlotsFromResults(f, form, completeSearch(list, state, rack, kResultSlots));
  } else if (state.MoveNumber == 0) {
    firstMove(list, search, state, f, rack);
    if (!f.H.Cands.empty()) fillSlots(f, form, true);
  } else if (state.MoveNumber > 0) {
    redrawCommitted(state, form);
    laterMove(list, search, state, f, rack);
    fillSlots(f, form, false);
  }

  for (int k = 0; k < kResultSlots; ++k)
    if (f.SlotV[k] != k + 1 && f.SlotH[k] != k + 1 && f.SlotExchange[k].empty())
      form.lblWord[k].clear();
  // The word labels get this search's words; marks of an earlier check
  // would stand beside them.
  for (auto& caption : form.lblWords) caption.clear();
  for (auto& caption : form.lblCheckWords) caption.clear();
  f.PreviewSnap = form.imgTile1;
  f.HasSnapshot = true;
  showSlotPlacements(state, form, 0);
  f.ResultWordsShown = true;
}

void pressFindWords(Game& game, Prompts& prompts) {
  if (!game.search) game.search = std::make_shared<ClassicSearch>();
  runFindWords(game, prompts, *game.search);
}

}  // namespace tilvan
