#pragma once
// A wave (or any libsndfile-readable) file opened for decoding; unreadable files just report
// that they are not open.

#include <cstdint>
#include <span>
#include <string>

struct sf_private_tag;

namespace tessarin {

class WaveFileReader {
 public:
  explicit WaveFileReader(const std::string& path);
  ~WaveFileReader();
  WaveFileReader(const WaveFileReader&) = delete;
  WaveFileReader& operator=(const WaveFileReader&) = delete;

  bool IsOpen() const { return file_ != nullptr; }
  int Channels() const { return channels_; }
  int SampleRate() const { return sampleRate_; }

  // Interleaved frames into `out` (its size a multiple of Channels()); returns frames read,
  // 0 at the end.
  std::size_t ReadFrames(std::span<std::int16_t> out);
  std::size_t ReadFrames(std::span<float> out);

 private:
  sf_private_tag* file_ = nullptr;
  int channels_ = 0;
  int sampleRate_ = 0;
};

}  // namespace tessarin
