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
#include "core/watcher/work_unit_log.h"

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

// What the checkpoint memory and the client state say of a task that left the active tasks.
struct VanishedResult {
  std::string appVersion;
  std::string appName;
  std::string cpuTime;    // the last checkpoint CPU time
  bool error = false;     // the client still lists the result as failed
  double lastChange = 0;  // Unix seconds of the last observed change of its CPU time
};

// Logs every copy matching `filePattern` (result name + "_0.tess") as a finished result.
// `project` holds only the project name and kind. False when a copy could not be logged and
// is to be tried again; true when all were logged or there is nothing to log.
bool LogFromBackups(ScanContext& context, const ClientFacts& client, const ProjectRecord& project,
                    const VanishedResult& vanished, const std::string& filePattern);

// Logs the copy `file` (a name in the log directory) as the finished result named by the file
// without its extension, at the later of the copy's and its state copy's times. The callers
// have checked the names.
LogOutcome LogBackupCopy(ScanContext& context, const ClientFacts& client,
                         const ProjectRecord& project, const VanishedResult& vanished,
                         const std::string& file, const std::string& wuName);

}  // namespace tessarin
