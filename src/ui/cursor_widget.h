// The typing cursor on the main board: a frame over its square with an
// arrow for the direction typed letters go. It lets clicks through to the
// board below.
#pragma once

#include <QWidget>

#include "game/form.h"

namespace tilvan::ui {

class CursorWidget : public QWidget {
 public:
  explicit CursorWidget(QWidget* parent);
  // Shows the mirror's cursor: its square, direction and visibility, with
  // the client area scaled by `zoom` (1 = the design's size).
  void showCursor(const Cursor& cursor, double zoom);
  bool down() const { return down_; }

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  bool down_ = false;
};

}  // namespace tilvan::ui
