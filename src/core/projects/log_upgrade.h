#pragma once
// Start-up upgrade of an older log directory: project logs rewritten under their current
// headers, and the general log built from an old SETI@home log. Each one is one-shot.

#include <span>
#include <string>
#include <string_view>

#include "core/data/log_file_operations.h"
#include "core/settings/environment.h"

namespace tessarin {

// Rewrites `logPath` under `currentHeader`, mapping columns by name and cutting the
// `integerColumns` at their first '.'. A non-empty `projectName` / `appName` replaces
// columns 2 / 3 (given with their quotes).
//
// Without a target the old content ends under VersionedLogName(logPath) and the log keeps
// its name with the new content; with a target the new content goes there and the log is
// left alone. Nothing happens when the log is missing or the output name exists already.
//
// The rows go to "<output>.tmp" first; the old content is kept under "<output>.bak" while
// the new file replaces the log, so at every moment the log's name holds the old or the new
// content and the other one lies next to it. A failed step puts everything back and throws;
// an upgrade interrupted by a crash is finished or redone by the next call.
void UpgradeLogFile(const std::string& logPath, const std::string& targetPath,
                    std::string_view currentHeader, std::string_view projectName,
                    std::string_view appName, std::span<const char* const> integerColumns,
                    LogFileOperations& ops = SystemFileOperations());

// The five upgrades of start-up: sah_boinc.csv, ap_boinc.csv, boinc.csv from sah_boinc.csv
// (only while boinc.csv is missing), boinc.csv, einstein_boinc.csv. A failing upgrade does
// not stop the others; the first failure is thrown at the end.
void UpgradeLogFiles(const Environment& env);

}  // namespace tessarin
