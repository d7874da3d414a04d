#include "platform/alsa_sound_device.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <vector>

#include "support/temp_dir.h"

namespace tessarin {
namespace {

// ALSA's file plugin stores what it is given as raw samples, so the whole playback path can
// be checked without a sound card.
std::string RawFilePcm(const std::string& path) {
  return "file:'" + path + "',raw";
}

std::vector<std::int16_t> ReadRaw(const test::TempDir& dir, const std::string& name) {
  const std::string bytes = dir.Read(name);
  std::vector<std::int16_t> samples(bytes.size() / 2);
  for (std::size_t i = 0; i < samples.size(); ++i) {
    samples[i] = static_cast<std::int16_t>(static_cast<std::uint8_t>(bytes[2 * i]) |
                                           static_cast<std::uint8_t>(bytes[2 * i + 1]) << 8);
  }
  return samples;
}

TEST(AlsaSoundDeviceTest, ABeepReachesTheDeviceAsATone) {
  test::TempDir dir;
  AlsaSoundDevice device(RawFilePcm(dir.path() + "beep.raw"));
  device.Beep(440, 500);
  const std::vector<std::int16_t> samples = ReadRaw(dir, "beep.raw");
  ASSERT_EQ(samples.size(), 44100u / 2);
  int crossings = 0;
  for (std::size_t i = 1; i < samples.size(); ++i) {
    if ((samples[i - 1] < 0) != (samples[i] < 0))
      ++crossings;
  }
  EXPECT_NEAR(crossings, 2 * 440 * 0.5, 3);
}

TEST(AlsaSoundDeviceTest, AWaveFileIsPlayedInItsOwnFormat) {
  test::TempDir dir;
  const std::string wave = dir.path() + "done.wav";
  SF_INFO info{};
  info.samplerate = 22050;
  info.channels = 2;
  info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
  SNDFILE* file = sf_open(wave.c_str(), SFM_WRITE, &info);
  ASSERT_NE(file, nullptr);
  std::vector<std::int16_t> frames(2 * 1000);
  for (std::size_t i = 0; i < frames.size(); ++i)
    frames[i] = static_cast<std::int16_t>(i);
  sf_writef_short(file, frames.data(), 1000);
  sf_close(file);

  AlsaSoundDevice device(RawFilePcm(dir.path() + "wave.raw"));
  device.PlayWaveFile(wave);
  EXPECT_EQ(ReadRaw(dir, "wave.raw"), frames);
}

// Without a device a sound must not hold up the cycle for its length.
TEST(AlsaSoundDeviceTest, WithoutASoundDeviceEveryCallReturnsAtOnce) {
  test::TempDir dir;
  AlsaSoundDevice device("tessarin_no_such_pcm");
  const auto start = std::chrono::steady_clock::now();
  device.Beep(440, 5000);
  device.PlayWaveFile(dir.path() + "missing.wav");
  device.PlayWaveFile(dir.Write("not-a-wave.wav", "garbage"));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));

  // Nor does a file that is no sound reach a working device.
  AlsaSoundDevice working(RawFilePcm(dir.path() + "out.raw"));
  working.PlayWaveFile(dir.path() + "not-a-wave.wav");
  EXPECT_FALSE(std::filesystem::exists(dir.path() + "out.raw"));
}

}  // namespace
}  // namespace tessarin
