// Form1's drops: a tile picture dragged from the pool or the board reaches
// the drop handler only where it lands on the main board's picture.
#include <QDragEnterEvent>
#include <QMimeData>
#include <QtMath>

#include "game/handlers.h"
#include "ui/geometry.h"
#include "ui/main_window.h"
#include "ui/widgets.h"

namespace tilvan::ui {

std::optional<int> Form1::draggedTile(const QMimeData* mime) const {
  if (!mime || !mime->hasFormat(kTileMimeType)) return std::nullopt;
  bool ok = false;
  const int n = mime->data(kTileMimeType).toInt(&ok);
  if (!ok || n < 0 || n >= kTilePictures) return std::nullopt;
  return n;
}

bool Form1::reachesBoard(QPointF windowPoint) const {
  const int x = qFloor(windowPoint.x() * kTwipsPerPixel) - kMainBoardLeft;
  const int y = qFloor(windowPoint.y() * kTwipsPerPixel) - kMainBoardTop;
  return dropTargetAt(game_, x, y) == DropTarget::kBoard;
}

void Form1::dropTileAt(int tile, QPointF windowPoint) {
  // Only a visible picture can be dragged.
  if (tile < 0 || tile >= kTilePictures || !game_.form.imgTile[tile].Visible) return;
  if (!reachesBoard(windowPoint)) return;
  const int x = qFloor(windowPoint.x() * kTwipsPerPixel) - kMainBoardLeft;
  const int y = qFloor(windowPoint.y() * kTwipsPerPixel) - kMainBoardTop;
  act([=](Game& g, Prompts& p) { dropTile(g, p, tile, x, y); });
}

void Form1::dragEnterEvent(QDragEnterEvent* e) {
  if (draggedTile(e->mimeData())) e->acceptProposedAction();
}

void Form1::dragMoveEvent(QDragMoveEvent* e) {
  if (draggedTile(e->mimeData()) && reachesBoard(e->position()) && !busy_)
    e->acceptProposedAction();
  else
    e->ignore();
}

void Form1::dropEvent(QDropEvent* e) {
  const auto tile = draggedTile(e->mimeData());
  if (!tile) return e->ignore();
  e->acceptProposedAction();
  dropTileAt(*tile, e->position());
}

}  // namespace tilvan::ui
