#pragma once
// One watch cycle at a time on a thread of its own. The finished outcome goes to a callback
// on that thread; the caller posts it to the user-interface thread.

#include <atomic>
#include <functional>
#include <thread>

#include "core/watcher/watch_cycle.h"

namespace tessarin {

class CycleWorker {
 public:
  using Job = std::function<CycleOutcome()>;
  using Done = std::function<void(CycleOutcome)>;

  CycleWorker() = default;
  // Waits for a running cycle: no cycle is cut short.
  ~CycleWorker();
  CycleWorker(const CycleWorker&) = delete;
  CycleWorker& operator=(const CycleWorker&) = delete;

  // False (and nothing starts) while a cycle runs. A job that throws gives an outcome that
  // publishes nothing, with `fallbackIntervalMs` as its pause.
  bool Start(Job job, Done done, int fallbackIntervalMs);
  bool Running() const { return running_.load(); }
  // Blocks until the running cycle, if any, has ended.
  void Wait();

 private:
  std::thread thread_;
  std::atomic<bool> running_{false};
};

}  // namespace tessarin
