#include "gui/display/cycle_worker.h"

#include <exception>
#include <utility>

namespace tessarin {

CycleWorker::~CycleWorker() {
  Wait();
}

bool CycleWorker::Start(Job job, std::function<void()> finished, int fallbackIntervalMs) {
  if (running_.load())
    return false;
  if (thread_.joinable())
    thread_.join();
  running_.store(true);
  thread_ =
      std::thread([this, job = std::move(job), finished = std::move(finished), fallbackIntervalMs] {
        CycleOutcome outcome;
        try {
          outcome = job();
        } catch (const std::exception&) {
          // Even the exception log failed (the settings file cannot be written): what is
          // shown stays, and the next cycle comes after the usual pause.
          outcome = CycleOutcome{};
          outcome.nextIntervalMs = fallbackIntervalMs;
        }
        {
          const std::lock_guard lock(mailboxMutex_);
          mailbox_ = std::move(outcome);
        }
        running_.store(false);
        finished();
      });
  return true;
}

std::optional<CycleOutcome> CycleWorker::Take() {
  const std::lock_guard lock(mailboxMutex_);
  std::optional<CycleOutcome> outcome = std::move(mailbox_);
  mailbox_.reset();
  return outcome;
}

void CycleWorker::Wait() {
  if (thread_.joinable())
    thread_.join();
}

}  // namespace tessarin
