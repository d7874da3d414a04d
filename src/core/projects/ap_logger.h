#pragma once
// Astropulse result log: one ap_boinc.csv row per finished result.

#include <cstdint>
#include <string>

#include "core/data/cycle_flags.h"
#include "core/settings/environment.h"

namespace tessarin {

class ProjectLogIndex;

// The strongest peak of an Astropulse result file; texts stay empty when no element has a
// positive peak_power.
struct ApPeak {
  std::string power;
  std::string index;
  std::string scale;
  std::string dm;
  std::string period;
  std::uint32_t count = 0;  // every result element, best or not
};

// Writes the ap_boinc.csv row from {wu}.tess and {result}.tess and raises the wallpaper
// request; nothing happens when the work-unit backup is missing or empty.
// Nothing either when ap_boinc.csv holds the result already.
void LogAp(const Environment& env, ProjectLogIndex& index, CycleFlags& flags,
           const std::string& prefix, const std::string& resultName, const std::string& wuName);

// Reads {result}.tess in the log directory.
ApPeak FindBestApPeak(const Environment& env, const std::string& resultName);

}  // namespace tessarin
