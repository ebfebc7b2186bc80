// The main window: its controls stand where the design puts them, drops and
// presses reach the core's handlers, and the widgets show the core's mirror.
#include <sys/stat.h>

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>
#include <filesystem>

#include "cli/dump.h"
#include "game/views.h"
#include "ui/about_box.h"
#include "ui/pictures.h"
#include "ui_test_support.h"

using namespace tilvan;
using namespace tilvan::ui;
using namespace tilvan::ui::test;

namespace {

// Pixels of a length in twips, rounded as the window's design rounds them.
int pix(int twips) { return qRound(twips / 15.0); }

struct Place {
  QString name;
  int left, top, width, height;
  bool visible;  // right after start-up
};

// The design table of the main window (positions in twips).
std::vector<Place> designTable() {
  std::vector<Place> t = {
      {"lblPlayers", 120, 360, 1575, 255, true},
      {"cmdNewGame", 120, 2400, 1575, 615, true},
      {"cmdQuit", 120, 3120, 1575, 615, true},
      {"cmdNumofPlayers", 0, 4080, 1455, 375, true},
      {"txtNumberofPlayers", 1560, 4125, 255, 285, true},
      {"cmdUsersTurn", 0, 4560, 1575, 375, true},
      {"txtUsersTurn", 1680, 4605, 255, 285, true},
      {"txtRack", 2280, 4680, 2175, 285, true},
      {"cmdFindWords", 4800, 4560, 975, 495, true},
      {"imgTilvaneBoard", 1920, 360, 4095, 4095, true},
      {"lblLettersLeft", 6960, 0, 855, 255, true},
      {"cmdUse1", 8895, 1200, 855, 495, true},
      {"cmdCheck", 8880, 2520, 855, 495, true},
      {"cmdClear", 8760, 4200, 1095, 615, true},
      {"cmdAbout", 8760, 8640, 975, 615, true},
      {"imgTilvaneWords", 360, 5160, 4095, 4095, true},
      {"lblWordsCreated", 6840, 4680, 855, 255, true},
  };
  for (int p = 0; p < 4; ++p) {
    t.push_back({QString("lblPlayer(%1)").arg(p), 120, 720 + 360 * p, 255, 255, false});
    t.push_back({QString("shpUser(%1)").arg(p), 20, 750 + 360 * p, 135, 135, false});
    t.push_back({QString("lblPlayersPoints(%1)").arg(p), 480, 720 + 360 * p, 855, 255, true});
    t.push_back({QString("Shape%1").arg(p + 1), 1440, 720 + 360 * p, 255, 255, false});
    t.push_back({QString("lblPlayerBoard(%1)").arg(p), 1920, 120, 4095, 255, false});
  }
  // Home stacks of the letters, "a" first, the blanks last.
  const int home[27][2] = {{6360, 360},  {6960, 360},  {7560, 360},  {8160, 360},  {6360, 960},
                           {6960, 960},  {7560, 960},  {8160, 960},  {6360, 1560}, {6960, 1560},
                           {7560, 1560}, {8160, 1560}, {6360, 2160}, {6960, 2160}, {7560, 2160},
                           {8160, 2160}, {6360, 2760}, {6960, 2760}, {7560, 2760}, {8160, 2760},
                           {6360, 3360}, {6960, 3360}, {7560, 3360}, {8160, 3360}, {6720, 3960},
                           {7320, 3960}, {7920, 3960}};
  const int count[27] = {9, 2, 2, 4, 12, 2, 3, 2, 9, 1, 1, 4, 2, 6,
                         8, 2, 1, 6, 4,  6, 4, 2, 2, 1, 2, 1, 2};
  int tile = 0;
  for (int k = 0; k < 27; ++k) {
    for (int i = 0; i < count[k]; ++i, ++tile)
      t.push_back({QString("imgTile(%1)").arg(tile), home[k][0], home[k][1], 225, 225, true});
    const int left = k < 24 ? 6240 + 600 * (k % 4) : 6600 + 600 * (k - 24);
    const int top = k < 24 ? 600 + 600 * (k / 4) : 4200;
    t.push_back({QString("lbTile(%1)").arg(k), left, top, 495, 255, true});
  }
  for (int n = 100; n < 152; ++n)
    t.push_back({QString("imgTile(%1)").arg(n), n < 126 ? 8400 : 8160, 3960, 225, 225, false});
  for (int k = 0; k < 5; ++k) {
    t.push_back({QString("cmdWord(%1)").arg(k), 4680, 5160 + 840 * k, 255, 255, true});
    const int scoreTop[5] = {5565, 6405, 7245, 8085, 8940};
    t.push_back({QString("lblWord(%1)").arg(k), k < 4 ? 4575 : 4560, scoreTop[k], 1365, 255, true});
  }
  for (int k = 0; k < 11; ++k) {
    t.push_back({QString("lblWords(%1)").arg(k), 5970, 5115 + 240 * k, 2535, 255, true});
    t.push_back({QString("lblCheckWords(%1)").arg(k), 8445, 5115 + 240 * k, 1455, 255, true});
  }
  return t;
}

}  // namespace

