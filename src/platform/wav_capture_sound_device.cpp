#include "platform/wav_capture_sound_device.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <system_error>
#include <vector>

#include "platform/tone_generator.h"
#include "platform/wave_file_reader.h"

namespace tessarin {

namespace {

constexpr std::size_t kHeaderBytes = 44;
constexpr std::size_t kBlockFrames = 4096;
// The RIFF size field counts the header after its first 8 bytes; it must stay within 32 bits.
constexpr std::uint32_t kMaxDataBytes = 0xFFFFFFFFu - (kHeaderBytes - 8) - 1;

void PutLittleEndian(std::uint8_t* at, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i)
    at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

void WriteAllAt(int fd, const void* data, std::size_t size, off_t offset, const std::string& path) {
  const auto* bytes = static_cast<const std::uint8_t*>(data);
  while (size > 0) {
    const ssize_t n = ::pwrite(fd, bytes, size, offset);
    if (n < 0) {
      if (errno == EINTR)
        continue;
      throw std::system_error(errno, std::generic_category(), path);
    }
    bytes += n;
    size -= static_cast<std::size_t>(n);
    offset += n;
  }
}

std::int16_t ToSample(float value) {
  return static_cast<std::int16_t>(std::lround(std::clamp(value, -1.0f, 1.0f) * 32767.0f));
}

// Linear interpolation from one rate to another, fed block by block. Output frame k sits at
// source position k * from / to, kept as an exact fraction so long files do not drift.
class Resampler {
 public:
  Resampler(int from, int to) : from_(from), to_(to) {}

  // `block` follows the samples of earlier calls; appends what can be computed to `out`.
  void Feed(std::span<const float> block, std::vector<std::int16_t>& out) {
    for (;;) {
      const std::int64_t index = next_ * from_ / to_;
      const std::int64_t remainder = next_ * from_ % to_;
      if (index + 1 >= seen_ + static_cast<std::int64_t>(block.size()))
        break;
      const float a = SampleAt(index, block);
      const float b = SampleAt(index + 1, block);
      out.push_back(ToSample(a + (b - a) * static_cast<float>(remainder) / to_));
      ++next_;
    }
    if (!block.empty())
      last_ = block.back();
    seen_ += static_cast<std::int64_t>(block.size());
  }

  // The frames that fall on the last source sample.
  void Finish(std::vector<std::int16_t>& out) {
    while (seen_ > 0 && next_ * from_ / to_ <= seen_ - 1) {
      out.push_back(ToSample(last_));
      ++next_;
    }
  }

 private:
  float SampleAt(std::int64_t index, std::span<const float> block) const {
    return index < seen_ ? last_ : block[static_cast<std::size_t>(index - seen_)];
  }

  std::int64_t from_;
  std::int64_t to_;
  std::int64_t next_ = 0;  // next output frame
  std::int64_t seen_ = 0;  // source samples before the current block
  float last_ = 0.0f;      // the source sample just before the current block
};

}  // namespace

WavCaptureSoundDevice::WavCaptureSoundDevice(std::string path, int sampleRate)
    : path_(std::move(path)), sampleRate_(sampleRate) {
  if (sampleRate_ < 1)
    throw std::system_error(EINVAL, std::generic_category(), path_);
  fd_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd_ < 0)
    throw std::system_error(errno, std::generic_category(), path_);
  try {
    WriteHeader();
  } catch (...) {
    ::close(fd_);
    throw;
  }
}

WavCaptureSoundDevice::~WavCaptureSoundDevice() {
  ::close(fd_);
}

void WavCaptureSoundDevice::WriteHeader() {
  std::array<std::uint8_t, kHeaderBytes> header{'R', 'I', 'F', 'F', 0,   0,   0,   0,
                                                'W', 'A', 'V', 'E', 'f', 'm', 't', ' '};
  PutLittleEndian(&header[4], static_cast<std::uint32_t>(kHeaderBytes - 8) + dataBytes_, 4);
  PutLittleEndian(&header[16], 16, 4);  // fmt chunk size
  PutLittleEndian(&header[20], 1, 2);   // PCM
  PutLittleEndian(&header[22], 1, 2);   // mono
  PutLittleEndian(&header[24], static_cast<std::uint32_t>(sampleRate_), 4);
  PutLittleEndian(&header[28], static_cast<std::uint32_t>(sampleRate_) * 2, 4);  // bytes/s
  PutLittleEndian(&header[32], 2, 2);                                            // bytes per frame
  PutLittleEndian(&header[34], 16, 2);                                           // bits per sample
  header[36] = 'd';
  header[37] = 'a';
  header[38] = 't';
  header[39] = 'a';
  PutLittleEndian(&header[40], dataBytes_, 4);
  WriteAllAt(fd_, header.data(), header.size(), 0, path_);
}

bool WavCaptureSoundDevice::Append(std::span<const std::int16_t> samples) {
  const std::size_t room = (kMaxDataBytes - dataBytes_) / 2;
  const bool fits = samples.size() <= room;
  samples = samples.first(std::min(samples.size(), room));
  std::vector<std::uint8_t> bytes(samples.size() * 2);
  for (std::size_t i = 0; i < samples.size(); ++i) {
    PutLittleEndian(&bytes[2 * i], static_cast<std::uint16_t>(samples[i]), 2);
  }
  WriteAllAt(fd_, bytes.data(), bytes.size(), static_cast<off_t>(kHeaderBytes + dataBytes_), path_);
  dataBytes_ += static_cast<std::uint32_t>(bytes.size());
  return fits;
}

void WavCaptureSoundDevice::PlayWaveFile(const std::string& path) {
  std::lock_guard lock(mutex_);
  WaveFileReader wave(path);
  if (!wave.IsOpen())
    return;
  const auto channels = static_cast<std::size_t>(wave.Channels());
  std::vector<float> frames(kBlockFrames * channels);
  std::vector<float> mono;
  std::vector<std::int16_t> out;
  Resampler resampler(wave.SampleRate(), sampleRate_);
  while (const std::size_t count = wave.ReadFrames(std::span(frames))) {
    mono.assign(count, 0.0f);
    for (std::size_t i = 0; i < count; ++i) {
      for (std::size_t c = 0; c < channels; ++c)
        mono[i] += frames[i * channels + c];
      mono[i] /= static_cast<float>(channels);
    }
    out.clear();
    resampler.Feed(mono, out);
    if (!Append(out))
      break;
  }
  out.clear();
  resampler.Finish(out);
  Append(out);
  WriteHeader();
}

void WavCaptureSoundDevice::Beep(int frequencyHz, int durationMs) {
  std::lock_guard lock(mutex_);
  ToneGenerator tone(frequencyHz, durationMs, sampleRate_);
  std::array<std::int16_t, kBlockFrames> block{};
  while (const std::size_t count = tone.Fill(block)) {
    if (!Append(std::span(block).first(count)))
      break;
  }
  WriteHeader();
}

}  // namespace tessarin
