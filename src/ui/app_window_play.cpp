// AppWindow's "Play" menu (the keyboard's way through a turn), the status
// line's first line and the title bar.
#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QStatusBar>
#include <QVBoxLayout>

#include "finder/search_gain.h"
#include "game/handlers.h"
#include "game/standings.h"
#include "moves/pending.h"
#include "ui/app_window.h"
#include "ui/endgame_runner.h"
#include "ui/lookup_box.h"
#include "ui/main_window.h"
#include "ui/simulation_runner.h"
#include "ui/widgets.h"
#include "words/lookup.h"

namespace tilvan::ui {
namespace {

QString latin1(const std::string& s) { return QString::fromLatin1(s.data(), qsizetype(s.size())); }

QString pendingText(const PendingMove& m) {
  if (!m.legal) return QStringLiteral("This move cannot be played: %1").arg(latin1(m.reason));
  QStringList words;
  for (const PendingWord& w : m.words)
    words << latin1(w.text).toUpper() +
                 (w.found ? QString() : QStringLiteral(" (not in the list)"));
  return QStringLiteral("This move: %1 %2: %3")
      .arg(m.score)
      .arg(m.score == 1 ? QStringLiteral("point") : QStringLiteral("points"))
      .arg(words.join(QStringLiteral(", ")));
}

QString gameOverText(const Standings& s, int players, int user) {
  QStringList finals;
  for (int p = 0; p < players; ++p)
    finals << QStringLiteral("%1%2 %3")
                  .arg(p + 1)
                  .arg(p + 1 == user ? QStringLiteral(" (you)") : QString())
                  .arg(s.totals[p]);
  QString who;
  if (s.leaders.size() == 1) {
    const int w = s.leaders.front();
    who = QStringLiteral("Player %1%2 wins")
              .arg(w + 1)
              .arg(w + 1 == user ? QStringLiteral(" (you)") : QString());
  } else {
    QStringList tied;
    for (int p : s.leaders) tied << QString::number(p + 1);
    who = QStringLiteral("A tie between players %1").arg(tied.join(QStringLiteral(" and ")));
  }
  return QStringLiteral("Game over: %1. Final scores: %2.")
      .arg(who, finals.join(QStringLiteral(", ")));
}

}  // namespace

void AppWindow::buildStatusLine() {
  // Two lines: what is going on in the game, then the word list in use.
  auto* box = new QWidget(this);
  auto* lines = new QVBoxLayout(box);
  lines->setContentsMargins(2, 0, 2, 0);
  lines->setSpacing(0);
  message_ = new QLabel(box);
  message_->setObjectName(QStringLiteral("lblStatus"));
  status_ = new QLabel(box);
  status_->setObjectName(QStringLiteral("lblWordsInUse"));
  lines->addWidget(message_);
  lines->addWidget(status_);
  statusBar()->setSizeGripEnabled(false);
  statusBar()->addWidget(box, 1);
}

void AppWindow::buildSimulateActions(QMenu* play) {
  // The simulation's progress: on the status line's right, while a run lasts.
  auto* bar = new QProgressBar(this);
  bar->setObjectName(QStringLiteral("barSimulation"));
  bar->setMaximumWidth(220);
  statusBar()->addPermanentWidget(bar);
  simulation_ = new SimulationRunner(*form_, bar, this);
  actSimulate = play->addAction(QStringLiteral("Simulate"));
  actSimulate->setShortcut(QKeySequence(Qt::Key_F5));
  actSimulate->setStatusTip(
      QStringLiteral("Plays the best turns by value ahead, again and again; F5 or Escape stops"));
  connect(actSimulate, &QAction::triggered, simulation_, &SimulationRunner::toggle);
  actStopSimulation = new QAction(QStringLiteral("Stop Simulation"), this);
  actStopSimulation->setShortcut(QKeySequence(Qt::Key_Escape));
  actStopSimulation->setShortcutContext(Qt::WindowShortcut);
  actStopSimulation->setEnabled(false);
  addAction(actStopSimulation);
  connect(actStopSimulation, &QAction::triggered, simulation_, &SimulationRunner::stop);
  connect(simulation_, &SimulationRunner::runningChanged, actStopSimulation, &QAction::setEnabled);
  // A simulation takes the slots: an endgame answer still to come is dropped.
  endgame_ = new EndgameRunner(*form_, this);
  connect(simulation_, &SimulationRunner::runningChanged, endgame_, [this](bool running) {
    if (running) endgame_->stop();
  });
}

void AppWindow::buildPlayMenu() {
  QMenu* play = menuBar()->addMenu(QStringLiteral("&Play"));
  play->setObjectName(QStringLiteral("mnuPlay"));
  actToBoard = play->addAction(QStringLiteral("Go to the Board"));
  actToBoard->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_B));
  actToBoard->setStatusTip(
      QStringLiteral("Arrow keys move the cursor; letters lay tiles; Enter is USE"));
  connect(actToBoard, &QAction::triggered, this, [this] { form_->focusBoard(); });
  actToRack = play->addAction(QStringLiteral("Go to the Rack"));
  actToRack->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
  connect(actToRack, &QAction::triggered, this, [this] {
    form_->txtRack->setFocus(Qt::ShortcutFocusReason);
    form_->txtRack->selectAll();
  });
  play->addSeparator();
  for (int k = 0; k < int(actShowResult.size()); ++k) {
    QAction* a = play->addAction(QStringLiteral("Show Result %1").arg(k + 1));
    a->setShortcut(QKeySequence(Qt::ALT | Qt::Key(Qt::Key_1 + k)));
    connect(a, &QAction::triggered, this, [this, k] { form_->showResult(k); });
    actShowResult[std::size_t(k)] = a;
  }
  actLayShown = play->addAction(QStringLiteral("Lay the Shown Result"));
  actLayShown->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Return));
  connect(actLayShown, &QAction::triggered, this, [this] { form_->layShownResult(); });
  play->addSeparator();
  buildSimulateActions(play);
  play->addSeparator();
  actLookUp = play->addAction(QStringLiteral("Look Up a Word…"));
  actLookUp->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
  connect(actLookUp, &QAction::triggered, this, &AppWindow::showLookUp);
}

