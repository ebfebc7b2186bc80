// The top-level window: the menu bar and the status line leave the client
// area as it is, the "Words" menu switches the list the searches use, and
// the chosen list and the options survive a restart. The settings live in a
// temporary XDG_CONFIG_HOME.
#include "ui/app_window.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QtTest>

#include "ui_test_support.h"

using namespace tilvan;
using namespace tilvan::ui;
using namespace tilvan::ui::test;

namespace {

// Sets two players, the user first, and searches the first move for `rack`;
// returns the main word of result 1 as shown, empty when nothing was found.
QString firstResult(Form1& w, const char* rack) {
  setPlayers(w, 2, 1);
  typeInto(w.txtRack, rack);
  QTest::mouseClick(w.cmdFindWords, Qt::LeftButton);
  QTest::mouseClick(w.cmdWord[0], Qt::LeftButton);
  return w.lblWords[0]->text();
}

}  // namespace

class TestAppWindow : public QObject {
  Q_OBJECT

  QTemporaryDir config_;
  WordFile wordGame_{"act\ntact\n"};
  WordFile large_{"cat\n"};
  WordLists lists() const { return {wordGame_.fsPath(), large_.fsPath()}; }
  QString settingsFile() const { return config_.filePath(QStringLiteral("tilvan/tilvan.conf")); }

