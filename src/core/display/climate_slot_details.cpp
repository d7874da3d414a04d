#include "core/display/climate_slot_details.h"

#include "core/display/model_date.h"
#include "core/display/slot_fields.h"
#include "core/display/slot_paths.h"
#include "core/tools/tag_extract.h"
#include "core/tools/text.h"

namespace tessarin {

namespace {

// A model run has three phases of this many timesteps.
constexpr double kTimestepsPerPhase = 259272;
constexpr double kTimestepsPerRun = 3 * kTimestepsPerPhase;

// The description next to the work unit: a zipped work unit's own name with ".xml" for its
// extension, otherwise the work-unit name + ".xml".
std::string DescriptionPath(const ActiveTaskFacts& facts) {
  const std::string& name = facts.wuFile;
  if (ContainsText(UpperCase(name), ".ZIP")) {
    return facts.projectDir + name.substr(0, name.rfind('.')) + ".xml";
  }
  return facts.projectDir + name + ".xml";
}

double ReadModelDate(std::string& description) {
  const int year = DigitsToInt(ExtractTagCut(description, "YR"));
  const int month = DigitsToInt(ExtractTagCut(description, "MTH"));
  const int day = DigitsToInt(ExtractTagCut(description, "DAY"));
  const int hour = DigitsToInt(ExtractTagCut(description, "HR"));
  const int minute = DigitsToInt(ExtractTagCut(description, "MIN"));
  const int second = DigitsToInt(ExtractTagCut(description, "SEC"));
  double serial = 0;
  return EncodeDateSerial(year, month, day, hour, minute, second, serial) ? serial : 0;
}

}  // namespace

void ReadClimateDetails(const ActiveTaskFacts& facts, const Environment& env, SlotInfo& entry,
                        double& percentDone) {
  std::string description = ReadTaskFile(env, facts, DescriptionPath(facts));
  if (description.empty())
    return;
  entry.Phase = Bounded(ExtractTagCut(description, "PH"), slot_width::kPhase);
  entry.Timestep = Bounded(ExtractTagCut(description, "TS"), slot_width::kTimestep);
  entry.ModelDate = ReadModelDate(description);

  // Phases count from 1: without one the formula would give a negative share.
  const int phase = DigitsToInt(entry.Phase);
  if (percentDone == 0 && phase >= 1) {
    const int timestep = DigitsToInt(entry.Timestep);
    percentDone = ((phase - 1) * kTimestepsPerPhase + timestep) / kTimestepsPerRun * 100;
  }
}

}  // namespace tessarin
