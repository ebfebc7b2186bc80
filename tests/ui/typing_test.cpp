// Typing on the main board and laying results in the window: clicks and
// keys reach the typing handlers, the cursor shows the mirror's, and a
// result button lays its placement from its context menu or a double-click.
#include <QAction>
#include <QPushButton>
#include <QtTest>

#include "cli/dump.h"
#include "game/views.h"
#include "ui/cursor_widget.h"
#include "ui_test_support.h"

using namespace tilvan;
using namespace tilvan::ui;
using namespace tilvan::ui::test;

class TestTyping : public QObject {
  Q_OBJECT

  WordFile words_{"at\ncat\ncats\nact\nacts\nscat\ntact\nrat\nrats\nstar\ntar\ntars\nart\n"};

  // Clicks square (row, col) of the main board.
  static void clickSquare(Form1& w, int row, int col) {
    const QPointF p = squarePoint(row, col) - QPointF(w.imgTilvaneBoard->pos());
    QTest::mouseClick(w.imgTilvaneBoard, Qt::LeftButton, {}, p.toPoint());
  }
  static CursorWidget* cursor(Form1& w) { return w.findChild<CursorWidget*>("cursor"); }
  static void start(Form1& w, RecordingPrompts& prompts) {
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    prompts.take();
    setPlayers(w, 2, 1);
  }

 private slots:
  void clicksAndKeysTypeAMove() {
    TestForm t(words_.fsPath());
    auto& [cache, prompts, w] = t;
    start(w, prompts);
    CursorWidget* c = cursor(w);
    QVERIFY(c && !c->isVisible());

    clickSquare(w, 7, 6);
    QCOMPARE(w.game().form.cursor, (Cursor{7, 6, false, true}));
    QVERIFY(c->isVisible() && !c->down());
    QCOMPARE(c->pos(), QPoint(px(mainSquareLeft(6)), px(mainSquareTop(7))));
    QCOMPARE(QApplication::focusWidget(), w.imgTilvaneBoard);
    clickSquare(w, 7, 6);  // the same square again turns it
    QVERIFY(c->down());
    QTest::keyClick(w.imgTilvaneBoard, Qt::Key_Tab);
    QVERIFY(!c->down());
    QCOMPARE(QApplication::focusWidget(), w.imgTilvaneBoard);

    QTest::keyClicks(w.imgTilvaneBoard, "cat");
    QCOMPARE(mainBoardView(w.game().form)[7].substr(6, 3), std::string("cat"));
    QCOMPARE(c->pos(), QPoint(px(mainSquareLeft(9)), px(mainSquareTop(7))));
    QTest::keyClick(w.imgTilvaneBoard, 'S', Qt::ShiftModifier);
    QCOMPARE(mainBoardView(w.game().form)[7].substr(6, 4), std::string("catS"));
    QCOMPARE(prompts.blankDialogs, 0);
    QTest::keyClick(w.imgTilvaneBoard, Qt::Key_Backspace);
    QCOMPARE(w.game().state.MoveTileCount, 3);
    QCOMPARE(c->pos(), QPoint(px(mainSquareLeft(9)), px(mainSquareTop(7))));
    QTest::keyClick(w.imgTilvaneBoard, Qt::Key_Escape);
    QCOMPARE(w.game().state.MoveTileCount, 0);
    QCOMPARE(w.imgTile[letterEnd(2) - 1]->pos(),
             QPoint(px(letterHomeLeft(2)), px(letterHomeTop(2))));

    // Escape leaves the cursor where the move began. Typed again and Enter:
    // exactly what the replay's type and use give.
    QCOMPARE(w.game().form.cursor, (Cursor{7, 6, false, true}));
    QTest::keyClicks(w.imgTilvaneBoard, "cat");
    QTest::keyClick(w.imgTilvaneBoard, Qt::Key_Return);
    QCOMPARE(w.game().state.MoveNumber, 1);
    const std::string typed = "players 2\nturn 1\ntype 7 6 across cat\nuse\ndump\n";
    QCOMPARE(cli::stateJson(w.game()), replayScript(typed, words_.fsPath()).state);
  }

  void resultButtonsLayTheirPlacement() {
    TestForm t(words_.fsPath());
    auto& [cache, prompts, w] = t;
    start(w, prompts);
    typeInto(w.txtRack, "tars");
    QTest::mouseClick(w.cmdFindWords, Qt::LeftButton);
    QCOMPARE(w.cmdWord[0]->contextMenuPolicy(), Qt::ActionsContextMenu);
    QAction* lay = w.cmdWord[0]->findChild<QAction*>("layResult1");
    QVERIFY(lay);
    QCOMPARE(lay->text(), QString("Lay on the board"));
    lay->trigger();
    const int laid = w.game().state.MoveTileCount;
    QVERIFY(laid >= 2);
    const std::string afterMenu = cli::stateJson(w.game());

    QTest::keyClick(w.imgTilvaneBoard, Qt::Key_Escape);
    QCOMPARE(w.game().state.MoveTileCount, 0);
    QTest::mouseDClick(w.cmdWord[0], Qt::LeftButton);
    QCOMPARE(w.game().state.MoveTileCount, laid);
    QCOMPARE(cli::stateJson(w.game()), afterMenu);
    QCOMPARE(
        cli::stateJson(w.game()),
        replayScript("players 2\nturn 1\nrack tars\nfind\nlay 1\nshow 1\ndump\n", words_.fsPath())
            .state);
    for (int n = 0; n < kTilePictures; ++n)
      QCOMPARE(w.imgTile[n]->pos(),
               QPoint(px(w.game().form.imgTile[n].Left), px(w.game().form.imgTile[n].Top)));
    QCOMPARE(prompts.take(), std::vector<std::string>{});
  }
};

QTEST_MAIN(TestTyping)
#include "typing_test.moc"
