#include "outcome_json.h"

#include <cstdio>

namespace tessarin {

namespace {

std::string ColorText(Rgb color) {
  char text[8];
  std::snprintf(text, sizeof text, "#%06X", static_cast<unsigned>(color & 0xFFFFFF));
  return text;
}

// Length of the valid UTF-8 sequence starting at `i`, or 0.
std::size_t Utf8SequenceLength(const std::string& s, std::size_t i) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
  const unsigned char lead = byte(i);
  std::size_t length = 0;
  if (lead < 0x80)
    return 1;
  if (lead >= 0xC2 && lead <= 0xDF)
    length = 2;
  else if (lead >= 0xE0 && lead <= 0xEF)
    length = 3;
  else if (lead >= 0xF0 && lead <= 0xF4)
    length = 4;
  else
    return 0;
  if (i + length > s.size())
    return 0;
  for (std::size_t k = 1; k < length; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80)
      return 0;
  }
  const unsigned char second = byte(i + 1);
  if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second > 0x9F) ||
      (lead == 0xF0 && second < 0x90) || (lead == 0xF4 && second > 0x8F)) {
    return 0;
  }
  return length;
}

}  // namespace

std::string ValidUtf8(const std::string& bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size();) {
    const std::size_t length = Utf8SequenceLength(bytes, i);
    if (length == 0) {
      out += "\xEF\xBF\xBD";  // U+FFFD
      ++i;
    } else {
      out.append(bytes, i, length);
      i += length;
    }
  }
  return out;
}

nlohmann::json SlotInfoJson(const SlotInfo& slot) {
  return {
      {"HostName", ValidUtf8(slot.HostName)},
      {"ProjectName", ValidUtf8(slot.ProjectName)},
      {"AppName", ValidUtf8(slot.AppName)},
      {"ResultName", ValidUtf8(slot.ResultName)},
      {"StatusText", ValidUtf8(slot.StatusText)},
      {"StatusColor", ColorText(slot.StatusColor)},
      {"OutputSize", slot.OutputSize},
      {"CpuText", ValidUtf8(slot.CpuText)},
      {"MultiTask", slot.MultiTask},
      {"SlotNumber", slot.SlotNumber},
      {"ResultCount", slot.ResultCount},
      {"ReadyCount", slot.ReadyCount},
      {"Progress", slot.Progress},
      {"TimeLeft", slot.TimeLeft},
      {"InfoText", ValidUtf8(slot.InfoText)},
      {"NonCpuIntensive", slot.NonCpuIntensive},
      {"ProjectKind", slot.ProjectKind},
      {"LostReason", ValidUtf8(slot.LostReason)},
      {"SpikePower", ValidUtf8(slot.SpikePower)},
      {"SpikeScore", ValidUtf8(slot.SpikeScore)},
      {"GaussianScore", ValidUtf8(slot.GaussianScore)},
      {"GaussianPower", ValidUtf8(slot.GaussianPower)},
      {"GaussianFit", ValidUtf8(slot.GaussianFit)},
      {"PulseScore", ValidUtf8(slot.PulseScore)},
      {"PulsePower", ValidUtf8(slot.PulsePower)},
      {"PulsePeriod", ValidUtf8(slot.PulsePeriod)},
      {"TripletScore", ValidUtf8(slot.TripletScore)},
      {"TripletPower", ValidUtf8(slot.TripletPower)},
      {"Phase", ValidUtf8(slot.Phase)},
      {"Timestep", ValidUtf8(slot.Timestep)},
      {"ModelDate", slot.ModelDate},
      {"PeakValue", slot.PeakValue},
      {"PeakCount", slot.PeakCount},
  };
}

nlohmann::json ResultEntryJson(const ResultEntry& result) {
  return {
      {"host", ValidUtf8(result.HostName)},  {"project", ValidUtf8(result.ProjectName)},
      {"wu", ValidUtf8(result.WuName)},      {"result", ValidUtf8(result.ResultFileName)},
      {"hostSpeed", result.HostSpeed},       {"estimate", result.Estimate},
      {"deadline", result.Deadline},         {"state", result.State},
      {"timeLeft", result.TimeLeft},         {"resourceShare", result.ResourceShare},
      {"availability", result.Availability}, {"nonCpuIntensive", result.NonCpuIntensive},
      {"longTermDebt", result.LongTermDebt},
  };
}

nlohmann::json CycleOutcomeJson(const CycleOutcome& outcome) {
  nlohmann::json display = nlohmann::json::array();
  for (const SlotInfo& slot : outcome.display)
    display.push_back(SlotInfoJson(slot));
  nlohmann::json results = nlohmann::json::array();
  for (const ResultEntry& result : outcome.results)
    results.push_back(ResultEntryJson(result));
  return {
      {"display", display},
      {"results", results},
      {"alertState", outcome.alertState},
      {"trayLevel", outcome.trayLevel},
      {"sounds", outcome.sounds},
      {"wallpaper", outcome.wallpaper},
  };
}

}  // namespace tessarin
