#pragma once
// Einstein@Home result log: one einstein_boinc.csv row per finished result and one
// einstein_boinc_result.csv row per reported coincidence.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/data/cycle_flags.h"
#include "core/settings/environment.h"

namespace tessarin {

class ProjectLogIndex;

// Writes the einstein_boinc.csv row for a finished result, removes the backups the Backup
// options do not keep and raises the wallpaper request; nothing when that log holds the
// result already. Errors reach the caller.
void LogEinstein(const Environment& env, ProjectLogIndex& index, CycleFlags& flags,
                 const std::string& prefix, const std::string& resultName,
                 const std::string& wuName);

// Counts the coincidences of {result}.tess and appends them, in one write, to
// einstein_boinc_result.csv unless it holds the result already; returns the count.
// Write errors reach the caller.
std::int32_t LogResultEinstein(const Environment& env, ProjectLogIndex& index,
                               const std::string& resultName);

// The next line of `data` from `position` without its CR and LF bytes; advances `position`
// past the LF. A CR alone does not end a line.
std::string ReadStreamLine(std::string_view data, std::size_t& position);

}  // namespace tessarin
