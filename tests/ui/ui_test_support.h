// Helpers for the window tests: a recording Prompts, an answerer for modal
// dialogs, and user gestures in twips.
#pragma once

#include <QApplication>
#include <QCheckBox>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <deque>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "cli/replay.h"
#include "game/layout.h"
#include "game/prompts.h"
#include "support/test_support.h"
#include "ui/geometry.h"
#include "ui/main_window.h"
#include "ui/widgets.h"

namespace tilvan::ui::test {

using tilvan::test::RecordingPrompts;

// Answers modal dialogs as they appear, one queued action per dialog, so
// that a blocking exec() returns. Polls from a timer of the event loop that
// the dialog itself runs.
class ModalAnswerer : public QObject {
 public:
  using Answer = std::function<void(QWidget* dialog)>;
  ModalAnswerer() {
    timer_.setInterval(5);
    connect(&timer_, &QTimer::timeout, this, [this] {
      QWidget* modal = QApplication::activeModalWidget();
      if (!modal || !modal->isVisible()) {
        last_ = nullptr;
        return;
      }
      if (modal != last_ && !answers_.empty()) {
        last_ = modal;
        openTicks_ = 0;
        Answer answer = std::move(answers_.front());
        answers_.pop_front();
        ++answered;
        answer(modal);
        if (!modal->isVisible()) last_ = nullptr;  // the same dialog may come again
        return;
      }
      // A dialog nobody answers, or that its answer left open: close it
      // rather than hang the test.
      if (++openTicks_ > 400) {
        ++unexpected;
        openTicks_ = 0;
        last_ = nullptr;
        modal->close();
      }
    });
    timer_.start();
  }
  void then(Answer a) { answers_.push_back(std::move(a)); }
  int answered = 0;
  int unexpected = 0;  // dialogs closed because no answer was queued

 private:
  int openTicks_ = 0;
  QTimer timer_;
  std::deque<Answer> answers_;
  QWidget* last_ = nullptr;
};

// A word list in a temporary directory.
class WordFile {
 public:
  explicit WordFile(const QByteArray& contents) {
    QFile f(path());
    f.open(QIODevice::WriteOnly);
    f.write(contents);
  }
  QString path() const { return dir_.filePath(QStringLiteral("words.txt")); }
  std::filesystem::path fsPath() const { return path().toStdString(); }

 private:
  QTemporaryDir dir_;
};

inline QString latin1(const std::string& s) {
  return QString::fromLatin1(s.data(), qsizetype(s.size()));
}

// The first control that carries state and does not show what the core's
// mirror holds (pictures where the zoom in use puts them), or "".
inline std::string unlikeTheMirror(const Form1& w) {
  const Form& f = w.game().form;
  const qreal z = w.zoom() / 100.0;
  const auto at = [z](const Picture& p) {
    return QPoint(qRound(px(p.Left) * z), qRound(px(p.Top) * z));
  };
  const auto numbered = [](const char* what, int k) { return what + std::to_string(k); };
  for (int n = 0; n < kTilePictures; ++n)
    if (w.imgTile[n]->isVisibleTo(&w) != f.imgTile[n].Visible ||
        w.imgTile[n]->pos() != at(f.imgTile[n]))
      return numbered("tile picture ", n);
  for (int n = 0; n < kPreviewPictures; ++n)
    if (w.imgTile1[n]->isVisibleTo(&w) != f.imgTile1[n].Visible ||
        w.imgTile1[n]->pos() != at(f.imgTile1[n]))
      return numbered("preview picture ", n);
  for (int k = 0; k < kLetters; ++k)
    if (w.lbTile[k]->text() != latin1(f.lbTile[k])) return numbered("letters left of ", k);
  for (int k = 0; k < kResultSlots; ++k)
    if (w.lblWord[k]->text() != latin1(f.lblWord[k])) return numbered("result label ", k);
  for (int k = 0; k < kWordLabels; ++k)
    if (w.lblWords[k]->text() != latin1(f.lblWords[k]) ||
        w.lblCheckWords[k]->text() != latin1(f.lblCheckWords[k]))
      return numbered("word label ", k);
  for (int p = 0; p < kPlayers; ++p)
    if (w.lblPlayer[p]->isVisibleTo(&w) != f.lblPlayer[p] ||
        w.shpUser[p]->isVisibleTo(&w) != f.shpUser[p] ||
        w.linPlayer[p]->isVisibleTo(&w) != f.linPlayer[p])
      return numbered("marks of player ", p + 1);
  if (w.txtRack->text() != latin1(f.txtRack.Text)) return "rack box";
  if (w.txtNumberofPlayers->text() != latin1(f.txtNumberofPlayers.Text)) return "players box";
  if (w.txtUsersTurn->text() != latin1(f.txtUsersTurn.Text)) return "turn box";
  if (w.chkComplete->isChecked() != f.chkComplete) return "complete search box";
  return "";
}

// The window pixel over the middle of square (row, col) of the main board.
inline QPointF squarePoint(int row, int col) {
  return QPointF(px(mainSquareLeft(col)) + 7.5, px(mainSquareTop(row)) + 7.5);
}

// What a real drag delivers to the window: enter, move and drop of tile n at
// `point` (window pixels).
inline void dragTileTo(QWidget& window, int n, QPointF point) {
  QMimeData mime;
  mime.setData(kTileMimeType, QByteArray::number(n));
  QDragEnterEvent enter(point.toPoint(), Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&window, &enter);
  QDragMoveEvent move(point.toPoint(), Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&window, &move);
  QDropEvent drop(point, Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&window, &drop);
}

// Replaces a box's text the way a user does: select all, type.
inline void typeInto(QLineEdit* box, const QString& text) {
  box->setFocus();
  box->selectAll();
  QTest::keyClick(box, Qt::Key_Delete);
  QTest::keyClicks(box, text);
}

// Sets the number of players and the user's turn as a user does.
inline void setPlayers(Form1& w, int players, int turn) {
  typeInto(w.txtNumberofPlayers, QString::number(players));
  QTest::mouseClick(w.cmdNumofPlayers, Qt::LeftButton);
  typeInto(w.txtUsersTurn, QString::number(turn));
  QTest::mouseClick(w.cmdUsersTurn, Qt::LeftButton);
}

// C-A-T dragged across the centre and committed (10 points).
inline void layCat(Form1& w) {
  dragTileTo(w, 11, squarePoint(7, 6));
  dragTileTo(w, 0, squarePoint(7, 7));
  dragTileTo(w, 80, squarePoint(7, 8));
  QTest::mouseClick(w.cmdUse1, Qt::LeftButton);
}

// A main window over a word list, its dialogs recorded.
struct TestForm {
  explicit TestForm(const std::filesystem::path& words) : cache(words), w(cache, &prompts) {}
  WordListCache cache;
  RecordingPrompts prompts;
  Form1 w;
};

// What `tilvan-cli replay` prints for `script`: the last `state:` line and
// the messages after the start-up one.
struct Replayed {
  std::string state;
  std::vector<std::string> messages;
};
inline Replayed replayScript(const std::string& script, const std::filesystem::path& words) {
  WordListCache cache(words);
  std::istringstream in(script);
  std::ostringstream out, err;
  cli::runReplay(in, "script", cache, out, err);
  std::istringstream lines(out.str());
  Replayed r;
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind("state: ", 0) == 0) r.state = line.substr(7);
    if (line.rfind("message: ", 0) == 0) r.messages.push_back(line.substr(9));
  }
  if (!r.messages.empty()) r.messages.erase(r.messages.begin());
  return r;
}

}  // namespace tilvan::ui::test
