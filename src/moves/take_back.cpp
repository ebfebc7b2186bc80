#include "moves/take_back.h"

#include <algorithm>

namespace tilvan {

void returnTileToPool(Game& game, int n) {
  GameState& s = game.state;
  Form& f = game.form;
  if (n < 0 || n >= kTilePictures) return;
  s.TileOnBoard[n] = 0;
  if (isBlankLetterPicture(n)) {
    const int blank = blankOf(n);
    f.imgTile[n] = {blankLetterParkLeft(n), kBlankLetterParkTop, false};
    f.imgTile[blank] = {letterHomeLeft(kBlank), letterHomeTop(kBlank), true};
    s.TileOnBoard[blank] = 0;
    addToCaption(f.lbTile[kBlank], 1);
    return;
  }
  const int letter = letterBlockOf(n);
  f.imgTile[n] = {letterHomeLeft(letter), letterHomeTop(letter), true};
  addToCaption(f.lbTile[letter], 1);
}

void takeBackMoveInProgress(Game& game) {
  GameState& s = game.state;
  for (int i = 0; i < std::min(s.MoveTileCount, kMoveSlots); ++i)
    returnTileToPool(game, s.MoveTile[i]);
  for (int j = s.LockedCount; j < s.PlacedCount; ++j) {
    s.TileOnBoard[s.PlacedTile[j]] = 0;
    s.PlacedTile[j] = 0;
  }
  s.PlacedCount = s.LockedCount;
  s.UseClicks = 1;
  s.MoveTileCount = 0;
  s.DropSlot = s.DropSlot2 = 0;
  s.MoveCheck = true;
  clearMoveSlots(s);
}

std::pair<int, int> takeBackLastTile(Game& game) {
  GameState& s = game.state;
  if (s.MoveTileCount <= 0 || s.PlacedCount <= s.LockedCount) return {0, 0};
  const int slot = s.MoveTileCount - 1;
  const std::pair<int, int> square{s.MoveRow[slot], s.MoveCol[slot]};
  returnTileToPool(game, s.MoveTile[slot]);
  s.PlacedTile[--s.PlacedCount] = 0;
  for (auto* slots : {&s.MoveRow, &s.MoveCol, &s.MoveValue, &s.MoveLetter, &s.MoveTile,
                      &s.MoveSquareH, &s.MoveSquareV})
    (*slots)[slot] = 0;
  s.MoveTileCount = slot;
  s.DropSlot = s.DropSlot2 = slot - 1;
  return square;
}

void clearMoveSlots(GameState& s) {
  for (auto* slots : {&s.MoveRow, &s.MoveCol, &s.MoveValue, &s.MoveLetter, &s.MoveTile,
                      &s.MoveSquareH, &s.MoveSquareV})
    slots->fill(0);
}

void turnTo(Game& game, int p) {
  game.form.linPlayer[std::clamp(game.state.CurrentPlayer, 0, kPlayers - 1)] = false;
  game.state.CurrentPlayer = std::clamp(p, 0, kPlayers - 1);
  game.form.linPlayer[game.state.CurrentPlayer] = true;
}

void markTurnOrEnd(Game& game) {
  if (gameEnded(game.state.Turns))
    game.form.linPlayer.fill(false);
  else
    turnTo(game, game.state.CurrentPlayer);
}

int nextPlayer(int p, int numPlayers) { return p + 1 >= numPlayers ? 0 : p + 1; }

}  // namespace tilvan
