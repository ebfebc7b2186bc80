// Form1's view at any size: the zoom of the client area, the marks that say
// whose turn it is, the mirror shown before a dialog opens, and drops mapped
// back to the board's twips.
#include <QCheckBox>
#include <QDragEnterEvent>
#include <QLabel>
#include <QMimeData>
#include <QtMath>

#include "game/handlers.h"
#include "ui/geometry.h"
#include "ui/main_window.h"
#include "ui/widgets.h"

namespace tilvan::ui {
namespace {

// Each dialog opens only after the mirror is shown: a refused move's message
// and the blank tile dialog appear over the state they speak of.
class ShowFirst : public Prompts {
 public:
  ShowFirst(Form1& window, Prompts& inner) : window_(window), inner_(inner) {}
  void message(std::string_view text) override {
    window_.showNow();
    inner_.message(text);
  }
  std::optional<std::string> askBlankLetter() override {
    window_.showNow();
    return inner_.askBlankLetter();
  }
  bool confirm(std::string_view question) override {
    window_.showNow();
    return inner_.confirm(question);
  }
  // The line that explains a message goes to the status line, not to a
  // second message box.
  void status(std::string_view text) override { window_.say(text); }

 private:
  Form1& window_;
  Prompts& inner_;
};

}  // namespace

std::unique_ptr<Prompts> Form1::showingFirst(Prompts& inner) {
  return std::make_unique<ShowFirst>(*this, inner);
}

void Form1::showNow() {
  refresh();
  if (isVisible()) repaint();
}

int Form1::zpx(int twips) const { return qRound(px(twips) * zoom_); }

QPoint Form1::boardTwips(QPointF windowPoint) const {
  return QPoint(qFloor(windowPoint.x() / zoom_ * kTwipsPerPixel) - kMainBoardLeft,
                qFloor(windowPoint.y() / zoom_ * kTwipsPerPixel) - kMainBoardTop);
}

void Form1::buildTurnMarks() {
  for (int p = 0; p < kPlayers; ++p) {
    // A band behind the whole row of the player whose turn it is.
    lblTurnRow[p] = new QLabel(this);
    lblTurnRow[p]->setObjectName(QStringLiteral("lblTurnRow(%1)").arg(p));
    lblTurnRow[p]->setGeometry(twipsRect(0, 690 + 360 * p, 1800, 315));
    lblTurnRow[p]->setStyleSheet(
        QStringLiteral("background: #ffe98a; border: 1px solid #c89a10; border-radius: 3px;"));
    lblTurnRow[p]->lower();
    lblTurnRow[p]->hide();
    lblYou[p] = new QLabel(QStringLiteral("(you)"), this);
    lblYou[p]->setObjectName(QStringLiteral("lblYou(%1)").arg(p));
    lblYou[p]->setGeometry(twipsRect(810, 720 + 360 * p, 540, 255));
    lblYou[p]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont f = font();
    f.setItalic(true);
    lblYou[p]->setFont(f);
    lblYou[p]->setToolTip(QStringLiteral("Your row: the filled square marks your turn number"));
    lblYou[p]->hide();
    // The user mark explains itself when pointed at.
    shpUser[p]->setAttribute(Qt::WA_TransparentForMouseEvents, false);
    shpUser[p]->setToolTip(QStringLiteral("Your turn number"));
  }
}

void Form1::refreshTurnMarks() {
  const Form& f = game_.form;
  for (int p = 0; p < kPlayers; ++p) {
    lblPlayer[p]->setVisible(f.lblPlayer[p]);
    shpUser[p]->setVisible(f.shpUser[p]);
    linPlayer[p]->setVisible(f.linPlayer[p]);
    lblTurnRow[p]->setVisible(f.linPlayer[p]);
    lblYou[p]->setVisible(f.shpUser[p]);
    const QString who = f.shpUser[p] ? QStringLiteral("Player %1 (you)").arg(p + 1)
                                     : QStringLiteral("Player %1").arg(p + 1);
    lblPlayer[p]->setToolTip(f.linPlayer[p] ? who + QStringLiteral(": it is this player's turn")
                                            : who);
    lblTurnRow[p]->setToolTip(
        who + QStringLiteral(": it is this player's turn (the band and the slanted mark)"));
  }
}

void Form1::recordDesign() {
  design_.clear();
  for (QWidget* w : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (qobject_cast<TileWidget*>(w)) continue;  // placed from the mirror
    design_.push_back({w, w->geometry(), w->font(), w->testAttribute(Qt::WA_SetFont)});
  }
}

void Form1::setZoom(int percent) {
  zoom_ = std::clamp(percent, 50, 400) / 100.0;
  auto scaled = [this](QFont f) {
    f.setPixelSize(qMax(1, qRound(f.pixelSize() * zoom_)));
    return f;
  };
  setFont(scaled(windowFont()));
  for (const Design& d : design_) {
    if (!d.widget) continue;
    const QRect r = d.place;
    d.widget->setGeometry(qRound(r.x() * zoom_), qRound(r.y() * zoom_), qRound(r.width() * zoom_),
                          qRound(r.height() * zoom_));
    if (d.ownFont) d.widget->setFont(scaled(d.font));
  }
  // The option's box fits the line it has between the board and the rack.
  chkComplete->setStyleSheet(
      QStringLiteral("QCheckBox::indicator { width: %1px; height: %1px; }").arg(qRound(9 * zoom_)));
  const int tile = qRound(kTilePixels * zoom_);
  for (TileWidget* t : imgTile) t->resize(tile, tile);
  for (TileWidget* t : imgTile1) t->resize(tile, tile);
  setFixedSize(qRound(px(9870) * zoom_), qRound(px(9300) * zoom_));
  shown_.reset();  // every picture goes to its place anew
  refresh();
}

std::optional<int> Form1::draggedTile(const QMimeData* mime) const {
  if (!mime || !mime->hasFormat(kTileMimeType)) return std::nullopt;
  bool ok = false;
  const int n = mime->data(kTileMimeType).toInt(&ok);
  if (!ok || n < 0 || n >= kTilePictures) return std::nullopt;
  return n;
}

bool Form1::reachesBoard(QPointF windowPoint) const {
  const QPoint at = boardTwips(windowPoint);
  return dropTargetAt(game_, at.x(), at.y()) == DropTarget::kBoard;
}

void Form1::dropTileAt(int tile, QPointF windowPoint) {
  // Only a visible picture can be dragged.
  if (tile < 0 || tile >= kTilePictures || !game_.form.imgTile[tile].Visible) return;
  if (!reachesBoard(windowPoint)) return;
  const QPoint at = boardTwips(windowPoint);
  act([=](Game& g, Prompts& p) { dropTile(g, p, tile, at.x(), at.y()); });
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
