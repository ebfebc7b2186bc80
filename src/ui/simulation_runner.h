// "Simulate" in the window: runs the simulation of the rack's best turns on
// a thread of its own and shows each snapshot of its statistics through the
// core (showSimulation), so the slots re-rank live while the window answers.
// A second start, Escape, or any change of the record, the rack box or the
// results (a new search) stops it.
#pragma once

#include <QObject>
#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "ahead/simulation.h"
#include "game/history.h"

class QProgressBar;

namespace tilvan::ui {

class Form1;

class SimulationRunner : public QObject {
  Q_OBJECT
 public:
  // `bar` (in the status line) shows the rounds and the time while a run lasts.
  SimulationRunner(Form1& form, QProgressBar* bar, QObject* parent = nullptr);
  ~SimulationRunner() override;

  bool running() const { return running_; }
  // Starts a run, or stops the one running.
  void toggle();
  void start();
  void stop();
  // The longest a run lasts (it may stop sooner when the leader stands clear).
  void setTimeLimit(int ms) { timeMs_ = ms; }
  // Rounds before the leader may end a run by standing clear.
  void setMinRounds(int rounds) { minRounds_ = rounds; }
  // Snapshots shown so far in this run.
  int snapshots() const { return snapshots_; }

 signals:
  void runningChanged(bool running);
  void shown();

 private:
  void show(const SimResult& r, bool done, quint64 generation);
  void stopIfChanged();
  void join();

  Form1& form_;
  QProgressBar* bar_;
  std::thread worker_;
  std::shared_ptr<std::atomic<bool>> cancel_;
  quint64 generation_ = 0;
  bool running_ = false;
  int timeMs_ = 10000;
  int minRounds_ = SimOptions{}.minRounds;
  int snapshots_ = 0;
  std::vector<Turn> turns_;  // the record and the rack box when the run began
  std::string rack_;
};

}  // namespace tilvan::ui
