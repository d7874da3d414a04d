#pragma once
// The sound front: a sound setting is a wave file path or "SPEAKER:" frequency,duration pairs.

#include <atomic>
#include <string>
#include <string_view>

namespace tessarin {

// Where sounds go: real hardware, a capture file, or nowhere. Calls are synchronous.
class SoundDevice {
 public:
  virtual ~SoundDevice() = default;
  virtual void PlayWaveFile(const std::string& path) = 0;
  virtual void Beep(int frequencyHz, int durationMs) = 0;
  // Ends what is playing now, from any thread; a device that cannot does nothing.
  virtual void Stop() {}
};

// A device that plays through another until stopped, and nothing after: a tune of several
// beeps ends with the one playing.
class StoppableSound final : public SoundDevice {
 public:
  explicit StoppableSound(SoundDevice& device) : device_(device) {}
  void PlayWaveFile(const std::string& path) override {
    if (!stopped_)
      device_.PlayWaveFile(path);
  }
  void Beep(int frequencyHz, int durationMs) override {
    if (!stopped_)
      device_.Beep(frequencyHz, durationMs);
  }
  void Stop() override {
    stopped_ = true;
    device_.Stop();
  }

 private:
  SoundDevice& device_;
  std::atomic<bool> stopped_{false};
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
