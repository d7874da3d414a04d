#pragma once
// One watch cycle at a time on a thread of its own. The finished outcome waits in a mailbox
// guarded by a lock; the worker then calls `finished`, which asks the user-interface thread
// to Take() it. So the outcome passes between the threads as one value, under one lock.

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

  CycleWorker() = default;
  // Waits for a running cycle: no cycle is cut short.
  ~CycleWorker();
  CycleWorker(const CycleWorker&) = delete;
  CycleWorker& operator=(const CycleWorker&) = delete;

  // False (and nothing starts) while a cycle runs. A job that throws gives an outcome that
  // publishes nothing, with `fallbackIntervalMs` as its pause. `finished` runs on the worker.
  bool Start(Job job, std::function<void()> finished, int fallbackIntervalMs);
  bool Running() const { return running_.load(); }
  // The outcome of the finished cycle, once.
  std::optional<CycleOutcome> Take();
  // Blocks until the running cycle, if any, has ended.
  void Wait();

 private:
  std::thread thread_;
  std::atomic<bool> running_{false};
  std::mutex mailboxMutex_;
  std::optional<CycleOutcome> mailbox_;
};

}  // namespace tessarin
