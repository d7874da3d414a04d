#pragma once
// SETI@home result log: one sah_boinc.csv row per finished result and one row per reported
// signal in the four signal logs.

#include <cstdint>
#include <string>
#include <string_view>

#include "core/data/cycle_flags.h"
#include "core/settings/environment.h"

namespace tessarin {

class ExceptionLog;
class ProjectLogIndex;

struct SahSignalCounts {
  std::uint32_t spikes = 0;
  std::uint32_t gaussians = 0;
  std::uint32_t pulses = 0;
  std::uint32_t triplets = 0;
};

// Writes the sah_boinc.csv row from {wu}.tess, {result}.tess and {result}_state.tess,
// removes the backups the Backup options do not keep and raises the wallpaper request.
// Nothing happens when the work-unit backup is missing or empty, or when a name is not a
// plain file name (counted as "LogSah - Unsafe file name"). Write errors reach the caller.
// Only the logs that do not hold the result yet are written; a sah_boinc.csv row means all
// of them do.
void LogSah(const Environment& env, ProjectLogIndex& index, CycleFlags& flags,
            const std::string& prefix, const std::string& resultName, const std::string& wuName);

// Counts every signal of {result}.tess and appends them to each signal log that does not hold
// the result yet, all rows of one log in one write. Write errors reach the caller.
SahSignalCounts LogResultSah(const Environment& env, ProjectLogIndex& index,
                             const std::string& resultName);

// A pot (comma-separated small integers over any number of lines) as two upper-case hex
// digits per item; an item above 255 is counted as "ConvertPot - Item exceeds 255" and
// written as FF. An empty pot gives "00".
std::string ConvertPot(std::string_view pot, ExceptionLog& log);

}  // namespace tessarin
