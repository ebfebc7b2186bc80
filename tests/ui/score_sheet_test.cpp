// The score sheet in the window: each player's total beside their number,
// "Pass / Exchange", the "Game" menu's Redo, game files, and the score sheet
// window whose Score column corrects a turn. (End game: table_test.)
#include "ui/score_sheet.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

#include "ui/app_window.h"
#include "ui_test_support.h"

using namespace tilvan;
using namespace tilvan::ui;
using namespace tilvan::ui::test;

class TestScoreSheet : public QObject {
  Q_OBJECT

  QTemporaryDir config_;
  WordFile words_{"cat\n"};

  // A two-player game with CAT across the centre (10 points for player 1).
  static void playCat(AppWindow& w) {
    setPlayers(w.form(), 2, 1);
    layCat(w.form());
  }

 private slots:
  void initTestCase() { qputenv("XDG_CONFIG_HOME", QFile::encodeName(config_.path())); }

  void totalsPassAndRedo() {
    RecordingPrompts prompts;
    AppWindow w({words_.fsPath(), words_.fsPath()}, std::nullopt, &prompts, false);
    w.show();
    playCat(w);
    prompts.take();  // the start-up message
    Form1& f = w.form();
    QCOMPARE(f.lblPlayersPoints[0]->text(), QStringLiteral("10"));
    QCOMPARE(f.lblPlayersPoints[1]->text(), QStringLiteral("0"));
    QCOMPARE(f.lblPlayersPoints[2]->text(), QString());
    // The new button lies in free space and moves no control of the design.
    QCOMPARE(f.cmdPass->geometry(), twipsRect(8760, 3360, 1095, 615));
    QVERIFY(!f.cmdPass->geometry().intersects(f.cmdCheck->geometry()));
    QVERIFY(!f.cmdPass->geometry().intersects(f.cmdClear->geometry()));

    QTest::mouseClick(f.cmdPass, Qt::LeftButton);
    QCOMPARE(f.game().state.Turns.size(), std::size_t{2});
    QVERIFY(f.linPlayer[0]->isVisibleTo(&f));
    QTest::mouseClick(f.cmdClear, Qt::LeftButton);
    QTest::mouseClick(f.cmdClear, Qt::LeftButton);
    QCOMPARE(f.lblPlayersPoints[0]->text(), QStringLiteral("0"));
    w.actRedo->trigger();
    QCOMPARE(f.lblPlayersPoints[0]->text(), QStringLiteral("10"));
    QCOMPARE(w.actRedo->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Y));
    QVERIFY(prompts.take().empty());
  }

  void theSheetListsTurnsAndCorrectsScores() {
    RecordingPrompts prompts;
    AppWindow w({words_.fsPath(), words_.fsPath()}, std::nullopt, &prompts, false);
    w.show();
    playCat(w);
    prompts.take();
    w.actPass->trigger();
    w.actScoreSheet->trigger();
    ScoreSheet* sheet = w.scoreSheet();
    QVERIFY(sheet && sheet->isVisible());
    QTableWidget* t = sheet->table;
    QCOMPARE(t->rowCount(), 2);
    QCOMPARE(t->item(0, 2)->text(), QStringLiteral("CAT"));
    QCOMPARE(t->item(0, 3)->text(), QStringLiteral("8G"));
    QCOMPARE(t->item(0, 4)->text(), QStringLiteral("10"));
    QCOMPARE(t->item(1, 2)->text(), QStringLiteral("pass / exchange"));

    t->item(0, 4)->setText(QStringLiteral("14"));  // as an edit of the cell ends
    QCOMPARE(w.form().lblPlayersPoints[0]->text(), QStringLiteral("14"));
    QCOMPARE(t->item(0, 5)->text(), QStringLiteral("14"));
    QVERIFY(!t->item(0, 4)->toolTip().isEmpty());
    t->item(0, 4)->setText(QStringLiteral("many"));
    QCOMPARE(prompts.take(), std::vector<std::string>{"A score is a whole number."});
    QCOMPARE(t->item(0, 4)->text(), QStringLiteral("14"));

    // The sheet follows every change of the game.
    QTest::mouseClick(w.form().cmdClear, Qt::LeftButton);
    QCOMPARE(t->rowCount(), 1);
  }

  void gameFilesSaveAndOpen() {
    QTemporaryDir dir;
    const std::filesystem::path file = dir.filePath(QStringLiteral("g.tilvan")).toStdString();
    const std::filesystem::path autosave =
        dir.filePath(QStringLiteral("state/tilvan/autosave.json")).toStdString();
    RecordingPrompts prompts;
    AppWindow w({words_.fsPath(), words_.fsPath()}, std::nullopt, &prompts, false);
    w.autosaveTo(autosave, true);  // nothing there yet: nothing asked
    QVERIFY(prompts.questions.empty());
    playCat(w);
    QVERIFY(std::filesystem::exists(autosave));
    QVERIFY(w.saveGameFile(file));
    QCOMPARE(w.gameFile().value(), file);
    const std::vector<Turn> turns = w.form().game().state.Turns;

    RecordingPrompts other;
    AppWindow opened({words_.fsPath(), words_.fsPath()}, std::nullopt, &other, false);
    QVERIFY(opened.openGameFile(file));
    QCOMPARE(opened.form().game().state.Turns, turns);
    QCOMPARE(opened.form().lblPlayersPoints[0]->text(), QStringLiteral("10"));
    // A file that is no game: a message, and the game stays.
    QVERIFY(!opened.openGameFile(dir.filePath(QStringLiteral("none")).toStdString()));
    QCOMPARE(other.take().back().rfind("Cannot open the game", 0), std::size_t(0));
    QCOMPARE(opened.form().game().state.Turns, turns);
  }
};

QTEST_MAIN(TestScoreSheet)
#include "score_sheet_test.moc"
