#pragma once
// One watch cycle at a time on a thread of its own. The finished outcome waits in a mailbox
// guarded by a lock, and the worker rings a doorbell (an eventfd) that the user-interface
// thread watches; that thread then takes the outcome. The worker never calls into Qt, and
// the outcome passes between the threads as one value.

#include <atomic>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

#include "core/watcher/watch_cycle.h"

namespace tessarin {

class CycleWorker {
 public:
  using Job = std::function<CycleOutcome()>;

  CycleWorker();
  // Waits for a running cycle: no cycle is cut short.
  ~CycleWorker();
  CycleWorker(const CycleWorker&) = delete;
  CycleWorker& operator=(const CycleWorker&) = delete;

  // Readable while a finished outcome waits (watch it with a QSocketNotifier).
  int DoorbellFd() const { return doorbell_; }

  // False (and nothing starts) while a cycle runs. A job that throws gives an outcome that
  // publishes nothing, with `fallbackIntervalMs` as its pause.
  bool Start(Job job, int fallbackIntervalMs);
  bool Running() const { return running_.load(); }
  // The outcome of the finished cycle, once; silences the doorbell.
  std::optional<CycleOutcome> Take();
  // Blocks until the running cycle, if any, has ended.
  void Wait();

 private:
  int doorbell_ = -1;
  std::thread thread_;
  std::atomic<bool> running_{false};
  std::mutex mailboxMutex_;
  std::optional<CycleOutcome> mailbox_;
};

}  // namespace tessarin
