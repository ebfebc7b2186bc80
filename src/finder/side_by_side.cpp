#include "finder/side_by_side.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>

namespace tilvan {
namespace {

using Clock = std::chrono::steady_clock;

// How long a thread that waits for the other polls before it sleeps: a
// search hands work over a few times in quick succession, and waking a
// sleeping thread costs far more than a search step.
constexpr auto kPoll = std::chrono::milliseconds(2);

void relax() {
#if defined(__x86_64__) || defined(__i386__)
  __builtin_ia32_pause();
#else
  std::this_thread::yield();
#endif
}

// Polls `ready` for up to kPoll; true when it came true meanwhile.
template <class Ready>
bool pollFor(Ready ready) {
  const auto until = Clock::now() + kPoll;
  for (int i = 0;; ++i) {
    if (ready()) return true;
    if ((i & 63) == 63 && Clock::now() >= until) return false;
    relax();
  }
}

// A thread that waits for one task at a time. It is started on first use and
// stopped when the program ends.
class Helper {
 public:
  static Helper* get() {
    static Helper helper;
    return helper.thread_.joinable() ? &helper : nullptr;
  }

  ~Helper() {
    if (!thread_.joinable()) return;
    {
      std::lock_guard lock(m_);
      stop_ = true;
    }
    cv_.notify_all();
    thread_.join();
  }

  // Takes the helper for one task; false when another caller has it.
  bool claim() { return busy_.try_lock(); }

  // Hands the claimed helper its task.
  void start(const std::function<void()>& task) {
    done_.store(false, std::memory_order_relaxed);
    error_ = nullptr;
    {
      std::lock_guard lock(m_);
      task_.store(&task, std::memory_order_release);
    }
    cv_.notify_all();
  }

  // Takes the task back if the helper has not begun it (the helper is then
  // given back): true when the caller must run it.
  bool takeBack() {
    if (!task_.exchange(nullptr, std::memory_order_acq_rel)) return false;
    busy_.unlock();
    return true;
  }

  // Waits for the task that the helper began and gives the helper back; the
  // task's exception, if it threw.
  std::exception_ptr finish() {
    if (!pollFor([&] { return done_.load(std::memory_order_acquire); })) {
      std::unique_lock lock(m_);
      cv_.wait(lock, [&] { return done_.load(std::memory_order_acquire); });
    }
    std::exception_ptr error = std::move(error_);
    error_ = nullptr;
    busy_.unlock();
    return error;
  }

 private:
  Helper() {
    if (std::thread::hardware_concurrency() < 2) return;
    try {
      thread_ = std::thread([this] { loop(); });
    } catch (const std::system_error&) {
      // No helper: work runs on the caller's thread.
    }
  }

  void loop() {
    for (;;) {
      auto given = [&] { return task_.load(std::memory_order_acquire) != nullptr; };
      if (!pollFor(given)) {
        std::unique_lock lock(m_);
        cv_.wait(lock, [&] { return stop_ || given(); });
        if (stop_) return;
      }
      const std::function<void()>* task = task_.exchange(nullptr, std::memory_order_acq_rel);
      if (!task) continue;  // taken back by the caller
      try {
        (*task)();
      } catch (...) {
        error_ = std::current_exception();
      }
      {
        std::lock_guard lock(m_);
        done_.store(true, std::memory_order_release);
      }
      cv_.notify_all();
    }
  }

  std::mutex busy_;  // held by the caller that has the helper
  std::mutex m_;     // guards sleeping and waking
  std::condition_variable cv_;
  std::atomic<const std::function<void()>*> task_{nullptr};
  std::atomic<bool> done_{true};
  bool stop_ = false;         // guarded by m_
  std::exception_ptr error_;  // written by the helper before done_, read after
  std::thread thread_;        // last: started once the rest is ready
};

}  // namespace

void runSideBySide(const std::function<void()>& first, const std::function<void()>& second) {
  Helper* helper = Helper::get();
  const bool helped = helper && helper->claim();
  if (helped) helper->start(second);
  std::exception_ptr error, helperError;
  try {
    first();
  } catch (...) {
    error = std::current_exception();
  }
  // A helper that has not begun the second task by now (still waking up)
  // does not get it.
  if (helped && !helper->takeBack()) {
    helperError = helper->finish();
  } else {
    try {
      second();
    } catch (...) {
      helperError = std::current_exception();
    }
  }
  if (error) std::rethrow_exception(error);
  if (helperError) std::rethrow_exception(helperError);
}

}  // namespace tilvan
