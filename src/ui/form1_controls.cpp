// Form1's controls, created where the window's design puts them.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "game/layout.h"
#include "ui/geometry.h"
#include "ui/main_window.h"
#include "ui/pictures.h"
#include "ui/widgets.h"

namespace tilvan::ui {
namespace {

QString latin1(const std::string& s) { return QString::fromLatin1(s.data(), qsizetype(s.size())); }

QString indexed(const char* name, int i) {
  return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(i);
}

QFont boldFont() {
  QFont f(QStringLiteral("DejaVu Sans"));
  f.setPixelSize(13);
  f.setBold(true);
  return f;
}

}  // namespace

QLabel* Form1::label(const QString& name, const QString& caption, const QRect& place,
                     Qt::Alignment align) {
  auto* l = new QLabel(caption, this);
  l->setObjectName(name);
  l->setGeometry(place);
  l->setAlignment(align);
  return l;
}

QPushButton* Form1::button(const QString& name, const QString& caption, const QRect& place) {
  QPushButton* b = new WrapButton(caption, this);
  b->setObjectName(name);
  b->setGeometry(place);
  return b;
}

QLineEdit* Form1::textBox(const QString& name, const TextBox& box, const QRect& place) {
  auto* t = new QLineEdit(latin1(box.Text), this);
  t->setObjectName(name);
  t->setMaxLength(int(box.MaxLength));
  t->setGeometry(place);
  return t;
}

void Form1::buildControls() {
  // Picture boxes of zero size with no role, kept for the design's sake.
  for (const char* name : {"Picture1", "Picture2"}) {
    auto* p = new QWidget(this);
    p->setObjectName(QLatin1String(name));
    p->setGeometry(0, 0, 0, 0);
    p->hide();
  }

  buildPlayerPanel();
  buildBoxes();
  buildBoardAndTiles();
  // Right-hand buttons.
  cmdUse1 =
      button(QStringLiteral("cmdUse1"), QStringLiteral("USE"), twipsRect(8895, 1200, 855, 495));
  cmdCheck = button(QStringLiteral("cmdCheck"), QStringLiteral("CHECK WORDS"),
                    twipsRect(8880, 2520, 855, 495));
  cmdClear = button(QStringLiteral("cmdClear"), QStringLiteral("Clear Last Move"),
                    twipsRect(8760, 4200, 1095, 615));
  cmdAbout =
      button(QStringLiteral("cmdAbout"), QStringLiteral("About"), twipsRect(8760, 8640, 975, 615));
  cmdPass = button(QStringLiteral("cmdPass"), QStringLiteral("Pass / Exchange"),
                   twipsRect(8760, 3360, 1095, 615));
  cmdPass->setToolTip(
      QStringLiteral("The current player passes or exchanges tiles: a turn "
                     "without tiles, scoring 0"));

  buildResults();
  // Tab goes through the boxes and buttons in the order of a turn.
  QWidget* order[] = {txtNumberofPlayers, cmdNumofPlayers, txtUsersTurn, cmdUsersTurn,
                      imgTilvaneBoard,    txtRack,
                      chkComplete,        cmdFindWords,    cmdWord[0],   cmdWord[1],   cmdWord[2],
                      cmdWord[3],         cmdWord[4],      cmdUse1,      cmdCheck,     cmdPass,
                      cmdClear,           cmdNewGame,      cmdQuit,      cmdAbout};
  for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
}

void Form1::buildPlayerPanel() {
  // Player panel.
  lblPlayers = label(QStringLiteral("lblPlayers"), QStringLiteral("Players:"),
                     twipsRect(120, 360, 1575, 255));
  QFont players = font();
  players.setPixelSize(13);
  lblPlayers->setFont(players);
  new LineWidget(120, 600, 1800, 600, Qt::black, 1, this);
  static constexpr int kTurnMark[kPlayers][4] = {{1680, 720, 1440, 960},
                                                 {1440, 1080, 1680, 1320},
                                                 {1680, 1440, 1440, 1680},
                                                 {1440, 1800, 1680, 2040}};
  for (int p = 0; p < kPlayers; ++p) {
    // Centred, so that the user mark at its left leaves the number clear.
    lblPlayer[p] = label(indexed("lblPlayer", p), QString::number(p + 1),
                         twipsRect(120, 720 + 360 * p, 255, 255), Qt::AlignCenter);
    shpUser[p] = new ShapeWidget(true, this);
    shpUser[p]->setObjectName(indexed("shpUser", p));
    shpUser[p]->setGeometry(twipsRect(20, 750 + 360 * p, 135, 135));
    lblPlayersPoints[p] =
        label(indexed("lblPlayersPoints", p), QString(), twipsRect(480, 720 + 360 * p, 855, 255));
    const auto& m = kTurnMark[p];
    linPlayer[p] = new LineWidget(m[0], m[1], m[2], m[3], Qt::black, 2, this);
    linPlayer[p]->setObjectName(indexed("linPlayer", p));
    Shape[p] = new ShapeWidget(false, this);
    Shape[p]->setObjectName(QStringLiteral("Shape%1").arg(p + 1));
    Shape[p]->setGeometry(twipsRect(1440, 720 + 360 * p, 255, 255));
    Shape[p]->hide();
  }
}

void Form1::buildBoxes() {
  const Form& design = game_.form;
  // Buttons and text boxes.
  cmdNewGame = button(QStringLiteral("cmdNewGame"), QStringLiteral("New Game"),
                      twipsRect(120, 2400, 1575, 615));
  cmdQuit =
      button(QStringLiteral("cmdQuit"), QStringLiteral("Quit"), twipsRect(120, 3120, 1575, 615));
  cmdNumofPlayers = button(QStringLiteral("cmdNumofPlayers"), QStringLiteral("Number of Players"),
                           twipsRect(0, 4080, 1455, 375));
  txtNumberofPlayers = textBox(QStringLiteral("txtNumberofPlayers"), design.txtNumberofPlayers,
                               twipsRect(1560, 4125, 255, 285));
  cmdUsersTurn = button(QStringLiteral("cmdUsersTurn"), QStringLiteral("When is Your Turn?"),
                        twipsRect(0, 4560, 1575, 375));
  txtUsersTurn =
      textBox(QStringLiteral("txtUsersTurn"), design.txtUsersTurn, twipsRect(1680, 4605, 255, 285));
  txtRack = textBox(QStringLiteral("txtRack"), design.txtRack, twipsRect(2280, 4680, 2175, 285));
  cmdFindWords = button(QStringLiteral("cmdFindWords"), QStringLiteral("Find   Words"),
                        twipsRect(4800, 4560, 975, 495));
  chkComplete = new QCheckBox(QStringLiteral("Complete search"), this);
  chkComplete->setObjectName(QStringLiteral("chkComplete"));
  // Above the rack box, clear of it and of the board, after the box's caption.
  chkComplete->setGeometry(twipsRect(2850, 4485, 1905, 165));
  lblRack = label(QStringLiteral("lblRack"), QStringLiteral("Rack:"),
                  twipsRect(2280, 4470, 555, 195), Qt::AlignLeft | Qt::AlignVCenter);
  lblRack->setToolTip(QStringLiteral("Your tiles: letters, \"_\" for a blank"));
  chkComplete->setToolTip(QStringLiteral("Find every legal placement, not only the classic ones"));
}

void Form1::buildBoardAndTiles() {
  const Form& design = game_.form;
  // Main board, letters left and the tiles (created last so that they lie
  // above the board picture).
  for (int p = 0; p < kPlayers; ++p) {
    lblPlayerBoard[p] = label(indexed("lblPlayerBoard", p), QStringLiteral("Player %1").arg(p + 1),
                              twipsRect(1920, 120, 4095, 255), Qt::AlignCenter);
    lblPlayerBoard[p]->setFont(boldFont());
    lblPlayerBoard[p]->hide();
  }
  imgTilvaneBoard = new PictureWidget(boardPicture, this);
  imgTilvaneBoard->setObjectName(QStringLiteral("imgTilvaneBoard"));
  // The board takes the keyboard from a click, Tab or Ctrl+B (typing).
  imgTilvaneBoard->setFocusPolicy(Qt::StrongFocus);
  imgTilvaneBoard->setGeometry(twipsRect(kMainBoardLeft, kMainBoardTop, kBoardSize, kBoardSize));
  for (int k = 0; k < kLetters; ++k) {
    const int left = k < 24 ? 6240 + 600 * (k % 4) : 6600 + 600 * (k - 24);
    const int top = k < 24 ? 600 + 600 * (k / 4) : 4200;
    lbTile[k] = label(indexed("lbTile", k), latin1(design.lbTile[k]),
                      twipsRect(left, top, 495, 255), Qt::AlignHCenter | Qt::AlignTop);
  }
  lblLettersLeft = label(QStringLiteral("lblLettersLeft"), QString(), twipsRect(6960, 0, 855, 255),
                         Qt::AlignCenter);
  lblLettersLeft->setFont(boldFont());
}

void Form1::buildResults() {
  // Word finder results and the lower board.
  imgTilvaneWords = new PictureWidget(boardPicture, this);
  imgTilvaneWords->setObjectName(QStringLiteral("imgTilvaneWords"));
  imgTilvaneWords->setGeometry(twipsRect(kLowerBoardLeft, kLowerBoardTop, kBoardSize, kBoardSize));
  static constexpr int kScoreTop[kResultSlots] = {5565, 6405, 7245, 8085, 8940};
  for (int k = 0; k < kResultSlots; ++k) {
    cmdWord[k] = button(indexed("cmdWord", k), QString::number(k + 1),
                        twipsRect(4680, 5160 + 840 * k, 255, 255));
    // Wide enough for a score ranked by value ("24 +8.5"), short of the
    // word labels. The first wraps the endgame's mark onto a second line
    // (see refresh).
    lblWord[k] = label(indexed("lblWord", k), QString(),
                       twipsRect(k < 4 ? 4575 : 4560, kScoreTop[k], 1365, 255));
    lblWord[k]->setWordWrap(k == 0);
  }
  lblWordsCreated = label(QStringLiteral("lblWordsCreated"), QStringLiteral("WORDS:"),
                          twipsRect(6840, 4680, 855, 255), Qt::AlignHCenter | Qt::AlignTop);
  new LineWidget(6720, 4920, 7800, 4920, Qt::black, 1, this);
  for (int k = 0; k < kWordLabels; ++k) {
    lblWords[k] =
        label(indexed("lblWords", k), QString(), twipsRect(5970, 5115 + 240 * k, 2535, 255));
    lblCheckWords[k] =
        label(indexed("lblCheckWords", k), QString(), twipsRect(8445, 5115 + 240 * k, 1455, 255));
  }
  for (int n = 0; n < kPreviewPictures; ++n) {
    imgTile1[n] = new TileWidget(n, previewLetter(n), false, this);
    imgTile1[n]->setObjectName(indexed("imgTile1", n));
  }
  for (int n = 0; n < kTilePictures; ++n) {
    imgTile[n] = new TileWidget(n, letterShownBy(n), true, this);
    imgTile[n]->setObjectName(indexed("imgTile", n));
    if (isBlankLetterPicture(n)) imgTile[n]->setLook(TileLook::kBlankAsLetter, false);
  }
}

}  // namespace tilvan::ui
