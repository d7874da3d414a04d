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
void LogSah(const Environment& env, CycleFlags& flags, const std::string& prefix,
            const std::string& resultName, const std::string& wuName);

// Appends every signal of {result}.tess to the four signal logs and counts them. Counts its
// own errors as "LogResultSah - ..." and returns the counts reached so far.
SahSignalCounts LogResultSah(const Environment& env, const std::string& resultName);

// A pot (comma-separated small integers over any number of lines) as two upper-case hex
// digits per item; an item above 255 is counted as "ConvertPot - Item exceeds 255" and
// written as FF. An empty pot gives "00".
std::string ConvertPot(std::string_view pot, ExceptionLog& log);

}  // namespace tessarin
