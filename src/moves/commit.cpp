// "USE": commits the tiles laid on the main board as one move, or takes
// them back with the reason the move is refused.
#include <optional>
#include <string_view>
#include <vector>

#include "board/preview.h"
#include "game/handlers.h"
#include "moves/formed_words.h"
#include "moves/game_file.h"
#include "moves/move_check.h"
#include "moves/record.h"
#include "moves/take_back.h"

namespace tilvan {
namespace {

// Square numbers of every slot in use, then the slots ordered by down number
// (each slot moving whole) and the across numbers ordered by themselves.
void numberAndOrder(GameState& s) {
  for (int j = 0; j < kMoveSlots; ++j) {
    if (s.MoveRow[j] <= 0) continue;
    s.MoveSquareH[j] = kSide * (s.MoveRow[j] - 1) + s.MoveCol[j];
    s.MoveSquareV[j] = kSide * (s.MoveCol[j] - 1) + s.MoveRow[j];
  }
  const int n = s.MoveTileCount;
  for (bool swapped = true; swapped;) {
    swapped = false;
    for (int j = 1; j < n; ++j) {
      if (s.MoveSquareV[j - 1] <= s.MoveSquareV[j]) continue;
      for (auto* field : {&s.MoveSquareV, &s.MoveSquareH, &s.MoveLetter, &s.MoveValue, &s.MoveTile,
                          &s.MoveRow, &s.MoveCol})
        std::swap((*field)[j - 1], (*field)[j]);
      swapped = true;
    }
  }
  for (bool swapped = true; swapped;) {
    swapped = false;
    for (int j = 1; j < n; ++j) {
      if (s.MoveSquareH[j - 1] <= s.MoveSquareH[j]) continue;
      std::swap(s.MoveSquareH[j - 1], s.MoveSquareH[j]);
      swapped = true;
    }
  }
}

// Why the move may not be committed, or nothing. Marks FirstMoveOnCentre
// when a first move covers the centre square.
std::optional<std::string_view> refusalOf(GameState& s) {
  std::vector<TileSquare> tiles;
  for (int j = 0; j < s.MoveTileCount; ++j) tiles.push_back({s.MoveRow[j] - 1, s.MoveCol[j] - 1});
  s.MoveCheck = true;
  if (s.MoveNumber > 0) {
    if (!laterMoveConnects(s.Committed, tiles)) return "The Player's Move is Invalid 1";
    return std::nullopt;
  }
  if (tiles.size() >= 2 && !firstMoveInLine(tiles)) return "The Player's Move is Invalid 2";
  for (int j = 0; j < kMoveSlots; ++j)
    if (s.MoveSquareH[j] == kCentre + 1) s.FirstMoveOnCentre = true;
  if (!s.FirstMoveOnCentre) return "The Player's Move is Invalid 3";
  return std::nullopt;
}

void commit(Game& game) {
  GameState& s = game.state;
  Form& f = game.form;
  s.Prev = s.Committed;
  for (int i = 0; i < s.MoveTileCount; ++i) {
    const int h = transposeIndex(s.MoveSquareV[i] - 1);
    s.Committed.set(h, {true, s.MoveLetter[i], s.MoveValue[i], s.MoveTile[i]});
  }
  listFormedWords(game);
  s.Turns.push_back(committedTurn(s));
  s.TakenBack.clear();
  showTotals(game);
  for (int i = 0; i < s.MoveTileCount; ++i) s.SquareBonus[transposeIndex(s.MoveSquareV[i] - 1)] = 0;

  s.LastMoveLetter = s.MoveLetter;
  s.LastMoveTile = s.MoveTile;
  s.LastMoveTileCount = s.MoveTileCount;
  // The move's tiles leave the move being entered: no on-board marks remain.
  for (int i = 0; i < s.MoveTileCount; ++i) {
    const int n = s.MoveTile[i];
    s.TileOnBoard[n] = 0;
    if (isBlankLetterPicture(n)) s.TileOnBoard[blankOf(n)] = 0;
  }
  clearMoveSlots(s);
  s.UseClicks = 1;
  s.LockedCount = s.PlacedCount;
  s.DropSlot = s.DropSlot2 = 0;
  s.MoveTileCount = 0;
  s.MainWordDown = false;
  // Marks of an earlier check must not stay beside the new words. (Before
  // the first move there are none, unless a checked first move was taken
  // back.)
  bool marked = false;
  for (const std::string& mark : f.lblCheckWords) marked = marked || !mark.empty();
  if (s.MoveNumber > 0 || marked) f.lblCheckWords.fill(" ");
  ++s.MoveNumber;
  // The word labels now list this move's words, which stay.
  s.Finder.ResultWordsShown = false;
  clearResults(game);
}

}  // namespace

void pressUse(Game& game, Prompts& prompts) {
  GameState& s = game.state;
  Form& f = game.form;
  s.WordCount = 0;
  if (s.UseClicks > 1 || s.MoveTileCount <= 0) {
    prompts.message("button clicked more than once");
    return;
  }
  if (gameEnded(s.Turns)) {
    prompts.message("The game has ended. Clear Last Move takes back its end.");
    return;
  }
  for (auto& word : s.FormedWords) word.clear();
  for (auto& label : f.lblWords) label.clear();
  s.WordFound.fill(false);
  s.MainWordSquares.fill(0);
  ++s.UseClicks;

  const int mover = s.CurrentPlayer;
  const int lastMover = s.LastMovePlayer;  // of the committed move, kept if this one is refused
  s.LastMovePlayer = mover;
  turnTo(game, nextPlayer(mover, s.NumPlayers));

  numberAndOrder(s);
  if (const auto refusal = refusalOf(s)) {
    takeBackMoveInProgress(game);
    turnTo(game, mover);
    s.LastMovePlayer = lastMover;
    prompts.message(*refusal);
    return;
  }
  commit(game);
  autosave(game, prompts);
}

}  // namespace tilvan