 private slots:
  void initTestCase() {
    QVERIFY(config_.isValid());
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config_.path()));
  }
  void init() { QFile::remove(settingsFile()); }

  void menuAndStatusLineLeaveTheClientAreaAlone() {
    RecordingPrompts prompts;
    AppWindow w(lists(), std::nullopt, &prompts);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const QRect menu = w.menuBar()->geometry();
    const QRect client(w.form().mapTo(&w, QPoint(0, 0)), w.form().size());
    const QRect status = w.statusBar()->geometry();
    QCOMPARE(client.size(), QSize(658, 620));
    QCOMPARE(client.topLeft(), QPoint(0, menu.bottom() + 1));
    QVERIFY(status.top() >= client.bottom() + 1);
    QCOMPARE(w.size(), QSize(658, status.bottom() + 1));
    QVERIFY(menu.height() > 0 && status.height() > 0);
    // The controls keep their places within the client area.
    QCOMPARE(w.form().cmdFindWords->geometry(), twipsRect(4800, 4560, 975, 495));
    QCOMPARE(w.windowTitle(), w.form().windowTitle());

    const QList<QAction*> menus = w.menuBar()->actions();
    QVERIFY(menus.size() >= 1);
    QCOMPARE(menus[0]->text(), QStringLiteral("&Words"));
    QCOMPARE(w.actWordGame->text(), QStringLiteral("Word-game list (ENABLE2K)"));
    QCOMPARE(w.actLarge->text(), QStringLiteral("Large dictionary"));
    QCOMPARE(w.actOther->text(), QStringLiteral("Other file…"));
  }

  void startsWithTheWordGameListAndShowsIt() {
    RecordingPrompts prompts;
    AppWindow w(lists(), std::nullopt, &prompts);
    QCOMPARE(w.words().path(), wordGame_.fsPath());
    QVERIFY(w.actWordGame->isChecked() && !w.actLarge->isChecked() && !w.actOther->isChecked());
    QCOMPARE(w.statusText(), QStringLiteral("Word list: Word-game list (ENABLE2K), 2 words"));
    // New settings search completely; the original rules are one click away.
    QVERIFY(w.form().chkComplete->isChecked() && !w.actOriginalRules->isChecked());
    w.actOriginalRules->trigger();
    QVERIFY(!w.form().chkComplete->isChecked() && !w.form().game().form.chkComplete);
    QVERIFY(!Settings::load().completeSearch);
  }

  void theSearchUsesTheChosenList() {
    RecordingPrompts prompts;
    AppWindow w(lists(), std::nullopt, &prompts);
    QCOMPARE(firstResult(w.form(), "act"), QStringLiteral("ACT"));
    w.actLarge->trigger();
    QCOMPARE(w.statusText(), QStringLiteral("Word list: Large dictionary, 1 word"));
    QTest::mouseClick(w.form().cmdFindWords, Qt::LeftButton);
    QTest::mouseClick(w.form().cmdWord[0], Qt::LeftButton);
    QCOMPARE(w.form().lblWords[0]->text(), QStringLiteral("CAT"));
  }

  void chosenListAndOptionsSurviveARestart() {
    WordFile other("tact\n");
    {
      RecordingPrompts prompts;
      AppWindow w(lists(), std::nullopt, &prompts);
      w.actLarge->trigger();
      w.form().chkComplete->click();
    }
    QVERIFY(QFile::exists(settingsFile()));
    {
      RecordingPrompts prompts;
      AppWindow w(lists(), std::nullopt, &prompts);
      QCOMPARE(w.words().path(), large_.fsPath());
      QVERIFY(w.actLarge->isChecked() && !w.actWordGame->isChecked());
      QVERIFY(!w.form().chkComplete->isChecked() && w.actOriginalRules->isChecked());
      QVERIFY(!w.form().game().form.chkComplete);
      QVERIFY(w.chooseWords(WordsChoice::kOther, other.path()));
      w.form().chkComplete->click();
    }
    RecordingPrompts prompts;
    AppWindow w(lists(), std::nullopt, &prompts);
    QCOMPARE(w.words().path(), other.fsPath());
    QVERIFY(w.actOther->isChecked());
    QCOMPARE(w.statusText(), QStringLiteral("Word list: words.txt, 1 word"));
    QVERIFY(w.form().chkComplete->isChecked());
    QVERIFY(prompts.take().size() == 1);  // the start-up message only
  }

  void anUnreadableChoiceKeepsTheListInUse() {
    RecordingPrompts prompts;
    AppWindow w(lists(), std::nullopt, &prompts);
    prompts.take();
    const Settings before = Settings::load();
    const QString missing = config_.filePath(QStringLiteral("no such list.txt"));
    QVERIFY(!w.chooseWords(WordsChoice::kOther, missing));
    const auto expected = WordListCache(missing.toStdString()).get().error().message();
    QCOMPARE(prompts.take(), std::vector<std::string>{expected});
    QCOMPARE(w.words().path(), wordGame_.fsPath());
    QVERIFY(w.actWordGame->isChecked() && !w.actOther->isChecked());
    QVERIFY(Settings::load() == before);
    QCOMPARE(firstResult(w.form(), "act"), QStringLiteral("ACT"));
  }

  void theWordsOptionOverridesForOneRun() {
    WordFile forNow("cat\nact\n");
    {
      RecordingPrompts prompts;
      AppWindow w(lists(), std::nullopt, &prompts);
      w.actLarge->trigger();
    }
    {
      RecordingPrompts prompts;
      AppWindow w(lists(), forNow.fsPath(), &prompts);
      QCOMPARE(w.words().path(), forNow.fsPath());
      QVERIFY(!w.actWordGame->isChecked() && !w.actLarge->isChecked() && !w.actOther->isChecked());
      QCOMPARE(w.statusText(), QStringLiteral("Word list: words.txt (--words), 2 words"));
      w.form().chkComplete->click();  // saving an option keeps the stored list
    }
    RecordingPrompts prompts;
    AppWindow w(lists(), std::nullopt, &prompts);
    QCOMPARE(w.words().path(), large_.fsPath());
    QVERIFY(!w.form().chkComplete->isChecked());
  }

  void aRunThatDoesNotRememberLeavesTheSettingsAlone() {
    {
      RecordingPrompts prompts;
      AppWindow w(lists(), std::nullopt, &prompts);
      w.actLarge->trigger();
    }
    const Settings stored = Settings::load();
    {
      RecordingPrompts prompts;
      AppWindow w(lists(), std::nullopt, &prompts, false);
      QCOMPARE(w.words().path(), wordGame_.fsPath());
      w.form().chkComplete->click();
      w.actWordGame->trigger();
    }
    QVERIFY(Settings::load() == stored);
  }

  // "Rank by value" is on for new settings and remembered; ticked, the
  // slots hold moves and exchanges by value, each score label its points
  // and leave value and its tooltip the tiles kept and the value; an
  // exchange lays nothing.
  void rankByValueShowsValuesAndIsRemembered() {
    {
      RecordingPrompts prompts;
      AppWindow w(lists(), std::nullopt, &prompts);
      QVERIFY(w.actRankByValue->isChecked() && w.form().game().form.chkValue);
      QCOMPARE(firstResult(w.form(), "tvwxyz"), QStringLiteral("Exchange: keep Z"));
      // One slot is "points leave-value"; its tooltip names the leave.
      static const QRegularExpression shown(QStringLiteral("^-?\\d+ [+-]\\d+\\.\\d$"));
      for (int k = 0; k < kResultSlots; ++k) {
        QVERIFY2(shown.match(w.form().lblWord[k]->text()).hasMatch(),
                 qPrintable(w.form().lblWord[k]->text()));
        QVERIFY(w.form().lblWord[k]->toolTip().contains(QStringLiteral(": value ")));
      }
      QVERIFY(w.form().lblWord[0]->toolTip().startsWith(QStringLiteral("Exchange: keep Z, throw ")));
      prompts.take();
      QTest::mouseClick(w.form().cmdWord[0], Qt::LeftButton);
      w.form().layShownResult();
      QCOMPARE(prompts.take().size(), std::size_t{1});
      QVERIFY(!w.form().game().form.imgTile1[0].New);
      w.actRankByValue->trigger();
      QVERIFY(!w.form().game().form.chkValue);
      QCOMPARE(firstResult(w.form(), "tact"), QStringLiteral("TACT"));
      QCOMPARE(w.form().lblWord[0]->text(), QStringLiteral("12"));
      QVERIFY(w.form().lblWord[0]->toolTip().isEmpty());
    }
    RecordingPrompts prompts;
    AppWindow w(lists(), std::nullopt, &prompts);
    QVERIFY(!w.actRankByValue->isChecked() && !w.form().game().form.chkValue);
    QVERIFY(!Settings::load().rankByValue);
  }

  void settingsReadBackAndRejectBadValues() {
    Settings s;
    s.words = WordsChoice::kOther;
    s.otherWordsFile = QStringLiteral("/some/list.txt");
    s.completeSearch = true;
    s.rankByValue = false;
    s.zoomPercent = 150;
    s.save();
    QVERIFY(Settings::load() == s);

    QFile f(settingsFile());
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write("[words]\nlist=other\n[search]\ncomplete=yes\nrankByValue=1\n[window]\nzoom=5000\n");
    f.close();
    // An "other" list with no file, a value that is not a boolean and a zoom
    // out of range read as the defaults.
    QVERIFY(Settings::load() == Settings{});
  }
};

QTEST_MAIN(TestAppWindow)
#include "app_window_test.moc"
