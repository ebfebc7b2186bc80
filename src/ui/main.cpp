// tilvan: the desktop program.
//   tilvan [--words FILE]
//   tilvan --measure [--words FILE] [--zoom PERCENT]
//       plays a short scripted game and prints how long start-up and
//       searches take (at the zoom given, which is not remembered)
#include <time.h>
#include <unistd.h>

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

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

int usage(const char* why) {
  std::fprintf(stderr, "tilvan: %s\nusage: tilvan [--words FILE] [--measure [--zoom PERCENT]]\n",
               why);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  QElapsedTimer sinceMain;
  sinceMain.start();
  for (int i = 1; i < argc; ++i)
    if (!std::strcmp(argv[i], "--help") || !std::strcmp(argv[i], "-h")) {
      std::printf("usage: tilvan [--words FILE] [--measure [--zoom PERCENT]]\n");
      return 0;
    }
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("tilvan"));
  QApplication::setOrganizationName(QStringLiteral("tilvan"));

  std::optional<std::string> wordsPath;
  bool measure = false;
  int zoom = 0;
  const QStringList args = QApplication::arguments();
  for (qsizetype i = 1; i < args.size(); ++i) {
    if (args[i] == QLatin1String("--words")) {
      if (i + 1 >= args.size()) return usage("--words needs a file");
      wordsPath = QFile::encodeName(args[++i]).toStdString();
    } else if (args[i] == QLatin1String("--measure")) {
      measure = true;
    } else if (args[i] == QLatin1String("--zoom") && i + 1 < args.size()) {
      zoom = args[++i].toInt();
    } else {
      return usage(("unexpected argument \"" + args[i].toStdString() + "\"").c_str());
    }
  }

  // An unreadable list does not stop the program: the handlers that read it
  // report it, and the user may fix the file meanwhile.
  tilvan::WordListCache words(wordsPath ? std::filesystem::path(*wordsPath)
                                        : tilvan::defaultWordListPath());
  MeasurePrompts measurePrompts;
  tilvan::ui::AppWindow window(words, measure ? &measurePrompts : nullptr);
  tilvan::ui::Form1& form = window.form();
  form.setMeasuring(measure);
  form.setPrefetchWhenShown(true);
  if (zoom > 0) form.setZoom(zoom);
  std::optional<Measure> measuring;
  if (measure) measuring.emplace(form, sinceMain);
  window.show();
  const int status = app.exec();
  // Nothing is left to save once the last window has closed: the process
  // ends here, without taking its word indexes apart piece by piece.
  std::fflush(nullptr);
  std::_Exit(status);
}
