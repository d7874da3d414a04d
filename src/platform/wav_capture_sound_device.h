#pragma once
// Writes everything that would be played into one WAV file (16-bit mono PCM), call after
// call, instead of playing it. The header is brought up to date after each call, so the
// file is a valid WAV file whenever no call is running. For tests and for users who want to
// hear what an alert setting sounds like.

#include <cstdint>
#include <mutex>
#include <span>
#include <string>

#include "core/tools/sound.h"

namespace tessarin {

class WavCaptureSoundDevice final : public SoundDevice {
 public:
  static constexpr int kDefaultSampleRate = 44100;

  // Creates or truncates `path`; throws std::system_error when it cannot.
  explicit WavCaptureSoundDevice(std::string path, int sampleRate = kDefaultSampleRate);
  ~WavCaptureSoundDevice() override;
  WavCaptureSoundDevice(const WavCaptureSoundDevice&) = delete;
  WavCaptureSoundDevice& operator=(const WavCaptureSoundDevice&) = delete;

  int SampleRate() const { return sampleRate_; }

  // Decoded, mixed to mono and resampled to SampleRate(); unreadable files add nothing.
  void PlayWaveFile(const std::string& path) override;
  void Beep(int frequencyHz, int durationMs) override;

 private:
  // Both throw std::system_error when the file cannot be written. Append keeps the data
  // within what a WAV header can count and says false once the file is full.
  bool Append(std::span<const std::int16_t> samples);
  void WriteHeader();

  std::string path_;
  int sampleRate_;
  int fd_ = -1;
  std::uint32_t dataBytes_ = 0;
  std::mutex mutex_;
};

}  // namespace tessarin
