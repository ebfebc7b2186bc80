#include "ahead/slot_endgame.h"

#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

#include "board/preview.h"
#include "finder/find_words.h"
#include "finder/word_graph.h"
#include "finder/word_index.h"
#include "game/handlers.h"
#include "game/standings.h"
#include "game/unseen.h"
#include "play/slot_fill.h"
#include "words/lookup.h"

namespace tilvan {
namespace {

// The rack as "Find   Words" searches it: in a game only the tiles left,
// at most 7.
std::string searchedRack(const Game& game) {
  const GameState& state = game.state;
  const bool inGame = state.NumPlayers > 0 && state.UserTurn > 0;
  std::string rack = game.form.txtRack.Text;
  std::erase_if(rack, [](char c) { return !((c >= 'a' && c <= 'z') || c == '_'); });
  if (inGame) rack = checkRack(state, rack).rack;
  if (rack.size() > kMoveSlots) rack.resize(kMoveSlots);
  return rack;
}

std::string unseenRack(const Game& game) {
  std::string out;
  const std::array<int, kLetters> counts = unseenTiles(game);
  for (int l = 0; l < kLetters; ++l)
    out.append(static_cast<std::size_t>(counts[static_cast<std::size_t>(l)]), letterChar(l));
  return out;
}

// "QI 8G 22": the main word (a blank's letter in lower case), where it
// starts (across: row then column; down: column then row) and the score.
std::string moveShown(const EndgameMove& m) {
  const Candidate& c = m.placement.cand;
  const FormedWord& main = c.Words.front();
  std::string word = upperCase(main.Text);
  for (std::size_t j = 0; j < word.size() && j < c.TilesUsed.size(); ++j)
    if (c.TilesUsed[j] == '_') word[j] = main.Text[j];
  const bool down = m.placement.down;
  const int row = down ? main.Start % kSide : main.Start / kSide;
  const int col = down ? main.Start / kSide : main.Start % kSide;
  return word + " " + placeName(row, col, down) + " " + std::to_string(m.score);
}

// The solved line as the hover text shows it, and how it ends: the line is
// replayed on a position of its own, which counts tiles, rack points and
// scoreless turns as the solver does.
std::string lineShown(const SlotEndgame& e, const EndgameResult& r) {
  EgPosition pos(*e.list, e.state, e.rack, e.opponent);
  std::string out;
  for (std::size_t i = 0; i < r.line.size() && i < r.moves.size(); ++i) {
    const int mover = static_cast<int>(i % 2), sign = mover == 0 ? 1 : -1;
    const EndgameMove& m = r.line[i];
    out += std::string(i ? ", " : "") + (mover == 0 ? "You: " : "Opponent: ") +
           (m.pass ? std::string("pass") : moveShown(m));
    pos.play(r.moves[i]);
    if (pos.tiles(mover) == 0)
      return out + ", out " + spreadShown(sign * outBonus(pos.rackSum(1 - mover)));
    if (pos.scoreless() >= kScorelessLimit)
      return out + ", six scoreless turns " +
             spreadShown(sign * scorelessEnd(pos.rackSum(mover), pos.rackSum(1 - mover)));
  }
  return out + (out.empty() ? "..." : ", ...");
}

// One result slot as the search filled it.
struct Slot {
  int set = -1;  // 0: V, 1: H, -1: none (an exchange, a pass or nothing)
  int rank = 0;  // position in that set's order
  std::string exchange, caption, tip;
};

Slot slotOf(const GameState& state, const Form& form, int k) {
  const FinderState& f = state.Finder;
  Slot s;
  if (f.SlotV[k] == k + 1) s = {0, f.SlotRankV[k], {}, {}, {}};
  if (f.SlotH[k] == k + 1) s = {1, f.SlotRankH[k], {}, {}, {}};
  s.exchange = f.SlotExchange[k];
  s.caption = form.lblWord[k];
  s.tip = form.lblWordTip[k];
  return s;
}

bool holds(const FinderState& f, const Slot& s, const CompleteResult& move) {
  if (s.set != (move.down ? 0 : 1)) return false;
  const CandidateSet& set = move.down ? f.V : f.H;
  if (s.rank < 0 || s.rank >= static_cast<int>(set.RankedCand.size())) return false;
  return set.Cands[static_cast<std::size_t>(set.RankedCand[static_cast<std::size_t>(s.rank)])] ==
         move.cand;
}

void putSlot(FinderState& f, Form& form, const Slot& s, int k) {
  f.SlotV[k] = s.set == 0 ? k + 1 : kNoSlot;
  f.SlotH[k] = s.set == 1 ? k + 1 : kNoSlot;
  f.SlotRankV[k] = s.set == 0 ? s.rank : 0;
  f.SlotRankH[k] = s.set == 1 ? s.rank : 0;
  f.SlotExchange[k] = s.exchange;
  form.lblWord[k] = s.caption;
  form.lblWordTip[k] = s.tip;
}

// The best move as slot 0 would hold it: the slot that already has it
// (taken out of `rest`), else a new entry of its set.
Slot bestSlot(FinderState& f, std::vector<Slot>& rest, const EndgameResult& r) {
  if (r.line.empty() || r.line.front().pass) return {-1, 0, "Pass", {}, {}};
  const CompleteResult& move = r.line.front().placement;
  const auto same =
      std::find_if(rest.begin(), rest.end(), [&](const Slot& s) { return holds(f, s, move); });
  if (same != rest.end()) {
    Slot s = *same;
    rest.erase(same);
    return s;
  }
  return {move.down ? 0 : 1, appendRanked(f, move), {}, {}, {}};
}

}  // namespace

std::optional<SlotEndgame> prepareSlotEndgame(const Game& game) {
  const GameState& state = game.state;
  if (!game.form.chkComplete || state.NumPlayers != 2 || bagCount(game) > 0) return std::nullopt;
  SlotEndgame e;
  e.rack = searchedRack(game);
  e.opponent = unseenRack(game);
  if (e.rack.empty() || e.opponent.empty() || e.opponent.size() > kMoveSlots) return std::nullopt;
  auto got = game.words.get();
  if (!got.ok()) return std::nullopt;
  e.list = got.value();
  // The list's indexes are built here, on the game's thread: a solve on
  // another thread then only reads them, whatever the window searches.
  e.list->derived<WordGraph>();
  e.list->derived<WordIndex>();
  e.list->derived<WordSet>();
  e.state = state;
  e.captions = game.form.lblWord;
  e.tips = game.form.lblWordTip;
  return e;
}

SlotEndgameAnswer solveSlotEndgame(const SlotEndgame& endgame, EndgameOptions options) {
  options.describeLine = true;
  SlotEndgameAnswer a;
  a.solved = solveEndgame(*endgame.list, endgame.state, endgame.rack, endgame.opponent, options);
  a.line = lineShown(endgame, a.solved);
  const bool nodesRanOut = options.maxNodes > 0 && a.solved.nodes >= options.maxNodes;
  char seconds[32];
  std::snprintf(seconds, sizeof seconds, options.timeMs % 1000 ? "%.1f s" : "%.0f s",
                options.timeMs / 1000.0);
  a.limit = nodesRanOut ? std::to_string(options.maxNodes) + " positions" : std::string(seconds);
  return a;
}

EndgameOptions reproducibleEndgameOptions() {
  EndgameOptions options;
  options.timeMs = 10 * 60 * 1000;
  options.maxNodes = 200000;
  return options;
}

std::string spreadShown(int spread) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%+d", spread);
  return buf;
}

