#include "core/display/seti_slot_details.h"

#include "core/display/sky_position_text.h"
#include "core/display/slot_fields.h"
#include "core/display/slot_paths.h"
#include "core/settings/exception_log.h"
#include "core/settings/settings_keys.h"
#include "core/settings/settings_store.h"
#include "core/tools/files.h"
#include "core/tools/number_format.h"
#include "core/tools/tag_extract.h"
#include "core/tools/text.h"

namespace tessarin {

namespace {

// ncfft of a complete classic work unit.
constexpr double kFullNcfft = 31560;

std::string SignalValue(std::string& element, std::string_view name) {
  return Bounded(ExtractTagCut(element, name), slot_width::kSignal);
}

void ReadSkyPosition(std::string groupInfo, SlotInfo& entry) {
  std::string description = ExtractTagCut(groupInfo, "data_desc");
  const double ra = (CutNumber(description, "start_ra") + CutNumber(description, "end_ra")) / 2;
  const double dec = (CutNumber(description, "start_dec") + CutNumber(description, "end_dec")) / 2;
  const double angleRange = CutNumber(description, "true_angle_range");
  entry.InfoText = Bounded(SkyPositionText(ra, dec) + "; AR: " + Fixed(angleRange, 5, 3) + ")",
                           slot_width::kInfoText);
}

void ReadBestSignals(std::string& state, SlotInfo& entry) {
  std::string spike = ExtractTagCut(state, "best_spike");
  entry.SpikePower = SignalValue(spike, "peak_power");
  entry.SpikeScore = SignalValue(spike, "bs_score");

  std::string gaussian = ExtractTagCut(state, "best_gaussian");
  entry.GaussianScore = SignalValue(gaussian, "bg_score");
  entry.GaussianPower = SignalValue(gaussian, "peak_power");
  entry.GaussianFit = SignalValue(gaussian, "chisqr");

  std::string pulse = ExtractTagCut(state, "best_pulse");
  entry.PulseScore = SignalValue(pulse, "bp_score");
  entry.PulsePower = SignalValue(pulse, "peak_power");
  entry.PulsePeriod = SignalValue(pulse, "period");

  std::string triplet = ExtractTagCut(state, "best_triplet");
  std::string tripletSignal = ExtractTagCut(triplet, "triplet");
  entry.TripletPower = SignalValue(tripletSignal, "peak_power");
  entry.TripletScore = SignalValue(triplet, "bt_score");
}

}  // namespace

void ReadSetiDetails(const ActiveTaskFacts& facts, const Environment& env, SlotInfo& entry,
                     double& percentDone) {
  std::string workUnit = FileAsString(WorkUnitBackupPath(env, facts), env.exceptions);
  std::string groupInfo = ExtractTagCut(workUnit, "group_info");
  if (groupInfo.empty())
    return;
  ReadSkyPosition(std::move(groupInfo), entry);

  std::string state = ReadTaskFile(env, facts, facts.slotDir + "state.sah");
  ReadBestSignals(state, entry);

  if (!ContainsText(entry.AppName, "enhanced") &&
      env.settings.Read(settings::kRecalculateProgress)) {
    percentDone = CutNumber(state, "ncfft") * 100 / kFullNcfft;
  } else {
    percentDone = CutNumber(state, "prog") * 100;
  }
}

}  // namespace tessarin
