#include "game/handlers.h"

namespace tilvan {

void startUp(Game& game, Prompts& prompts) {
  GameState& s = game.state;
  Form& f = game.form;
  f.linPlayer[0] = true;
  for (int i = 0; i < kLetters; ++i) {
    for (int n = letterEnd(i) - kLetterCount[i]; n < letterEnd(i); ++n)
      s.TileValue[n] = kLetterValue[i];
    s.LetterValue[i] = kLetterValue[i];
  }
  for (int n = kSetTiles; n < kTilePictures; ++n) s.TileValue[n] = 0;
  for (int i = 0; i < kLetters; ++i) {
    s.LetterCount[i] = kLetterCount[i];
    s.LetterEnd[i] = letterEnd(i);
  }
  for (int i = 0; i < kLetters; ++i) {
    const Picture& last = f.imgTile[s.LetterEnd[i] - 1];
    s.LetterHomeLeft[i] = last.Left;
    s.LetterHomeTop[i] = last.Top;
  }
  for (int i = 0; i < kLetters; ++i) s.LetterChar[i] = letterChar(i);
  s.SquareBonus = premiumMap();
  for (int r = 0; r < kSide; ++r)
    for (int c = 0; c < kSide; ++c) {
      s.SquareTopH[hIndex(r, c)] = s.SquareTopV[vIndex(r, c)] = lowerSquareTop(r);
      s.SquareLeftH[hIndex(r, c)] = s.SquareLeftV[vIndex(r, c)] = lowerSquareLeft(c);
    }
  s.DropSlot = s.DropSlot2 = -1;
  s.UseClicks = 1;
  s.MoveCheck = true;
  s.MoveNumber = s.MoveTileCount = s.CurrentPlayer = 0;
  prompts.message("You Must Set the Number of Players and Your Turn Number Before Playing");
}

}  // namespace tilvan
