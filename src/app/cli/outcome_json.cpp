#include "outcome_json.h"

#include <cstdio>

#include "core/tools/terminal_text.h"

namespace tessarin {

namespace {

std::string ColorText(Rgb color) {
  char text[8];
  std::snprintf(text, sizeof text, "#%06X", static_cast<unsigned>(color & 0xFFFFFF));
  return text;
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
  nlohmann::json errors = nlohmann::json::array();
  for (const std::string& error : outcome.errors)
    errors.push_back(ValidUtf8(error));
  return {
      {"published", outcome.published},
      {"errors", errors},
      {"display", display},
      {"results", results},
      {"alertState", outcome.alertState},
      {"trayLevel", outcome.trayLevel},
      {"sounds", outcome.sounds},
      {"wallpaper", outcome.wallpaper},
      {"refused", ValidUtf8(outcome.writeRefusal)},
  };
}

}  // namespace tessarin
