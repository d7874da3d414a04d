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

 private:
  SettingsStore& store_;
  std::string productVersion_;
  // Makes read, add one and write a single step when both threads log.
  std::mutex mutex_;
};

}  // namespace tessarin
