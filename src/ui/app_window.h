// AppWindow: the program's top-level window. The menu bar lies above Form1's
// fixed client area and a status line below it, so that neither moves a
// control of the client area. The "Words" menu chooses the word list; the
// choice and the options are remembered between runs (ui/settings.h). The
// window never grows past the screen's free area: a client area zoomed
// larger scrolls.
#pragma once

#include <QMainWindow>
#include <QSize>
#include <array>
#include <filesystem>
#include <memory>
#include <optional>

#include "game/history.h"
#include "ui/settings.h"
#include "ui/zoom.h"
#include "words/word_list.h"

class QAction;
class QMenu;
class QLabel;
class QScrollArea;

namespace tilvan {
class Prompts;
}

namespace tilvan::ui {

class Form1;
class LookUpBox;
class ScoreSheet;
class SimulationRunner;
class EndgameRunner;
class HeldStart;

// The two lists that come with the program.
struct WordLists {
  std::filesystem::path wordGame;  // ENABLE2K, the default
  std::filesystem::path large;     // the large dictionary
  // Where the program finds them: the default list's folder holds both.
  static WordLists installed();
};

class AppWindow : public QMainWindow {
  Q_OBJECT
 public:
  // Starts with the list that the settings name, or `wordsOverride` for this
  // run only. `prompts` as for Form1. Without `remember`, the window starts
  // from the default settings and leaves the stored ones alone (a measured
  // run, say).
  // With `holdStart`, the start-up message waits for finishStart().
  AppWindow(WordLists lists, std::optional<std::filesystem::path> wordsOverride,
            Prompts* prompts = nullptr, bool remember = true, bool holdStart = false,
            QWidget* parent = nullptr);
  ~AppWindow() override;

  Form1& form() { return *form_; }
  WordListCache& words() { return *words_; }
  const Settings& settings() const { return settings_; }

  // Switches to a list of the "Words" menu and remembers the choice. A file
  // that cannot be read is reported with the usual message and the list in
  // use stays. Returns whether the list changed.
  bool chooseWords(WordsChoice choice, const QString& otherFile = {});

  // The status line's second line: the list in use and its number of records.
  QString statusText() const;
  // Its first line: the move in progress (its score and words, a word not
  // in the list marked), why USE refused a move, what the complete search
  // would add to an original search's best, or the end of the game.
  QString statusMessage() const;

  // "Original search rules" in the "Words" menu: the complete search's
  // tick ("Complete search") turned off.
  QAction* actOriginalRules = nullptr;
  QAction* actRankByValue = nullptr;
  // The "Play" menu: the keyboard's way through a turn.
  QAction *actClearLast, *actToBoard, *actToRack, *actLayShown, *actLookUp;
  std::array<QAction*, 5> actShowResult{};
  // "Simulate" (F5): starts or stops the simulation of the rack's best
  // turns; Escape stops it too (actStopSimulation, enabled while it runs).
  QAction *actSimulate = nullptr, *actStopSimulation = nullptr;
  SimulationRunner* simulation() const { return simulation_; }
  // The endgame solved after "Find   Words" (ui/endgame_runner.h).
  EndgameRunner* endgame() const { return endgame_; }
  LookUpBox* lookUpBox() const { return lookUp_; }
  void showLookUp();

  QAction *actWordGame, *actLarge, *actOther;
  // The "View" menu: scales the client area to `percent` (one of
  // kZoomSteps), ticks its entry and remembers it.
  void setZoom(int percent);
  QMenu* viewMenu = nullptr;
  std::array<QAction*, kZoomSteps.size()> zoomActions{};
  // The largest zoom at which the whole window fits the screen's free area
  // (the start's zoom when none is remembered), at least 100.
  int fittingZoom() const;
  // The screen's free area that the window may take; `room` replaces the
  // screen's for a window that is to fit a given screen (tests).
  QSize screenRoom() const;
  void setScreenRoom(std::optional<QSize> room);

  // The "Game" menu.
  QAction *actOpen, *actSave, *actSaveAs, *actPass, *actRedo, *actScoreSheet, *actEndGame;

  // Game files. Opening or saving a file makes it the game's file, which
  // Save writes again; a failure is a message and changes nothing. The
  // title bar names the file, marked "*" while the game has changes not
  // saved to it. Open asks first when a game would be given up.
  bool hasUnsavedChanges() const;
  bool openGameFile(const std::filesystem::path& path);
  bool saveGameFile(const std::filesystem::path& path);
  const std::optional<std::filesystem::path>& gameFile() const { return gameFile_; }

  // Writes the game to `path` after every change of its record. With
  // `offerResume`, when that file holds an unfinished game, asks first
  // whether to resume it (Yes first) and resumes it on Yes. An unfinished
  // game not resumed is set aside (renamed with its date, see setAside);
  // a file there that cannot be opened is said once and set aside too. The
  // program goes on in every case.
  void autosaveTo(const std::filesystem::path& path, bool offerResume);

  // Ends the start: the start-up message held back (holdStart) is shown,
  // unless the game opened or resumed has its players and the user's turn.
  void finishStart();

  // Where the window keeps its autosave: $XDG_STATE_HOME/tilvan/autosave.json
  // (by default, and when the variable holds no absolute path,
  // ~/.local/state/tilvan/autosave.json).
  static std::filesystem::path defaultAutosavePath();

  // The score sheet window, once opened.
  ScoreSheet* scoreSheet() const { return sheet_; }
  void showScoreSheet();
  // Asks for the tiles left on each rack and ends the game.
  void endGame();
  // Ends the game with these racks (player 1 first): -1 when it ended, else
  // the box of the End game dialog to mark (see EndGameDialog::Check).
  int endGameWith(const std::vector<std::string>& racks);

 private:
  void buildMenus();
  void buildPlayMenu();  // ui/app_window_play.cpp, with the status line and the title
  void buildStatusLine();
  void buildSimulateActions(QMenu* play);
  void refreshStatus();
  void refreshTitle();
  void searched();
  void rememberSaved();
  bool mayReplaceGame();
  void fitToScreen();  // ui/app_window_view.cpp
  void scaleChrome();
  void buildGameMenu();
  void buildViewMenu();
  void addFileActions(QMenu* game);
  void pickGameToOpen();
  void saveAs();
  void pickOtherFile();
  void showWordsInUse();
  QString listName() const;  // the list in use, as the status line names it
  void save() const;
  std::filesystem::path pathOf(WordsChoice choice, const QString& otherFile) const;

  WordLists lists_;
  bool remember_;
  Settings settings_;
  bool overridden_;  // --words named the list of this run
  std::optional<WordListCache> words_;
  Form1* form_;
  QScrollArea* scroll_;
  std::optional<QSize> room_;
  QLabel* status_;
  QLabel* message_;
  ScoreSheet* sheet_ = nullptr;
  LookUpBox* lookUp_ = nullptr;
  SimulationRunner* simulation_ = nullptr;
  EndgameRunner* endgame_ = nullptr;
  std::optional<std::filesystem::path> gameFile_;
  std::unique_ptr<Prompts> ownPrompts_;  // the window's dialogs, when none were given
  std::unique_ptr<HeldStart> held_;      // holds the start-up message back
  // The record as the game file holds it (turns and taken-back turns).
  std::vector<Turn> savedTurns_, savedTakenBack_;
  // What the complete search adds to the last original search's best, and
  // the number of turns then: shown until the record changes.
  int gain_ = 0;
  std::size_t gainTurns_ = 0;
};

}  // namespace tilvan::ui
