#include "core/display/slot_reader.h"
#include "core/data/client_file.h"

#include <exception>
#include <string>

#include "core/display/astropulse_slot_details.h"
#include "core/display/climate_slot_details.h"
#include "core/display/einstein_slot_details.h"
#include "core/display/lhc_slot_details.h"
#include "core/display/seti_slot_details.h"
#include "core/display/slot_fields.h"
#include "core/display/slot_progress.h"
#include "core/display/slot_status.h"
#include "core/settings/exception_log.h"
#include "core/tools/text.h"

namespace tessarin {

namespace {

void FillCommonFields(const ActiveTaskFacts& facts, SlotInfo& entry) {
  entry.HostName = Bounded(facts.clientState.empty() ? facts.clientDir : facts.host.domain_name,
                           slot_width::kHostName);
  entry.ProjectName = Bounded(facts.projectName, slot_width::kProjectName);
  entry.AppName = Bounded(facts.appName, slot_width::kAppName);
  entry.ResultName = Bounded(facts.resultName, slot_width::kResultName);
  entry.MultiTask = facts.moreTasks;
  entry.ResultCount = facts.resultCount;
  entry.ReadyCount = facts.queuedCount;
  entry.SlotNumber = DigitsToInt(facts.slot);
  entry.NonCpuIntensive = facts.progress == ProgressStatus::kNonCpuIntensive;
  entry.LostReason = facts.lostReason;
}

void ReadKindDetails(const ActiveTaskFacts& facts, const Environment& env, SlotInfo& entry,
                     double& percentDone) {
  entry.ProjectKind = static_cast<std::uint8_t>(facts.kind);
  switch (facts.kind) {
    case ProjectKind::kSeti:
      ReadSetiDetails(facts, env, entry, percentDone);
      break;
    case ProjectKind::kAstropulse:
      ReadAstropulseDetails(facts, env, entry, percentDone);
      break;
    case ProjectKind::kClimate:
      ReadClimateDetails(facts, env, entry, percentDone);
      break;
    case ProjectKind::kLhc:
      ReadLhcDetails(facts, env, entry);
      break;
    case ProjectKind::kEinstein:
      ReadEinsteinDetails(facts, env, entry);
      break;
    case ProjectKind::kOther:
    case ProjectKind::kPredictor:
      break;
  }
}

}  // namespace

void SlotReader::GetSlot(const ActiveTaskFacts& facts, ResultList& results, DisplayList& display) {
  SlotInfo& entry = display.emplace_back();
  try {
    FillCommonFields(facts, entry);
    double percentDone = facts.percentDone;
    if (facts.remote)
      entry.ProjectKind = static_cast<std::uint8_t>(facts.kind);
    else if (!facts.clientState.empty())
      ReadKindDetails(facts, env_, entry, percentDone);
    FillProgress(facts, percentDone, entry, results);
    FillStatus(facts, entry);
  } catch (const ClientFileRefused& refusal) {
    // The same planted file is met at every cycle.
    env_.exceptions.LogExceptionOnce(std::string("GetSlot - ") + refusal.what());
  } catch (const std::exception& error) {
    env_.exceptions.LogException(std::string("GetSlot - ") + error.what());
  }
}

}  // namespace tessarin
