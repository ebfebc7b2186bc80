// "Find   Words" ranked by value: the complete search's placements and the
// exchanges, by points plus the value of the tiles kept, in the five slots.
#include <algorithm>
#include <cstdio>

#include "finder/classic_search.h"
#include "finder/find_words.h"
#include "game/handlers.h"
#include "play/choice.h"
#include "play/slot_fill.h"
#include "play/position.h"

namespace tilvan {
namespace {

std::string signedValue(double v) { return valueShown(v, true); }
std::string plainValue(double v) { return valueShown(v); }

}  // namespace

std::string valueShown(double v, bool sign) {
  char buf[32];
  std::snprintf(buf, sizeof buf, sign ? "%+.1f" : "%.1f", v);
  const std::string s = buf;
  if (s == "-0.0") return sign ? "+0.0" : "0.0";
  return s;
}

std::string tilesShown(const std::string& tiles) {
  return tiles.empty() ? std::string("nothing") : upperCase(tiles);
}

int appendRanked(FinderState& f, const CompleteResult& r) {
  CandidateSet& set = r.down ? f.V : f.H;
  set.RankedCand.push_back(static_cast<int>(set.Cands.size()));
  set.Cands.push_back(r.cand);
  set.RankedScore.push_back(r.cand.Total);
  return static_cast<int>(set.RankedCand.size()) - 1;
}

void takeMove(const GameState& state, FinderState& f, const play::Choice& c, int k) {
  const CompleteResult r = describeMoves(state, {c.move}).front();
  (r.down ? f.SlotV : f.SlotH)[k] = k + 1;
  (r.down ? f.SlotRankV : f.SlotRankH)[k] = appendRanked(f, r);
}

namespace {

void fillByValue(const WordList& list, GameState& state, Form& form, const std::string& rack) {
  const std::string tiles = play::sortedTiles(rack.substr(0, std::min<std::size_t>(rack.size(), kMoveSlots)));
  const int players = state.NumPlayers >= 2 && state.NumPlayers <= kPlayers ? state.NumPlayers : 2;
  const play::ValueInputs in =
      play::inputsFor(state.Committed, tiles, players, play::LeaveTable::builtIn());
  const std::vector<play::Choice> ranked =
      play::rankByValue(list, state.Committed, state.SquareBonus, tiles, in, kResultSlots);
  FinderState& f = state.Finder;
  for (int k = 0; k < static_cast<int>(ranked.size()) && k < kResultSlots; ++k) {
    const play::Choice& c = ranked[static_cast<std::size_t>(k)];
    if (c.kind == play::Choice::Kind::kPass) break;  // nothing to lay or exchange
    const std::string value = ": value " + plainValue(c.value);
    form.lblWord[k] = std::to_string(c.score) + " " + signedValue(c.leaveValue);
    if (c.kind == play::Choice::Kind::kExchange) {
      f.SlotExchange[k] = "Exchange: keep " + tilesShown(c.keep);
      form.lblWordTip[k] = f.SlotExchange[k] + ", throw " + tilesShown(c.thrown) + value;
    } else {
      takeMove(state, f, c, k);
      form.lblWordTip[k] = std::to_string(c.score) + " points, keeps " + tilesShown(c.keep) +
                           " (" + signedValue(c.leaveValue) + ")" + value;
    }
  }
}

}  // namespace

void pressFindWordsRanked(Game& game, Prompts& prompts) {
  if (!(game.form.chkComplete && game.form.chkValue)) {
    pressFindWords(game, prompts);
    return;
  }
  if (!game.search) game.search = std::make_shared<ClassicSearch>();
  runFindWords(game, prompts, *game.search, fillByValue);
}

}  // namespace tilvan
