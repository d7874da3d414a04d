#pragma once
// Runs watch cycles one at a time on a worker thread. The pause is measured from the end of one
// cycle to the start of the next; its length is the finished cycle's Options/timer.

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

#include "core/watcher/watch_cycle.h"

namespace tessarin {

class CycleRunner {
 public:
  // Called on the worker thread with each finished cycle; the GUI posts it to its own thread.
  using Completion = std::function<void(CycleOutcome)>;

  CycleRunner(WatchCycle& cycle, Completion onCycleDone);
  // Stops (see Stop).
  ~CycleRunner();
  CycleRunner(const CycleRunner&) = delete;
  CycleRunner& operator=(const CycleRunner&) = delete;

  // Starts the worker; the first cycle begins after `firstDelay`. Does nothing when running.
  void Start(std::chrono::milliseconds firstDelay);

  // The pause in progress starts again with this length (a new interval from the setup
  // dialog). A cycle in progress takes its pause from the settings when it ends.
  void Reschedule(std::chrono::milliseconds pause);

  // Lets the cycle in progress end, with its completion, then ends the worker; no cycle is
  // cut short. Called from the completion itself it only marks the end.
  void Stop();

 private:
  void Run(std::chrono::milliseconds firstDelay);

  WatchCycle& cycle_;
  Completion onCycleDone_;
  std::mutex mutex_;
  std::condition_variable wake_;
  bool stopping_ = false;
  bool pausing_ = false;
  std::chrono::steady_clock::time_point nextStart_;
  std::thread worker_;
};

}  // namespace tessarin
