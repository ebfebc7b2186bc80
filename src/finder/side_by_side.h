// Two independent pieces of work at the same time, for searches that split
// into parts that share nothing they write.
#pragma once

#include <atomic>
#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>

namespace tilvan {

// Owns a helper thread that runs one task at a time. Between tasks the
// helper polls for a new one for up to 2 ms, then sleeps on a condition
// variable; a caller waiting for the helper's task does the same. (Polling
// first is faster: see kPoll in side_by_side.cpp for the figures.) Not
// copyable; destroying it stops and joins the helper.
class SideBySide {
 public:
  SideBySide();
  ~SideBySide();
  SideBySide(const SideBySide&) = delete;
  SideBySide& operator=(const SideBySide&) = delete;

  // Runs `first` on the calling thread and `second` on the helper, and
  // returns when both are done. If the helper has not begun `second` by the
  // time `first` is done, the calling thread runs it. Where a second thread
  // cannot help (a single processor, the helper busy for another caller, a
  // thread that cannot be started), both run on the calling thread, first
  // then second. An exception from either is rethrown here once both have
  // finished (the first's when both threw).
  void run(const std::function<void()>& first, const std::function<void()>& second);

 private:
  void serve();
  // Hands the helper `task`; false when there is no helper or another
  // caller has it.
  bool start(const std::function<void()>& task);
  // Takes the task back if the helper has not begun it: true when the
  // caller must run it. Otherwise waits for it and gives its exception.
  bool takeBack(std::exception_ptr& error);

  std::mutex busy_;  // held by the caller that has the helper
  std::mutex mutex_;
  std::condition_variable changed_;
  // Guarded by mutex_:
  const std::function<void()>* task_ = nullptr;  // given, not yet begun
  bool running_ = false;                         // begun, not yet done
  bool stop_ = false;
  std::exception_ptr error_;
  // Hints for the polling phase, read without the mutex: a task is given,
  // the helper is running one.
  std::atomic<bool> given_{false}, busyHint_{false};
  std::thread thread_;  // last: started once the rest is ready
};

}  // namespace tilvan
