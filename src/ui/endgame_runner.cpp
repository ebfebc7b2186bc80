#include "ui/endgame_runner.h"

#include <QLineEdit>

#include "ui/main_window.h"
#include "ui/worker_priority.h"

namespace tilvan::ui {

EndgameRunner::EndgameRunner(Form1& form, QObject* parent) : QObject(parent), form_(form) {
  connect(&form_, &Form1::searched, this, &EndgameRunner::start);
  connect(&form_, &Form1::changed, this, &EndgameRunner::stopIfChanged);
  connect(form_.txtRack, &QLineEdit::textChanged, this, &EndgameRunner::stop);
}

EndgameRunner::~EndgameRunner() {
  if (cancel_) *cancel_ = true;
  if (worker_.joinable()) worker_.join();
}

void EndgameRunner::start() {
  stop();
  std::optional<SlotEndgame> endgame = prepareSlotEndgame(form_.game());
  if (!endgame) return;
  turns_ = form_.game().state.Turns;
  rack_ = form_.game().form.txtRack.Text;
  Request request{std::move(*endgame), ++generation_};
  wanted_ = request;
  if (working_)
    waiting_ = std::move(request);
  else
    launch(std::move(request));
  form_.say("Solving the endgame (at most " + std::to_string((timeMs_ + 500) / 1000) + " s)...");
  emit form_.changed();
}

void EndgameRunner::stop() {
  if (cancel_) *cancel_ = true;
  wanted_.reset();
  waiting_.reset();
}

void EndgameRunner::stopIfChanged() {
  if (!wanted_) return;
  if (form_.game().state.Turns != turns_ || form_.game().form.txtRack.Text != rack_) stop();
}

void EndgameRunner::launch(Request request) {
  if (worker_.joinable()) worker_.join();  // it has reported: it is ending
  working_ = true;
  cancel_ = std::make_shared<std::atomic<bool>>(false);
  EndgameOptions options;
  options.timeMs = timeMs_;
  options.threads = 2;  // its helper shares the worker's lower priority
  // The worker owns its copy of the endgame and shares the stop flag.
  worker_ = std::thread([this, endgame = std::move(request.endgame), options,
                         generation = request.generation, cancel = cancel_]() mutable {
    options.cancel = cancel.get();
    giveWayToTheWindow();
    auto answer = std::make_shared<SlotEndgameAnswer>(solveSlotEndgame(endgame, options));
    QMetaObject::invokeMethod(
        this, [this, answer, generation] { arrived(answer, generation); }, Qt::QueuedConnection);
  });
}

void EndgameRunner::arrived(const std::shared_ptr<SlotEndgameAnswer>& answer, quint64 generation) {
  working_ = false;
  if (wanted_ && wanted_->generation == generation) {
    const Request request = std::move(*wanted_);
    wanted_.reset();
    bool shown = false;
    form_.run(
        [&](Game& g, Prompts& p) { shown = showBestToTheEnd(g, p, request.endgame, *answer); });
    if (shown) {
      form_.showResult(0);  // the lower board and the keyboard's shown result agree
      form_.say(bestToTheEndStatus(*answer));
    }
    emit form_.changed();
    emit finished(shown);
  }
  if (waiting_) {
    Request next = std::move(*waiting_);
    waiting_.reset();
    launch(std::move(next));
  }
}

}  // namespace tilvan::ui
