#pragma once
// The exception log: section "Exceptions" of the settings file, one counter per message.

#include <mutex>
#include <string>
#include <string_view>

#include "core/tools/exception_counter.h"

namespace tessarin {

class SettingsStore;

class ExceptionLog final : public ExceptionCounter {
 public:
  // `productVersion` is normally version::kProductVersion ("1.52").
  ExceptionLog(SettingsStore& store, std::string productVersion);

  // Adds one to the key "v" + version + " - " + message and flushes the store at once.
  // Throws what the flush throws.
  void LogException(std::string_view message) override;

  // Counts the message only when it has no counter yet: for what would otherwise be counted
  // again at every cycle (a refused client file).
  void LogExceptionOnce(std::string_view message);

 private:
  SettingsStore& store_;
  std::string productVersion_;
  // Makes read, add one and write a single step when both threads log.
  std::mutex mutex_;
};

}  // namespace tessarin
