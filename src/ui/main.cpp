// tilvan: the desktop program.
//   tilvan [--words FILE] [GAMEFILE]
//   tilvan --measure [--words FILE] [--zoom PERCENT]
//       plays a short scripted game and prints how long start-up and
//       searches take (at the zoom given, which is not remembered)
//   tilvan --help | --version
#include <time.h>
#include <unistd.h>

#include <QApplication>
#include <QCheckBox>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>

#include "game/layout.h"
#include "ui/app_window.h"
#include "ui/geometry.h"
#include "ui/main_window.h"
#include "words/word_list.h"

namespace {

// Milliseconds since the kernel started this process (-1 when unknown).
double msSinceProcessStart() {
  std::ifstream stat("/proc/self/stat");
  std::string s((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
  const auto paren = s.rfind(')');
  if (paren == std::string::npos) return -1;
  // After the name come fields 3, 4, ...; field 22 is the start time in
  // clock ticks since boot.
  std::istringstream fields(s.substr(paren + 2));
  std::string field;
  for (int i = 3; i <= 22 && fields >> field; ++i) {
  }
  const double started = std::strtod(field.c_str(), nullptr) / double(sysconf(_SC_CLK_TCK));
  timespec now{};
  clock_gettime(CLOCK_BOOTTIME, &now);
  return (now.tv_sec + now.tv_nsec / 1e9 - started) * 1000.0;
}

// Messages go to stderr and blank dialogs are answered "e": the measured run
// never waits for a person.
class MeasurePrompts : public tilvan::Prompts {
 public:
  void message(std::string_view text) override {
    std::fprintf(stderr, "message: %.*s\n", int(text.size()), text.data());
  }
  std::optional<std::string> askBlankLetter() override { return "e"; }
};

// Reports the first paint of the window, then plays a short game.
class Measure : public QObject {
 public:
  Measure(tilvan::ui::Form1& form, QElapsedTimer& sinceMain) : form_(form), sinceMain_(sinceMain) {
    form.installEventFilter(this);
    // The game starts once the word list has been read ahead, as a person
    // would start it some time after the window appeared.
    connect(&form, &tilvan::ui::Form1::prefetched, this, [this] { play(); });
  }

 protected:
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Paint && !painted_) {
      painted_ = true;
      std::fprintf(stderr, "measure: window painted %.1f ms after main(), %.0f ms after exec\n",
                   sinceMain_.nsecsElapsed() / 1e6, msSinceProcessStart());
    }
    return false;
  }

 private:
  void type(QLineEdit* box, const char* text) {
    box->setText(QString::fromLatin1(text));
    emit box->textEdited(box->text());
  }
  QPointF square(int row, int col) {
    using namespace tilvan;
    return QPointF(ui::px(mainSquareLeft(col)) + 7, ui::px(mainSquareTop(row)) + 7);
  }
  void play() {
    type(form_.txtNumberofPlayers, "2");
    form_.cmdNumofPlayers->click();
    type(form_.txtUsersTurn, "1");
    form_.cmdUsersTurn->click();
    std::fprintf(stderr, "first move, rack aeinrst:\n");
    type(form_.txtRack, "aeinrst");
    form_.cmdFindWords->click();
    std::fprintf(stderr, "again (list cached):\n");
    form_.cmdFindWords->click();
    // C-A-T across the centre, committed.
    form_.dropTileAt(11, square(7, 6));
    form_.dropTileAt(0, square(7, 7));
    form_.dropTileAt(80, square(7, 8));
    form_.cmdUse1->click();
    std::fprintf(stderr, "later move, rack eorsnid:\n");
    type(form_.txtRack, "eorsnid");
    form_.cmdFindWords->click();
    std::fprintf(stderr, "later move, rack qu_zesa:\n");
    type(form_.txtRack, "qu_zesa");
    form_.cmdFindWords->click();
    std::fprintf(stderr, "complete search, rack eorsnid:\n");
    form_.chkComplete->setChecked(true);
    type(form_.txtRack, "eorsnid");
    form_.cmdFindWords->click();
    form_.cmdFindWords->click();
    form_.window()->close();
  }

  tilvan::ui::Form1& form_;
  QElapsedTimer& sinceMain_;
  bool painted_ = false;
};

constexpr const char* kVersion = TILVAN_VERSION;

struct Options {
  std::optional<std::string> wordsPath;
  bool measure = false;
  int zoom = 0;  // with --measure: the zoom of the measured run
  std::optional<std::string> gameFile;
};

// The program's options.
struct CommandLine {
  CommandLine() {
    parser.setApplicationDescription(
        QStringLiteral("A desktop assistant for the Tilvane crossword tile game: keeps a board in "
                       "step with a real game and finds the best-scoring placements for a rack."));
    parser.addOptions({help, version, words, measure, zoom});
    parser.addPositionalArgument(QStringLiteral("GAMEFILE"),
                                 QStringLiteral("A saved game to open at start."),
                                 QStringLiteral("[GAMEFILE]"));
  }
  QCommandLineParser parser;
  const QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")},
                                QStringLiteral("Show this help and exit.")};
  const QCommandLineOption version{QStringLiteral("version"),
                                   QStringLiteral("Show the version and exit.")};
  const QCommandLineOption words{
      QStringLiteral("words"),
      QStringLiteral("Use the word list FILE for this run instead of the one chosen in the "
                     "Words menu."),
      QStringLiteral("FILE")};
  const QCommandLineOption zoom{
      QStringLiteral("zoom"),
      QStringLiteral("With --measure: the zoom of the client area in percent (100 to 200)."),
      QStringLiteral("PERCENT")};
  const QCommandLineOption measure{
      QStringLiteral("measure"),
      QStringLiteral("Play a short scripted game and print how long start-up and searches take.")};
};

