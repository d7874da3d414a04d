#pragma once
// A program instance for tests: settings store in a temp dir, exception log, fixed clock,
// a sound device that records what it was asked to play.

#include <string>
#include <vector>

#include "core/settings/environment.h"
#include "core/settings/exception_log.h"
#include "core/settings/settings_store.h"
#include "core/tools/date_time.h"
#include "core/tools/sound.h"
#include "temp_dir.h"

namespace tessarin::test {

class FixedClock final : public Clock {
 public:
  explicit FixedClock(double now) : now_(now) {}
  double Now() const override { return now_; }
  void Set(double now) { now_ = now; }
  void Advance(double seconds) { now_ += seconds; }

 private:
  double now_;
};

class RecordingSoundDevice final : public SoundDevice {
 public:
  void PlayWaveFile(const std::string& path) override { played.push_back("wave:" + path); }
  void Beep(int hz, int ms) override {
    played.push_back("beep:" + std::to_string(hz) + "," + std::to_string(ms));
  }
  std::vector<std::string> played;
};

// Program directory = dir.path(); log directory = dir.path() + "logs/".
struct TestEnvironment {
  TestEnvironment();

  // Exception-log count for a message (without the version prefix); 0 when absent.
  int ExceptionCount(const std::string& message) const;
  // All exception keys (with the version prefix).
  std::vector<std::string> ExceptionKeys() const;

  TempDir dir;
  SettingsStore settings;
  ExceptionLog exceptions;
  FixedClock clock;
  RecordingSoundDevice sound;
  Environment env;
};

}  // namespace tessarin::test
