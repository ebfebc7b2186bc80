#include "finder/side_by_side.h"

#include <system_error>

namespace tilvan {

SideBySide::SideBySide() {
  if (std::thread::hardware_concurrency() < 2) return;
  try {
    thread_ = std::thread([this] { serve(); });
  } catch (const std::system_error&) {
    // No helper: work runs on the caller's thread.
  }
}

SideBySide::~SideBySide() {
  if (!thread_.joinable()) return;
  {
    std::lock_guard lock(mutex_);
    stop_ = true;
  }
  changed_.notify_all();
  thread_.join();
}

void SideBySide::serve() {
  std::unique_lock lock(mutex_);
  for (;;) {
    changed_.wait(lock, [&] { return stop_ || task_; });
    if (stop_) return;
    const std::function<void()>* task = task_;
    task_ = nullptr;
    running_ = true;
    lock.unlock();
    std::exception_ptr error;
    try {
      (*task)();
    } catch (...) {
      error = std::current_exception();
    }
    lock.lock();
    error_ = std::move(error);
    running_ = false;
    changed_.notify_all();
  }
}

bool SideBySide::start(const std::function<void()>& task) {
  if (!thread_.joinable() || !busy_.try_lock()) return false;
  {
    std::lock_guard lock(mutex_);
    task_ = &task;
  }
  changed_.notify_all();
  return true;
}

bool SideBySide::takeBack(std::exception_ptr& error) {
  bool mine;
  {
    std::unique_lock lock(mutex_);
    mine = task_ != nullptr;
    task_ = nullptr;
    changed_.wait(lock, [&] { return !running_; });
    error = std::move(error_);
    error_ = nullptr;
  }
  busy_.unlock();
  return mine;
}

void SideBySide::run(const std::function<void()>& first, const std::function<void()>& second) {
  const bool helped = start(second);
  std::exception_ptr error, secondError;
  try {
    first();
  } catch (...) {
    error = std::current_exception();
  }
  // A helper that has not begun the second task by now (still waking up)
  // does not get it.
  if (!helped || takeBack(secondError)) {
    try {
      second();
    } catch (...) {
      secondError = std::current_exception();
    }
  }
  if (error) std::rethrow_exception(error);
  if (secondError) std::rethrow_exception(secondError);
}

void runSideBySide(const std::function<void()>& first, const std::function<void()>& second) {
  static SideBySide shared;
  shared.run(first, second);
}

}  // namespace tilvan
