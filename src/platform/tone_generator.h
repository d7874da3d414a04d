#pragma once
// A beep as samples: a sine tone of one frequency and length, faded in and out so that it
// starts and stops without a click. Produced block by block, so a long beep needs no long
// buffer.

#include <cstdint>
#include <span>

namespace tessarin {

class ToneGenerator {
 public:
  // A frequency the sample rate cannot carry (not above 0, or at or above half the rate)
  // gives silence of the same length, so a beep always takes its time.
  ToneGenerator(int frequencyHz, int durationMs, int sampleRate);

  std::int64_t TotalFrames() const { return total_; }
  // Fills the front of `out` with the next samples; returns how many, 0 when done.
  std::size_t Fill(std::span<std::int16_t> out);

 private:
  double Envelope(std::int64_t frame) const;

  double phaseStep_;
  std::int64_t total_;
  std::int64_t fade_;
  std::int64_t position_ = 0;
  bool audible_;
};

}  // namespace tessarin
