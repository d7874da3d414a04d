#include "platform/tone_generator.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tessarin {

namespace {

constexpr double kAmplitude = 0.4 * 32767.0;
constexpr int kFadeMs = 5;

}  // namespace

ToneGenerator::ToneGenerator(int frequencyHz, int durationMs, int sampleRate)
    : phaseStep_(2.0 * std::numbers::pi * frequencyHz / sampleRate),
      total_(std::max<std::int64_t>(0, std::int64_t{durationMs} * sampleRate / 1000)),
      // Short beeps fade over a quarter of their length each way.
      fade_(std::min<std::int64_t>(std::int64_t{kFadeMs} * sampleRate / 1000, total_ / 4)),
      audible_(frequencyHz > 0 && 2 * std::int64_t{frequencyHz} < sampleRate) {}

double ToneGenerator::Envelope(std::int64_t frame) const {
  const std::int64_t edge = std::min(frame, total_ - 1 - frame);
  if (fade_ <= 0 || edge >= fade_)
    return 1.0;
  // Raised cosine from 0 to 1 over the fade.
  return 0.5 - 0.5 * std::cos(std::numbers::pi * static_cast<double>(edge) / fade_);
}

std::size_t ToneGenerator::Fill(std::span<std::int16_t> out) {
  const std::size_t count =
      static_cast<std::size_t>(std::min<std::int64_t>(total_ - position_, out.size()));
  for (std::size_t i = 0; i < count; ++i, ++position_) {
    const double value = audible_ ? kAmplitude * Envelope(position_) *
                                        std::sin(phaseStep_ * static_cast<double>(position_))
                                  : 0.0;
    out[i] = static_cast<std::int16_t>(std::lround(value));
  }
  return count;
}

}  // namespace tessarin
