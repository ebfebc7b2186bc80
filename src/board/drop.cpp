// Laying a tile picture on the main board: the move being entered gains a
// tile, or one of its tiles moves to another square.
#include <algorithm>

#include "board/blank_tile.h"
#include "game/handlers.h"

namespace tilvan {
namespace {

// Row or column under a drop coordinate (twips from the board's edge). The
// first 40 twips are the board's margin; the last few twips at the far edge
// still belong to row or column 14.
int squareUnder(int twips) {
  const int offset = twips - 40;
  if (offset < kSquarePitch) return 0;
  return std::min(kSide - 1, offset / kSquarePitch);
}

// Slot of the move being entered that holds tile n, or -1.
int slotOf(const GameState& s, int n) {
  for (int j = 0; j < s.MoveTileCount; ++j)
    if (s.MoveTile[j] == n) return j;
  return -1;
}

bool isLocked(const GameState& s, int n) {
  for (int j = 0; j < s.LockedCount; ++j)
    if (s.PlacedTile[j] == n) return true;
  return false;
}

}  // namespace

void dropTile(Game& game, Prompts& prompts, int n, int x, int y) {
  GameState& s = game.state;
  Form& f = game.form;
  // A hidden picture cannot be dragged at all.
  if (n < 0 || n >= kTilePictures || !f.imgTile[n].Visible) return;
  if (s.NumPlayers == 0 || s.UserTurn == 0) {
    prompts.message("You Must Input Number of Players and Your Turn Before Starting Game!");
    return;
  }
  if (isLocked(s, n)) {
    prompts.message("You can't moved previously played Tiles.");
    return;
  }
  int slot = slotOf(s, n);
  const bool isNew = slot < 0;
  if (isNew) {
    // An eighth tile is ignored without a word.
    if (s.MoveTileCount >= kMoveSlots) return;
    // A blank-as-letter picture is shown only while it lies in a move; one
    // that is neither in this move nor locked cannot be laid anew.
    if (n >= kSetTiles || s.PlacedCount >= kSetTiles) return;
  }

  const int col = squareUnder(x), row = squareUnder(y);
  const int left = mainSquareLeft(col), top = mainSquareTop(row);
  ++s.TileOnBoard[n];
  f.imgTile[n] = {left, top, true};
  if (isNew) {
    const int letter = letterBlockOf(n);
    addToCaption(f.lbTile[letter], -1);
    slot = s.MoveTileCount++;
    s.MoveTile[slot] = n;
    s.MoveLetter[slot] = letter;
    s.PlacedTile[s.PlacedCount++] = n;
  }
  s.DropSlot = s.DropSlot2 = slot;
  s.MoveCol[slot] = col + 1;
  s.MoveRow[slot] = row + 1;
  s.MoveValue[slot] = s.TileValue[n];

  // (A blank's own picture is hidden once named, so it is always new here.)
  if (isNew && isBlankTile(n)) {
    // The blank lies on the board as the picture of the letter it is named.
    s.BlankTile = n;
    runBlankTileDialog(s, prompts);
    const int letter = std::clamp(s.BlankLetterIndex, 0, 25);
    const int named = blankLetterPicture(n, letter);
    s.TileOnBoard[named] += 2;
    s.MoveTile[slot] = named;
    s.MoveLetter[slot] = letter;
    s.PlacedTile[s.PlacedCount - 1] = named;
    s.MoveValue[slot] = s.TileValue[named];
    f.imgTile[named] = {left, top, true};
    f.imgTile[n] = {kNamedBlankLeft, kNamedBlankTop, false};
  }
}

}  // namespace tilvan