std::string bestToTheEndCaption(const SlotEndgameAnswer& a) {
  const std::string n = std::string("(").append(spreadShown(a.solved.spread)).append(")");
  return (a.solved.exact ? "best to the end " : "unproven best ") + n;
}

std::string bestToTheEndStatus(const SlotEndgameAnswer& a) {
  const std::string n = spreadShown(a.solved.spread);
  if (a.solved.exact)
    return "Endgame solved: result 1 is the best to the end, " + n + " from here.";
  return "Endgame not proven in " + a.limit + ": result 1 is the best found, " + n + " from here.";
}

bool showBestToTheEnd(Game& game, Prompts& prompts, const SlotEndgame& endgame,
                      const SlotEndgameAnswer& answer) {
  Form& form = game.form;
  if (form.lblWord != endgame.captions || form.lblWordTip != endgame.tips) return false;
  FinderState& f = game.state.Finder;
  std::vector<Slot> rest;
  for (int k = 0; k < kResultSlots; ++k) {
    Slot s = slotOf(game.state, form, k);
    if (s.set >= 0 || !s.exchange.empty()) rest.push_back(std::move(s));
  }
  Slot best = bestSlot(f, rest, answer.solved);
  const std::string before = best.tip.empty() ? std::string() : "\n" + best.tip;
  best.caption = bestToTheEndCaption(answer);
  best.tip = bestToTheEndStatus(answer) + "\n" + answer.line + before;
  rest.insert(rest.begin(), std::move(best));
  rest.resize(std::min<std::size_t>(rest.size(), kResultSlots));
  for (int k = 0; k < kResultSlots; ++k)
    putSlot(f, form, k < static_cast<int>(rest.size()) ? rest[static_cast<std::size_t>(k)] : Slot{},
            k);
  pressShowSlot(game, prompts, 0);
  prompts.status(bestToTheEndStatus(answer));
  return true;
}

void pressFindWordsToTheEnd(Game& game, Prompts& prompts) {
  pressFindWordsRanked(game, prompts);
  if (const std::optional<SlotEndgame> e = prepareSlotEndgame(game))
    showBestToTheEnd(game, prompts, *e, solveSlotEndgame(*e, reproducibleEndgameOptions()));
}

}  // namespace tilvan
