#include "platform/alsa_sound_device.h"

#include <alsa/asoundlib.h>

#include <array>
#include <cstdint>
#include <span>

#include "platform/tone_generator.h"
#include "platform/wave_file_reader.h"

namespace tessarin {

namespace {

constexpr int kBeepSampleRate = 44100;
constexpr unsigned kLatencyUs = 100000;
constexpr std::size_t kBlockSamples = 4096;

// ALSA reports a missing card on stderr by default; for a program whose sounds are optional
// that is noise.
void IgnoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

// One playback stream, closed on every way out.
class PcmStream {
 public:
  PcmStream(const std::string& deviceName, int channels, int sampleRate) {
    // Opened without blocking, so a device held by another program fails at once.
    if (snd_pcm_open(&pcm_, deviceName.c_str(), SND_PCM_STREAM_PLAYBACK, SND_PCM_NONBLOCK) < 0) {
      pcm_ = nullptr;
      return;
    }
    if (snd_pcm_nonblock(pcm_, 0) < 0 ||
        snd_pcm_set_params(pcm_, SND_PCM_FORMAT_S16, SND_PCM_ACCESS_RW_INTERLEAVED,
                           static_cast<unsigned>(channels), static_cast<unsigned>(sampleRate), 1,
                           kLatencyUs) < 0) {
      snd_pcm_close(pcm_);
      pcm_ = nullptr;
    }
    channels_ = channels;
  }
  ~PcmStream() {
    if (pcm_ != nullptr)
      snd_pcm_close(pcm_);
  }
  PcmStream(const PcmStream&) = delete;
  PcmStream& operator=(const PcmStream&) = delete;

  bool IsOpen() const { return pcm_ != nullptr; }

  // False when the device failed for good; playback then stops.
  bool Write(std::span<const std::int16_t> interleaved, std::size_t frames) {
    const std::int16_t* data = interleaved.data();
    while (frames > 0) {
      snd_pcm_sframes_t written = snd_pcm_writei(pcm_, data, frames);
      if (written < 0) {
        if (snd_pcm_recover(pcm_, static_cast<int>(written), 1) < 0)
          return false;
        continue;
      }
      data += written * channels_;
      frames -= static_cast<std::size_t>(written);
    }
    return true;
  }

  // Waits until everything written has been heard.
  void Drain() { snd_pcm_drain(pcm_); }
  // Stops at once, throwing away what is not heard yet.
  void Drop() { snd_pcm_drop(pcm_); }

 private:
  snd_pcm_t* pcm_ = nullptr;
  int channels_ = 1;
};

}  // namespace

AlsaSoundDevice::AlsaSoundDevice(std::string deviceName) : deviceName_(std::move(deviceName)) {
  snd_lib_error_set_handler(IgnoreAlsaError);
}

void AlsaSoundDevice::PlayWaveFile(const std::string& path) {
  WaveFileReader wave(path);
  if (!wave.IsOpen())
    return;
  PcmStream stream(deviceName_, wave.Channels(), wave.SampleRate());
  if (!stream.IsOpen())
    return;
  const unsigned stops = stops_.load();
  std::array<std::int16_t, kBlockSamples> block{};
  const std::size_t blockFrames = block.size() / static_cast<std::size_t>(wave.Channels());
  for (;;) {
    if (stops_.load() != stops) {
      stream.Drop();
      return;
    }
    const std::size_t frames =
        wave.ReadFrames(std::span(block.data(), blockFrames * wave.Channels()));
    if (frames == 0)
      break;
    if (!stream.Write(block, frames))
      return;
  }
  stream.Drain();
}

void AlsaSoundDevice::Beep(int frequencyHz, int durationMs) {
  ToneGenerator tone(frequencyHz, durationMs, kBeepSampleRate);
  if (tone.TotalFrames() == 0)
    return;
  PcmStream stream(deviceName_, 1, kBeepSampleRate);
  if (!stream.IsOpen())
    return;
  const unsigned stops = stops_.load();
  std::array<std::int16_t, kBlockSamples> block{};
  while (const std::size_t frames = tone.Fill(block)) {
    if (stops_.load() != stops) {
      stream.Drop();
      return;
    }
    if (!stream.Write(block, frames))
      return;
  }
  stream.Drain();
}

void AlsaSoundDevice::Stop() {
  ++stops_;
}

}  // namespace tessarin
