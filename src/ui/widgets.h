// Small widgets that stand for the window's pictures, lines, shapes and
// buttons. They paint and report clicks; they hold no game rule.
#pragma once

#include <QLabel>
#include <QPushButton>
#include <QWidget>
#include <functional>

#include "ui/pictures.h"

namespace tilvan::ui {

// Mime type of a dragged tile picture; the data is the tile number in
// decimal. Drops carry the number because synthetic drops have no source.
inline constexpr char kTileMimeType[] = "application/x-tilvan-tile";

// The windows' default font: a sans serif of 11 pixels, the size of the
// classic dialog font at 96 dpi, which the twips layout was made for.
QFont windowFont();

// A picture drawn by a function of the device pixel ratio. It is made at
// its design size; when the widget is resized (the window's zoom) the
// picture is drawn that much larger, as sharp as at its design size.
class PictureWidget : public QWidget {
  Q_OBJECT
 public:
  using Art = std::function<QPixmap(qreal dpr)>;
  PictureWidget(Art art, QWidget* parent);
  // How much larger than its design size the widget is drawn.
  qreal zoom() const;

 protected:
  void paintEvent(QPaintEvent*) override;
  QPixmap art() const { return art_(devicePixelRatioF() * zoom()); }

 private:
  Art art_;
};

// One tile picture (imgTile or imgTile1). A draggable one starts a drag
// when the user presses and moves the mouse on it; the picture follows the
// pointer until it is let go.
class TileWidget : public PictureWidget {
  Q_OBJECT
 public:
  TileWidget(int tile, int letter, bool draggable, QWidget* parent);
  int tile() const { return tile_; }
  // How the picture looks: a tile or a blank laid as a letter, marked as a
  // tile that the shown result would lay or not.
  void setLook(TileLook look, bool marked);
  TileLook look() const { return look_; }
  bool marked() const { return marked_; }

 protected:
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;

 private:
  int tile_;
  int letter_;
  bool draggable_;
  TileLook look_ = TileLook::kTile;
  bool marked_ = false;
  QPoint pressPos_;
  bool pressed_ = false;
};

// A straight line between two points given in window twips (line controls).
class LineWidget : public QWidget {
  Q_OBJECT
 public:
  LineWidget(int x1, int y1, int x2, int y2, QColor colour, int width, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  QPointF from_, to_;
  QSize design_;  // the widget's size at the design's scale
  QColor colour_;
  int width_;
};

// A filled square mark (shape controls).
class ShapeWidget : public QWidget {
  Q_OBJECT
 public:
  ShapeWidget(bool filled, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  bool filled_;
};

// A push button whose caption wraps onto more lines when it does not fit.
class WrapButton : public QPushButton {
  Q_OBJECT
 public:
  WrapButton(const QString& caption, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent*) override;
};

// A label that reports a click (the About box's links).
class LinkLabel : public QLabel {
  Q_OBJECT
 public:
  explicit LinkLabel(QWidget* parent);

 signals:
  void clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* e) override;
};

}  // namespace tilvan::ui
