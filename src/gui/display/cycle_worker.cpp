#include "gui/display/cycle_worker.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <cstdint>
#include <exception>
#include <stdexcept>
#include <utility>

namespace tessarin {

CycleWorker::CycleWorker() : doorbell_(::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {
  if (doorbell_ < 0)
    throw std::runtime_error("CycleWorker - cannot create its eventfd");
}

CycleWorker::~CycleWorker() {
  Wait();
  ::close(doorbell_);
}

bool CycleWorker::Start(Job job, int fallbackIntervalMs) {
  if (running_.load())
    return false;
  if (thread_.joinable())
    thread_.join();
  running_.store(true);
  thread_ = std::thread([this, job = std::move(job), fallbackIntervalMs] {
    CycleOutcome outcome;
    try {
      outcome = job();
    } catch (const std::exception&) {
      // Even the exception log failed (the settings file cannot be written): what is shown
      // stays, and the next cycle comes after the usual pause.
      outcome = CycleOutcome{};
      outcome.nextIntervalMs = fallbackIntervalMs;
    }
    {
      const std::lock_guard lock(mailboxMutex_);
      mailbox_ = std::move(outcome);
    }
    running_.store(false);
    const std::uint64_t ring = 1;
    // Cannot fail short of a full counter, which one ring per cycle never reaches.
    [[maybe_unused]] const ssize_t written = ::write(doorbell_, &ring, sizeof ring);
  });
  return true;
}

std::optional<CycleOutcome> CycleWorker::Take() {
  std::uint64_t rings = 0;
  [[maybe_unused]] const ssize_t read = ::read(doorbell_, &rings, sizeof rings);
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
