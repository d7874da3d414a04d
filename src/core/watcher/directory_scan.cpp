#include "core/watcher/directory_scan.h"

#include <cstdint>
#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

#include "core/data/project_dir_name.h"
#include "core/data/shared_log_block.h"
#include "core/seams/task_detail_reader.h"
#include "core/settings/exception_log.h"
#include "core/settings/settings_keys.h"
#include "core/settings/settings_store.h"
#include "core/tools/date_time.h"
#include "core/tools/files.h"
#include "core/tools/number_format.h"
#include "core/tools/tag_extract.h"
#include "core/tools/text.h"
#include "core/watcher/app_version_speeds.h"
#include "core/watcher/backups.h"
#include "core/watcher/checkpoint_memory.h"
#include "core/watcher/client_facts.h"
#include "core/watcher/client_state_walk.h"
#include "core/watcher/finished_result_backups.h"
#include "core/watcher/job_log.h"
#include "core/watcher/result_element.h"
#include "core/watcher/rows_due.h"
#include "core/watcher/task_checkpoint.h"
#include "core/watcher/vanished_task_log.h"
#include "core/watcher/work_left.h"
#include "core/watcher/work_unit_log.h"

namespace tessarin {

namespace {

// What the task loop needs of one <result> element.
struct ResultFacts {
  std::string name;
  std::string wuName;
  std::string fileName;
  std::uint8_t state = 0;  // as entered in the result list
  int clientState = 0;     // ResultState, before suspension and non-CPU work are marked
  const ProjectRecord* project = nullptr;
};

// What the task loop needs of one <workunit> element.
struct WorkunitFacts {
  std::string name;
  double estimate = 0;
  std::string appVersion;
  std::string appName;
  std::string commandLine;
  std::string firstFile;
};

const ProjectRecord kNoProject{};

bool IsSetiKind(ProjectKind kind) {
  return kind == ProjectKind::kSeti || kind == ProjectKind::kAstropulse;
}

std::string ProjectDirOf(const std::string& clientDir, std::string_view masterUrl) {
  return clientDir + "projects/" + ProjectDirName(masterUrl) + "/";
}

class DirectoryScan {
 public:
  DirectoryScan(ScanContext& context, TaskDetailReader& details, const std::string& clientDir,
                ResultIndex& results, DisplayList& display)
      : context_(context),
        settings_(context.env.settings),
        details_(details),
        clientDir_(clientDir),
        index_(results),
        results_(results.List()),
        display_(display),
        memory_(context.env.settings, clientDir) {}

  std::optional<AlertConditions> Run() {
    const std::size_t firstEntry = results_.size();
    ReadClientState();
    if (readable_) {
      workunitWalk_ = WalkUnderProjects(client_.clientState, "workunit", true);
      ResultPass();
      WorkunitPass();
    }
    if (tasks_.empty())
      tasks_.emplace_back();
    for (const std::string& task : tasks_)
      TaskStep(task);
    FinishMemory();
    if (!readable_ || !complete_)
      return std::nullopt;
    for (std::size_t i = firstEntry; i < results_.size(); ++i)
      results_[i].ClientDir = clientDir_;
    AlertConditions conditions;
    AddWorkLeftConditions(SumWorkLeft(results_, firstEntry), settings_.Read(settings::kYellowAlert),
                          settings_.Read(settings::kRedAlert), conditions);
    return conditions;
  }

 private:
  void ReadClientState() {
    std::string state = ReadClientStateFile(clientDir_, context_.env.exceptions);
    readable_ = !state.empty();
    if (!readable_)
      return;
    client_ = ReadClientFacts(std::move(state));
    // A file cut off while written tells nothing about the tasks and work after the cut.
    complete_ = ContainsText(client_.clientState, "</client_state>");
    ForEachElement(client_.clientState, "active_task", [&](const std::string& task) {
      tasks_.push_back(task);
      runningResults_.push_back(ExtractTag(task, "result_name"));
      return true;
    });
  }