class TestForm1 : public QObject {
  Q_OBJECT

 private:
  // Every control that carries state shows what the core's mirror holds.
  static void verifyShowsMirror(const Form1& w) { QCOMPARE(unlikeTheMirror(w), std::string()); }

  WordFile words_{
      "at\ncat\ncats\nact\nacts\nscat\ntact\narc\narcs\ncar\ncars\nscar\nrat\nrats\n"
      "star\ntar\ntars\nart\narts\ntsar\ncart\ncarts\n"};

 private slots:
  void controlsStandWhereTheDesignPutsThem() {
    TestForm t(words_.fsPath());
    auto& [cache, prompts, w] = t;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(w.windowTitle(), QString("TILVAN : Tilvane Crossword Puzzle Solver Version 1.00"));
    QCOMPARE(w.size(), QSize(658, 620));
    QCOMPARE(w.minimumSize(), w.maximumSize());  // not resizable

    const auto table = designTable();
    QCOMPARE(table.size(), std::size_t(17 + 4 * 5 + 152 + 27 + 10 + 22));
    for (const Place& p : table) {
      auto* c = w.findChild<QWidget*>(p.name);
      QVERIFY2(c, qPrintable(p.name));
      QCOMPARE(c->geometry(), QRect(pix(p.left), pix(p.top), pix(p.width), pix(p.height)));
      QVERIFY2(c->isVisible() == p.visible, qPrintable(p.name));
    }
    // The complete search option stands in free space.
    const QRect option = w.chkComplete->geometry();
    QVERIFY(option.isValid());
    QVERIFY(w.rect().contains(option));
    for (const Place& p : table)
      QVERIFY2(!option.intersects(QRect(pix(p.left), pix(p.top), pix(p.width), pix(p.height))),
               qPrintable(p.name));
    QVERIFY(!w.chkComplete->isChecked());

    // Start-up: the turn mark of player 1 only; the message came first.
    QCOMPARE(prompts.take(),
             std::vector<std::string>{
                 "You Must Set the Number of Players and Your Turn Number Before Playing"});
    QVERIFY(w.linPlayer[0]->isVisible());
    for (int p = 1; p < 4; ++p) QVERIFY(!w.linPlayer[p]->isVisible());
    verifyShowsMirror(w);
  }

