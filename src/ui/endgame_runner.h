// The endgame after "Find   Words" in the window: when the search leaves an
// endgame to solve (ahead/slot_endgame.h), the solver runs on a thread of
// its own within its time limit while the window answers; its answer then
// reorders and marks the slots through the core. A new search, a change of
// the record or of the rack box drops a solve still running (the solver is
// told to stop and its answer is ignored); at most one solve runs, the
// latest request waiting for it.
#pragma once

#include <QObject>
#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "ahead/slot_endgame.h"
#include "game/history.h"

namespace tilvan::ui {

class Form1;

class EndgameRunner : public QObject {
  Q_OBJECT
 public:
  explicit EndgameRunner(Form1& form, QObject* parent = nullptr);
  // Stops a solve still running and waits for it.
  ~EndgameRunner() override;

  // A solve is running or waiting, its answer still wanted.
  bool busy() const { return wanted_.has_value(); }
  // The solver's time limit (2 s unless set).
  void setTimeLimit(int ms) { timeMs_ = ms; }

  // Starts solving the game's endgame, if the last search left one.
  void start();
  // Drops the solve running or waiting.
  void stop();

 signals:
  // A solve's answer arrived; `shown` when the slots took it.
  void finished(bool shown);

 private:
  struct Request {
    SlotEndgame endgame;
    quint64 generation = 0;
  };
  void launch(Request request);
  void arrived(const std::shared_ptr<SlotEndgameAnswer>& answer, quint64 generation);
  void stopIfChanged();

  Form1& form_;
  std::thread worker_;
  std::shared_ptr<std::atomic<bool>> cancel_;  // the running solve's stop flag
  bool working_ = false;            // worker_ has not reported yet
  std::optional<Request> wanted_;   // the request whose answer is wanted
  std::optional<Request> waiting_;  // to launch once the worker reports
  quint64 generation_ = 0;
  int timeMs_ = 2000;
  std::vector<Turn> turns_;  // the record and the rack box when the search ran
  std::string rack_;
};

}  // namespace tilvan::ui
