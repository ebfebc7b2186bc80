#include "ui/pictures.h"

#include <QColor>
#include <QFont>
#include <QHash>
#include <QPainter>
#include <QPainterPath>

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

QPixmap boardPicture(qreal dpr) {
  static QHash<qint64, QPixmap> cache;
  const qint64 key = cacheKey(-1, dpr);
  if (auto it = cache.constFind(key); it != cache.constEnd()) return *it;
  QPixmap pm = blankPixmap(kBoardPixels, dpr);
  pm.fill(Qt::black);
  QPainter p(&pm);
  const auto& premiums = premiumMap();
  for (int r = 0; r < kSide; ++r)
    for (int c = 0; c < kSide; ++c)
      p.fillRect(QRect(boardCellOrigin(r, c), QSize(kTilePixels, kTilePixels)),
                 premiumColour(premiums[hIndex(r, c)]));
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

}  // namespace tilvan::ui