  void captionsAreTheDesignsWordForWord() {
    TestForm t(words_.fsPath());
    auto& [cache, prompts, w] = t;
    const std::pair<const char*, const char*> captions[] = {
        {"lblPlayers", "Players:"},         {"cmdNewGame", "New Game"},
        {"cmdQuit", "Quit"},                {"cmdNumofPlayers", "Number of Players"},
        {"txtNumberofPlayers", "4"},        {"cmdUsersTurn", "When is Your Turn?"},
        {"txtUsersTurn", "2"},              {"txtRack", ""},
        {"cmdFindWords", "Find   Words"},   {"cmdUse1", "USE"},
        {"cmdCheck", "CHECK WORDS"},        {"cmdClear", "Clear Last Move"},
        {"cmdAbout", "About"},              {"lblWordsCreated", "WORDS:"},
        {"lblLettersLeft", ""},             {"lblPlayerBoard(2)", "Player 3"},
        {"lblPlayer(3)", "4"},              {"cmdWord(4)", "5"},
        {"lbTile(0)", "9"},                 {"lbTile(4)", "12"},
        {"lbTile(26)", "2"},                {"chkComplete", "Complete search"}};
    for (auto [name, caption] : captions) {
      QObject* c = w.findChild<QObject*>(name);
      QVERIFY2(c, name);
      QCOMPARE(c->property("text").toString(), QString(caption));
    }
    QCOMPARE(w.txtNumberofPlayers->maxLength(), 1);
    QCOMPARE(w.txtUsersTurn->maxLength(), 1);
    QCOMPARE(w.txtRack->maxLength(), 7);
  }

  void boardSquaresLieUnderTheTilePlaces() {
    TestForm t(words_.fsPath());
    auto& [cache, prompts, w] = t;
    const QPoint mainBoard = w.imgTilvaneBoard->pos(), lowerBoard = w.imgTilvaneWords->pos();
    for (qreal dpr : {1.0, 1.5, 2.0}) {
      const QImage board = boardPicture(dpr).toImage();
      QCOMPARE(board.size(), QSize(qRound(273 * dpr), qRound(273 * dpr)));
      for (int r = 0; r < kSide; ++r)
        for (int c = 0; c < kSide; ++c) {
          const QPoint cell = boardCellOrigin(r, c);
          QCOMPARE(mainBoard + cell, QPoint(pix(1960 + 270 * c), pix(390 + 270 * r)));
          QCOMPARE(lowerBoard + cell, QPoint(pix(405 + 270 * c), pix(5190 + 270 * r)));
          if (dpr == 1.5) continue;  // half pixels blend at 1.5
          // Crisp edges: the cell's corner pixels have its colour, the grid
          // just outside is black.
          const QColor colour = premiumColour(premiumMap()[hIndex(r, c)]);
          const int x0 = qRound(cell.x() * dpr), y0 = qRound(cell.y() * dpr);
          const int x1 = qRound((cell.x() + 15) * dpr) - 1, y1 = qRound((cell.y() + 15) * dpr) - 1;
          QCOMPARE(board.pixelColor(x0, y0), colour);
          QCOMPARE(board.pixelColor(x1, y1), colour);
          QCOMPARE(board.pixelColor(x0 - 1, y0), QColor(Qt::black));
          QCOMPARE(board.pixelColor(x1 + 1, y1), QColor(Qt::black));
        }
    }
    // Tiles are drawn at the screen's resolution.
    for (qreal dpr : {1.0, 2.0}) {
      const QPixmap t = tilePicture(25, dpr);
      QCOMPARE(t.devicePixelRatio(), dpr);
      QCOMPARE(t.size(), QSize(qRound(15 * dpr), qRound(15 * dpr)));
    }
    QVERIFY(tilePicture(0, 1).toImage() != tilePicture(1, 1).toImage());
  }

