// The window at the table: the move in progress scored before USE, the
// original search's missed points, a whole turn from the keyboard, a zoom
// that keeps the window on the screen, the marks added in free space, the
// word look-up, game files in the title bar, and the end of the game.
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTableWidget>
#include <QtTest>

#include "game/unseen.h"
#include "ui/app_window.h"
#include "ui/end_game_dialog.h"
#include "ui/lookup_box.h"
#include "ui/score_sheet.h"
#include "ui_test_support.h"

using namespace tilvan;
using namespace tilvan::ui;
using namespace tilvan::ui::test;

namespace {

QWidget* board(AppWindow& w) { return w.form().imgTilvaneBoard; }

}  // namespace

class TestTable : public QObject {
  Q_OBJECT

  QTemporaryDir config_;
  WordFile words_{"cat\nact\nat\nta\n"};
  WordFile large_{"dog\n"};
  WordLists lists() const { return {words_.fsPath(), large_.fsPath()}; }

 private slots:
  void initTestCase() { qputenv("XDG_CONFIG_HOME", QFile::encodeName(config_.path())); }

  void theMoveInProgressIsScoredAndCheckedBeforeUse() {
    RecordingPrompts prompts;
    AppWindow w(lists(), std::nullopt, &prompts, false);
    setPlayers(w.form(), 2, 1);
    w.actToBoard->trigger();  // the cursor at the centre, across
    QTest::keyClicks(board(w), "cat");
    QCOMPARE(w.statusMessage(), QStringLiteral("This move: 10 points: CAT"));
    QTest::keyClick(board(w), Qt::Key_Escape);
    QCOMPARE(w.statusMessage(), QString());
    QTest::keyClicks(board(w), "tca");
    QCOMPARE(w.statusMessage(), QStringLiteral("This move: 10 points: TCA (not in the list)"));
    QTest::keyClick(board(w), Qt::Key_Escape);
    // Two tiles apart: the reason shows as they lie, and again after USE,
    // which leaves them where they are.
    dragTileTo(w.form(), 0, squarePoint(7, 7));
    dragTileTo(w.form(), 80, squarePoint(9, 9));
    const QString apart = QStringLiteral("The tiles must lie in one row or one column");
    QCOMPARE(w.statusMessage(), QStringLiteral("This move cannot be played: ") + apart);
    prompts.take();
    QTest::keyClick(board(w), Qt::Key_Return);
    QCOMPARE(prompts.take().size(), std::size_t(1));  // the message; the reason is no box
    QCOMPARE(w.statusMessage(), apart);
    QCOMPARE(w.form().game().state.MoveTileCount, 2);
  }

  void theOriginalRulesSayWhatTheyMiss() {
    RecordingPrompts prompts;
    AppWindow w({TILVAN_DEFAULT_WORD_LIST, large_.fsPath()}, std::nullopt, &prompts, false);
    w.actOriginalRules->trigger();
    typeInto(w.form().txtRack, QStringLiteral("quiz_er"));
    QTest::mouseClick(w.form().cmdFindWords, Qt::LeftButton);
    QCOMPARE(w.form().lblWord[0]->text(), QStringLiteral("98"));
    QCOMPARE(w.statusMessage(),
             QStringLiteral("Original search rules: the complete search finds a move of 20 "
                            "points more."));
    w.actOriginalRules->trigger();  // the complete search: nothing more to say
    QTest::mouseClick(w.form().cmdFindWords, Qt::LeftButton);
    // Ranked by value (new settings): the points, then the empty leave's value.
    QCOMPARE(w.form().lblWord[0]->text(), QStringLiteral("118 +4.6"));
    QCOMPARE(w.statusMessage(), QString());
  }

