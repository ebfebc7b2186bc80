#include "ui/pictures.h"

#include <QColor>
#include <QFont>
#include <QHash>
#include <QPainter>

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

QPixmap tilePicture(int letter, qreal dpr) {
  static QHash<qint64, QPixmap> cache;
  if (letter < 0 || letter >= kLetters) letter = kBlank;
  const qint64 key = cacheKey(letter, dpr);
  if (auto it = cache.constFind(key); it != cache.constEnd()) return *it;
  QPixmap pm = blankPixmap(kTilePixels, dpr);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  const QRectF face(0.5, 0.5, kTilePixels - 1, kTilePixels - 1);
  p.setPen(QPen(QColor(0x6b, 0x4a, 0x1c), 1));
  p.setBrush(QColor(0xf3, 0xdd, 0xa6));
  p.drawRoundedRect(face, 2, 2);

  QFont small(QStringLiteral("DejaVu Sans"));
  small.setPixelSize(5);
  p.setPen(Qt::black);
  const QString points = QString::number(kLetterValue[letter]);
  if (letter == kBlank) {
    small.setPixelSize(6);
    p.setFont(small);
    p.drawText(QRectF(1, 1, kTilePixels - 3, kTilePixels - 2), Qt::AlignRight | Qt::AlignBottom,
               points);
  } else {
    QFont big(QStringLiteral("DejaVu Sans"));
    big.setPixelSize(10);
    big.setBold(true);
    p.setFont(big);
    p.drawText(QRectF(0, 0, kTilePixels - 3, kTilePixels - 1), Qt::AlignCenter,
               QString(QChar(u'A' + letter)));
    p.setFont(small);
    p.drawText(QRectF(0, 0, kTilePixels - 1.5, kTilePixels - 1), Qt::AlignRight | Qt::AlignBottom,
               points);
  }
  p.end();
  cache.insert(key, pm);
  return pm;
}

}  // namespace tilvan::ui