  void dropsReachTheBoardOnly() {
    TestForm t(words_.fsPath());
    auto& [cache, prompts, w] = t;
    w.show();
    prompts.take();

    // Before the players are set, the drop handler refuses.
    dragTileTo(w, 28, squarePoint(5, 3));
    QCOMPARE(prompts.take(),
             std::vector<std::string>{
                 "You Must Input Number of Players and Your Turn Before Starting Game!"});

    setPlayers(w, 2, 1);
    QVERIFY(prompts.take().empty());
    // The top "e" of its stack onto column 3, row 5.
    QCOMPARE(w.imgTile[28]->toolTip(), QString("E: 12 left"));
    dragTileTo(w, 28, squarePoint(5, 3));
    QCOMPARE(w.imgTile[28]->pos(), QPoint(pix(2770), pix(1740)));
    QCOMPARE(w.lbTile[4]->text(), QString("11"));
    QCOMPARE(w.imgTile[27]->toolTip(), QString("E: 11 left"));
    // The drop point reaches the handler in twips from the board's corner:
    // pixel 148 is X = 300 (column 0), pixel 149 is X = 315 (column 1).
    dragTileTo(w, 28, QPointF(148, 200));
    QCOMPARE(w.imgTile[28]->pos(), QPoint(pix(1960), pix(390 + 270 * 9)));
    dragTileTo(w, 28, QPointF(149, 200));
    QCOMPARE(w.imgTile[28]->pos(), QPoint(pix(1960 + 270), pix(390 + 270 * 9)));
    dragTileTo(w, 28, squarePoint(5, 3));
    QCOMPARE(w.lbTile[4]->text(), QString("11"));  // moved, not laid again
    verifyShowsMirror(w);

    // A point on a tile picture, off the board, or a hidden picture: nothing.
    const std::string before = cli::stateJson(w.game());
    dragTileTo(w, 27, squarePoint(5, 3));
    dragTileTo(w, 27, QPointF(100, 400));           // the lower board
    dragTileTo(w, 27, QPointF(px(1920) - 1, 100));  // just left of the main board
    dragTileTo(w, 100, squarePoint(0, 0));          // hidden blank-as-letter picture
    dragTileTo(w, 152, squarePoint(0, 0));          // no such picture
    QCOMPARE(cli::stateJson(w.game()), before);
    QVERIFY(prompts.take().empty());

    // A blank asks its letter through the prompts.
    prompts.blankAnswers.push_back("q");
    dragTileTo(w, 99, squarePoint(5, 4));
    QVERIFY(!w.imgTile[99]->isVisible());
    QVERIFY(w.imgTile[126 + 16]->isVisible());
    QCOMPARE(w.imgTile[126 + 16]->pos(), QPoint(pix(1960 + 270 * 4), pix(390 + 270 * 5)));
    QCOMPARE(w.lbTile[26]->text(), QString("1"));
    verifyShowsMirror(w);
  }

  void aFullTurnShowsWhatTheReplayShows() {
    const std::string script =
        "players 2\nturn 1\nplace 11 7 6\nplace 0 7 7\nplace 80 7 8\nuse\nrack rs\nfind\n"
        "show 2\ndump\n";
    const auto [expected, expectedMessages] = replayScript(script, words_.fsPath());
    QVERIFY(!expected.empty());

    TestForm t(words_.fsPath());
    auto& [cache, prompts, w] = t;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    prompts.take();
    setPlayers(w, 2, 1);
    layCat(w);
    typeInto(w.txtRack, "rs");
    QTest::mouseClick(w.cmdFindWords, Qt::LeftButton);
    QTest::mouseClick(w.cmdWord[1], Qt::LeftButton);

    QCOMPARE(cli::stateJson(w.game()), expected);
    QCOMPARE(prompts.take(), expectedMessages);
    verifyShowsMirror(w);
    // The turn and the search as the user sees them.
    QVERIFY(w.linPlayer[1]->isVisible() && !w.linPlayer[0]->isVisible());
    QVERIFY(!w.lblWord[0]->text().isEmpty());
    QVERIFY(!w.lblWords[0]->text().isEmpty());
    QCOMPARE(w.lblWords[0]->text(), w.lblWords[0]->text().toUpper());
    const Grid preview = previewView(w.game().form);
    int previewTiles = 0;
    for (const auto& row : preview)
      previewTiles += int(std::count_if(row.begin(), row.end(), [](char ch) { return ch != '.'; }));
    QVERIFY(previewTiles > 3);  // the committed C-A-T and the shown placement

    // Controls that never show anything stay so.
    for (int p = 0; p < 4; ++p) {
      QVERIFY(!w.lblPlayerBoard[p]->isVisible());
      QVERIFY(!w.Shape[p]->isVisible());
    }
    // The players' totals: CAT's score for player 1, 0 for player 2.
    QCOMPARE(w.lblPlayersPoints[0]->text(), QString::number(w.game().state.Turns[0].score));
    QCOMPARE(w.lblPlayersPoints[1]->text(), QStringLiteral("0"));
    QVERIFY(w.lblPlayersPoints[2]->text().isEmpty());
    QVERIFY(w.lblLettersLeft->text().isEmpty());
  }