// --help and --version are answered before Qt starts, so that they need no
// display. Returns the exit code when one of them was given.
std::optional<int> answerHelpOrVersion(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view a = argv[i];
    if (a == "--words") {
      ++i;  // its value
    } else if (a == "--help" || a == "-h") {
      // Qt names the program only once it has started.
      const QString text = CommandLine().parser.helpText().replace(
          QLatin1String("<executable_name>"), QLatin1String("tilvan"));
      std::printf("%s", text.toLocal8Bit().constData());
      return 0;
    } else if (a == "--version") {
      std::printf("tilvan %s\n", kVersion);
      return 0;
    }
  }
  return std::nullopt;
}

// Reads the arguments that Qt leaves (it takes its own, such as -platform).
// Returns the exit code when they are wrong.
std::optional<int> parseArguments(const QStringList& args, Options& options) {
  CommandLine c;
  const auto fail = [](const QString& why) {
    std::fprintf(
        stderr,
        "tilvan: %s\nusage: tilvan [--words FILE] [--measure [--zoom PERCENT]] [GAMEFILE]\n",
        why.toLocal8Bit().constData());
    return 2;
  };
  if (!c.parser.parse(args)) return fail(c.parser.errorText());
  const QStringList positional = c.parser.positionalArguments();
  if (positional.size() > 1)
    return fail(QStringLiteral("unexpected argument \"%1\"").arg(positional[1]));
  if (!positional.isEmpty()) options.gameFile = QFile::encodeName(positional[0]).toStdString();
  if (c.parser.isSet(c.words))
    options.wordsPath = QFile::encodeName(c.parser.value(c.words)).toStdString();
  options.measure = c.parser.isSet(c.measure);
  if (c.parser.isSet(c.zoom)) options.zoom = c.parser.value(c.zoom).toInt();
  return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
  QElapsedTimer sinceMain;
  sinceMain.start();
  QApplication::setApplicationName(QStringLiteral("tilvan"));
  QApplication::setApplicationVersion(QString::fromLatin1(kVersion));
  if (auto exit = answerHelpOrVersion(argc, argv)) return *exit;
  // A write beyond the file size limit fails with its error, reported as any
  // failed save, rather than ending the program.
  std::signal(SIGXFSZ, SIG_IGN);
  QApplication app(argc, argv);
  Options options;
  if (auto exit = parseArguments(QApplication::arguments(), options)) return *exit;
  QGuiApplication::setDesktopFileName(QStringLiteral("org.tilvan.tilvan"));

  // An unreadable list does not stop the program: the handlers that read it
  // report it, and the user may fix the file meanwhile.
  std::optional<std::filesystem::path> wordsOverride;
  if (options.wordsPath) wordsOverride = *options.wordsPath;
  MeasurePrompts measurePrompts;
  tilvan::ui::AppWindow window(tilvan::ui::WordLists::installed(), wordsOverride,
                               options.measure ? &measurePrompts : nullptr, !options.measure,
                               !options.measure);
  tilvan::ui::Form1& form = window.form();
  form.setMeasuring(options.measure);
  form.setPrefetchWhenShown(true);
  if (options.measure && options.zoom > 0) form.setZoom(options.zoom);
  std::optional<Measure> measuring;
  if (options.measure) measuring.emplace(form, sinceMain);
  // The game is written to the user's state folder after every change; a
  // game left unfinished there is offered at start, unless a game file was
  // named.
  if (!options.measure) {
    // The autosave first, so that a game file opened is autosaved at once.
    window.autosaveTo(tilvan::ui::AppWindow::defaultAutosavePath(), !options.gameFile);
    if (options.gameFile) window.openGameFile(*options.gameFile);
    window.finishStart();
  }
  window.show();
  const int status = app.exec();
  // Nothing is left to save once the last window has closed: the process
  // ends here, without taking its word indexes apart piece by piece.
  std::fflush(nullptr);
  std::_Exit(status);
}
