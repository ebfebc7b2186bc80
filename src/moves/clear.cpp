// "Clear Last Move": takes back the move that USE last committed.
#include <algorithm>

#include "board/preview.h"
#include "game/handlers.h"
#include "moves/take_back.h"

namespace tilvan {

void pressClearLastMove(Game& game, Prompts&) {
  GameState& s = game.state;
  // Tiles still being laid go home first, as a refused move's do.
  if (s.MoveTileCount > 0 || s.PlacedCount > s.LockedCount) takeBackMoveInProgress(game);
  // Only a committed move that still lies on the board can be taken back.
  if (!s.LastMoveOnBoard) return;

  s.Committed = s.Prev;
  const int count = std::clamp(s.LastMoveTileCount, 0, kMoveSlots);
  for (int i = 0; i < count; ++i) returnTileToPool(game, s.LastMoveTile[i]);
  turnTo(game, s.LastMovePlayer);
  s.UseClicks = 1;
  // The move's entries are the last of the locked ones; earlier moves stay locked.
  const int first = std::max(0, s.LockedCount - count);
  for (int j = first; j < s.LockedCount; ++j) s.PlacedTile[j] = 0;
  s.LockedCount = s.PlacedCount = first;
  s.MoveTileCount = 0;
  s.DropSlot = s.DropSlot2 = 0;
  // The move no longer counts: taking back the first move makes the next
  // one a first move again.
  if (s.MoveNumber > 0) --s.MoveNumber;
  if (s.MoveNumber == 0) s.FirstMoveOnCentre = false;
  s.LastMoveOnBoard = false;
  clearResults(game);
}

}  // namespace tilvan
