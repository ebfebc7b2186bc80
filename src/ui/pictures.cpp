#include "ui/pictures.h"

#include <QColor>
#include <QFont>
#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <cmath>

#include "game/layout.h"
#include "ui/geometry.h"

namespace tilvan::ui {
namespace {

QPixmap blankPixmap(int size, qreal dpr) {
  QPixmap pm(qRound(size * dpr), qRound(size * dpr));
  pm.setDevicePixelRatio(dpr);
  return pm;
}

qint64 cacheKey(int what, qreal dpr) { return (qint64(what) << 16) | qRound(dpr * 100); }

}  // namespace

QPoint boardCellOrigin(int row, int col) {
  return QPoint(px(mainSquareLeft(col)) - px(kMainBoardLeft),
                px(mainSquareTop(row)) - px(kMainBoardTop));
}

QColor premiumColour(int premium) {
  switch (premium) {
    case kTripleWord:
      return QColor(0xd0, 0x10, 0x10);
    case kDoubleWord:
      return QColor(0xf6, 0xa8, 0xbc);
    case kTripleLetter:
      return QColor(0x10, 0x2c, 0x90);
    case kDoubleLetter:
      return QColor(0x9c, 0xd2, 0xf4);
    default:
      return Qt::white;
  }
}

QString premiumLabel(int premium) {
  switch (premium) {
    case kTripleWord:
      return QStringLiteral("3W");
    case kDoubleWord:
      return QStringLiteral("2W");
    case kTripleLetter:
      return QStringLiteral("3L");
    case kDoubleLetter:
      return QStringLiteral("2L");
    default:
      return {};
  }
}

namespace {

// The premium's label in the middle of its square, clear of the square's
// corners, in a colour that reads on the premium's own.
void drawPremiumLabel(QPainter& p, const QRect& cell, int premium) {
  const QString text = premiumLabel(premium);
  if (text.isEmpty()) return;
  QFont f(QStringLiteral("DejaVu Sans"));
  f.setPixelSize(7);
  f.setBold(true);
  p.setFont(f);
  p.setPen(premium == kTripleWord || premium == kTripleLetter ? Qt::white
                                                              : QColor(0x20, 0x20, 0x40));
  p.drawText(QRectF(cell).adjusted(1, 2, -1, -2), Qt::AlignCenter, text);
}

// The centre square: a star, whatever its premium.
void drawCentreMark(QPainter& p, const QRect& cell) {
  const QPointF c = QRectF(cell).center();
  const qreal outer = cell.width() * 0.42, inner = outer * 0.42;
  QPolygonF star;
  for (int i = 0; i < 10; ++i) {
    const qreal angle = -M_PI / 2 + i * M_PI / 5, radius = i % 2 ? inner : outer;
    star << c + QPointF(std::cos(angle) * radius, std::sin(angle) * radius);
  }
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x30, 0x20, 0x20));
  p.drawPolygon(star);
}

}  // namespace

QPixmap boardPicture(qreal dpr) {
  static QHash<qint64, QPixmap> cache;
  const qint64 key = cacheKey(-1, dpr);
  if (auto it = cache.constFind(key); it != cache.constEnd()) return *it;
  QPixmap pm = blankPixmap(kBoardPixels, dpr);
  pm.fill(Qt::black);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  const auto& premiums = premiumMap();
  for (int r = 0; r < kSide; ++r)
    for (int c = 0; c < kSide; ++c) {
      const QRect cell(boardCellOrigin(r, c), QSize(kTilePixels, kTilePixels));
      const int premium = premiums[hIndex(r, c)];
      p.fillRect(cell, premiumColour(premium));
      if (r == kSide / 2 && c == kSide / 2)
        drawCentreMark(p, cell);
      else
        drawPremiumLabel(p, cell, premium);
    }
  p.end();
  cache.insert(key, pm);
  return pm;
}

QFont tilePointsFont() {
  QFont f(QStringLiteral("DejaVu Sans"));
  f.setPixelSize(10);
  f.setBold(true);
  return f;
}

