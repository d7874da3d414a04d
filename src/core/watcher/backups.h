#pragma once
// Copies of work-unit, result and task-state files in the log directory, made while the client
// still has them, and the logging of vanished tasks from those copies:
//   {wu}.xml           the <workunit> element from client_state.xml
//   {file}.tess        a work-unit input or result output file
//   {result}_state.tess  the slot's state.sah (or ap_state.dat)
// A name that could lead out of the log directory is never used: that copy is skipped and
// counted as "<operation> - unsafe file name - <name>". Sources are read only as client files
// (core/data/client_file.h), at most Options/maxbackupmb; a refused one is counted once.
// `clientDir` is the client directory that `projectDir` or `slotDir` lies in.

#include <string>

#include "core/data/project_record.h"
#include "core/watcher/scan_context.h"

namespace tessarin {

// `workunit` is "<workunit>" + element + "</workunit>". Raises the new-WU flag (and the
// wallpaper request for SETI@home and Astropulse) for every input file copied.
void ProcessWorkunit(ScanContext& context, const std::string& workunit,
                     const std::string& clientDir, const std::string& projectDir, ProjectKind kind,
                     const std::string& wuName);

// What ProcessWorkunit writes, with no flag raised: the description, and the input files as
// well when `inputFiles`. For work that is not new.
void CopyWorkunitQuietly(ScanContext& context, const std::string& workunit,
                         const std::string& clientDir, const std::string& projectDir,
                         const std::string& wuName, bool inputFiles);

// Copies every output file of the result whose size differs from its copy.
void ProcessResult(ScanContext& context, const std::string& result, const std::string& clientDir,
                   const std::string& projectDir);

// Copies the slot's state file when it is newer than its copy.
void ProcessStateSah(ScanContext& context, const std::string& resultFileName,
                     const std::string& clientDir, const std::string& slotDir);

// Logs every copy matching `filePattern` (result name + "_0.tess") as a finished result.
// `project` holds only the project name and kind.
void LogFromBackups(ScanContext& context, const ClientFacts& client, const ProjectRecord& project,
                    const std::string& appVersion, const std::string& appName,
                    const std::string& cpuTime, const std::string& filePattern);

// Logs the copy `file` (a name in the log directory) as the finished result named by the file
// without its extension, at the later of the copy's and its state copy's times. The callers
// have checked the names.
void LogBackupCopy(ScanContext& context, const ClientFacts& client, const ProjectRecord& project,
                   const std::string& appVersion, const std::string& appName,
                   const std::string& cpuTime, const std::string& file, const std::string& wuName);

}  // namespace tessarin
