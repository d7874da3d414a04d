#pragma once
// One display entry: one cell of the monitoring display.

#include <cstdint>
#include <string>
#include <vector>

namespace tessarin {

// 0xRRGGBB.
using Rgb = std::uint32_t;
namespace colors {
inline constexpr Rgb kBlack = 0x000000;
inline constexpr Rgb kGreen = 0x008000;
inline constexpr Rgb kRed = 0xFF0000;
}  // namespace colors

struct SlotInfo {
  std::string HostName;     // 100
  std::string ProjectName;  // 50
  std::string AppName;      // 50
  std::string ResultName;   // 100
  std::string StatusText;   // 50
  Rgb StatusColor = colors::kBlack;
  std::int32_t OutputSize = 0;
  std::string CpuText;  // 30
  bool MultiTask = false;
  // Wider than a client needs, so no slot or cache is too large to show.
  std::int32_t SlotNumber = 0;
  std::int32_t ResultCount = 0;
  std::int32_t ReadyCount = 0;
  double Progress = 0;
  std::int32_t TimeLeft = -1;
  std::string InfoText;  // 50
  bool NonCpuIntensive = false;
  std::uint8_t ProjectKind = 0;
  // Why a remote client's connection is lost; empty otherwise.
  std::string LostReason;

  // SETI@home (1): at most the first 8 characters of each value.
  std::string SpikePower, SpikeScore, GaussianScore, GaussianPower, GaussianFit, PulseScore,
      PulsePower, PulsePeriod, TripletScore, TripletPower;
  // climateprediction (4).
  std::string Phase;     // 1
  std::string Timestep;  // 7
  double ModelDate = 0;  // date serial, 0 unknown
  // Astropulse (2), Einstein@Home (6).
  double PeakValue = 0;
  std::int32_t PeakCount = 0;
};

using DisplayList = std::vector<SlotInfo>;

}  // namespace tessarin
