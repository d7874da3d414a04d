#include "test_environment.h"

#include <filesystem>

#include "core/settings/settings_keys.h"
#include "version.h"

namespace tessarin::test {

TestEnvironment::TestEnvironment()
    : settings(dir.path() + "Tessarin.ini"),
      exceptions(settings, version::kProductVersion),
      // 2026-12-08 12:00:00 UTC
      clock(1796731200.0),
      env{settings, exceptions, clock, sound, dir.path(), dir.path() + "logs/"} {
  std::filesystem::create_directories(env.logDir);
}

int TestEnvironment::ExceptionCount(const std::string& message) const {
  const std::string key = std::string("v") + version::kProductVersion + " - " + message;
  return settings.ReadInteger(sections::kExceptions, key, 0);
}

std::vector<std::string> TestEnvironment::ExceptionKeys() const {
  return settings.ReadSection(sections::kExceptions);
}

}  // namespace tessarin::test
