// "Find   Words" at the end of the game in the window: the solve runs on a
// thread of its own while the window answers, then slot 1 carries the mark
// and the line; a rack typed meanwhile drops the answer.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include "support/endgame_gen.h"
#include "ui/app_window.h"
#include "ui/endgame_runner.h"
#include "ui/main_window.h"
#include "ui_test_support.h"

using namespace tilvan;
using namespace tilvan::ui;
using namespace tilvan::ui::test;

class TestEndgameMark : public QObject {
  Q_OBJECT

  QTemporaryDir config_;

  // A window of two players, the user to move on the position of a greedy
  // game where the bag has just run out, its rack typed.
  std::unique_ptr<AppWindow> window(RecordingPrompts& prompts) {
    static WordListCache words(TILVAN_DEFAULT_WORD_LIST);
    const auto e =
        tilvan::test::greedyEndgame(*words.get().value(), 1);  // 7 tiles a side: unproven in 2 s
    if (!e) qFatal("no endgame");
    auto w =
        std::make_unique<AppWindow>(WordLists{TILVAN_DEFAULT_WORD_LIST, TILVAN_DEFAULT_WORD_LIST},
                                    std::nullopt, &prompts, false);
    w->show();
    Form1& f = w->form();
    typeInto(f.txtNumberofPlayers, "2");
    QTest::mouseClick(f.cmdNumofPlayers, Qt::LeftButton);
    typeInto(f.txtUsersTurn, "1");
    QTest::mouseClick(f.cmdUsersTurn, Qt::LeftButton);
    f.run([&](Game& g, Prompts&) {
      g.state.Committed = e->state.Committed;
      g.state.SquareBonus = e->state.SquareBonus;
      g.state.MoveNumber = 1;
    });
    f.chkComplete->setChecked(true);
    typeInto(f.txtRack, QString::fromStdString(e->racks[0]));
    prompts.take();  // the start-up message
    return w;
  }

 private slots:
  void initTestCase() { qputenv("XDG_CONFIG_HOME", QFile::encodeName(config_.path())); }

  void theMarkArrivesWhileTheWindowAnswers() {
    RecordingPrompts prompts;
    auto w = window(prompts);
    Form1& f = w->form();
    w->endgame()->setTimeLimit(1500);
    QSignalSpy finished(w->endgame(), &EndgameRunner::finished);
    QTest::mouseClick(f.cmdFindWords, Qt::LeftButton);
    // The ranking is there at once, the solve still running.
    QVERIFY(w->endgame()->busy());
    QVERIFY(!f.lblWord[0]->text().isEmpty());
    QVERIFY(!f.lblWord[0]->text().contains(QStringLiteral("best")));
    QVERIFY(w->statusMessage().startsWith(QStringLiteral("Solving the endgame")));
    // A click on another result is answered while the solver works.
    QTest::mouseClick(f.cmdWord[1], Qt::LeftButton);
    QCOMPARE(f.shownResult(), 1);
    QVERIFY(w->endgame()->busy());

    QVERIFY(finished.wait(20000));
    QCOMPARE(finished.takeFirst().at(0).toBool(), true);
    const QString caption = f.lblWord[0]->text();
    QVERIFY2(caption.startsWith(QStringLiteral("best to the end (")) ||
                 caption.startsWith(QStringLiteral("unproven best (")),
             qPrintable(caption));
    QVERIFY(f.lblWord[0]->toolTip().contains(QStringLiteral("\nYou: ")));
    // The mark wraps onto a second line that the label makes room for.
    QVERIFY(f.lblWord[0]->height() > f.lblWord[1]->height());
    QVERIFY(w->statusMessage().startsWith(QStringLiteral("Endgame ")));
    QCOMPARE(f.shownResult(), 0);  // the marked move is on the lower board
    QVERIFY(!f.lblWords[0]->text().isEmpty() || f.lblWord[0]->toolTip().contains("You: pass"));
    QCOMPARE(prompts.messages, std::vector<std::string>{});
  }

  void aRackTypedMeanwhileDropsTheAnswer() {
    RecordingPrompts prompts;
    auto w = window(prompts);
    Form1& f = w->form();
    w->endgame()->setTimeLimit(500);
    QSignalSpy finished(w->endgame(), &EndgameRunner::finished);
    QTest::mouseClick(f.cmdFindWords, Qt::LeftButton);
    QVERIFY(w->endgame()->busy());
    typeInto(f.txtRack, QStringLiteral("e"));
    QVERIFY(!w->endgame()->busy());
    QTest::qWait(1500);  // the solver's answer arrives and is ignored
    QCOMPARE(finished.count(), 0);
    for (QLabel* l : f.lblWord) QVERIFY(!l->text().contains(QStringLiteral("best")));
  }
};

QTEST_MAIN(TestEndgameMark)
#include "endgame_mark_test.moc"
