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
  buildMarks();
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
    connect(cmdWord[k], &QPushButton::clicked, this, [this, k] { showResult(k); });
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

void Form1::showResult(int k) {
  if (k < 0 || k >= kResultSlots) return;
  shownResult_ = k;
  act([k](Game& g, Prompts& p) { pressShowSlot(g, p, k); });
}

void Form1::say(std::string_view text) {
  said_ = QString::fromLatin1(text.data(), qsizetype(text.size()));
}

void Form1::act(const std::function<void(Game&, Prompts&)>& handler) {
  if (busy_) return;
  busy_ = true;
  said_.clear();
  game_.form.txtNumberofPlayers.type(txtNumberofPlayers->text().toLatin1().toStdString());
  game_.form.txtUsersTurn.type(txtUsersTurn->text().toLatin1().toStdString());
  game_.form.txtRack.type(txtRack->text().toLatin1().toStdString());
  game_.form.chkComplete = chkComplete->isChecked();
  handler(game_, *showFirst_);
  busy_ = false;
  refresh();
  emit changed();
}

void Form1::setRankByValue(bool on) { game_.form.chkValue = on; }

void Form1::pressFindWords() {
  shownResult_ = 0;
  if (!measuring_) {
    act(tilvan::pressFindWordsRanked);
    emit searched();
    return;
  }
  QElapsedTimer timer;
  timer.start();
  act(tilvan::pressFindWordsRanked);
  const qint64 searched = timer.nsecsElapsed();
  repaint();
  const qint64 painted = timer.nsecsElapsed();
  std::fprintf(stderr, "measure: find %.1f ms (search %.1f ms, repaint %.1f ms)\n", painted / 1e6,
               searched / 1e6, (painted - searched) / 1e6);
  emit this->searched();
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
  scratch.form.chkValue = true;     // and the ranking by value a leave table
  tilvan::pressFindWordsRanked(scratch, silent);
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
  for (int k = 0; k < kResultSlots; ++k) {
    text(lblWord[k], f.lblWord[k], old.lblWord[k]);
    lblWord[k]->setToolTip(latin1(f.lblWordTip[k]));
  }
  // The first score label takes a second line, above the next button, while
  // its caption needs one (the endgame's mark, "best to the end (+6)").
  QLabel* first = lblWord[0];
  const bool wraps = first->fontMetrics().horizontalAdvance(first->text()) > first->width();
  first->resize(first->width(), zpx(wraps ? 420 : 255));
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
  refreshMarks();
  shown_ = f;
}

}  // namespace tilvan::ui
