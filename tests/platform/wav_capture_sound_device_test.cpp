#include "platform/wav_capture_sound_device.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <cmath>
#include <cstdint>
#include <numbers>
#include <string>
#include <vector>

#include "core/tools/sound.h"
#include "support/temp_dir.h"

namespace tessarin {
namespace {

constexpr int kRate = WavCaptureSoundDevice::kDefaultSampleRate;

struct Capture {
  int sampleRate = 0;
  int channels = 0;
  std::vector<std::int16_t> samples;
};

// Reads the capture the way any WAV reader would; fails the test when it is not valid.
Capture ReadCapture(const std::string& path) {
  SF_INFO info{};
  SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
  EXPECT_NE(file, nullptr) << sf_strerror(nullptr);
  Capture capture;
  if (file == nullptr)
    return capture;
  EXPECT_EQ(info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
  capture.sampleRate = info.samplerate;
  capture.channels = info.channels;
  capture.samples.resize(static_cast<std::size_t>(info.frames * info.channels));
  EXPECT_EQ(sf_readf_short(file, capture.samples.data(), info.frames), info.frames);
  sf_close(file);
  return capture;
}

// Sign changes between `from` and `to`, samples rounded to 0 skipped.
int ZeroCrossings(const std::vector<std::int16_t>& samples, std::size_t from, std::size_t to) {
  int crossings = 0;
  int lastSign = 0;
  for (std::size_t i = from; i < to; ++i) {
    const int sign = (samples[i] > 0) - (samples[i] < 0);
    if (sign != 0 && lastSign != 0 && sign != lastSign)
      ++crossings;
    if (sign != 0)
      lastSign = sign;
  }
  return crossings;
}

int Peak(const std::vector<std::int16_t>& samples, std::size_t from, std::size_t to) {
  int peak = 0;
  for (std::size_t i = from; i < to; ++i)
    peak = std::max(peak, std::abs(int{samples[i]}));
  return peak;
}

// Writes a sine tone of `hz` as a wave file with `channels` identical channels.
void WriteTone(const std::string& path, int rate, int channels, int hz, double seconds) {
  SF_INFO info{};
  info.samplerate = rate;
  info.channels = channels;
  info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
  SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
  ASSERT_NE(file, nullptr);
  const auto frames = static_cast<std::size_t>(rate * seconds);
  std::vector<std::int16_t> data(frames * static_cast<std::size_t>(channels));
  for (std::size_t i = 0; i < frames; ++i) {
    const double value = 16000.0 * std::sin(2.0 * std::numbers::pi * hz * i / rate);
    for (int c = 0; c < channels; ++c) {
      data[i * channels + c] = static_cast<std::int16_t>(std::lround(value));
    }
  }
  sf_writef_short(file, data.data(), static_cast<sf_count_t>(frames));
  sf_close(file);
}

TEST(WavCaptureSoundDeviceTest, SpeakerTuneGivesEachBeepItsFrequencyAndLength) {
  test::TempDir dir;
  const std::string path = dir.path() + "capture.wav";
  WavCaptureSoundDevice device(path);
  PlaySound("SPEAKER:440,200,880,100", device);

  const Capture capture = ReadCapture(path);
  ASSERT_EQ(capture.sampleRate, kRate);
  ASSERT_EQ(capture.channels, 1);
  const std::size_t first = kRate * 200 / 1000;
  const std::size_t second = kRate * 100 / 1000;
  ASSERT_EQ(capture.samples.size(), first + second);

  // A sine of f Hz crosses zero 2f times a second.
  EXPECT_NEAR(ZeroCrossings(capture.samples, 0, first), 2 * 440 * 0.2, 2);
  EXPECT_NEAR(ZeroCrossings(capture.samples, first, first + second), 2 * 880 * 0.1, 2);

  // Loud in the middle, faded to near silence where one beep meets the next.
  EXPECT_GT(Peak(capture.samples, first / 4, first / 2), 8000);
  EXPECT_GT(Peak(capture.samples, first + second / 4, first + second / 2), 8000);
  EXPECT_LT(Peak(capture.samples, first - 10, first + 10), 2000);
  EXPECT_LT(std::abs(capture.samples.front()), 100);
  EXPECT_LT(std::abs(capture.samples.back()), 100);
}

TEST(WavCaptureSoundDeviceTest, TheFileIsValidAfterEveryCall) {
  test::TempDir dir;
  const std::string path = dir.path() + "capture.wav";
  WavCaptureSoundDevice device(path);
  EXPECT_TRUE(ReadCapture(path).samples.empty());
  device.Beep(1000, 50);
  EXPECT_EQ(ReadCapture(path).samples.size(), kRate * 50u / 1000);
  // Frequencies a 44.1 kHz file cannot carry still take their time, as silence.
  device.Beep(0, 20);
  device.Beep(30000, 20);
  const Capture capture = ReadCapture(path);
  ASSERT_EQ(capture.samples.size(), kRate * 90u / 1000);
  EXPECT_EQ(Peak(capture.samples, kRate * 50 / 1000, capture.samples.size()), 0);
  device.Beep(440, 0);
  EXPECT_EQ(ReadCapture(path).samples.size(), kRate * 90u / 1000);
}

TEST(WavCaptureSoundDeviceTest, WaveFilesAreMixedToMonoAndResampled) {
  test::TempDir dir;
  const std::string tone = dir.path() + "tone.wav";
  WriteTone(tone, 22050, 2, 1000, 0.1);
  const std::string native = dir.path() + "native.wav";
  WriteTone(native, kRate, 1, 500, 0.05);

  const std::string path = dir.path() + "capture.wav";
  WavCaptureSoundDevice device(path);
  device.PlayWaveFile(tone);
  const std::size_t resampled = ReadCapture(path).samples.size();
  EXPECT_NEAR(static_cast<double>(resampled), kRate * 0.1, 2);
  device.PlayWaveFile(native);
  device.PlayWaveFile(dir.path() + "missing.wav");
  device.PlayWaveFile(dir.Write("garbage.wav", "RIFF....WAVEnot really"));

  const Capture capture = ReadCapture(path);
  ASSERT_EQ(capture.samples.size(), resampled + kRate * 50 / 1000);
  EXPECT_NEAR(ZeroCrossings(capture.samples, 0, resampled), 2 * 1000 * 0.1, 2);
  EXPECT_NEAR(Peak(capture.samples, 0, resampled), 16000, 200);
  EXPECT_NEAR(ZeroCrossings(capture.samples, resampled, capture.samples.size()), 2 * 500 * 0.05, 2);
  // The unchanged rate copies the samples themselves.
  EXPECT_EQ(capture.samples[resampled + 20],
            static_cast<std::int16_t>(
                std::lround(16000.0 * std::sin(2.0 * std::numbers::pi * 500 * 20 / kRate))));
}

TEST(WavCaptureSoundDeviceTest, AnUnwritablePathThrows) {
  test::TempDir dir;
  EXPECT_THROW(WavCaptureSoundDevice(dir.path() + "no/such/dir.wav"), std::system_error);
  EXPECT_THROW(WavCaptureSoundDevice(dir.MakeDir("sounds")), std::system_error);
}

}  // namespace
}  // namespace tessarin
