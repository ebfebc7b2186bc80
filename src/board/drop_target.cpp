#include "game/handlers.h"

namespace tilvan {

DropTarget dropTargetAt(const Game& game, int x, int y) {
  if (x < 0 || y < 0 || x >= kBoardSize || y >= kBoardSize) return DropTarget::kOutside;
  // Tile pictures lie above the board: a point on one of them reaches it.
  const int wx = kMainBoardLeft + x, wy = kMainBoardTop + y;
  for (const Picture& p : game.form.imgTile) {
    if (p.Visible && wx >= p.Left && wx < p.Left + kTileSize && wy >= p.Top &&
        wy < p.Top + kTileSize)
      return DropTarget::kTilePicture;
  }
  return DropTarget::kBoard;
}

}  // namespace tilvan