  bool IsRunningResult(const std::string& name) const {
    return !name.empty() && TextInList(runningResults_, name);
  }

  // Every result once: backups, the log of finished results, the result list. Running tasks
  // look their results up in `resultFacts_` afterwards.
  void ResultPass() {
    const bool backupAll = settings_.Read(settings::kBackupResult);
    const AppVersionSpeeds speeds(client_.clientState);
    const WorkunitApps apps = AppsOfWorkunits(workunitWalk_.elements);
    resultWalk_ = WalkUnderProjects(client_.clientState, "result", false);
    for (const ElementUnderProject& element : resultWalk_.elements) {
      const std::string& text = element.text;
      const ProjectRecord& project =
          element.project < 0 ? kNoProject : resultWalk_.projects[element.project];
      ResultFacts facts;
      facts.project = &project;
      facts.name = ExtractTag(text, "name");
      ++resultCount_;
      const std::string projectDir = ProjectDirOf(clientDir_, project.master_url);
      const bool resultCopied =
          backupAll || (IsSetiKind(project.kind) && IsRunningResult(facts.name));
      if (resultCopied && !context_.readOnly)
        ProcessResult(context_, text, clientDir_, projectDir);
      facts.wuName = ExtractTag(text, "wu_name");
      facts.fileName = ExtractTag(text, "file_name");
      if (facts.fileName.empty())
        facts.fileName = facts.name;
      const std::string deadline = ExtractTag(text, "report_deadline");

      int state = ResultState(text);
      facts.clientState = state;
      if (state == result_state::kQueued)
        ++queuedCount_;
      if (!context_.readOnly &&
          (state == result_state::kComputeError || state == result_state::kUploading ||
           state == result_state::kUploaded)) {
        FinishedResult finished;
        finished.error = state == result_state::kComputeError;
        finished.errorText =
            ErrorText(text, finished.error || StrToFloatSafe(ExtractTag(text, "exit_status")) != 0);
        finished.deadline = deadline;
        finished.cpuTime = ExtractTag(text, "final_cpu_time");
        finished.resultFileName = facts.fileName;
        finished.wuName = facts.wuName;
        finished.loggingTime = FinishTime(text, context_.env.clock.Now());
        if (LoggerReadsBackups(project.kind)) {
          BackUpBeforeLogging(context_, project.kind, text, !resultCopied, facts.fileName,
                              WrappedWorkunit(facts.wuName), facts.wuName, clientDir_, projectDir);
        }
        // A row that could not be written is owed and written later; a failure before any row
        // (boinc.csv unreadable) is remembered as a task is, so that once the client drops
        // the result it is logged from its copies or job-log line until that works.
        if (LogWU(context_, client_, project, finished) == LogOutcome::kFailed &&
            !RowOwed(settings_, facts.fileName)) {
          memory_.Observe(facts.name, StrToFloatSafe(finished.cpuTime), project.project_name, "",
                          "", context_.env.clock.Now(), ProgressStatus::kNotJudged);
        }
      }
      facts.state = ListState(state, project, text);
      const std::size_t entries = results_.size();
      index_.AddResult(client_.host, project, StrToFloatSafe(deadline), facts.state, facts.fileName,
                       facts.wuName);
      if (results_.size() > entries)
        results_.back().Flops = FlopsOfResult(speeds, apps, project.master_url, text, facts.wuName);
      if (IsRunningResult(facts.name))
        runningWorkunits_.push_back(facts.wuName);
      resultFacts_.push_back(std::move(facts));
    }
  }

