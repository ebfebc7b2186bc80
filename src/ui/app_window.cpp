#include "ui/app_window.h"

#include <QActionGroup>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLayout>
#include <QLocale>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QStatusBar>

#include "game/handlers.h"
#include "game/prompts.h"
#include "moves/game_file.h"
#include "ui/end_game_dialog.h"
#include "ui/lookup_box.h"
#include "ui/main_window.h"
#include "ui/paths.h"
#include "ui/score_sheet.h"
#include "ui/window_prompts.h"

namespace tilvan::ui {
// Passes everything on to the window's prompts, but keeps the messages back
// while the start is held.
class HeldStart : public Prompts {
 public:
  explicit HeldStart(Prompts& inner) : inner_(inner) {}
  void message(std::string_view text) override {
    if (holding_)
      held_.emplace_back(text);
    else
      inner_.message(text);
  }
  std::optional<std::string> askBlankLetter() override { return inner_.askBlankLetter(); }
  bool confirm(std::string_view question) override { return inner_.confirm(question); }
  bool confirmYesFirst(std::string_view question) override {
    return inner_.confirmYesFirst(question);
  }
  // The messages held so far are the start-up message.
  void markStart() { startCount_ = held_.size(); }
  // Stops holding and shows the messages held: the start-up message only
  // when `showStart`.
  void release(bool showStart) {
    holding_ = false;
    std::vector<std::string> held = std::move(held_);
    for (std::size_t i = showStart ? 0 : startCount_; i < held.size(); ++i)
      inner_.message(held[i]);
  }

