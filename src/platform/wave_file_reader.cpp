#include "platform/wave_file_reader.h"

#include <sndfile.h>

namespace tessarin {

namespace {

// More than any sound card plays; a header claiming more is not a sound to play.
constexpr int kMaxChannels = 64;

}  // namespace

WaveFileReader::WaveFileReader(const std::string& path) {
  SF_INFO info{};
  file_ = sf_open(path.c_str(), SFM_READ, &info);
  if (file_ == nullptr)
    return;
  if (info.channels < 1 || info.channels > kMaxChannels || info.samplerate < 1) {
    sf_close(file_);
    file_ = nullptr;
    return;
  }
  channels_ = info.channels;
  sampleRate_ = info.samplerate;
}

WaveFileReader::~WaveFileReader() {
  if (file_ != nullptr)
    sf_close(file_);
}

std::size_t WaveFileReader::ReadFrames(std::span<std::int16_t> out) {
  if (file_ == nullptr)
    return 0;
  const sf_count_t frames = sf_readf_short(file_, out.data(), out.size() / channels_);
  return frames > 0 ? static_cast<std::size_t>(frames) : 0;
}

std::size_t WaveFileReader::ReadFrames(std::span<float> out) {
  if (file_ == nullptr)
    return 0;
  const sf_count_t frames = sf_readf_float(file_, out.data(), out.size() / channels_);
  return frames > 0 ? static_cast<std::size_t>(frames) : 0;
}

}  // namespace tessarin