  // "<workunit>" + the first element of that name + "</workunit>"; empty when there is none.
  std::string WrappedWorkunit(const std::string& wuName) {
    if (wuName.empty())
      return "";
    if (workunitByName_.empty()) {
      for (std::size_t i = workunitWalk_.elements.size(); i-- > 0;)
        workunitByName_[ExtractTag(workunitWalk_.elements[i].text, "name")] = i;
    }
    const auto found = workunitByName_.find(wuName);
    if (found == workunitByName_.end())
      return "";
    return "<workunit>" + workunitWalk_.elements[found->second].text + "</workunit>";
  }

  // Every work unit once: project entries, backups, estimates.
  void WorkunitPass() {
    const bool backupAll = settings_.Read(settings::kBackupWU);
    const ProjectElements& walk = workunitWalk_;
    for (const ProjectRecord& project : walk.projects) {
      index_.AddResult(client_.host, project, 0, 0, "", "");
    }
    for (const ElementUnderProject& element : walk.elements) {
      const std::string& text = element.text;
      const ProjectRecord& project =
          element.project < 0 ? kNoProject : walk.projects[element.project];
      WorkunitFacts facts;
      facts.name = ExtractTag(text, "name");
      const bool running = !facts.name.empty() && TextInList(runningWorkunits_, facts.name);
      if (context_.readOnly) {
        // Nothing is copied.
      } else if (backupAll || (IsSetiKind(project.kind) && running)) {
        ProcessWorkunit(context_, "<workunit>" + text + "</workunit>", clientDir_,
                        ProjectDirOf(clientDir_, project.master_url), project.kind, facts.name);
      } else if (project.kind == ProjectKind::kEinstein && running) {
        // The Einstein@Home logger takes the search range from the description; it deletes
        // the description after logging when Backup/WU is off.
        CopyWorkunitQuietly(context_, "<workunit>" + text + "</workunit>", clientDir_,
                            ProjectDirOf(clientDir_, project.master_url), facts.name, false);
      }
      facts.estimate =
          StrToFloatSafe(ExtractTag(text, "rsc_fpops_est")) * project.duration_correction_factor;
      if (!facts.name.empty())
        index_.AddWU(facts.name, facts.estimate);
      facts.appVersion = DottedVersion(ExtractTag(text, "version_num"));
      facts.appName = ExtractTag(text, "app_name");
      facts.commandLine = ExtractTag(text, "command_line");
      facts.firstFile = ExtractTag(text, "file_name");
      workunitFacts_.push_back(std::move(facts));
    }
  }

  // One running task (an empty `task` when the client runs nothing): its facts, the state
  // backup, its checkpoint judgement, and its display entry.
  void TaskStep(const std::string& task) {
    ActiveTaskFacts facts;
    facts.clientDir = clientDir_;
    if (readable_) {
      facts.clientState = client_.clientState;
      facts.host = client_.host;
      facts.resultName = ExtractTag(task, "result_name");
      facts.slot = ExtractTag(task, "slot");
      facts.projectDir = ProjectDirOf(clientDir_, ExtractTag(task, "project_master_url"));
      facts.slotDir = clientDir_ + "slots/" + facts.slot + "/";
      const TaskCheckpoint checkpoint =
          ReadTaskCheckpoint(task, clientDir_, facts.slotDir, context_.env);
      facts.checkpointCpuTime = checkpoint.cpuTime;
      facts.percentDone = checkpoint.fractionDone * 100;
      facts.moreTasks = tasks_.size() > 1;
      facts.resultCount = resultCount_;
      facts.queuedCount = queuedCount_;

      std::string wuName;
      for (const ResultFacts& result : resultFacts_) {
        if (facts.resultName.empty() || result.name != facts.resultName)
          continue;
        if (result.project->suspended || result.state == result_state::kSuspended) {
          facts.progress = ProgressStatus::kSuspended;
        }
        if (result.project->non_cpu_intensive)
          facts.progress = ProgressStatus::kNonCpuIntensive;
        wuName = result.wuName;
        facts.resultFileName = result.fileName;
        facts.projectName = result.project->project_name;
        facts.kind = result.project->kind;
        if (!context_.readOnly)
          ProcessStateSah(context_, result.fileName, clientDir_, facts.slotDir);
      }
      std::string appVersion;
      for (const WorkunitFacts& workunit : workunitFacts_) {
        if (wuName.empty() || workunit.name != wuName)
          continue;
        facts.wuEstimate = workunit.estimate;
        appVersion = workunit.appVersion;
        facts.appName = workunit.appName;
        facts.commandLine = workunit.commandLine;
        facts.wuFile = workunit.firstFile;
        // An Astropulse task of the SETI@home project.
        if (facts.kind == ProjectKind::kSeti &&
            ContainsText(UpperCase(workunit.appName), "PULSE")) {
          facts.kind = ProjectKind::kAstropulse;
        }
      }
      if (!facts.resultName.empty()) {
        facts.progress =
            memory_.Observe(facts.resultName, facts.checkpointCpuTime, facts.projectName,
                            facts.appName, appVersion, context_.env.clock.Now(), facts.progress);
      }
      if (facts.kind == ProjectKind::kClimate)
        facts.wuFile = wuName;
    }
    details_.GetSlot(facts, results_, display_);
  }