  // An opponent's move and the user's own, with keys only.
  void aWholeTurnFromTheKeyboard() {
    RecordingPrompts prompts;
    AppWindow w(lists(), std::nullopt, &prompts, false);
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    Form1& f = w.form();
    QTest::keyClicks(f.txtNumberofPlayers, "2");  // the box has the focus at start
    QTest::keyClick(f.txtNumberofPlayers, Qt::Key_Return);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(QApplication::focusWidget(), "2");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(f.game().state.UserTurn, 2);

    QTest::keyClick(&w, Qt::Key_B, Qt::ControlModifier);
    QCOMPARE(QApplication::focusWidget(), board(w));
    QCOMPARE(f.game().form.cursor, (Cursor{7, 7, false, true}));
    QTest::keyClick(board(w), Qt::Key_Left);
    QTest::keyClick(board(w), Qt::Key_Right);
    QTest::keyClick(board(w), Qt::Key_Down);
    QTest::keyClick(board(w), Qt::Key_Up);  // turned down, on the centre
    QCOMPARE(f.game().form.cursor, (Cursor{7, 7, true, true}));
    QTest::keyClicks(board(w), "act");
    QTest::keyClick(board(w), Qt::Key_Return);
    QCOMPARE(f.game().state.Turns.size(), std::size_t(1));
    QTest::keyClick(&w, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(f.game().state.Turns.size(), std::size_t(0));
    QTest::keyClick(&w, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(f.game().state.Turns.size(), std::size_t(1));

    QTest::keyClick(&w, Qt::Key_R, Qt::ControlModifier);
    QCOMPARE(QApplication::focusWidget(), f.txtRack);
    QTest::keyClicks(f.txtRack, "ta");
    QTest::keyClick(f.txtRack, Qt::Key_Return);
    QVERIFY(!f.lblWord[1]->text().isEmpty());
    QTest::keyClick(&w, Qt::Key_2, Qt::AltModifier);
    QCOMPARE(f.shownResult(), 1);
    const QString second = f.lblWords[0]->text();
    QTest::keyClick(&w, Qt::Key_Return, Qt::ControlModifier);
    QCOMPARE(QApplication::focusWidget(), board(w));
    QVERIFY(f.game().state.MoveTileCount > 0);
    QTest::keyClick(board(w), Qt::Key_Return);
    QCOMPARE(f.game().state.Turns.size(), std::size_t(2));
    QCOMPARE(QString::fromStdString(f.game().state.Turns[1].words[0]).toUpper(), second);
    QVERIFY(prompts.take().size() == 1);  // the start-up message only
  }

  // At every zoom the window fits the screen's free area; what does not fit
  // scrolls, and the menus and the status line follow the zoom.
  void theWindowNeverOutgrowsTheScreen() {
    RecordingPrompts prompts;
    AppWindow w(lists(), std::nullopt, &prompts, false);
    auto* scroll = w.findChild<QScrollArea*>(QStringLiteral("scrClient"));
    QVERIFY(scroll);
    w.show();
    const QSize screens[] = {{1366, 768}, {1920, 1080}, {1600, 1200}, {1024, 768}};
    for (const QSize room : screens) {
      w.setScreenRoom(room);
      for (int z : kZoomSteps) {
        w.setZoom(z);
        QCoreApplication::processEvents();
        const QString at =
            QStringLiteral("%1 at %2x%3").arg(z).arg(room.width()).arg(room.height());
        QVERIFY2(w.width() <= room.width() && w.height() <= room.height(), qPrintable(at));
        QCOMPARE(w.menuBar()->font().pixelSize(), qRound(11 * z / 100.0));
        QCOMPARE(w.statusBar()->font().pixelSize(), qRound(11 * z / 100.0));
        for (QMenu* m : w.menuBar()->findChildren<QMenu*>())
          QCOMPARE(m->font().pixelSize(), qRound(11 * z / 100.0));
        // Whatever the view leaves out, its scroll bar reaches.
        const QSize view = scroll->maximumViewportSize();
        QVERIFY2(scroll->verticalScrollBar()->maximum() >=
                     w.form().height() - scroll->viewport()->height(),
                 qPrintable(at));
        QVERIFY2(view.height() > 0, qPrintable(at));
      }
      // The start's zoom is the largest that shows the whole client area.
      const int fit = w.fittingZoom();
      w.setZoom(fit);
      QCoreApplication::processEvents();
      QCOMPARE(scroll->viewport()->size(), w.form().size());
      if (fit != kZoomSteps.back()) {
        w.setZoom(*std::next(std::find(kZoomSteps.begin(), kZoomSteps.end(), fit)));
        QCoreApplication::processEvents();
        QVERIFY(scroll->viewport()->size() != w.form().size());
      }
    }
    w.setScreenRoom(QSize(1366, 768));
    QCOMPARE(w.fittingZoom(), 100);
    w.setScreenRoom(QSize(1920, 1080));
    QCOMPARE(w.fittingZoom(), 150);
  }

  void marksLieInFreeSpaceAndLineUpWithTheSquares() {
    RecordingPrompts prompts;
    AppWindow w(lists(), std::nullopt, &prompts, false);
    Form1& f = w.form();
    for (int z : {100, 200}) {
      w.setZoom(z);
      QList<QWidget*> added;
      for (int i = 0; i < kSide; ++i) {
        added << f.lblColumn[i] << f.lblRow[i];
        const int centreX = qRound((px(mainSquareLeft(i)) + 7.5) * z / 100.0);
        const int centreY = qRound((px(mainSquareTop(i)) + 7.5) * z / 100.0);
        QVERIFY(qAbs(f.lblColumn[i]->geometry().center().x() - centreX) <= 1 + z / 100);
        QVERIFY(qAbs(f.lblRow[i]->geometry().center().y() - centreY) <= 1 + z / 100);
      }
      for (int k = 0; k < kLetters; ++k) added << f.lblUnseen[k];
      added << f.lblUnseenTotal << f.lblGameOver;
      for (QWidget* mark : added)
        for (QWidget* other : f.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
          auto* l = qobject_cast<QLabel*>(other);
          const bool design = !added.contains(other) && !qobject_cast<TileWidget*>(other) &&
                              !other->objectName().startsWith(QStringLiteral("imgUsedUp")) &&
                              !(l && l->text().isEmpty()) && other->objectName() != "cursor" &&
                              !other->objectName().startsWith(QStringLiteral("lblTurnRow"));
          if (design && other->isVisibleTo(&f))
            QVERIFY2(!mark->geometry().intersects(other->geometry()),
                     qPrintable(mark->objectName() + " on " + other->objectName()));
        }
    }
  }

  void usedUpStacksFadeAndUnseenTilesAreCounted() {
    RecordingPrompts prompts;
    AppWindow w(lists(), std::nullopt, &prompts, false);
    Form1& f = w.form();
    setPlayers(f, 2, 1);
    const int j = 'j' - 'a';
    QVERIFY(!f.imgUsedUp[j]->isVisibleTo(&f));
    w.actToBoard->trigger();
    QTest::keyClick(board(w), Qt::Key_J);
    QCOMPARE(f.lbTile[j]->text(), QStringLiteral("0"));
    QVERIFY(f.imgUsedUp[j]->isVisibleTo(&f));
    QTest::keyClick(board(w), Qt::Key_Escape);
    QVERIFY(!f.imgUsedUp[j]->isVisibleTo(&f));

    typeInto(f.txtRack, QStringLiteral("aa_"));
    QTest::mouseClick(f.cmdFindWords, Qt::LeftButton);
    const auto unseen = unseenTiles(f.game());
    QCOMPARE(unseen[0], 7);
    QCOMPARE(unseen[kBlank], 1);
    for (int k = 0; k < kLetters; ++k) QCOMPARE(f.lblUnseen[k]->text(), QString::number(unseen[k]));
    QCOMPARE(f.lblUnseenTotal->text(), QStringLiteral("Unseen 97, bag %1").arg(bagCount(f.game())));
  }

  void lookUpAnswersAsTheWordIsTyped() {
    RecordingPrompts prompts;
    AppWindow w(lists(), std::nullopt, &prompts, false);
    QCOMPARE(w.actLookUp->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_L));
    w.actLookUp->trigger();
    LookUpBox* box = w.lookUpBox();
    QVERIFY(box && box->isVisible());
    QTest::keyClicks(box->txtWord, "CAt");
    QCOMPARE(box->lblAnswer->text(),
             QStringLiteral("CAT is in the list (Word-game list (ENABLE2K))."));
    typeInto(box->txtWord, QStringLiteral("dog"));
    QCOMPARE(box->lblAnswer->text(),
             QStringLiteral("DOG is not in the list (Word-game list (ENABLE2K))."));
    // Another list answers the word shown at once.
    w.actLarge->trigger();
    QCOMPARE(box->lblAnswer->text(), QStringLiteral("DOG is in the list (Large dictionary)."));

    // A list that cannot be read gives no answer, not "not in the list".
    AppWindow unread(WordLists{"/nonexistent/words.txt", "/nonexistent/large.txt"}, std::nullopt,
                     &prompts, false);
    unread.actLookUp->trigger();
    typeInto(unread.lookUpBox()->txtWord, QStringLiteral("qi"));
    QCOMPARE(unread.lookUpBox()->lblAnswer->text(),
             QStringLiteral("QI cannot be looked up: the list cannot be read "
                            "(Word-game list (ENABLE2K))."));
  }

  void resultsOfAnotherListAreCleared() {
    RecordingPrompts prompts;
    AppWindow w(lists(), std::nullopt, &prompts, false);
    typeInto(w.form().txtRack, QStringLiteral("cat"));
    QTest::mouseClick(w.form().cmdFindWords, Qt::LeftButton);
    QVERIFY(!w.form().lblWord[0]->text().isEmpty());
    w.actLarge->trigger();
    QCOMPARE(w.form().lblWord[0]->text(), QString());
    QCOMPARE(w.form().lblWords[0]->text(), QString());
  }

  void theTitleNamesTheFileAndOpenAsksFirst() {
    QTemporaryDir dir;
    const std::filesystem::path file = dir.filePath(QStringLiteral("g.tilvan")).toStdString();
    RecordingPrompts prompts;
    AppWindow w(lists(), std::nullopt, &prompts, false);
    const QString title = w.form().windowTitle();
    QCOMPARE(w.windowTitle(), title);
    setPlayers(w.form(), 2, 1);
    w.actPass->trigger();
    QVERIFY(w.saveGameFile(file));
    QCOMPARE(w.windowTitle(), QStringLiteral("g.tilvan - ") + title);
    w.actPass->trigger();
    QCOMPARE(w.windowTitle(), QStringLiteral("g.tilvan* - ") + title);
    QVERIFY(w.hasUnsavedChanges());

    ModalAnswerer answerer;
    prompts.confirmAnswers = {false};
    w.actOpen->trigger();  // changes not saved: asked, and declined
    QCOMPARE(prompts.questions,
             std::vector<std::string>{"Open another game? The game in progress will be given up."});
    QCOMPARE(answerer.answered + answerer.unexpected, 0);
    w.actSave->trigger();
    QCOMPARE(w.windowTitle(), QStringLiteral("g.tilvan - ") + title);
    answerer.then([](QWidget* dialog) { dialog->close(); });  // the file dialog
    w.actOpen->trigger();                                     // all saved: nothing to ask
    QCOMPARE(prompts.questions.size(), std::size_t(1));
    QCOMPARE(answerer.answered, 1);

    // New Game gives the file up: Save must not write the new game over it.
    QTest::mouseClick(w.form().cmdNewGame, Qt::LeftButton);
    QCOMPARE(w.windowTitle(), title);
    QVERIFY(!w.gameFile());
  }

  void theEndOfTheGame() {
    RecordingPrompts prompts;
    AppWindow w(lists(), std::nullopt, &prompts, false);
    Form1& f = w.form();
    setPlayers(f, 2, 1);
    w.actToBoard->trigger();
    QTest::keyClicks(board(w), "cat");
    QTest::keyClick(board(w), Qt::Key_Return);  // player 1: 10
    prompts.take();
    bool stayedOpen = false, marked = false;
    ModalAnswerer answerer;
    answerer.then([&](QWidget* dialog) {
      auto* d = qobject_cast<EndGameDialog*>(dialog);
      QVERIFY(d);
      d->txtRackLeft[0]->setText(QStringLiteral("QZ"));
      d->txtRackLeft[1]->setText(QStringLiteral("Q"));  // one Q in the set
      d->accept();
      stayedOpen = d->isVisible() && d->txtRackLeft[0]->text() == QStringLiteral("QZ");
      marked =
          !d->txtRackLeft[1]->styleSheet().isEmpty() && d->txtRackLeft[0]->styleSheet().isEmpty();
      d->txtRackLeft[1]->setText(QStringLiteral("E"));
      d->accept();
    });
    w.actEndGame->trigger();
    QVERIFY(stayedOpen && marked);
    QCOMPARE(prompts.take().size(), std::size_t(1));  // why the racks were refused
    QVERIFY(f.lblGameOver->isVisibleTo(&f));
    QVERIFY(f.lblTurnRow[1]->isVisibleTo(&f) && !f.lblTurnRow[0]->isVisibleTo(&f));
    QCOMPARE(w.statusMessage(),
             QStringLiteral("Game over: Player 2 wins. Final scores: 1 (you) -10, 2 -1."));

    w.actScoreSheet->trigger();
    QTableWidget* t = w.scoreSheet()->table;
    QCOMPARE(t->columnCount(), 7);
    QCOMPARE(t->horizontalHeaderItem(5)->text(), QStringLiteral("Player 1 (you)"));
    QCOMPARE(t->horizontalHeaderItem(6)->text(), QStringLiteral("Player 2"));
    QCOMPARE(t->rowCount(), 4);  // CAT, two end adjustments, the final row
    QCOMPARE(t->item(0, 5)->text(), QStringLiteral("10"));
    QCOMPARE(t->item(0, 6)->text(), QString());
    QCOMPARE(t->item(3, 2)->text(), QStringLiteral("Winner: player 2"));
    QCOMPARE(t->item(3, 5)->text(), QStringLiteral("-10"));
    QCOMPARE(t->item(3, 6)->text(), QStringLiteral("-1"));
    QVERIFY(t->item(3, 6)->background() != t->item(3, 5)->background());
    const QBrush plain = t->item(0, 4)->background();
    t->item(0, 4)->setText(QStringLiteral("30"));  // a corrected score, marked
    QVERIFY(t->item(0, 4)->background() != plain);
    QCOMPARE(t->item(3, 2)->text(), QStringLiteral("Winner: player 1"));

    // Taking the end back leaves the game over view.
    w.actClearLast->trigger();
    QVERIFY(!f.lblGameOver->isVisibleTo(&f));
    QCOMPARE(t->rowCount(), 1);
  }
};

QTEST_MAIN(TestTable)
#include "table_test.moc"
