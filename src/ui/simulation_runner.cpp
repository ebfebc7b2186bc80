#include "ui/simulation_runner.h"

#include <QLineEdit>
#include <QProgressBar>
#include <algorithm>

#include "ahead/slot_simulation.h"
#include "ui/main_window.h"
#include "ui/worker_priority.h"

namespace tilvan::ui {

SimulationRunner::SimulationRunner(Form1& form, QProgressBar* bar, QObject* parent)
    : QObject(parent), form_(form), bar_(bar) {
  bar_->setVisible(false);
  bar_->setTextVisible(true);
  connect(&form_, &Form1::changed, this, &SimulationRunner::stopIfChanged);
  connect(&form_, &Form1::searched, this, &SimulationRunner::stop);
  connect(form_.txtRack, &QLineEdit::textChanged, this, &SimulationRunner::stop);
}

SimulationRunner::~SimulationRunner() {
  if (cancel_) *cancel_ = true;
  join();
}

void SimulationRunner::join() {
  if (worker_.joinable()) worker_.join();
}

void SimulationRunner::toggle() {
  if (running_)
    stop();
  else
    start();
}

void SimulationRunner::start() {
  stop();
  std::optional<SlotSimulation> sim;
  form_.run([&](Game& g, Prompts&) { sim = prepareSlotSimulation(g); });
  if (!sim) {
    form_.say("Type the rack to simulate its best turns.");
    emit form_.changed();
    return;
  }
  turns_ = form_.game().state.Turns;
  rack_ = form_.game().form.txtRack.Text;
  cancel_ = std::make_shared<std::atomic<bool>>(false);
  const quint64 generation = ++generation_;
  snapshots_ = 0;
  running_ = true;
  bar_->setRange(0, timeMs_);
  bar_->setValue(0);
  bar_->setFormat(QStringLiteral("Simulating…"));
  bar_->setVisible(true);
  SimOptions options;
  options.timeMs = timeMs_;
  options.seed = 1;
  options.minRounds = minRounds_;
  // One core stays free for the window.
  options.threads = std::max(1, int(std::thread::hardware_concurrency()) - 1);
  options.cancel = cancel_.get();
  auto post = [this, generation](const SimResult& r, bool done) {
    QMetaObject::invokeMethod(
        this, [this, r, done, generation] { show(r, done, generation); }, Qt::QueuedConnection);
  };
  options.progress = [post](const SimResult& r) { post(r, false); };
  // The worker owns its copy of the position and its cancel flag.
  worker_ = std::thread([sim = std::move(*sim), options, post, cancel = cancel_] {
    giveWayToTheWindow();  // the simulation's threads inherit it
    const SimResult r = runSlotSimulation(sim, options);
    post(r, true);
  });
  emit runningChanged(true);
}

void SimulationRunner::stop() {
  if (!running_) return;
  running_ = false;
  ++generation_;  // snapshots still queued are dropped
  *cancel_ = true;
  join();
  bar_->setFormat(bar_->format() + QStringLiteral(" (stopped)"));
  emit runningChanged(false);
}

void SimulationRunner::stopIfChanged() {
  if (!running_) return;
  if (form_.game().state.Turns != turns_ || form_.game().form.txtRack.Text != rack_) stop();
}

void SimulationRunner::show(const SimResult& r, bool done, quint64 generation) {
  if (generation != generation_ || !running_) return;
  form_.run([&r](Game& g, Prompts&) { showSimulation(g, r); });
  ++snapshots_;
  bar_->setValue(std::min(int(r.ms), timeMs_));
  bar_->setFormat(QStringLiteral("%1 rounds, %2 s").arg(r.rounds).arg(r.ms / 1000.0, 0, 'f', 1));
  if (done) {
    running_ = false;
    join();
    bar_->setFormat(bar_->format() +
                    (r.separated ? QStringLiteral(", leader clear") : QStringLiteral(", done")));
    emit runningChanged(false);
  }
  emit shown();
}

}  // namespace tilvan::ui
