#pragma once
// A SETI@home, Astropulse or Einstein@Home result that finished while the program did not see
// it run still has its work-unit and result files in the project directory until the client
// reports it; its project logger needs their copies to write the result's project row.

#include <string>

#include "core/data/project_record.h"
#include "core/watcher/scan_context.h"

namespace tessarin {

// True for the kinds whose logger reads backups: SETI@home, Astropulse, Einstein@Home.
bool LoggerReadsBackups(ProjectKind kind);

// Before a finished result is logged, the copies its project logger reads: the result's output
// files (when `copyResult`; the scan may have copied them already in this cycle), and of its
// work unit the description and input files (SETI@home, Astropulse) or the description alone
// (Einstein@Home), raising no flag, since the work is not new. With Backup/WU on, ProcessWorkunit
// instead, as the work-unit pass would do. Nothing for a result already logged or of another
// kind; the logger deletes what the Backup options do not keep. `workunit` is "<workunit>" +
// element + "</workunit>", empty when the client state holds no such work unit.
void BackUpBeforeLogging(ScanContext& context, ProjectKind kind, const std::string& result,
                         bool copyResult, const std::string& resultFileName,
                         const std::string& workunit, const std::string& wuName,
                         const std::string& clientDir, const std::string& projectDir);

}  // namespace tessarin
