#include "gui/display/cycle_worker.h"

#include <exception>
#include <utility>

namespace tessarin {

CycleWorker::~CycleWorker() {
  Wait();
}

bool CycleWorker::Start(Job job, Done done, int fallbackIntervalMs) {
  if (running_.load())
    return false;
  if (thread_.joinable())
    thread_.join();
  running_.store(true);
  thread_ = std::thread([this, job = std::move(job), done = std::move(done), fallbackIntervalMs] {
    CycleOutcome outcome;
    try {
      outcome = job();
    } catch (const std::exception&) {
      // Even the exception log failed (the settings file cannot be written): show what was
      // shown before and try again after the usual pause.
      outcome = CycleOutcome{};
      outcome.nextIntervalMs = fallbackIntervalMs;
    }
    running_.store(false);
    done(std::move(outcome));
  });
  return true;
}

void CycleWorker::Wait() {
  if (thread_.joinable())
    thread_.join();
}

}  // namespace tessarin