  // A drag with the mouse, from the pool to the board. Needs a platform with
  // a real drag loop (minimal, xcb): offscreen ends every drag at once.
  void mouseDragLaysATile() {
    if (QGuiApplication::platformName() == "offscreen") QSKIP("no drag loop on offscreen");
    TestForm t(words_.fsPath());
    auto& [cache, prompts, w] = t;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    setPlayers(w, 2, 1);
    TileWidget* tile = w.imgTile[12];  // the top "c" of its stack
    const QPoint target = squarePoint(7, 7).toPoint();
    // The drag loop runs inside the press-and-move below: queue the rest of
    // the gesture before it starts.
    QTimer::singleShot(50, &w, [&] {
      QTest::mouseMove(&w, target);
      QTimer::singleShot(50, &w, [&] { QTest::mouseRelease(&w, Qt::LeftButton, {}, target); });
    });
    QTest::mousePress(tile, Qt::LeftButton, {}, QPoint(7, 7));
    QTest::mouseMove(tile, QPoint(7 + 2 * QApplication::startDragDistance(), 7));
    QTRY_COMPARE(w.lbTile[2]->text(), QString("1"));
    QCOMPARE(tile->pos(), QPoint(pix(1960 + 270 * 7), pix(390 + 270 * 7)));
  }

  void newGameAsksThenStartsAgain() {
    WordListCache cache(words_.fsPath());
    RecordingPrompts prompts;
    Form1 started(cache, &prompts);
    setPlayers(started, 3, 2);
    Form1 w(cache, &prompts);
    w.show();
    setPlayers(w, 3, 2);
    dragTileTo(w, 0, squarePoint(7, 7));
    const std::string before = cli::stateJson(w.game());
    const std::size_t messages = prompts.messages.size();
    prompts.confirmAnswers = {false};
    QTest::mouseClick(w.cmdNewGame, Qt::LeftButton);
    QCOMPARE(prompts.questions.size(), std::size_t(1));
    QCOMPARE(cli::stateJson(w.game()), before);
    // Yes: the game as the program starts it, the players and turn kept.
    QTest::mouseClick(w.cmdNewGame, Qt::LeftButton);
    QCOMPARE(prompts.questions.size(), std::size_t(2));
    QCOMPARE(cli::stateJson(w.game()), cli::stateJson(started.game()));
    QCOMPARE(prompts.messages.size(), messages);
    verifyShowsMirror(w);
  }