namespace {

// Face and frame colours of a tile picture.
struct TileColours {
  QColor face, frame, letter;
};

TileColours coloursOf(TileLook look, bool marked) {
  const bool blank = look == TileLook::kBlankAsLetter;
  if (marked)
    return {blank ? QColor(0xe6, 0xf7, 0xdd) : QColor(0xa6, 0xdc, 0x86), QColor(0x1b, 0x6b, 0x1f),
            blank ? QColor(0x1d, 0x4f, 0xb0) : Qt::black};
  if (blank) return {QColor(0xfd, 0xfb, 0xf4), QColor(0x9a, 0x8a, 0x70), QColor(0x1d, 0x4f, 0xb0)};
  return {QColor(0xf3, 0xdd, 0xa6), QColor(0x6b, 0x4a, 0x1c), Qt::black};
}

// `text` drawn with its baseline at `baseline`, its ink starting at x =
// `edge` (or ending there, `alignRight`), squeezed across so that it is at
// most `width` wide.
void drawFitted(QPainter& p, const QFont& font, const QString& text, qreal edge, qreal baseline,
                qreal width, bool alignRight) {
  QPainterPath path;
  path.addText(0, 0, font, text);
  const QRectF box = path.boundingRect();
  const qreal squeeze = box.width() > width ? width / box.width() : 1.0;
  p.save();
  p.translate(alignRight ? edge - box.right() * squeeze : edge - box.left() * squeeze, baseline);
  p.scale(squeeze, 1.0);
  p.fillPath(path, p.pen().color());
  p.restore();
}

}  // namespace

QPixmap tilePicture(int letter, qreal dpr, TileLook look, bool marked) {
  static QHash<qint64, QPixmap> cache;
  if (letter < 0 || letter >= kLetters) letter = kBlank;
  const int variant = letter * 4 + (look == TileLook::kBlankAsLetter ? 2 : 0) + (marked ? 1 : 0);
  const qint64 key = cacheKey(variant, dpr);
  if (auto it = cache.constFind(key); it != cache.constEnd()) return *it;
  QPixmap pm = blankPixmap(kTilePixels, dpr);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  const TileColours colours = coloursOf(look, marked);
  const QRectF face(0.5, 0.5, kTilePixels - 1, kTilePixels - 1);
  p.setPen(QPen(colours.frame, marked ? 1.6 : 1));
  p.setBrush(colours.face);
  p.drawRoundedRect(marked ? face.adjusted(0.3, 0.3, -0.3, -0.3) : face, 2, 2);

  QFont big(QStringLiteral("DejaVu Sans"));
  big.setBold(true);
  p.setPen(colours.letter);
  if (look == TileLook::kBlankAsLetter && letter != kBlank) {
    // No points: the letter alone, centred, is what tells it from a tile.
    big.setPixelSize(11);
    p.setFont(big);
    p.drawText(QRectF(0, 0, kTilePixels, kTilePixels), Qt::AlignCenter,
               QString(QChar(u'A' + letter)));
  } else {
    const QString points = QString::number(kLetterValue[letter]);
    if (letter != kBlank) {
      big.setPixelSize(9);
      drawFitted(p, big, QString(QChar(u'A' + letter)), 1.8, 8.9, 8.5, false);
    }
    drawFitted(p, tilePointsFont(), points, kTilePixels - 1.6, kTilePixels - 1.5,
               points.size() > 1 ? 8.5 : 7, true);
  }
  p.end();
  cache.insert(key, pm);
  return pm;
}

QPixmap fadedTilePicture(int letter, qreal dpr) {
  static QHash<qint64, QPixmap> cache;
  if (letter < 0 || letter >= kLetters) letter = kBlank;
  const qint64 key = cacheKey(letter, dpr);
  if (auto it = cache.constFind(key); it != cache.constEnd()) return *it;
  const QPixmap tile = tilePicture(letter, dpr);
  QPixmap pm(tile.size());
  pm.setDevicePixelRatio(dpr);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setOpacity(0.3);
  p.drawPixmap(0, 0, tile);
  p.end();
  cache.insert(key, pm);
  return pm;
}

}  // namespace tilvan::ui
