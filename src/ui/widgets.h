// Small widgets that stand for the window's pictures, lines, shapes and
// buttons. They paint and report clicks; they hold no game rule.
#pragma once

#include <QLabel>
#include <QPushButton>
#include <QWidget>
#include <functional>

namespace tilvan::ui {

// Mime type of a dragged tile picture; the data is the tile number in
// decimal. Drops carry the number because synthetic drops have no source.
inline constexpr char kTileMimeType[] = "application/x-tilvan-tile";

// The windows' default font: a sans serif of 11 pixels, the size of the
// classic dialog font at 96 dpi, which the twips layout was made for.
QFont windowFont();

// A picture drawn by a function of the device pixel ratio.
class PictureWidget : public QWidget {
  Q_OBJECT
 public:
  using Art = std::function<QPixmap(qreal dpr)>;
  PictureWidget(Art art, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent*) override;
  QPixmap art() const { return art_(devicePixelRatioF()); }

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

 protected:
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;

 private:
  int tile_;
  bool draggable_;
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
