#include "ui/main_window.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <cstdio>

#include "game/handlers.h"
#include "game/views.h"
#include "ui/about_box.h"
#include "ui/cursor_widget.h"
#include "ui/geometry.h"
#include "ui/pictures.h"
#include "ui/widgets.h"
#include "ui/window_prompts.h"

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

// Letter (capital, or "Blank") that a tile tooltip names.
QString letterName(int letter) {
  return letter == kBlank ? QStringLiteral("Blank") : QString(QChar(u'A' + letter));
}

// The letter whose home place is (left, top), if any.
int homeLetterAt(int left, int top) {
  for (int l = 0; l < kLetters; ++l)
    if (letterHomeLeft(l) == left && letterHomeTop(l) == top) return l;
  return -1;
}

}  // namespace

Form1::Form1(WordListCache& words, Prompts* prompts, QWidget* parent)
    : QWidget(parent), game_(words) {
  if (!prompts) {
    ownPrompts_ = std::make_unique<WindowPrompts>(this);
    prompts = ownPrompts_.get();
  }
  prompts_ = prompts;
  showFirst_ = showingFirst(*prompts_);
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QStringLiteral("TILVAN : Tilvane Crossword Puzzle Solver Version 1.00"));
  setFont(windowFont());
  setFixedSize(px(9870), px(9300));
  setAcceptDrops(true);
  buildControls();
  buildTurnMarks();
  recordDesign();
  setZoom(100);
  connectEvents();
  setUpTyping();
  startUp(game_, *prompts_);
  refresh();
  txtNumberofPlayers->setFocus();
}

Form1::~Form1() { delete about_.data(); }

frmAbout* Form1::aboutBox() const { return about_.data(); }

