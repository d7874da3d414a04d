#pragma once
// The sound front: a sound setting is a wave file path or "SPEAKER:" frequency,duration pairs.

#include <string>
#include <string_view>

namespace tessarin {

// Where sounds go: real hardware, a capture file, or nowhere. Calls are synchronous.
class SoundDevice {
 public:
  virtual ~SoundDevice() = default;
  virtual void PlayWaveFile(const std::string& path) = 0;
  virtual void Beep(int frequencyHz, int durationMs) = 0;
};

class SilentSoundDevice final : public SoundDevice {
 public:
  void PlayWaveFile(const std::string&) override {}
  void Beep(int, int) override {}
};

// Plays the setting text: nothing when empty, beeps for "SPEAKER:" (any case), otherwise
// the wave file when it exists.
void PlaySound(std::string_view setting, SoundDevice& device);

}  // namespace tessarin