  void keyboardHabits() {
    TestForm t(words_.fsPath());
    auto& [cache, prompts, w] = t;
    w.show();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));

    // Tab walks the boxes and buttons in the order of a turn.
    w.txtNumberofPlayers->setFocus();
    QStringList order{w.focusWidget()->objectName()};
    for (int i = 0; i < 20; ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      order << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(order.join(' '),
             QString("txtNumberofPlayers cmdNumofPlayers txtUsersTurn cmdUsersTurn "
                     "imgTilvaneBoard txtRack chkComplete cmdFindWords cmdWord(0) cmdWord(1) "
                     "cmdWord(2) cmdWord(3) cmdWord(4) cmdUse1 cmdCheck cmdPass cmdClear "
                     "cmdNewGame cmdQuit cmdAbout txtNumberofPlayers"));

    // The rack shows what is typed, at most 7 characters, and Enter there
    // presses "Find   Words".
    QSignalSpy find(w.cmdFindWords, &QPushButton::clicked);
    w.txtRack->setFocus();
    QTest::keyClicks(w.txtRack, "abc_defgh");
    QCOMPARE(w.txtRack->text(), QString("abc_def"));
    QCOMPARE(w.game().form.txtRack.Text, std::string("abc_def"));
    QTest::keyClick(w.txtRack, Qt::Key_Return);
    QCOMPARE(find.count(), 1);

    // Enter in the players box presses its button.
    typeInto(w.txtNumberofPlayers, "3");
    QTest::keyClick(w.txtNumberofPlayers, Qt::Key_Return);
    QCOMPARE(w.game().state.NumPlayers, 3);
    for (int p = 0; p < 3; ++p) QVERIFY(w.lblPlayer[p]->isVisible());

    // The option box is the mirror's.
    QTest::mouseClick(w.chkComplete, Qt::LeftButton);
    QVERIFY(w.game().form.chkComplete);
  }

  void readingAheadShowsNothing() {
    {
      TestForm t(words_.fsPath());
      auto& [cache, prompts, w] = t;
      prompts.take();
      const std::string before = cli::stateJson(w.game());
      w.prefetchWordList();
      QCOMPARE(cache.reads(), 1);
      QCOMPARE(cli::stateJson(w.game()), before);
      QVERIFY(prompts.messages.empty());
    }
    // An unreadable list is left for the search itself to report.
    TestForm missing(words_.fsPath().parent_path() / "no-such-list.txt");
    missing.prompts.take();
    missing.w.prefetchWordList();
    QVERIFY(missing.prompts.messages.empty());
  }

  // A named pipe with no writer given as the word list: the window neither
  // freezes reading ahead nor searching, and says why the list is refused.
  void aPipeAsTheWordListNeverFreezes() {
    const std::filesystem::path fifo = words_.fsPath().parent_path() / "pipe";
    QCOMPARE(::mkfifo(fifo.c_str(), 0600), 0);
    TestForm t(fifo);
    auto& [cache, prompts, w] = t;
    prompts.take();
    w.prefetchWordList();
    QTest::mouseClick(w.cmdFindWords, Qt::LeftButton);
    const std::vector<std::string> refused{"Cannot read the word list \"" + fifo.string() +
                                           "\": not a regular file"};
    QCOMPARE(prompts.take(), refused);
    std::filesystem::remove(fifo);
  }

  void aboutOpensOnce() {
    TestForm t(words_.fsPath());
    auto& [cache, prompts, w] = t;
    w.show();
    for (int i = 0; i < 3; ++i) QTest::mouseClick(w.cmdAbout, Qt::LeftButton);
    int boxes = 0;
    for (QWidget* top : QApplication::topLevelWidgets())
      if (qobject_cast<frmAbout*>(top) && top->isVisible()) ++boxes;
    QCOMPARE(boxes, 1);
    QVERIFY(w.aboutBox() && !w.aboutBox()->isModal());
    // The main window stays usable meanwhile.
    typeInto(w.txtNumberofPlayers, "2");
    QTest::mouseClick(w.cmdNumofPlayers, Qt::LeftButton);
    QCOMPARE(w.game().state.NumPlayers, 2);
    // Closed and opened again: again one box.
    QTest::mouseClick(w.aboutBox()->cmdOK, Qt::LeftButton);
    QTRY_VERIFY(!w.aboutBox() || !w.aboutBox()->isVisible());
    QTest::mouseClick(w.cmdAbout, Qt::LeftButton);
    QVERIFY(w.aboutBox() && w.aboutBox()->isVisible());
  }

  // Runs last: it enters the application's event loop and leaves it by
  // closing every window.
  void quitLeavesAnOpenAboutBoxRunning() {
    WordListCache cache(words_.fsPath());
    RecordingPrompts prompts;
    auto* w = new Form1(cache, &prompts);
    w->show();
    bool aboutKeptItRunning = false;
    QTimer::singleShot(0, w, [&] {
      QTest::mouseClick(w->cmdAbout, Qt::LeftButton);
      QTest::mouseClick(w->cmdQuit, Qt::LeftButton);
      QTimer::singleShot(200, [&] {
        aboutKeptItRunning = !w->isVisible() && w->aboutBox() && w->aboutBox()->isVisible();
        QTest::keyClick(w->aboutBox(), Qt::Key_Return);  // OK on Enter
      });
    });
    QTimer::singleShot(10000, [] { QApplication::exit(99); });  // a watchdog
    QApplication::setQuitOnLastWindowClosed(true);
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(aboutKeptItRunning);
    delete w;
  }
};

QTEST_MAIN(TestForm1)
#include "form1_test.moc"
