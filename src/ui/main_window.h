// Form1: the main window. It owns the game (state and mirror), forwards each
// user action to its handler in game/handlers.h and then shows the mirror.
// Rules live in the core, never here.
#pragma once

#include <QPointer>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "game/game.h"
#include "game/prompts.h"

class QCheckBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QMimeData;
class QPushButton;

namespace tilvan::ui {

class CursorWidget;
class LineWidget;
class PictureWidget;
class ShapeWidget;
class TileWidget;
class WindowPrompts;
class frmAbout;

class Form1 : public QWidget {
  Q_OBJECT
 public:
  // Builds the window and runs start-up, whose message is shown through
  // `prompts` before the window appears. `words` is borrowed and must outlive
  // the window; `prompts` too, when given (else the window shows real dialogs).
  explicit Form1(WordListCache& words, Prompts* prompts = nullptr, QWidget* parent = nullptr);
  ~Form1() override;

  const Game& game() const { return game_; }
  Prompts& prompts() { return *prompts_; }
  // "Rank by value" (a menu option of the window that holds this form).
  void setRankByValue(bool on);

  // A tile dragged from the pool or the board and let go at `windowPoint`
  // (pixels in the window): reaches the drop handler only when the point
  // lies on the main board picture and not on a tile picture there.
  void dropTileAt(int tile, QPointF windowPoint);

  // The open About box, if any.
  frmAbout* aboutBox() const;

  // Reads the word list and builds the search's indexes ahead of the first
  // search, with a scratch game that nobody sees, so that the first press
  // of "Find   Words" answers as fast as the later ones. Shows nothing, also
  // when the list cannot be read (the search itself reports that).
  void prefetchWordList();
  // Runs prefetchWordList() once, right after the window's first paint,
  // then signals prefetched().
  void setPrefetchWhenShown(bool on) { prefetchWhenShown_ = on; }

  // Runs one handler as an event of the window (see act), for the menus and
  // windows around the client area.
  void run(const std::function<void(Game&, Prompts&)>& handler) { act(handler); }

  // Prints to stderr how long each search and its repaint take.
  void setMeasuring(bool on) { measuring_ = on; }

  // Scale of the whole client area, in percent (100 is the design's size):
  // every control, font and picture grows alike, and drops still reach the
  // square under the pointer.
  void setZoom(int percent);
  int zoom() const { return qRound(zoom_ * 100); }

  // Shows the mirror at once, before a dialog opens over it.
  void showNow();

  // Controls, named as in the window's design.
  QLabel* lblPlayers;
  std::array<QLabel*, kPlayers> lblPlayer, lblPlayersPoints, lblPlayerBoard;
  std::array<ShapeWidget*, kPlayers> shpUser, Shape;
  std::array<LineWidget*, kPlayers> linPlayer;
  QPushButton *cmdNewGame, *cmdQuit, *cmdNumofPlayers, *cmdUsersTurn, *cmdFindWords;
  QPushButton *cmdUse1, *cmdCheck, *cmdClear, *cmdAbout;
  QPushButton* cmdPass;  // "Pass / Exchange", in the free space above Clear Last Move
  QLineEdit *txtNumberofPlayers, *txtUsersTurn, *txtRack;
  QCheckBox* chkComplete;
  PictureWidget *imgTilvaneBoard, *imgTilvaneWords;
  std::array<TileWidget*, kTilePictures> imgTile;
  std::array<TileWidget*, kPreviewPictures> imgTile1;
  std::array<QLabel*, kLetters> lbTile;
  QLabel *lblLettersLeft, *lblWordsCreated;
  std::array<QPushButton*, kResultSlots> cmdWord;
  std::array<QLabel*, kResultSlots> lblWord;
  std::array<QLabel*, kWordLabels> lblWords, lblCheckWords;
  // Captions added to the design: the rack box's, and per player row a band
  // behind the row whose turn it is and a "you" beside the user's number.
  QLabel* lblRack;
  std::array<QLabel*, kPlayers> lblTurnRow, lblYou;
  // Added in free space (ui/form1_marks.cpp): the main board's column
  // letters and row numbers, a faded tile on each used-up stack, the tiles
  // unseen beside each stack with their sum and the bag's, and "Game over"
  // (the winners' rows then banded in green).
  std::array<QLabel*, kSide> lblColumn, lblRow;
  std::array<PictureWidget*, kLetters> imgUsedUp;
  std::array<QLabel*, kLetters> lblUnseen;
  QLabel *lblUnseenTotal, *lblGameOver;

