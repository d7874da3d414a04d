#include "core/watcher/work_unit_log.h"

#include <exception>

#include "core/data/log_append.h"
#include "core/data/log_files.h"
#include "core/data/safe_file_name.h"
#include "core/data/shared_log_block.h"
#include "core/seams/project_logger.h"
#include "core/settings/exception_log.h"
#include "core/tools/csv.h"
#include "core/tools/date_time.h"
#include "core/tools/files.h"
#include "core/tools/tag_extract.h"
#include "core/tools/text.h"
#include "core/watcher/client_state_walk.h"
#include "core/watcher/logged_results.h"
#include "core/watcher/rows_due.h"

namespace tessarin {

namespace {

// What the client state says of the result's work unit: the first element of that name gives
// all three, and the walk ends once any of them is known.
struct WorkunitFacts {
  std::string appVersion;
  std::string fpopsEstimate;
  std::string appName;
};

WorkunitFacts FindWorkunit(const std::string& clientState, const FinishedResult& result) {
  WorkunitFacts facts{result.appVersion, "", result.appName};
  ForEachElement(clientState, "workunit", [&](const std::string& element) {
    if (ExtractTag(element, "name") == result.wuName) {
      facts.appVersion = DottedVersion(ExtractTag(element, "version_num"));
      facts.fpopsEstimate = ExtractTag(element, "rsc_fpops_est");
      facts.appName = ExtractTag(element, "app_name");
    }
    return facts.appVersion.empty() && facts.fpopsEstimate.empty() && facts.appName.empty();
  });
  return facts;
}

enum class LookUp { kLogged, kNotLogged, kUnknown };

// The cache holds names found in boinc.csv whose project logger has had its turn since; a name
// found in boinc.csv is handed to its project logger once more, which writes only what its
// own logs lack (after a failure or a crash between the two writes).
LookUp LookUpInBoincCsv(LoggedResults& logged, const std::string& loggedName,
                        const std::string& csvPath, ExceptionLog& exceptions) {
  if (!PathExists(csvPath))
    return LookUp::kNotLogged;
  try {
    switch (logged.FileIndex().Find(csvPath, loggedName)) {
      case ResultNameIndex::Answer::kFound:
        return LookUp::kLogged;
      case ResultNameIndex::Answer::kNoColumn:
        exceptions.LogException("AlreadyLogged - No result name field");
        return LookUp::kNotLogged;
      case ResultNameIndex::Answer::kNotFound:
        return LookUp::kNotLogged;
    }
  } catch (const std::exception& error) {
    exceptions.LogFailure(std::string("AlreadyLogged - ") + error.what());
  }
  return LookUp::kUnknown;
}

}  // namespace

bool AlreadyLogged(LoggedResults& logged, const std::string& resultFileName,
                   const std::string& csvPath, ExceptionLog& exceptions) {
  const std::string loggedName = LoggedText(resultFileName);
  if (logged.Contains(loggedName))
    return true;
  // Not cached here: LogWU still hands a name found in the file to its project logger once.
  return LookUpInBoincCsv(logged, loggedName, csvPath, exceptions) != LookUp::kNotLogged;
}

LogOutcome LogWU(ScanContext& context, const ClientFacts& client, const ProjectRecord& project,
                 const FinishedResult& result) {
  Environment& env = context.env;
  const std::string csvPath = env.logDir + logs::kBoincCsv;
  const std::string loggedName = LoggedText(result.resultFileName);
  if (context.logged.Contains(loggedName))
    return LogOutcome::kAlreadyLogged;
  context.logged.MarkAsked(result.resultFileName);
  const LookUp found = LookUpInBoincCsv(context.logged, loggedName, csvPath, env.exceptions);
  if (found == LookUp::kUnknown)
    return LogOutcome::kFailed;
  try {
    WorkunitFacts workunit = FindWorkunit(client.clientState, result);
    if (workunit.fpopsEstimate.empty())
      workunit.fpopsEstimate = result.fpopsEstimate;
    const std::string block = FormatSharedBlock(client.host, project);
    // Columns deadline .. fpops_est, each followed by ','.
    const std::string after = UnquotedValue(TextBefore(result.deadline, '.')) + "," +
                              QuoteText(ExtractTag(client.clientState, "host_venue")) + "," +
                              UnquotedValue(client.coreVersion) + "," + TessVersion() + "," +
                              UnquotedValue(workunit.appVersion) + "," + QuoteText(result.wuName) +
                              "," + QuoteText(result.resultFileName) + "," +
                              UnquotedValue(result.cpuTime) + "," +
                              UnquotedValue(TextBefore(workunit.fpopsEstimate, '.')) + ",";
    const std::string error = result.error ? "true" : "false";
    const std::string prefix =
        QuoteText(FormatLogDate(result.loggingTime)) + "," + block + after + error + ",";
    // The project loggers read and delete backups named after these two.
    const bool safeNames = IsSafeFileName(result.resultFileName) && IsSafeFileName(result.wuName);
    const bool projectLog = result.projectLogs && safeNames;
    const auto oweProjectLog = [&] {
      OweProjectLog(env.settings, project.kind, prefix, result.resultFileName, result.wuName,
                    env.clock.Now());
    };

    if (found == LookUp::kNotLogged) {
      const std::string row = QuoteText(FormatLogDate(result.loggingTime)) + "," +
                              QuoteText(project.project_name) + "," + QuoteText(workunit.appName) +
                              "," + block + after + error + "," + QuoteText(result.errorText);
      try {
        AppendResultRow(csvPath, logs::kBoincCsvHeader, row);
      } catch (const std::exception&) {
        // Owed, so that a result leaving the client before the disk has room is not lost.
        OweBoincRow(env.settings, result.resultFileName, row, env.clock.Now());
        if (projectLog)
          oweProjectLog();
        throw;
      }
      SettleBoincRow(env.settings, result.resultFileName);
      context.flags.finishedWU = true;
    }

    if (result.projectLogs && !safeNames) {
      const std::string& unsafe =
          IsSafeFileName(result.resultFileName) ? result.wuName : result.resultFileName;
      env.exceptions.LogException("LogWU - unsafe file name - " + unsafe);
    } else if (projectLog) {
      try {
        context.loggers.LogProjectResult(project.kind, prefix, result.resultFileName, result.wuName,
                                         context.flags);
      } catch (const std::exception&) {
        oweProjectLog();
        throw;
      }
      SettleProjectLog(env.settings, result.resultFileName);
    }
    // A row written now is found in the file by the next look-up, as rows of other runs are.
    if (found == LookUp::kLogged)
      context.logged.Add(loggedName);
    return found == LookUp::kNotLogged ? LogOutcome::kLogged : LogOutcome::kAlreadyLogged;
  } catch (const ProjectRowNotReady& notReady) {
    env.exceptions.LogException(std::string("LogWU - ") + notReady.what());
  } catch (const std::exception& error) {
    env.exceptions.LogFailure(std::string("LogWU - ") + error.what());
  }
  return LogOutcome::kFailed;
}

}  // namespace tessarin
