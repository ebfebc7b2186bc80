// The start of the window: the autosave found there (resumed with Yes
// first, set aside when declined or when it cannot be opened, said once),
// the start-up message held back for a resumed game, a game file autosaved
// as soon as it is opened, and the places it uses (XDG rules, a settings
// file that is no regular file).
#include <sys/stat.h>

#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QtTest>
#include <fstream>

#include "moves/game_file.h"
#include "ui/app_window.h"
#include "ui/settings.h"
#include "ui/window_prompts.h"
#include "ui_test_support.h"

using namespace tilvan;
using namespace tilvan::ui;
using namespace tilvan::ui::test;
namespace fs = std::filesystem;

namespace {

const std::string kStartMessage =
    "You Must Set the Number of Players and Your Turn Number Before Playing";

using tilvan::test::readFile;

// The files of `folder` other than `except`.
std::vector<fs::path> others(const fs::path& folder, const std::string& except) {
  std::vector<fs::path> out;
  for (const auto& e : fs::directory_iterator(folder))
    if (e.path().filename() != except) out.push_back(e.path());
  return out;
}

}  // namespace

class TestStart : public QObject {
  Q_OBJECT

  QTemporaryDir config_;
  WordFile words_{"cat\n"};

  std::unique_ptr<AppWindow> window(RecordingPrompts& prompts) {
    return std::make_unique<AppWindow>(WordLists{words_.fsPath(), words_.fsPath()}, std::nullopt,
                                       &prompts, false, true);
  }
  static void playCat(AppWindow& w) {
    setPlayers(w.form(), 2, 1);
    layCat(w.form());
  }
  // An autosave of an unfinished game: CAT played.
  std::string unfinished(const fs::path& autosave) {
    RecordingPrompts prompts;
    auto w = window(prompts);
    w->autosaveTo(autosave, true);
    w->finishStart();
    playCat(*w);
    return readFile(autosave);
  }

 private slots:
  void initTestCase() { qputenv("XDG_CONFIG_HOME", QFile::encodeName(config_.path())); }

  void aBadAutosaveIsSaidOnceSetAsideAndTheProgramStarts() {
    QTemporaryDir dir;
    const fs::path autosave = dir.filePath(QStringLiteral("autosave.json")).toStdString();
    std::string game = unfinished(autosave);
    // A document nested without end in a field of the game.
    const std::string bad = "{\"deep\":" + std::string(110000, '[') + std::string(110000, ']') +
                            "," + game.substr(game.find('{') + 1);
    std::ofstream(autosave, std::ios::binary) << bad;
    {
      RecordingPrompts prompts;
      auto w = window(prompts);
      w->autosaveTo(autosave, true);
      w->finishStart();
      QVERIFY(prompts.questions.empty());
      const auto said = prompts.take();
      QCOMPARE(said.size(), std::size_t(2));
      QCOMPARE(said[0], kStartMessage);
      QVERIFY(said[1].rfind("The game saved when the program last ran cannot be opened: ", 0) == 0);
      QVERIFY(said[1].find("It is kept as") != std::string::npos);
      QVERIFY(!fs::exists(autosave));
      const auto aside = others(dir.path().toStdString(), "");
      QCOMPARE(aside.size(), std::size_t(1));
      QCOMPARE(readFile(aside[0]), bad);
      playCat(*w);  // the program goes on and autosaves
      QVERIFY(fs::exists(autosave));
    }
    RecordingPrompts next;
    auto w = window(next);
    fs::remove(autosave);
    w->autosaveTo(autosave, true);
    w->finishStart();
    QCOMPARE(next.take(), std::vector<std::string>{kStartMessage});
  }

