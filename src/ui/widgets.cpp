#include "ui/widgets.h"

#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <algorithm>

#include "ui/geometry.h"
#include "ui/pictures.h"

namespace tilvan::ui {

QFont windowFont() {
  QFont f(QStringLiteral("DejaVu Sans"));
  f.setPixelSize(11);
  return f;
}

PictureWidget::PictureWidget(Art art, QWidget* parent) : QWidget(parent), art_(std::move(art)) {}

qreal PictureWidget::zoom() const {
  const QPixmap design = art_(1.0);
  return design.width() > 0 ? qreal(width()) / design.width() : 1.0;
}

void PictureWidget::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const qreal z = zoom();
  p.setRenderHint(QPainter::SmoothPixmapTransform, z != 1.0);
  p.scale(z, z);
  p.drawPixmap(0, 0, art());
}

TileWidget::TileWidget(int tile, int letter, bool draggable, QWidget* parent)
    : PictureWidget([this](qreal dpr) { return tilePicture(letter_, dpr, look_, marked_); },
                    parent),
      tile_(tile),
      letter_(letter),
      draggable_(draggable) {
  resize(kTilePixels, kTilePixels);
  if (draggable_) setCursor(Qt::OpenHandCursor);
}

void TileWidget::setLook(TileLook look, bool marked) {
  if (look == look_ && marked == marked_) return;
  look_ = look;
  marked_ = marked;
  update();
}

void TileWidget::mousePressEvent(QMouseEvent* e) {
  if (!draggable_ || e->button() != Qt::LeftButton) return QWidget::mousePressEvent(e);
  pressed_ = true;
  pressPos_ = e->position().toPoint();
}

void TileWidget::mouseMoveEvent(QMouseEvent* e) {
  if (!pressed_ || !(e->buttons() & Qt::LeftButton)) return QWidget::mouseMoveEvent(e);
  if ((e->position().toPoint() - pressPos_).manhattanLength() < QApplication::startDragDistance())
    return;
  pressed_ = false;
  auto* mime = new QMimeData;
  mime->setData(kTileMimeType, QByteArray::number(tile_));
  auto* drag = new QDrag(this);
  drag->setMimeData(mime);
  // The dragged picture at the size the tile is shown.
  QPixmap picture = art();
  picture.setDevicePixelRatio(devicePixelRatioF());
  drag->setPixmap(picture);
  drag->setHotSpot(pressPos_);
  drag->exec(Qt::MoveAction);
}

LineWidget::LineWidget(int x1, int y1, int x2, int y2, QColor colour, int width, QWidget* parent)
    : QWidget(parent), colour_(colour), width_(width) {
  const int pad = width;
  const QRect box = QRect(QPoint(px(std::min(x1, x2)), px(std::min(y1, y2))),
                          QPoint(px(std::max(x1, x2)), px(std::max(y1, y2))))
                        .adjusted(-pad, -pad, pad, pad);
  setGeometry(box);
  design_ = box.size();
  from_ =
      QPointF(x1 / double(kTwipsPerPixel) - box.left(), y1 / double(kTwipsPerPixel) - box.top());
  to_ = QPointF(x2 / double(kTwipsPerPixel) - box.left(), y2 / double(kTwipsPerPixel) - box.top());
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

void LineWidget::paintEvent(QPaintEvent*) {
  QPainter p(this);
  if (design_.width() > 0)
    p.scale(qreal(width()) / design_.width(), qreal(height()) / design_.height());
  p.setRenderHint(QPainter::Antialiasing, from_.x() != to_.x() && from_.y() != to_.y());
  p.setPen(QPen(colour_, width_, Qt::SolidLine, Qt::FlatCap));
  p.drawLine(from_, to_);
}

ShapeWidget::ShapeWidget(bool filled, QWidget* parent) : QWidget(parent), filled_(filled) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ShapeWidget::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setPen(QPen(Qt::black, 1));
  p.setBrush(filled_ ? QBrush(QColor(0x20, 0x60, 0x20)) : QBrush(Qt::NoBrush));
  p.drawRect(rect().adjusted(0, 0, -1, -1));
}

WrapButton::WrapButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {}

void WrapButton::paintEvent(QPaintEvent*) {
  QStylePainter p(this);
  QStyleOptionButton option;
  initStyleOption(&option);
  const QString caption = option.text;
  option.text.clear();
  p.drawControl(QStyle::CE_PushButton, option);
  QRect area = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
  if (isDown())
    area.translate(style()->pixelMetric(QStyle::PM_ButtonShiftHorizontal, &option, this),
                   style()->pixelMetric(QStyle::PM_ButtonShiftVertical, &option, this));
  p.setPen(
      palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
  // A caption that needs more lines than the button is high gets a smaller
  // font, down to a legible minimum.
  const int flags = Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic;
  QFont f = font();
  if (f.pixelSize() <= 0) f.setPixelSize(QFontInfo(f).pixelSize());
  const QRect room = rect().adjusted(2, 1, -2, -1);
  while (f.pixelSize() > 8 &&
         QFontMetrics(f).boundingRect(room, flags, caption).height() > room.height())
    f.setPixelSize(f.pixelSize() - 1);
  p.setFont(f);
  p.drawText(area.united(room), flags, caption);
}

LinkLabel::LinkLabel(QWidget* parent) : QLabel(parent) {
  setCursor(Qt::PointingHandCursor);
  QPalette pal = palette();
  pal.setColor(QPalette::WindowText, Qt::blue);
  setPalette(pal);
  QFont f = font();
  f.setUnderline(true);
  setFont(f);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* e) {
  if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint())) emit clicked();
  QLabel::mouseReleaseEvent(e);
}

}  // namespace tilvan::ui
