// Form1's typing: a click on an empty square of the main board puts the
// cursor there (a second click or Tab turns it), keys typed on the board lay
// tiles, Backspace and Escape take them back, Enter presses USE, the arrow
// keys move the cursor. A result button lays its placement on a
// double-click or from its context menu.
#include <QAction>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <QtMath>

#include "game/handlers.h"
#include "ui/cursor_widget.h"
#include "ui/geometry.h"
#include "ui/main_window.h"
#include "ui/widgets.h"

namespace tilvan::ui {

CursorWidget::CursorWidget(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  resize(px(kTileSize), px(kTileSize));
  hide();
}

void CursorWidget::showCursor(const Cursor& cursor, double zoom) {
  down_ = cursor.Down;
  const auto scaled = [zoom](int twips) { return qRound(px(twips) * zoom); };
  setGeometry(scaled(mainSquareLeft(cursor.Col)), scaled(mainSquareTop(cursor.Row)),
              scaled(kTileSize), scaled(kTileSize));
  setVisible(cursor.Visible);
  update();
}

void CursorWidget::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF r = QRectF(rect()).adjusted(1, 1, -1, -1);
  p.setPen(QPen(QColor(0, 0, 160), 2));
  p.setBrush(QColor(255, 255, 255, 150));
  p.drawRect(r);
  // An arrow along the direction the next letters go.
  const QPointF c = r.center();
  const qreal half = r.width() * 0.3;
  const QPointF dir = down_ ? QPointF(0, 1) : QPointF(1, 0);
  const QPointF side(-dir.y(), dir.x());
  const QPointF tip = c + dir * half, tail = c - dir * half;
  p.drawLine(tail, tip);
  p.setBrush(QColor(0, 0, 160));
  const QPointF head[] = {tip + dir * 1.5, tip - dir * half * 0.7 + side * half * 0.6,
                          tip - dir * half * 0.7 - side * half * 0.6};
  p.drawPolygon(head, 3);
}

void Form1::setUpTyping() {
  cursor_ = new CursorWidget(this);
  cursor_->setObjectName(QStringLiteral("cursor"));
  cursor_->stackUnder(imgTile1[0]);  // above the boards, below every tile
  imgTilvaneBoard->installEventFilter(this);
  for (int k = 0; k < kResultSlots; ++k) {
    auto* lay = new QAction(QStringLiteral("Lay on the board"), cmdWord[k]);
    lay->setObjectName(QStringLiteral("layResult%1").arg(k + 1));
    connect(lay, &QAction::triggered, this, [this, k] { layResultOf(k); });
    cmdWord[k]->addAction(lay);
    cmdWord[k]->setContextMenuPolicy(Qt::ActionsContextMenu);
    cmdWord[k]->installEventFilter(this);
  }
}

void Form1::focusBoard() {
  imgTilvaneBoard->setFocus(Qt::ShortcutFocusReason);
  if (!game_.form.cursor.Visible) act([](Game& g, Prompts& p) { pressArrow(g, p, 0, 1); });
}

void Form1::layResultOf(int k) {
  act([k](Game& g, Prompts& p) { layResult(g, p, k); });
  // Enter then commits the laid result.
  imgTilvaneBoard->setFocus(Qt::OtherFocusReason);
}

bool Form1::eventFilter(QObject* watched, QEvent* e) {
  if (watched == imgTilvaneBoard && e->type() == QEvent::MouseButtonPress) {
    const auto* m = static_cast<QMouseEvent*>(e);
    if (m->button() != Qt::LeftButton) return false;
    // Twips from the board's corner at the design's size; the first 40 are
    // its margin.
    const int x = qFloor(m->position().x() / zoom_ * kTwipsPerPixel) - 40;
    const int y = qFloor(m->position().y() / zoom_ * kTwipsPerPixel) - 40;
    imgTilvaneBoard->setFocus(Qt::MouseFocusReason);
    if (x < 0 || y < 0) return true;
    const int row = y / kSquarePitch, col = x / kSquarePitch;
    act([=](Game& g, Prompts& p) { clickMainSquare(g, p, row, col); });
    return true;
  }
  if (watched == imgTilvaneBoard && e->type() == QEvent::KeyPress)
    return typeKey(static_cast<QKeyEvent*>(e));
  if (e->type() == QEvent::MouseButtonDblClick) {
    for (int k = 0; k < kResultSlots; ++k) {
      if (watched != cmdWord[k]) continue;
      layResultOf(k);
      return true;
    }
  }
  return QWidget::eventFilter(watched, e);
}

bool Form1::typeKey(QKeyEvent* e) {
  switch (e->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      // Without a cursor, Tab walks the controls as anywhere else.
      if (!game_.form.cursor.Visible) return false;
      act(pressTab);
      return true;
    case Qt::Key_Backspace:
      act(pressBackspace);
      return true;
    case Qt::Key_Escape:
      act(pressEscape);
      return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (e->modifiers() & Qt::ControlModifier) return false;  // lays the shown result
      act(tilvan::pressUse);
      return true;
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down: {
      const int key = e->key();
      const int dRow = key == Qt::Key_Up ? -1 : key == Qt::Key_Down ? 1 : 0;
      const int dCol = key == Qt::Key_Left ? -1 : key == Qt::Key_Right ? 1 : 0;
      act([=](Game& g, Prompts& p) { pressArrow(g, p, dRow, dCol); });
      return true;
    }
    default:
      break;
  }
  const QString text = e->text();
  if (text.size() != 1) return false;
  const char ch = text[0].toLatin1();
  if (!((ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z'))) return false;
  act([ch](Game& g, Prompts& p) { typeCharacter(g, p, ch); });
  return true;
}

}  // namespace tilvan::ui
