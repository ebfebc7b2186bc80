// "Clear Last Move" and Redo: take back the latest turn of the record, and
// put taken-back turns back in order.
#include <algorithm>

#include "board/preview.h"
#include "game/handlers.h"
#include "moves/game_file.h"
#include "moves/record.h"
#include "moves/take_back.h"

namespace tilvan {
namespace {

// How many of the last turns of `turns` go together: the end-of-game
// adjustments of every player, or one turn.
std::size_t lastGroup(const std::vector<Turn>& turns) {
  std::size_t n = 0;
  while (n < turns.size() && turns[turns.size() - 1 - n].kind == TurnKind::kEnd) ++n;
  return std::max<std::size_t>(n, turns.empty() ? 0 : 1);
}

// The words listed and checked belong to a move that is no longer the last
// one played.
void forgetMoveWords(Game& game) {
  GameState& s = game.state;
  for (auto& word : s.FormedWords) word.clear();
  s.WordCount = 0;
  s.WordFound.fill(false);
  s.MainWordSquares.fill(0);
  for (auto& label : game.form.lblWords) label.clear();
  for (auto& label : game.form.lblCheckWords) label.clear();
}

}  // namespace

void pressClearLastMove(Game& game, Prompts& prompts) {
  GameState& s = game.state;
  // Tiles still being laid go home first, as a refused move's do.
  if (s.MoveTileCount > 0 || s.PlacedCount > s.LockedCount) takeBackMoveInProgress(game);
  if (s.Turns.empty()) return;

  std::vector<Turn> turns = s.Turns;
  std::vector<Turn> takenBack = s.TakenBack;
  for (std::size_t n = lastGroup(turns); n > 0; --n) {
    takenBack.push_back(std::move(turns.back()));
    turns.pop_back();
  }
  if (auto why = rebuildFromTurns(game, turns)) {
    prompts.message("The game cannot be rebuilt: " + *why);
    return;
  }
  // The turn goes back to the player whose turn was taken back.
  if (takenBack.back().kind != TurnKind::kEnd) turnTo(game, takenBack.back().player);
  s.TakenBack = std::move(takenBack);
  clearResults(game);  // they were found on the board before
  forgetMoveWords(game);
  autosave(game, prompts);
}

void pressRedo(Game& game, Prompts& prompts) {
  GameState& s = game.state;
  if (s.TakenBack.empty()) {
    prompts.message("There is no move to put back.");
    return;
  }
  if (s.MoveTileCount > 0 || s.PlacedCount > s.LockedCount) takeBackMoveInProgress(game);
  std::vector<Turn> turns = s.Turns;
  std::vector<Turn> takenBack = s.TakenBack;
  const bool end = takenBack.back().kind == TurnKind::kEnd;
  do {
    turns.push_back(std::move(takenBack.back()));
    takenBack.pop_back();
  } while (end && !takenBack.empty() && takenBack.back().kind == TurnKind::kEnd);
  if (auto why = rebuildFromTurns(game, turns)) {
    prompts.message("The game cannot be rebuilt: " + *why);
    return;
  }
  s.TakenBack = std::move(takenBack);
  clearResults(game);
  forgetMoveWords(game);
  autosave(game, prompts);
}

}  // namespace tilvan
