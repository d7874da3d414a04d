#pragma once
// The exception log: section "Exceptions" of the settings file, one counter per message.

#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "core/tools/exception_counter.h"

namespace tessarin {

class SettingsStore;

class ExceptionLog final : public ExceptionCounter {
 public:
  // `productVersion` is normally version::kProductVersion ("1.52").
  ExceptionLog(SettingsStore& store, std::string productVersion);

  // Adds one to the key "v" + version + " - " + message in the store; the watch cycle writes
  // the store to disk once at its end, so a burst of errors costs one rewrite.
  void LogException(std::string_view message) override;

  // Counts the message only when it has no counter yet: for what would otherwise be counted
  // again at every cycle (a refused client file).
  void LogExceptionOnce(std::string_view message);

  // LogException for a log, backup or settings write (or a log read) that failed, which the
  // user is also told of: the message waits for TakeFailures.
  void LogFailure(std::string_view message) override;
  // The failures since the last call, oldest first.
  std::vector<std::string> TakeFailures();

 private:
  void Count(std::string_view message);

  SettingsStore& store_;
  std::string productVersion_;
  // Makes read, add one and write a single step when both threads log.
  std::mutex mutex_;
  std::vector<std::string> failures_;
};

}  // namespace tessarin
