#pragma once
// The pieces every watching command needs: program directory, sound output, map viewer
// launcher and the program instance over Tessarin.ini.

#include <memory>
#include <string>

#include "core/program/program.h"
#include "core/tools/date_time.h"
#include "core/tools/sound.h"
#include "platform/process_launcher.h"

namespace tessarin {

class CliSession {
 public:
  // Throws std::runtime_error with a message for the user when Tessarin.ini is missing or
  // unreadable, or the capture file cannot be created.
  CliSession(const std::string& programDir, const std::string& soundCapture);

  Program& program() { return *program_; }

  // Runs the start-up conversions; failures go to stderr and the rest still run.
  void RunStartupConversions();

 private:
  SystemClock clock_;
  std::unique_ptr<SoundDevice> sound_;
  PosixProgramLauncher launcher_;
  std::unique_ptr<Program> program_;
};

// A session, with its start-up conversions run when `startupConversions`; null after telling
// the user on stderr why there is none (the command then exits with code 2).
std::unique_ptr<CliSession> OpenCliSession(const std::string& programDir,
                                           const std::string& soundCapture,
                                           bool startupConversions = true);

}  // namespace tessarin
