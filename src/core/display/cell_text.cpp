#include "core/display/cell_text.h"

#include "core/data/project_record.h"
#include "core/display/model_date.h"
#include "core/tools/number_format.h"

namespace tessarin {

namespace {

// General form of the peak values.
constexpr int kPeakDigits = 15;

CellLine Signal(std::string label, std::string value, ScoreMark mark = ScoreMark::kNone) {
  CellLine line;
  line.kind = CellLineKind::kSignal;
  line.label = std::move(label);
  line.value = std::move(value);
  line.mark = mark;
  return line;
}

ScoreMark Rate(const std::string& score, const ScoreLimits& limits,
               const CellTextOptions& options) {
  if (!options.scores.rateScores)
    return ScoreMark::kNone;
  const float value = StrToSingleSafe(score);
  if (value < limits.low)
    return ScoreMark::kGreen;
  if (value > limits.high)
    return ScoreMark::kRed;
  return ScoreMark::kYellow;
}

// Missing signals leave no gap: the next one moves up.
void AddSetiSignals(const SlotInfo& e, const CellTextOptions& options,
                    std::vector<CellLine>& lines) {
  if (!e.SpikeScore.empty()) {
    lines.push_back(Signal("Spike", ": power " + e.SpikePower + " (score " + e.SpikeScore + ")",
                           Rate(e.SpikeScore, options.scores.spike, options)));
  }
  if (!e.GaussianScore.empty()) {
    lines.push_back(Signal(
        "Gaussian",
        ": power " + e.GaussianPower + " fit " + e.GaussianFit + " (score " + e.GaussianScore + ")",
        Rate(e.GaussianScore, options.scores.gaussian, options)));
  }
  if (!e.PulseScore.empty()) {
    lines.push_back(Signal(
        "Pulse",
        ": power " + e.PulsePower + " period " + e.PulsePeriod + " (score " + e.PulseScore + ")",
        Rate(e.PulseScore, options.scores.pulse, options)));
  }
  if (!e.TripletScore.empty()) {
    lines.push_back(Signal("Triplet",
                           ": power " + e.TripletPower + " (score " + e.TripletScore + ")",
                           Rate(e.TripletScore, options.scores.triplet, options)));
  }
}

void AddPeak(const SlotInfo& e, std::string label, std::string valuePrefix,
             std::vector<CellLine>& lines) {
  lines.push_back(Signal(std::move(label), valuePrefix + FormatGeneral(e.PeakValue, kPeakDigits)));
  lines.push_back(Signal("", "  count " + std::to_string(e.PeakCount)));
}

void AddClimateLines(const SlotInfo& e, const CellTextOptions& options,
                     std::vector<CellLine>& lines) {
  std::string date;
  if (e.ModelDate != 0) {
    date = ": " +
           (options.formatDate ? options.formatDate(e.ModelDate) : FormatSerialDate(e.ModelDate));
  }
  lines.push_back(Signal("Model date", date));
  lines.push_back(Signal("Phase", ": " + e.Phase));
  lines.push_back(Signal("Timestep", ": " + e.Timestep));
}

void AddSignalLines(const SlotInfo& e, const CellTextOptions& options,
                    std::vector<CellLine>& lines) {
  switch (static_cast<ProjectKind>(e.ProjectKind)) {
    case ProjectKind::kSeti:
      AddSetiSignals(e, options, lines);
      break;
    case ProjectKind::kAstropulse:
      AddPeak(e, "Peak", ": power ", lines);
      break;
    case ProjectKind::kClimate:
      AddClimateLines(e, options, lines);
      break;
    case ProjectKind::kEinstein:
      AddPeak(e, "F-statistic", ": score ", lines);
      break;
    default:
      break;
  }
}

std::string OutputSizeText(const SlotInfo& e) {
  switch (static_cast<ProjectKind>(e.ProjectKind)) {
    case ProjectKind::kSeti:
    case ProjectKind::kAstropulse:
      return "Outfile: " + std::to_string(e.OutputSize) + " Bytes";
    case ProjectKind::kEinstein:
      return "Candidates: " + std::to_string(e.OutputSize) + " Bytes";
    default:
      return "";
  }
}

}  // namespace

std::vector<CellLine> CellLines(const SlotInfo& e, const CellTextOptions& options) {
  // A ReadyCount below 0 means the client could not be read: host and status only.
  const bool readable = e.ReadyCount >= 0;
  std::vector<CellLine> lines;

  CellLine header;
  header.kind = CellLineKind::kHeader;
  header.label = e.HostName;
  if (readable) {
    if (e.MultiTask)
      header.centre = "Slot " + std::to_string(e.SlotNumber);
    header.right = "Cache: " + std::to_string(e.ReadyCount) + " / " + std::to_string(e.ResultCount);
  }
  lines.push_back(std::move(header));

  CellLine names;
  names.kind = CellLineKind::kNames;
  names.label = e.ProjectName;
  if (readable)
    names.right = e.ResultName;
  lines.push_back(std::move(names));

  if (readable && !e.ResultName.empty() && !e.InfoText.empty()) {
    CellLine science;
    science.kind = CellLineKind::kScience;
    science.right = e.InfoText;
    lines.push_back(std::move(science));
  }

  if (readable && !options.compact)
    AddSignalLines(e, options, lines);

  if (!e.CpuText.empty()) {
    CellLine cpu;
    cpu.kind = CellLineKind::kCpuTime;
    cpu.label = "CPU Time";
    cpu.value = e.CpuText;
    lines.push_back(std::move(cpu));
  }

  CellLine status;
  status.kind = CellLineKind::kStatus;
  status.label = "Status:";
  status.value = e.StatusText;
  status.valueColor = e.StatusColor;
  if (readable)
    status.right = OutputSizeText(e);
  lines.push_back(std::move(status));
  return lines;
}

}  // namespace tessarin