 private:
  Prompts& inner_;
  bool holding_ = true;
  std::vector<std::string> held_;
  std::size_t startCount_ = 0;
};

WordLists WordLists::installed() {
  const auto wordGame = defaultWordListPath();
  return {wordGame, wordGame.parent_path() / "WordsLarge.Txt"};
}

AppWindow::AppWindow(WordLists lists, std::optional<std::filesystem::path> wordsOverride,
                     Prompts* prompts, bool remember, bool holdStart, QWidget* parent)
    : QMainWindow(parent),
      lists_(std::move(lists)),
      remember_(remember),
      settings_(remember ? Settings::load() : Settings{}),
      overridden_(wordsOverride.has_value()) {
  setObjectName(QStringLiteral("AppWindow"));
  words_.emplace(wordsOverride ? *wordsOverride
                               : pathOf(settings_.words, settings_.otherWordsFile));
  if (holdStart) {
    if (!prompts) {
      ownPrompts_ = std::make_unique<WindowPrompts>(this);
      prompts = ownPrompts_.get();
    }
    held_ = std::make_unique<HeldStart>(*prompts);
    prompts = held_.get();
  }
  form_ = new Form1(*words_, prompts, this);
  if (held_) held_->markStart();
  // The client area keeps its fixed size inside a frameless scroll area,
  // which shows all of it while the window fits the screen and scrolls when
  // a zoom makes it larger.
  scroll_ = new QScrollArea(this);
  scroll_->setObjectName(QStringLiteral("scrClient"));
  scroll_->setFrameShape(QFrame::NoFrame);
  scroll_->setWidget(form_);
  scroll_->setWidgetResizable(false);
  setCentralWidget(scroll_);
  setWindowTitle(form_->windowTitle());
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  buildMenus();
  buildStatusLine();
  showWordsInUse();

  form_->chkComplete->setChecked(settings_.completeSearch);
  actOriginalRules->setChecked(!settings_.completeSearch);
  connect(form_->chkComplete, &QCheckBox::toggled, this, [this](bool on) {
    settings_.completeSearch = on;
    actOriginalRules->setChecked(!on);
    save();
  });
  actRankByValue->setChecked(settings_.rankByValue);
  form_->setRankByValue(settings_.rankByValue);
  connect(actRankByValue, &QAction::toggled, this, [this](bool on) {
    settings_.rankByValue = on;
    form_->setRankByValue(on);
    save();
  });
  connect(form_, &Form1::changed, this, [this] {
    refreshStatus();
    refreshTitle();
  });
  connect(form_, &Form1::searched, this, &AppWindow::searched);
  // New Game forgets the file of the game it gave up: Save must not write
  // the new game over it.
  connect(form_->cmdNewGame, &QPushButton::clicked, this, [this] {
    if (tilvan::gameInProgress(form_->game().state)) return;
    gameFile_.reset();
    refreshTitle();
  });
  fitToScreen();
  refreshStatus();
}

AppWindow::~AppWindow() {
  // The window's game borrows the list: it goes first.
  delete form_;
}

void AppWindow::buildMenus() {
  QMenu* words = menuBar()->addMenu(QStringLiteral("&Words"));
  words->setObjectName(QStringLiteral("mnuWords"));
  auto* group = new QActionGroup(this);
  group->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
  auto add = [&](const QString& text, const QString& tip) {
    QAction* a = words->addAction(text);
    a->setCheckable(true);
    a->setStatusTip(tip);
    group->addAction(a);
    return a;
  };
  actWordGame = add(QStringLiteral("Word-game list (ENABLE2K)"),
                    QStringLiteral("The list made for word games: no abbreviations"));
  actLarge = add(QStringLiteral("Large dictionary"),
                 QStringLiteral("A larger English list, with rarer words and abbreviations"));
  actOther = add(QStringLiteral("Other file…"), QStringLiteral("A word list file of your own"));
  connect(actWordGame, &QAction::triggered, this, [this] { chooseWords(WordsChoice::kWordGame); });
  connect(actLarge, &QAction::triggered, this, [this] { chooseWords(WordsChoice::kLarge); });
  connect(actOther, &QAction::triggered, this, &AppWindow::pickOtherFile);
  words->addSeparator();
  // The complete search is the window's default; the classic search, with
  // its own narrower rules, stays one click away.
  actOriginalRules = words->addAction(QStringLiteral("Original search rules"));
  actOriginalRules->setObjectName(QStringLiteral("actOriginalRules"));
  actOriginalRules->setCheckable(true);
  actOriginalRules->setStatusTip(
      QStringLiteral("Find Words uses the classic search rules: fewer placements"));
  connect(actOriginalRules, &QAction::toggled, this,
          [this](bool on) { form_->chkComplete->setChecked(!on); });
  actRankByValue = words->addAction(QStringLiteral("Rank by value"));
  actRankByValue->setObjectName(QStringLiteral("actRankByValue"));
  actRankByValue->setCheckable(true);
  actRankByValue->setStatusTip(
      QStringLiteral("The complete search ranks moves and exchanges by points plus the value of "
                     "the tiles kept"));
  buildGameMenu();
  buildPlayMenu();
  buildViewMenu();
}

void AppWindow::buildGameMenu() {
  QMenu* game = menuBar()->addMenu(QStringLiteral("&Game"));
  game->setObjectName(QStringLiteral("mnuGame"));
  addFileActions(game);
  actPass = game->addAction(QStringLiteral("Pass / Exchange"));
  actPass->setStatusTip(QStringLiteral("The current player passes or exchanges tiles"));
  connect(actPass, &QAction::triggered, form_, [this] { form_->run(tilvan::pressPass); });
  actClearLast = game->addAction(QStringLiteral("Clear Last Move"));
  actClearLast->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
  actClearLast->setStatusTip(QStringLiteral("Takes back the latest turn"));
  connect(actClearLast, &QAction::triggered, form_,
          [this] { form_->run(tilvan::pressClearLastMove); });
  actRedo = game->addAction(QStringLiteral("Redo"));
  actRedo->setShortcuts(
      {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
  actRedo->setStatusTip(QStringLiteral("Puts back the turn that Clear Last Move took back"));
  connect(actRedo, &QAction::triggered, form_, [this] { form_->run(tilvan::pressRedo); });
  game->addSeparator();
  actScoreSheet = game->addAction(QStringLiteral("Score sheet"));
  connect(actScoreSheet, &QAction::triggered, this, &AppWindow::showScoreSheet);
  actEndGame = game->addAction(QStringLiteral("End game…"));
  actEndGame->setStatusTip(QStringLiteral("Subtracts the tiles left on the racks"));
  connect(actEndGame, &QAction::triggered, this, &AppWindow::endGame);
  connect(form_, &Form1::changed, this, [this] {
    if (sheet_) sheet_->refresh();
  });
}


void AppWindow::finishStart() {
  if (!held_) return;
  const GameState& s = form_->game().state;
  held_->release(s.NumPlayers == 0 || s.UserTurn == 0);
}

void AppWindow::showScoreSheet() {
  if (!sheet_) {
    sheet_ = new ScoreSheet(
        form_->game(), [this](const auto& handler) { form_->run(handler); }, this);
  }
  sheet_->refresh();
  sheet_->show();
  sheet_->raise();
  sheet_->activateWindow();
}

void AppWindow::endGame() {
  const int players = form_->game().state.NumPlayers;
  if (players == 0) {
    // The core says what is missing.
    form_->run([](Game& g, Prompts& p) { tilvan::endGame(g, p, {}); });
    return;
  }
  EndGameDialog dialog(
      players, [this](const std::vector<std::string>& racks) { return endGameWith(racks); }, this);
  dialog.exec();
}

int AppWindow::endGameWith(const std::vector<std::string>& racks) {
  form_->run([&racks](Game& g, Prompts& p) { tilvan::endGame(g, p, racks); });
  if (gameEnded(form_->game().state.Turns)) return -1;
  // The core said what is wrong; the box to mark is the first one whose
  // rack, with those before it and the later boxes empty, is refused.
  class Silent : public Prompts {
    void message(std::string_view) override {}
    std::optional<std::string> askBlankLetter() override { return std::nullopt; }
  } silent;
  const int players = static_cast<int>(racks.size());
  for (int p = 0; p < players; ++p) {
    Game scratch = form_->game();
    scratch.autosavePath.reset();
    std::vector<std::string> prefix(racks.begin(), racks.begin() + p + 1);
    prefix.resize(racks.size());
    tilvan::endGame(scratch, silent, prefix);
    if (!gameEnded(scratch.state.Turns)) return p;
  }
  return players;
}

void AppWindow::pickOtherFile() {
  const QString start = QFileInfo(fromPath(words_->path())).absolutePath();
  const QString file =
      QFileDialog::getOpenFileName(this, QStringLiteral("Word List"), start,
                                   QStringLiteral("Word lists (*.txt *.Txt *.TXT);;All files (*)"));
  if (file.isEmpty()) return showWordsInUse();  // cancelled: the menu shows the list in use
  chooseWords(WordsChoice::kOther, file);
}

std::filesystem::path AppWindow::pathOf(WordsChoice choice, const QString& otherFile) const {
  switch (choice) {
    case WordsChoice::kWordGame:
      return lists_.wordGame;
    case WordsChoice::kLarge:
      return lists_.large;
    case WordsChoice::kOther:
      break;
  }
  return toPath(otherFile);
}

bool AppWindow::chooseWords(WordsChoice choice, const QString& otherFile) {
  const auto path = pathOf(choice, otherFile);
  WordListCache probe(path);
  if (auto got = probe.get(); !got.ok()) {
    form_->prompts().message(got.error().message());
    showWordsInUse();
    return false;
  }
  // The game borrows the cache by reference: a new cache is built in its
  // place, and the reference then names the new one.
  words_.emplace(path);
  // Results found in the old list are not this list's.
  form_->run([](Game& g, Prompts&) { tilvan::wordListSwitched(g); });
  overridden_ = false;
  settings_.words = choice;
  if (choice == WordsChoice::kOther) settings_.otherWordsFile = otherFile;
  save();
  showWordsInUse();
  return true;
}

void AppWindow::save() const {
  if (remember_) settings_.save();
}

QString AppWindow::statusText() const { return status_->text(); }

QString AppWindow::listName() const {
  QString name = QFileInfo(fromPath(words_->path())).fileName();
  if (overridden_)
    name += QStringLiteral(" (--words)");
  else if (settings_.words == WordsChoice::kWordGame)
    name = actWordGame->text();
  else if (settings_.words == WordsChoice::kLarge)
    name = actLarge->text();
  return name;
}

void AppWindow::showWordsInUse() {
  actWordGame->setChecked(!overridden_ && settings_.words == WordsChoice::kWordGame);
  actLarge->setChecked(!overridden_ && settings_.words == WordsChoice::kLarge);
  actOther->setChecked(!overridden_ && settings_.words == WordsChoice::kOther);

  const QString name = listName();
  const auto list = words_->get();
  if (!list.ok()) {
    status_->setText(QStringLiteral("Word list: %1 cannot be read").arg(name));
  } else {
    const std::size_t n = list.value()->size();
    status_->setText(QStringLiteral("Word list: %1, %2 %3")
                         .arg(name, QLocale().toString(qulonglong(n)),
                              n == 1 ? QStringLiteral("word") : QStringLiteral("words")));
  }
  status_->setToolTip(fromPath(words_->path()));
  // An answer in the look-up box is the list's in use.
  if (lookUp_) lookUp_->answer();
}

}  // namespace tilvan::ui
