#include "core/watcher/cycle_runner.h"

#include <utility>

namespace tessarin {

CycleRunner::CycleRunner(WatchCycle& cycle, Completion onCycleDone)
    : cycle_(cycle), onCycleDone_(std::move(onCycleDone)) {}

CycleRunner::~CycleRunner() {
  Stop();
  if (worker_.joinable())
    worker_.join();
}

void CycleRunner::Start(std::chrono::milliseconds firstDelay) {
  const std::lock_guard lock(mutex_);
  if (worker_.joinable())
    return;
  stopping_ = false;
  worker_ = std::thread([this, firstDelay] { Run(firstDelay); });
}

void CycleRunner::Reschedule(std::chrono::milliseconds pause) {
  {
    const std::lock_guard lock(mutex_);
    if (!pausing_)
      return;
    nextStart_ = std::chrono::steady_clock::now() + pause;
  }
  wake_.notify_all();
}

void CycleRunner::Stop() {
  {
    const std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_all();
  if (worker_.joinable() && worker_.get_id() != std::this_thread::get_id())
    worker_.join();
}

void CycleRunner::Run(std::chrono::milliseconds firstDelay) {
  {
    const std::lock_guard lock(mutex_);
    nextStart_ = std::chrono::steady_clock::now() + firstDelay;
    pausing_ = true;
  }
  for (;;) {
    {
      std::unique_lock lock(mutex_);
      while (!stopping_ && std::chrono::steady_clock::now() < nextStart_) {
        wake_.wait_until(lock, nextStart_);
      }
      pausing_ = false;
      if (stopping_)
        return;
    }
    CycleOutcome outcome = cycle_.WatchClients();
    const auto pause = std::chrono::milliseconds(outcome.nextIntervalMs);
    {
      // The pause starts at the end of the cycle, before its completion runs.
      const std::lock_guard lock(mutex_);
      nextStart_ = std::chrono::steady_clock::now() + pause;
      pausing_ = true;
    }
    onCycleDone_(std::move(outcome));
  }
}

}  // namespace tessarin