void Form1::buildControls() {
  auto label = [this](const QString& name, const QString& caption, const QRect& place,
                      Qt::Alignment align = Qt::AlignLeft | Qt::AlignTop) {
    auto* l = new QLabel(caption, this);
    l->setObjectName(name);
    l->setGeometry(place);
    l->setAlignment(align);
    return l;
  };
  auto button = [this](const QString& name, const QString& caption, const QRect& place) {
    QPushButton* b = new WrapButton(caption, this);
    b->setObjectName(name);
    b->setGeometry(place);
    return b;
  };
  auto textBox = [this](const QString& name, const TextBox& box, const QRect& place) {
    auto* t = new QLineEdit(latin1(box.Text), this);
    t->setObjectName(name);
    t->setMaxLength(int(box.MaxLength));
    t->setGeometry(place);
    return t;
  };
  const Form& design = game_.form;

  // Picture boxes of zero size with no role, kept for the design's sake.
  for (const char* name : {"Picture1", "Picture2"}) {
    auto* p = new QWidget(this);
    p->setObjectName(QLatin1String(name));
    p->setGeometry(0, 0, 0, 0);
    p->hide();
  }

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

  // Word finder results and the lower board.
  imgTilvaneWords = new PictureWidget(boardPicture, this);
  imgTilvaneWords->setObjectName(QStringLiteral("imgTilvaneWords"));
  imgTilvaneWords->setGeometry(twipsRect(kLowerBoardLeft, kLowerBoardTop, kBoardSize, kBoardSize));
  static constexpr int kScoreTop[kResultSlots] = {5565, 6405, 7245, 8085, 8940};
  for (int k = 0; k < kResultSlots; ++k) {
    cmdWord[k] = button(indexed("cmdWord", k), QString::number(k + 1),
                        twipsRect(4680, 5160 + 840 * k, 255, 255));
    lblWord[k] = label(indexed("lblWord", k), QString(),
                       twipsRect(k < 4 ? 4575 : 4560, kScoreTop[k], 495, 255));
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

  // Tab goes through the boxes and buttons in the order of a turn.
  QWidget* order[] = {txtNumberofPlayers, cmdNumofPlayers, txtUsersTurn, cmdUsersTurn, txtRack,
                      chkComplete,        cmdFindWords,    cmdWord[0],   cmdWord[1],   cmdWord[2],
                      cmdWord[3],         cmdWord[4],      cmdUse1,      cmdCheck,     cmdPass,
                      cmdClear,           cmdNewGame,      cmdQuit,      cmdAbout};
  for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
}

void Form1::connectEvents() {
  auto on = [this](QPushButton* b, void (*handler)(Game&, Prompts&)) {
    connect(b, &QPushButton::clicked, this, [this, handler] { act(handler); });
  };
  on(cmdNumofPlayers, pressNumberOfPlayers);
  on(cmdUsersTurn, pressUsersTurn);
  on(cmdNewGame, pressNewGame);
  on(cmdUse1, pressUse);
  on(cmdCheck, pressCheckWords);
  on(cmdClear, pressClearLastMove);
  on(cmdPass, pressPass);
  connect(cmdFindWords, &QPushButton::clicked, this, &Form1::pressFindWords);
  for (int k = 0; k < kResultSlots; ++k)
    connect(cmdWord[k], &QPushButton::clicked, this,
            [this, k] { act([k](Game& g, Prompts& p) { pressShowSlot(g, p, k); }); });
  connect(cmdQuit, &QPushButton::clicked, this, [this] { window()->close(); });
  connect(cmdAbout, &QPushButton::clicked, this, &Form1::showAbout);

  // Enter in a box presses the button that reads it.
  connect(txtRack, &QLineEdit::returnPressed, cmdFindWords, &QPushButton::click);
  connect(txtNumberofPlayers, &QLineEdit::returnPressed, cmdNumofPlayers, &QPushButton::click);
  connect(txtUsersTurn, &QLineEdit::returnPressed, cmdUsersTurn, &QPushButton::click);

  // The box shows what the mirror keeps (the rack in small letters).
  auto follow = [this](QLineEdit* edit, TextBox Form::*box) {
    connect(edit, &QLineEdit::textEdited, this, [this, edit, box](const QString& text) {
      (game_.form.*box).type(text.toLatin1().toStdString());
      const QString kept = latin1((game_.form.*box).Text);
      if (kept == text) return;
      const int cursor = edit->cursorPosition();
      edit->setText(kept);
      edit->setCursorPosition(std::min(cursor, int(kept.size())));
    });
  };
  follow(txtNumberofPlayers, &Form::txtNumberofPlayers);
  follow(txtUsersTurn, &Form::txtUsersTurn);
  follow(txtRack, &Form::txtRack);
  connect(chkComplete, &QCheckBox::toggled, this, [this](bool on) { game_.form.chkComplete = on; });
}

void Form1::act(const std::function<void(Game&, Prompts&)>& handler) {
  if (busy_) return;
  busy_ = true;
  game_.form.txtNumberofPlayers.type(txtNumberofPlayers->text().toLatin1().toStdString());
  game_.form.txtUsersTurn.type(txtUsersTurn->text().toLatin1().toStdString());
  game_.form.txtRack.type(txtRack->text().toLatin1().toStdString());
  game_.form.chkComplete = chkComplete->isChecked();
  handler(game_, *showFirst_);
  busy_ = false;
  refresh();
  emit changed();
}

void Form1::pressFindWords() {
  if (!measuring_) return act(tilvan::pressFindWords);
  QElapsedTimer timer;
  timer.start();
  act(tilvan::pressFindWords);
  const qint64 searched = timer.nsecsElapsed();
  repaint();
  const qint64 painted = timer.nsecsElapsed();
  std::fprintf(stderr, "measure: find %.1f ms (search %.1f ms, repaint %.1f ms)\n", painted / 1e6,
               searched / 1e6, (painted - searched) / 1e6);
}

void Form1::prefetchWordList() {
  class Silent : public Prompts {
    void message(std::string_view) override {}
    std::optional<std::string> askBlankLetter() override { return std::nullopt; }
  } silent;
  Game scratch(game_.words);
  startUp(scratch, silent);
  scratch.form.txtRack.type("e");
  tilvan::pressFindWords(scratch, silent);
  scratch.form.chkComplete = true;  // the complete search has an index of its own
  tilvan::pressFindWords(scratch, silent);
}

void Form1::paintEvent(QPaintEvent* e) {
  QWidget::paintEvent(e);
  if (!prefetchWhenShown_) return;
  prefetchWhenShown_ = false;
  QTimer::singleShot(0, this, [this] {
    QElapsedTimer timer;
    timer.start();
    prefetchWordList();
    if (measuring_)
      std::fprintf(stderr, "measure: word list read ahead in %.1f ms\n",
                   timer.nsecsElapsed() / 1e6);
    emit prefetched();
  });
}

void Form1::showAbout() {
  if (!about_) {
    about_ = new frmAbout(*prompts_);
    about_->setAttribute(Qt::WA_DeleteOnClose);
  }
  about_->show();
  about_->raise();
  about_->activateWindow();
}

void Form1::refresh() {
  const Form& f = game_.form;
  const bool all = !shown_.has_value();
  const Form& old = all ? f : *shown_;
  auto text = [&](QLabel* l, const std::string& now, const std::string& before) {
    if (all || now != before) l->setText(latin1(now));
  };
  auto box = [&](QLineEdit* e, const TextBox& now) {
    const QString t = latin1(now.Text);
    if (e->text() != t) e->setText(t);
  };
  auto picture = [&](QWidget* w, const Picture& now, const Picture& before) {
    if (!all && now == before) return;
    if (all || now.Left != before.Left || now.Top != before.Top) {
      w->move(zpx(now.Left), zpx(now.Top));
      w->raise();
    }
    w->setVisible(now.Visible);
  };

  for (int k = 0; k < kLetters; ++k) {
    text(lbTile[k], f.lbTile[k], old.lbTile[k]);
    lbTile[k]->setToolTip(QStringLiteral("%1: %2 left").arg(letterName(k), latin1(f.lbTile[k])));
  }
  for (int k = 0; k < kResultSlots; ++k) text(lblWord[k], f.lblWord[k], old.lblWord[k]);
  for (int k = 0; k < kWordLabels; ++k) {
    text(lblWords[k], f.lblWords[k], old.lblWords[k]);
    text(lblCheckWords[k], f.lblCheckWords[k], old.lblCheckWords[k]);
  }
  for (int p = 0; p < kPlayers; ++p)
    text(lblPlayersPoints[p], f.lblPlayersPoints[p], old.lblPlayersPoints[p]);
  refreshTurnMarks();
  for (int n = 0; n < kPreviewPictures; ++n) {
    const Picture& now = f.imgTile1[n];
    picture(imgTile1[n], now, old.imgTile1[n]);
    imgTile1[n]->setLook(now.Blank ? TileLook::kBlankAsLetter : TileLook::kTile, now.New);
    const QString name = now.Blank ? QStringLiteral("Blank as %1").arg(letterName(previewLetter(n)))
                                   : letterName(previewLetter(n));
    imgTile1[n]->setToolTip(now.New ? name + QStringLiteral(": lay this tile") : name);
  }
  for (int n = 0; n < kTilePictures; ++n) {
    const Picture& now = f.imgTile[n];
    picture(imgTile[n], now, old.imgTile[n]);
    // The stacks say their letter and how many of it are left.
    const int home = homeLetterAt(now.Left, now.Top);
    const int shown = letterShownBy(n);
    imgTile[n]->setToolTip(
        home >= 0 ? QStringLiteral("%1: %2 left").arg(letterName(home), latin1(f.lbTile[home]))
        : isBlankLetterPicture(n) ? QStringLiteral("Blank as %1").arg(letterName(shown))
                                  : letterName(shown));
  }
  box(txtNumberofPlayers, f.txtNumberofPlayers);
  box(txtUsersTurn, f.txtUsersTurn);
  box(txtRack, f.txtRack);
  if (chkComplete->isChecked() != f.chkComplete) chkComplete->setChecked(f.chkComplete);
  if (cursor_) cursor_->showCursor(f.cursor, zoom_);
  shown_ = f;
}

}  // namespace tilvan::ui
