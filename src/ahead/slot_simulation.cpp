#include "ahead/slot_simulation.h"

#include <algorithm>
#include <cstdio>

#include "board/preview.h"
#include "finder/find_words.h"
#include "finder/scoring.h"
#include "game/handlers.h"
#include "game/unseen.h"
#include "play/leave.h"
#include "play/slot_fill.h"

namespace tilvan {
namespace {

std::string fixed1(double v) { return valueShown(v); }

// "31.2\xb1" "1.4": a simulated value and its standard error (the plus-minus
// sign in the window's Latin-1 captions).
std::string simShown(const SimCandidate& s) {
  return fixed1(s.mean) + "\xb1" + fixed1(s.stdErr);
}

// The slots as a search leaves them before filling: empty, the lower board
// the committed board's mirror (also its snapshot).
void clearSlots(GameState& state, Form& form) {
  FinderState& f = state.Finder;
  emptyResultSlots(state, form);
  for (auto& caption : form.lblWord) caption.clear();
  for (auto& caption : form.lblWords) caption.clear();
  for (auto& caption : form.lblCheckWords) caption.clear();
  redrawCommitted(state, form);
  f.PreviewSnap = form.imgTile1;
  f.HasSnapshot = true;
}

void showCandidate(GameState& state, Form& form, const SimCandidate& s, int k) {
  const play::Choice& c = s.choice;
  FinderState& f = state.Finder;
  form.lblWord[k] = std::to_string(c.score) + " sim " + simShown(s);
  const std::string rest = ": simulated " + simShown(s) + " over " +
                           std::to_string(s.iterations) + " rounds, value " + fixed1(c.value);
  if (c.kind == play::Choice::Kind::kMove) {
    takeMove(state, f, c, k);
    form.lblWordTip[k] = std::to_string(c.score) + " points, keeps " + tilesShown(c.keep) + rest;
  } else if (c.kind == play::Choice::Kind::kExchange) {
    f.SlotExchange[k] = "Exchange: keep " + tilesShown(c.keep);
    form.lblWordTip[k] = f.SlotExchange[k] + ", throw " + tilesShown(c.thrown) + rest;
  } else {
    f.SlotExchange[k] = "Pass";
    form.lblWordTip[k] = "Pass" + rest;
  }
}

}  // namespace

std::optional<SlotSimulation> prepareSlotSimulation(Game& game) {
  auto got = game.words.get();
  if (!got.ok()) return std::nullopt;
  const GameState& state = game.state;
  const bool inGame = state.NumPlayers > 0 && state.UserTurn > 0;
  std::string typed = game.form.txtRack.Text;
  std::erase_if(typed, [](char c) { return !((c >= 'a' && c <= 'z') || c == '_'); });
  if (inGame) typed = checkRack(state, typed).rack;
  const std::string tiles =
      play::sortedTiles(typed.substr(0, std::min<std::size_t>(typed.size(), kMoveSlots)));
  if (tiles.empty()) return std::nullopt;
  const int players = state.NumPlayers >= 2 && state.NumPlayers <= kPlayers ? state.NumPlayers : 2;
  SlotSimulation sim;
  sim.list = got.value();
  const play::ValueInputs in =
      play::inputsFor(state.Committed, tiles, players, play::LeaveTable::builtIn());
  sim.candidates = simCandidates(*sim.list, state.Committed, state.SquareBonus, tiles, in, 10);
  play::Position& pos = sim.position;
  pos.board = state.Committed;
  pos.premiums = state.SquareBonus;
  pos.racks[0] = tiles;
  // The tiles the user has not seen (the rack typed left out).
  std::string unseen;
  const std::array<int, kLetters> counts = unseenTiles(game);
  for (int i = 0; i < kLetters; ++i)
    unseen.append(static_cast<std::size_t>(counts[static_cast<std::size_t>(i)]),
                  i == kBlank ? '_' : static_cast<char>('a' + i));
  pos.racks[1] = unseen.substr(0, std::min<std::size_t>(unseen.size(), kMoveSlots));
  pos.bag = unseen.substr(pos.racks[1].size());
  return sim;
}

SimResult runSlotSimulation(const SlotSimulation& sim, const SimOptions& options) {
  return simulate({sim.list.get(), &play::LeaveTable::builtIn()}, sim.position, sim.candidates,
                  options);
}

void showSimulation(Game& game, const SimResult& result) {
  clearSlots(game.state, game.form);
  const int n = std::min<int>(static_cast<int>(result.candidates.size()), kResultSlots);
  for (int k = 0; k < n; ++k)
    showCandidate(game.state, game.form, result.candidates[static_cast<std::size_t>(k)], k);
  showSlotPlacements(game.state, game.form, 0);
  game.state.Finder.ResultWordsShown = true;
}

void pressSimulate(Game& game, Prompts& prompts, int rounds, std::uint64_t seed) {
  const std::optional<SlotSimulation> sim = prepareSlotSimulation(game);
  if (!sim) {
    prompts.status("Type the rack to simulate its best turns.");
    return;
  }
  SimOptions options;
  options.timeMs = 600000;
  options.maxRounds = rounds;
  options.minRounds = rounds;
  options.seed = seed;
  showSimulation(game, runSlotSimulation(*sim, options));
}

}  // namespace tilvan
