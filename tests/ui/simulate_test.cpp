// "Simulate" in the window: the run goes on a thread of its own while the
// window answers, the slots re-rank with their simulated values, and
// Escape, F5 again, a rack change or a new search each stop it; stale
// snapshots never overwrite what the window shows afterwards.
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include "ui/app_window.h"
#include "ui/main_window.h"
#include "ui/simulation_runner.h"
#include "ui_test_support.h"

using namespace tilvan;
using namespace tilvan::ui;
using namespace tilvan::ui::test;

class TestSimulate : public QObject {
  Q_OBJECT

  QTemporaryDir config_;
  WordFile words_{"vug\nvow\nvugs\ngiv\n"};

  // A window whose rack is typed, the user to move; its runner only stops
  // when told to or at 60 s.
  std::unique_ptr<AppWindow> window(RecordingPrompts& prompts) {
    auto w = std::make_unique<AppWindow>(WordLists{words_.fsPath(), words_.fsPath()},
                                         std::nullopt, &prompts, false);
    w->show();
    w->activateWindow();
    if (!QTest::qWaitForWindowActive(w.get())) qWarning("window not active");
    setPlayers(w->form(), 2, 1);
    typeInto(w->form().txtRack, "iuuvvwg");
    w->simulation()->setTimeLimit(60000);
    w->simulation()->setMinRounds(1 << 30);
    return w;
  }

  // Starts a run with F5 and waits for its first two snapshots.
  static void startAndWatch(AppWindow& w) {
    QSignalSpy shown(w.simulation(), &SimulationRunner::shown);
    QTest::keyClick(&w, Qt::Key_F5);
    QVERIFY(w.simulation()->running());
    QVERIFY(shown.wait(10000));
    QVERIFY(shown.count() >= 2 || shown.wait(10000));
  }

 private slots:
  void initTestCase() { qputenv("XDG_CONFIG_HOME", QFile::encodeName(config_.path())); }

  void runsLiveAndStopsOnEscapeAndF5() {
    RecordingPrompts prompts;
    auto w = window(prompts);
    Form1& f = w->form();
    startAndWatch(*w);
    // Every filled score label carries its simulated value and spread, best first.
    QVERIFY(f.lblWord[0]->text().contains(QStringLiteral(" sim ")));
    QVERIFY(f.lblWord[0]->text().contains(QChar(0xb1)));
    auto simValue = [&](int k) {
      const QString t = f.lblWord[k]->text();
      return t.section(QLatin1Char(' '), 2).section(QChar(0xb1), 0, 0).toDouble();
    };
    for (int k = 1; k < kResultSlots && !f.lblWord[k]->text().isEmpty(); ++k)
      QVERIFY(simValue(k - 1) >= simValue(k));
    QVERIFY(w->findChild<QProgressBar*>(QStringLiteral("barSimulation"))->isVisible());
    QVERIFY(w->actStopSimulation->isEnabled());

    QTest::keyClick(&w->form(), Qt::Key_Escape);
    QVERIFY(!w->simulation()->running());
    QVERIFY(!w->actStopSimulation->isEnabled());
    // What a stopped run had shown stays, and nothing more arrives.
    const QString shown = f.lblWord[0]->text();
    QTest::qWait(300);
    QCOMPARE(f.lblWord[0]->text(), shown);

    startAndWatch(*w);
    QTest::keyClick(w.get(), Qt::Key_F5);
    QVERIFY(!w->simulation()->running());
  }

  void aRackChangeOrANewSearchStopsIt() {
    RecordingPrompts prompts;
    auto w = window(prompts);
    Form1& f = w->form();
    startAndWatch(*w);
    typeInto(f.txtRack, "vowgiuu");
    QVERIFY(!w->simulation()->running());

    startAndWatch(*w);
    QTest::mouseClick(f.cmdFindWords, Qt::LeftButton);
    QVERIFY(!w->simulation()->running());
    // The search's own ranking stands: no simulated caption comes back.
    QTest::qWait(300);
    for (int k = 0; k < kResultSlots; ++k)
      QVERIFY(!f.lblWord[k]->text().contains(QStringLiteral(" sim ")));
  }

  void anEmptyRackSaysSo() {
    RecordingPrompts prompts;
    auto w = window(prompts);
    typeInto(w->form().txtRack, "");
    QTest::keyClick(w.get(), Qt::Key_F5);
    QVERIFY(!w->simulation()->running());
    QCOMPARE(w->statusMessage(), QStringLiteral("Type the rack to simulate its best turns."));
  }
};

QTEST_MAIN(TestSimulate)
#include "simulate_test.moc"
