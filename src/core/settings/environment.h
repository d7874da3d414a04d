#pragma once
// What one running program hands to the routines of a watch cycle. Owned by the program;
// a test builds its own, so two programs can run side by side.

#include <string>

// Complete, so env.exceptions passes where the file helpers take an ExceptionCounter.
#include "core/settings/exception_log.h"

namespace tessarin {

class SettingsStore;
class Clock;
class SoundDevice;

struct Environment {
  SettingsStore& settings;
  ExceptionLog& exceptions;
  const Clock& clock;
  SoundDevice& sound;
  // Directory of Tessarin.ini, with a trailing separator.
  std::string programDir;
  // Options/logdir (default programDir + "logs") with a trailing separator.
  std::string logDir;
};

// Options/logdir, defaulting to programDir + "logs", with a trailing separator; an empty
// value stays empty.
std::string ResolveLogDir(const SettingsStore& settings, const std::string& programDir);

}  // namespace tessarin
