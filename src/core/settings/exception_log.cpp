#include "core/settings/exception_log.h"

#include <climits>
#include <utility>

#include "core/settings/settings_keys.h"
#include "core/settings/settings_store.h"

namespace tessarin {

namespace {

// A message may carry a path or client text: an '=' would end the key early when the file
// is read back, so it is written the way ini keys escape it.
std::string KeyText(std::string_view message) {
  std::string key;
  key.reserve(message.size());
  for (char c : message) {
    if (c == '=') {
      key += "%3D";
    } else {
      key += c;
    }
  }
  return key;
}

}  // namespace

ExceptionLog::ExceptionLog(SettingsStore& store, std::string productVersion)
    : store_(store), productVersion_(std::move(productVersion)) {}

void ExceptionLog::Count(std::string_view message) {
  const std::string key = "v" + productVersion_ + " - " + KeyText(message);
  const int count = store_.ReadInteger(sections::kExceptions, key, 0);
  store_.WriteInteger(sections::kExceptions, key, count < INT_MAX ? count + 1 : count);
}

void ExceptionLog::LogException(std::string_view message) {
  std::lock_guard lock(mutex_);
  Count(message);
}

void ExceptionLog::LogFailure(std::string_view message) {
  std::lock_guard lock(mutex_);
  Count(message);
  failures_.emplace_back(message);
}

std::vector<std::string> ExceptionLog::TakeFailures() {
  std::lock_guard lock(mutex_);
  return std::exchange(failures_, {});
}

void ExceptionLog::LogExceptionOnce(std::string_view message) {
  const std::string key = "v" + productVersion_ + " - " + KeyText(message);
  std::lock_guard lock(mutex_);
  if (store_.ValueExists(sections::kExceptions, key))
    return;
  store_.WriteInteger(sections::kExceptions, key, 1);
}

}  // namespace tessarin
