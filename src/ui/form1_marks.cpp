// What the window adds around the design's controls, each in space the
// design leaves free: the main board's column letters above it and row
// numbers on its right, a faded tile on a used-up stack, the tiles unseen
// beside each stack, and the end of the game over the player panel.
#include <QLabel>
#include <algorithm>

#include "game/layout.h"
#include "game/standings.h"
#include "game/unseen.h"
#include "ui/geometry.h"
#include "ui/main_window.h"
#include "ui/pictures.h"
#include "ui/widgets.h"

namespace tilvan::ui {
namespace {

QFont smallFont(int pixels, bool bold = false) {
  QFont f(QStringLiteral("DejaVu Sans"));
  f.setPixelSize(pixels);
  f.setBold(bold);
  return f;
}

}  // namespace

void Form1::buildMarks() {
  for (int i = 0; i < kSide; ++i) {
    // Letters in the band above the board (the hidden player caption's
    // place), numbers between the board's right edge and the stacks.
    lblColumn[i] =
        label(QStringLiteral("lblColumn(%1)").arg(i), QString(QChar(u'A' + i)),
              twipsRect(mainSquareLeft(i) - 15, 150, 255, 210), Qt::AlignHCenter | Qt::AlignBottom);
    lblRow[i] = label(QStringLiteral("lblRow(%1)").arg(i), QString::number(i + 1),
                      twipsRect(6020, mainSquareTop(i), 210, 225), Qt::AlignCenter);
    for (QLabel* l : {lblColumn[i], lblRow[i]}) {
      l->setFont(smallFont(9, true));
      l->setStyleSheet(QStringLiteral("color: #404040;"));
    }
  }
  for (int k = 0; k < kLetters; ++k) {
    imgUsedUp[k] = new PictureWidget([k](qreal dpr) { return fadedTilePicture(k, dpr); }, this);
    imgUsedUp[k]->setObjectName(QStringLiteral("imgUsedUp(%1)").arg(k));
    imgUsedUp[k]->setGeometry(twipsRect(letterHomeLeft(k), letterHomeTop(k), kTileSize, kTileSize));
    imgUsedUp[k]->setToolTip(
        QStringLiteral("%1: none left")
            .arg(k == kBlank ? QStringLiteral("Blank") : QString(QChar(u'A' + k))));
    imgUsedUp[k]->hide();
    imgUsedUp[k]->lower();  // below the tiles that come home to the stack
    // In the gap to the right of the stack's tile.
    lblUnseen[k] = label(QStringLiteral("lblUnseen(%1)").arg(k), QString(),
                         twipsRect(letterHomeLeft(k) + 240, letterHomeTop(k), 330, 225),
                         Qt::AlignLeft | Qt::AlignVCenter);
    lblUnseen[k]->setFont(smallFont(10));
    lblUnseen[k]->setStyleSheet(QStringLiteral("color: #1d4fb0;"));
  }
  lblUnseenTotal = label(QStringLiteral("lblUnseenTotal"), QString(),
                         twipsRect(6240, 20, 2460, 300), Qt::AlignCenter);
  lblUnseenTotal->setFont(smallFont(10));
  lblUnseenTotal->setStyleSheet(QStringLiteral("color: #1d4fb0;"));
  lblUnseenTotal->setToolTip(
      QStringLiteral("In blue beside each stack: the tiles you have not seen (the set, less "
                     "the board and your rack). The bag holds the unseen tiles less 7 for "
                     "each opponent's rack."));
  lblGameOver = label(QStringLiteral("lblGameOver"), QStringLiteral("Game over"),
                      twipsRect(60, 0, 1800, 345), Qt::AlignLeft | Qt::AlignVCenter);
  lblGameOver->setFont(smallFont(13, true));
  lblGameOver->setStyleSheet(QStringLiteral("color: #b01010;"));
  lblGameOver->hide();
}

void Form1::refreshMarks() {
  const Form& f = game_.form;
  for (int k = 0; k < kLetters; ++k) imgUsedUp[k]->setVisible(f.lbTile[k] == "0");
  refreshUnseen();
  const Standings now = standings(game_.state.Turns, game_.state.NumPlayers);
  lblGameOver->setVisible(now.over);
  static const QString turn =
      QStringLiteral("background: #ffe98a; border: 1px solid #c89a10; border-radius: 3px;");
  static const QString winner =
      QStringLiteral("background: #bfe8b0; border: 1px solid #2f7a1f; border-radius: 3px;");
  for (int p = 0; p < kPlayers; ++p) {
    const bool won =
        now.over && std::find(now.leaders.begin(), now.leaders.end(), p) != now.leaders.end();
    const QString& style = won ? winner : turn;
    if (lblTurnRow[p]->styleSheet() != style) lblTurnRow[p]->setStyleSheet(style);
    if (!won) continue;
    lblTurnRow[p]->setToolTip(QStringLiteral("Player %1: the winner").arg(p + 1));
    lblTurnRow[p]->show();
  }
}

void Form1::refreshUnseen() {
  const std::array<int, kLetters> unseen = unseenTiles(game_);
  int total = 0;
  for (int k = 0; k < kLetters; ++k) {
    total += unseen[k];
    const QString count = QString::number(unseen[k]);
    if (lblUnseen[k]->text() == count) continue;
    lblUnseen[k]->setText(count);
    lblUnseen[k]->setToolTip(
        QStringLiteral("%1: %2 unseen (not on the board, not on your rack)")
            .arg(k == kBlank ? QStringLiteral("Blank") : QString(QChar(u'A' + k)))
            .arg(unseen[k]));
  }
  lblUnseenTotal->setText(QStringLiteral("Unseen %1, bag %2").arg(total).arg(bagCount(game_)));
}

}  // namespace tilvan::ui