void AppWindow::showLookUp() {
  if (!lookUp_) {
    lookUp_ = new LookUpBox(
        [this](const std::string& word) {
          std::optional<bool> found;
          form_->run([&](Game& g, Prompts&) { found = lookUpWord(g, word); });
          return found;
        },
        [this] { return listName(); }, this);
  }
  lookUp_->show();
  lookUp_->raise();
  lookUp_->activateWindow();
  lookUp_->txtWord->setFocus();
  lookUp_->txtWord->selectAll();
}

void AppWindow::searched() {
  gain_ = form_->chkComplete->isChecked() ? 0 : completeSearchGain(form_->game());
  gainTurns_ = form_->game().state.Turns.size();
  refreshStatus();
}

QString AppWindow::statusMessage() const { return message_->text(); }

void AppWindow::refreshStatus() {
  // The first of: why USE refused a move, the move in progress, the end of
  // the game, what the original search rules missed.
  const Game& g = form_->game();
  const auto pick = [&]() -> QString {
    if (!form_->saidLine().isEmpty()) return form_->saidLine();
    if (const auto pending = pendingMove(g)) return pendingText(*pending);
    const Standings s = standings(g.state.Turns, g.state.NumPlayers);
    if (s.over) return gameOverText(s, g.state.NumPlayers, g.state.UserTurn);
    if (gain_ > 0 && gainTurns_ == g.state.Turns.size())
      return QStringLiteral(
                 "Original search rules: the complete search finds a move of %1 %2 more.")
          .arg(gain_)
          .arg(gain_ == 1 ? QStringLiteral("point") : QStringLiteral("points"));
    return {};
  };
  const QString text = pick();
  if (message_->text() != text) message_->setText(text);
}

bool AppWindow::hasUnsavedChanges() const {
  const GameState& s = form_->game().state;
  return gameFile_ && (s.Turns != savedTurns_ || s.TakenBack != savedTakenBack_);
}

void AppWindow::rememberSaved() {
  savedTurns_ = form_->game().state.Turns;
  savedTakenBack_ = form_->game().state.TakenBack;
  refreshTitle();
}

void AppWindow::refreshTitle() {
  QString title = form_->windowTitle();
  if (gameFile_) {
    const QString name = QFileInfo(QString::fromStdString(gameFile_->string())).fileName();
    title = name + (hasUnsavedChanges() ? QStringLiteral("*") : QString()) + QStringLiteral(" - ") +
            title;
  }
  if (windowTitle() != title) setWindowTitle(title);
}

bool AppWindow::mayReplaceGame() {
  const GameState& s = form_->game().state;
  if (!tilvan::gameInProgress(s) || (gameFile_ && !hasUnsavedChanges())) return true;
  return form_->prompts().confirm(
      gameEnded(s.Turns) ? "Open another game? The finished game is not saved to a file."
                         : "Open another game? The game in progress will be given up.");
}

}  // namespace tilvan::ui
