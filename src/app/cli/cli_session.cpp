#include "cli_session.h"

#include <fstream>
#include <iostream>
#include <stdexcept>

#include "platform/alsa_sound_device.h"
#include "platform/wav_capture_sound_device.h"

namespace tessarin {

namespace {

void RequireReadableSettings(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    throw std::runtime_error("cannot read " + path +
                             " (create it with: tessarin-cli --home DIR init --client DIR)");
  }
}

}  // namespace

CliSession::CliSession(const std::string& programDir, const std::string& soundCapture) {
  RequireReadableSettings(SettingsPath(programDir));
  if (soundCapture.empty()) {
    sound_ = std::make_unique<AlsaSoundDevice>();
  } else {
    sound_ = std::make_unique<WavCaptureSoundDevice>(soundCapture);
  }
  program_ = std::make_unique<Program>(programDir, clock_, *sound_, launcher_);
}

void CliSession::RunStartupConversions() {
  for (const std::string& failure : program_->RunStartupConversions()) {
    std::cerr << "tessarin-cli: start-up conversion failed: " << failure << "\n";
  }
}

std::unique_ptr<CliSession> OpenCliSession(const std::string& programDir,
                                           const std::string& soundCapture,
                                           bool startupConversions) {
  std::unique_ptr<CliSession> session;
  try {
    session = std::make_unique<CliSession>(programDir, soundCapture);
  } catch (const std::exception& error) {
    std::cerr << "tessarin-cli: " << error.what() << "\n";
    return nullptr;
  }
  if (startupConversions)
    session->RunStartupConversions();
  return session;
}

}  // namespace tessarin