  // The last line a handler said for the status line (why USE refused a
  // move), until the next event of the window.
  const QString& saidLine() const { return said_; }
  void say(std::string_view text);
  // The result button whose placement the lower board shows last (0..4).
  int shownResult() const { return shownResult_; }
  // Keyboard play: shows result k (0..4), lays the shown result, moves the
  // cursor (see pressArrow).
  void showResult(int k);
  void layShownResult() { layResultOf(shownResult_); }
  // Gives the main board the keyboard, its cursor shown.
  void focusBoard();

 signals:
  void prefetched();
  // "Find   Words" has run.
  void searched();
  // The game may have changed: every handler run ends with this.
  void changed();

 protected:
  void dragEnterEvent(QDragEnterEvent* e) override;
  void dragMoveEvent(QDragMoveEvent* e) override;
  void dropEvent(QDropEvent* e) override;
  void paintEvent(QPaintEvent* e) override;
  // Clicks and keys on the main board, double-clicks on the result buttons
  // (main_window_typing.cpp).
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  // The window's Prompts: `inner`, each dialog opening only once the mirror
  // is shown.
  std::unique_ptr<Prompts> showingFirst(Prompts& inner);
  // The design's place and font of every control, for setZoom.
  struct Design {
    QPointer<QWidget> widget;
    QRect place;
    QFont font;
    bool ownFont;
  };

  void buildControls();  // ui/form1_controls.cpp
  void buildPlayerPanel();
  void buildBoxes();
  void buildBoardAndTiles();
  void buildResults();
  QLabel* label(const QString& name, const QString& caption, const QRect& place,
                Qt::Alignment align = Qt::AlignLeft | Qt::AlignTop);
  QPushButton* button(const QString& name, const QString& caption, const QRect& place);
  QLineEdit* textBox(const QString& name, const TextBox& box, const QRect& place);
  void buildTurnMarks();
  void buildMarks();
  void refreshMarks();
  void refreshUnseen();
  void recordDesign();
  void connectEvents();
  // Pixels at the current zoom of a position given in twips.
  int zpx(int twips) const;
  // The window point as twips from the main board's top left corner.
  QPoint boardTwips(QPointF windowPoint) const;
  void refreshTurnMarks();
  // Runs one handler as an event of the window: the text boxes are read
  // into the mirror first, and the mirror is shown afterwards. An event that
  // arrives while another is still running (from inside a dialog) is ignored.
  void act(const std::function<void(Game&, Prompts&)>& handler);
  void pressFindWords();
  // Typing on the main board and laying results (main_window_typing.cpp).
  void setUpTyping();
  bool typeKey(QKeyEvent* e);
  void layResultOf(int k);
  void showAbout();
  // Shows the mirror: captions, pictures, marks and text boxes.
  void refresh();
  std::optional<int> draggedTile(const QMimeData* mime) const;
  bool reachesBoard(QPointF windowPoint) const;

  Game game_;
  std::unique_ptr<WindowPrompts> ownPrompts_;
  Prompts* prompts_;
  std::unique_ptr<Prompts> showFirst_;  // prompts_, after showing the mirror
  std::vector<Design> design_;
  qreal zoom_ = 1.0;
  std::optional<Form> shown_;  // what the widgets show now
  QPointer<frmAbout> about_;
  CursorWidget* cursor_ = nullptr;
  bool busy_ = false;
  bool measuring_ = false;
  bool prefetchWhenShown_ = false;
  QString said_;
  int shownResult_ = 0;
};

}  // namespace tilvan::ui
