#pragma once
// The exception log: section "Exceptions" of the settings file, one counter per message.

#include <string>
#include <string_view>

namespace tessarin {

class SettingsStore;

class ExceptionLog {
 public:
  // `productVersion` is normally version::kProductVersion ("1.52").
  ExceptionLog(SettingsStore& store, std::string productVersion);

  // Adds one to the key "v" + version + " - " + message and flushes the store at once.
  void LogException(std::string_view message);

 private:
  SettingsStore& store_;
  std::string productVersion_;
};

}  // namespace tessarin