  int ClientStateOf(const std::string& resultName) const {
    for (const ResultFacts& result : resultFacts_) {
      if (result.name == resultName)
        return result.clientState;
    }
    return 0;
  }

  // The job log that may hold a vanished task: its project's, unless the client still lists
  // the result (then the result pass logs it when it is finished).
  std::string JobLogOfVanished(const std::string& resultName,
                               const std::string& projectName) const {
    for (const ResultFacts& result : resultFacts_) {
      if (result.name == resultName)
        return {};
    }
    for (const ProjectRecord& project : workunitWalk_.projects) {
      if (project.project_name == projectName)
        return JobLogPath(clientDir_, project.master_url);
    }
    return {};
  }

  // Tasks gone since the last cycle are logged from their backups, once the whole client
  // state could be read; each stays in the memory until it is settled.
  void FinishMemory() {
    if (context_.readOnly)
      return;
    if (readable_ && complete_) {
      const std::vector<CheckpointMemory::Entry> vanished = memory_.Vanished();
      for (const CheckpointMemory::Entry& entry : vanished) {
        const CheckpointLine line = ParseCheckpointLine(entry.second);
        ProjectRecord project;
        project.project_name = line.projectName;
        IdentifyProject(project);
        const VanishedResult result{line.appVersion, line.appName, line.cpuTime, false,
                                    line.changeTime};
        if (LogVanishedTask(context_, client_, project, result, ClientStateOf(entry.first),
                            entry.first, JobLogOfVanished(entry.first, line.projectName))) {
          memory_.Forget(entry.first);
        }
      }
    }
    memory_.Store();
  }

  ScanContext& context_;
  SettingsStore& settings_;
  TaskDetailReader& details_;
  const std::string& clientDir_;
  ResultIndex& index_;
  ResultList& results_;
  DisplayList& display_;
  CheckpointMemory memory_;

  ClientFacts client_;
  bool readable_ = false;
  bool complete_ = false;
  std::vector<std::string> tasks_;
  std::vector<std::string> runningResults_;
  std::vector<std::string> runningWorkunits_;
  int resultCount_ = 0;
  int queuedCount_ = 0;
  ProjectElements resultWalk_;  // owns the projects that resultFacts_ point to
  ProjectElements workunitWalk_;
  std::unordered_map<std::string, std::size_t> workunitByName_;  // built when first asked
  std::vector<ResultFacts> resultFacts_;
  std::vector<WorkunitFacts> workunitFacts_;
};

}  // namespace

std::optional<AlertConditions> ScanDirectory(ScanContext& context, TaskDetailReader& details,
                                             const std::string& clientDir, ResultIndex& results,
                                             DisplayList& display) {
  return DirectoryScan(context, details, clientDir, results, display).Run();
}

}  // namespace tessarin
