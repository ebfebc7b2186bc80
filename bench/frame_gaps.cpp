// How the window answers while "Simulate" runs: the window on a mid-game
// position with its rack typed and searched, a precise 10 ms timer that
// repaints the whole window at every turn and clicks the next result button
// every tenth turn; first for a while with nothing running, then while a
// simulation runs (as F5 starts it: all cores but one). For each phase it
// prints the turns of the event loop, the longest gap between two turns,
// the 99th percentile and the median, the longest turn of its own (repaint
// and click), and the simulation's snapshots with the longest of them
// (showing a snapshot is a window event of its own); then the same while
// the endgame after "Find   Words" is solved on a position where the bag
// has just run out.
//
//   tilvan_frames [SECONDS] [SEED]     (default 5 s a phase, position 1)
//
// The window runs on the offscreen platform unless QT_QPA_PLATFORM says
// otherwise. Beside each gap it takes the processor time the window's
// thread spent in it, which tells the window's own work from a machine that
// is busy elsewhere. A measurement for the README, not a test: it asserts
// nothing.
#include <time.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "support/endgame_gen.h"
#include "ui/app_window.h"
#include "ui/main_window.h"
#include "ui/simulation_runner.h"

namespace {

using tilvan::Game;
using tilvan::Prompts;

class PrintingPrompts : public Prompts {
 public:
  void message(std::string_view text) override { std::cerr << "message: " << text << '\n'; }
  std::optional<std::string> askBlankLetter() override { return std::nullopt; }
};

// Processor time of the calling thread, in ms.
double threadCpuMs() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

struct Phase {
  std::vector<double> gaps;  // ms between turns of the timer
  std::vector<double> cpu;   // ms of the window thread's processor time in each gap
  double longestTurn = 0;    // ms of one turn's own work
  int snapshots = 0;
  double longestSnapshot = 0;  // ms from the snapshot's event to the next turn, at most
};

double percentile(std::vector<double> v, double p) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v[std::min(v.size() - 1, static_cast<std::size_t>(p * static_cast<double>(v.size())))];
}

Phase measure(tilvan::ui::AppWindow& w, int ms, bool simulate) {
  Phase p;
  QElapsedTimer clock;
  clock.start();
  qint64 last = -1, lastShown = -1;
  double lastCpu = 0;
  int turn = 0;
  QEventLoop loop;
  QTimer timer;
  timer.setTimerType(Qt::PreciseTimer);
  timer.setInterval(10);
  QObject::connect(&timer, &QTimer::timeout, [&] {
    const qint64 now = clock.nsecsElapsed();
    const double cpu = threadCpuMs();
    if (last >= 0) {
      p.gaps.push_back(double(now - last) / 1e6);
      p.cpu.push_back(cpu - lastCpu);
    }
    lastCpu = cpu;
    if (lastShown >= 0)
      p.longestSnapshot = std::max(p.longestSnapshot, double(now - lastShown) / 1e6);
    last = now;
    lastShown = -1;
    if (++turn % 10 == 0) w.form().cmdWord[std::size_t(turn / 10 % tilvan::kResultSlots)]->click();
    w.repaint();
    p.longestTurn = std::max(p.longestTurn, double(clock.nsecsElapsed() - now) / 1e6);
    if (clock.elapsed() >= ms) loop.quit();
  });
  // The snapshot's own event ends where this slot runs (it is the last
  // thing the runner does): the time from the turn before it to then.
  const auto shown = QObject::connect(w.simulation(), &tilvan::ui::SimulationRunner::shown, [&] {
    ++p.snapshots;
    lastShown = last;
  });
  if (simulate) w.simulation()->start();
  timer.start();
  loop.exec();
  if (simulate) w.simulation()->stop();
  QObject::disconnect(shown);
  return p;
}

void print(const char* name, const Phase& p) {
  const auto longest = std::max_element(p.gaps.begin(), p.gaps.end());
  const double longestCpu =
      longest == p.gaps.end() ? 0 : p.cpu[std::size_t(longest - p.gaps.begin())];
  std::printf(
      "%-11s turns %4zu  gap: longest %6.1f ms (window thread busy %5.1f ms of it), "
      "p99 %5.1f ms, median %4.1f ms;  window thread busy in a gap: longest %5.1f ms, "
      "p99 %5.1f ms;  own turn longest %5.1f ms;  snapshots %3d (longest gap holding "
      "one %5.1f ms)\n",
      name, p.gaps.size(), percentile(p.gaps, 1.0), longestCpu, percentile(p.gaps, 0.99),
      percentile(p.gaps, 0.5), percentile(p.cpu, 1.0), percentile(p.cpu, 0.99), p.longestTurn,
      p.snapshots, p.longestSnapshot);
}

// The reached position on the board, its rack typed and searched.
void setPosition(tilvan::ui::AppWindow& w, const tilvan::test::ReachedEndgame& e) {
  tilvan::ui::Form1& f = w.form();
  f.run([&](Game& g, Prompts&) {
    g.state.Committed = e.state.Committed;
    g.state.SquareBonus = e.state.SquareBonus;
    g.state.MoveNumber = 1;
  });
  f.txtRack->setText(QString::fromStdString(e.racks[0]));
  f.cmdFindWords->click();
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QTemporaryDir config;  // the window's settings stay out of the user's
  qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
  QApplication app(argc, argv);
  const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  const std::uint64_t seed = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 1;

  tilvan::WordListCache words(TILVAN_DEFAULT_WORD_LIST);
  auto list = words.get();
  if (!list.ok()) {
    std::cerr << list.error().message() << '\n';
    return 2;
  }
  // A greedy game with 40 to 50 tiles left in the bag, and one where the
  // bag has just run out.
  std::optional<tilvan::test::ReachedEndgame> mid, end;
  for (std::uint64_t s = seed; !mid && s < seed + 50; ++s) {
    mid = tilvan::test::greedyEndgame(*list.value(), s, 50);
    if (mid && mid->bag.size() < 40) mid.reset();
  }
  for (std::uint64_t s = seed; !end && s < seed + 50; ++s)
    end = tilvan::test::greedyEndgame(*list.value(), s);
  if (!mid || !end) return 2;

  PrintingPrompts prompts;
  tilvan::ui::AppWindow w({TILVAN_DEFAULT_WORD_LIST, TILVAN_DEFAULT_WORD_LIST}, std::nullopt,
                          &prompts, false);
  w.show();
  tilvan::ui::Form1& f = w.form();
  f.txtNumberofPlayers->setText(QStringLiteral("2"));
  f.cmdNumofPlayers->click();
  f.txtUsersTurn->setText(QStringLiteral("1"));
  f.cmdUsersTurn->click();
  f.chkComplete->setChecked(true);
  w.actRankByValue->setChecked(true);
  setPosition(w, *mid);
  w.simulation()->setTimeLimit(seconds * 1000 + 5000);
  w.simulation()->setMinRounds(1 << 30);  // runs through the phase

  std::printf("rack %s, %zu tiles in the bag, %d s a phase\n", mid->racks[0].c_str(),
              mid->bag.size(), seconds);
  print("idle", measure(w, seconds * 1000, false));
  print("simulating", measure(w, seconds * 1000, true));
  // "Find   Words" on the endgame: the solve (2 s) runs while the window answers.
  std::printf("rack %s against %s, the bag empty\n", end->racks[0].c_str(), end->racks[1].c_str());
  setPosition(w, *end);
  print("solving", measure(w, 3000, false));
  std::printf("slot 1: %s\n",
              qPrintable(f.lblWord[0]->text().replace(QLatin1Char('\n'), QLatin1Char(' '))));
  return 0;
}
