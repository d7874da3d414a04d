#pragma once
// Plays sounds through ALSA, synchronously: a call returns when the sound has finished.
// Without a usable sound device every call returns at once.

#include <atomic>
#include <string>

#include "core/tools/sound.h"

namespace tessarin {

class AlsaSoundDevice final : public SoundDevice {
 public:
  // `deviceName` is an ALSA PCM name; "default" follows the user's sound setup.
  explicit AlsaSoundDevice(std::string deviceName = "default");

  void PlayWaveFile(const std::string& path) override;
  // A synthesized sine tone stands in for the PC speaker.
  void Beep(int frequencyHz, int durationMs) override;
  // Cuts every sound playing now short.
  void Stop() override;

 private:
  std::string deviceName_;
  // Raised by Stop; a sound ends when it changed since the sound began.
  std::atomic<unsigned> stops_{0};
};

}  // namespace tessarin