  void aDeclinedAutosaveIsKeptAsideWithItsDate() {
    QTemporaryDir dir;
    const fs::path autosave = dir.filePath(QStringLiteral("autosave.json")).toStdString();
    const std::string game = unfinished(autosave);
    RecordingPrompts prompts;
    prompts.confirmAnswers = {false};
    auto w = window(prompts);
    w->autosaveTo(autosave, true);
    w->finishStart();
    QCOMPARE(prompts.questions.size(), std::size_t(1));
    QCOMPARE(prompts.take(), std::vector<std::string>{kStartMessage});
    QVERIFY(w->form().game().state.Turns.empty());
    playCat(*w);
    const auto aside = others(dir.path().toStdString(), "autosave.json");
    QCOMPARE(aside.size(), std::size_t(1));
    QVERIFY(QRegularExpression(QStringLiteral(
                                   R"(^autosave-\d{4}-\d\d-\d\dT\d\d-\d\d-\d\d\.json$)"))
                .match(QString::fromStdString(aside[0].filename().string()))
                .hasMatch());
    QCOMPARE(readFile(aside[0]), game);
  }

  void aResumedGameComesWithoutTheStartMessage() {
    QTemporaryDir dir;
    const fs::path autosave = dir.filePath(QStringLiteral("autosave.json")).toStdString();
    unfinished(autosave);
    RecordingPrompts prompts;
    prompts.confirmAnswers = {true};
    auto w = window(prompts);
    w->autosaveTo(autosave, true);
    w->finishStart();
    QCOMPARE(prompts.questions.size(), std::size_t(1));
    QCOMPARE(prompts.take(), std::vector<std::string>{});
    QCOMPARE(w->form().game().state.Turns.size(), std::size_t(1));
  }

  void enterAtTheResumeQuestionResumes() {
    ModalAnswerer answerer;
    answerer.then([](QWidget* box) { QTest::keyClick(box, Qt::Key_Return); });
    answerer.then([](QWidget* box) { QTest::keyClick(box, Qt::Key_Return); });
    WindowPrompts prompts;
    QVERIFY(prompts.confirmYesFirst("An unfinished game was saved. Resume it?"));
    QVERIFY(!prompts.confirm("Start a new game? The game in progress will be given up."));
    QCOMPARE(answerer.answered, 2);
  }

  void anOpenedGameFileIsAutosavedAtOnce() {
    QTemporaryDir dir;
    const fs::path autosave = dir.filePath(QStringLiteral("autosave.json")).toStdString();
    const fs::path file = dir.filePath(QStringLiteral("g.tilvan")).toStdString();
    const std::string game = unfinished(autosave);
    std::ofstream(file, std::ios::binary) << game;
    fs::remove(autosave);
    RecordingPrompts prompts;
    auto w = window(prompts);
    // As the program starts with a game file named.
    w->autosaveTo(autosave, false);
    QVERIFY(w->openGameFile(file));
    w->finishStart();
    QCOMPARE(prompts.take(), std::vector<std::string>{});
    QCOMPARE(readFile(autosave), game);
  }

  void aRelativeStateHomeIsIgnored() {
    const QByteArray was = qgetenv("XDG_STATE_HOME");
    qputenv("XDG_STATE_HOME", "relstate");
    const fs::path home = QDir::homePath().toStdString();
    QCOMPARE(AppWindow::defaultAutosavePath(), home / ".local/state/tilvan/autosave.json");
    qputenv("XDG_STATE_HOME", "/some/state");
    QCOMPARE(AppWindow::defaultAutosavePath(), fs::path("/some/state/tilvan/autosave.json"));
    qputenv("XDG_STATE_HOME", was);
  }

  void aSettingsFileThatIsAPipeIsLeftAlone() {
    const QString folder = config_.filePath(QStringLiteral("tilvan"));
    QDir().mkpath(folder);
    const QString conf = folder + QStringLiteral("/tilvan.conf");
    QFile::remove(conf);
    QCOMPARE(::mkfifo(QFile::encodeName(conf).constData(), 0600), 0);
    QVERIFY(Settings::load() == Settings{});
    Settings s;
    s.completeSearch = true;
    s.save();
    RecordingPrompts prompts;
    auto w = window(prompts);
    QVERIFY(QFileInfo(conf).exists() && !QFileInfo(conf).isFile());
    QFile::remove(conf);
  }
};

QTEST_MAIN(TestStart)
#include "start_test.moc"
