#include "core/watcher/remote_scan.h"

#include "core/data/shared_log_block.h"
#include "core/seams/project_logger.h"
#include "core/seams/task_detail_reader.h"
#include "core/settings/exception_log.h"
#include "core/settings/settings_keys.h"
#include "core/settings/settings_store.h"
#include "core/tools/date_time.h"
#include "core/tools/number_format.h"
#include "core/tools/tag_extract.h"
#include "core/tools/text.h"
#include "core/watcher/app_version_speeds.h"
#include "core/watcher/client_facts.h"
#include "core/watcher/client_state_walk.h"
#include "core/watcher/result_element.h"
#include "core/watcher/work_left.h"
#include "core/watcher/work_unit_log.h"

namespace tessarin {

namespace {

// The project logs need the science files, which stay on the other machine.
class NoProjectLogs final : public ProjectLogger {
 public:
  void LogProjectResult(ProjectKind, const std::string&, const std::string&, const std::string&,
                        CycleFlags&) override {}
};

constexpr int kExecuting = 1;  // active_task_state of a task that runs now

const ProjectRecord kNoProject{};

const ProjectRecord& ProjectOf(const ProjectElements& walk, const ElementUnderProject& element) {
  return element.project < 0 ? kNoProject : walk.projects[element.project];
}

class RemoteScan {
 public:
  RemoteScan(ScanContext& context, TaskDetailReader& details, RemoteWatch& watch,
             const RemoteLook& look, ResultIndex& results, DisplayList& display)
      : context_(context),
        remoteContext_{context.env, context.flags, context.logged, noProjectLogs_},
        details_(details),
        watch_(watch),
        look_(look),
        index_(results),
        results_(results.List()),
        display_(display) {}

  std::optional<AlertConditions> Run() {
    if (watch_.ReasonChanged(look_.key, look_.reason) && !look_.snapshot) {
      context_.env.exceptions.LogException("Remote client " + look_.key + " - " + look_.reason);
    }
    if (!look_.snapshot) {
      ActiveTaskFacts facts;
      facts.clientDir = look_.key;
      facts.remote = true;
      facts.lostReason = look_.reason;
      details_.GetSlot(facts, results_, display_);
      return std::nullopt;
    }
    const std::size_t firstEntry = results_.size();
    ReadState(look_.snapshot->state);
    ResultPass();
    WorkunitPass();
    LogReportedSince(watch_.SwapState(look_.key, look_.snapshot->state));
    TaskSteps();
    const SettingsStore& settings = context_.env.settings;
    AlertConditions conditions;
    AddWorkLeftConditions(SumWorkLeft(results_, firstEntry), settings.Read(settings::kYellowAlert),
                          settings.Read(settings::kRedAlert), conditions);
    return conditions;
  }

 private:
  void ReadState(std::string state) {
    client_ = ReadClientFacts(std::move(state));
    resultWalk_ = WalkUnderProjects(client_.clientState, "result", false);
    workunitWalk_ = WalkUnderProjects(client_.clientState, "workunit", true);
  }

  // Over GUI RPC a result carries no output file names, so its name stands for them; the
  // recently reported results are known by that name as well.
  void ResultPass() {
    const AppVersionSpeeds speeds(client_.clientState);
    const WorkunitApps apps = AppsOfWorkunits(workunitWalk_.elements);
    for (const ElementUnderProject& element : resultWalk_.elements) {
      const std::string& text = element.text;
      const ProjectRecord& project = ProjectOf(resultWalk_, element);
      const std::string name = ExtractTag(text, "name");
      const std::string wuName = ExtractTag(text, "wu_name");
      const std::string deadline = ExtractTag(text, "report_deadline");
      ++resultCount_;
      const int state = ResultState(text);
      if (state == result_state::kQueued)
        ++queuedCount_;
      if (state == result_state::kComputeError || state == result_state::kUploading ||
          state == result_state::kUploaded) {
        FinishedResult finished;
        finished.error = state == result_state::kComputeError;
        finished.errorText =
            ErrorText(text, finished.error || StrToFloatSafe(ExtractTag(text, "exit_status")) != 0);
        finished.deadline = deadline;
        finished.cpuTime = ExtractTag(text, "final_cpu_time");
        finished.resultFileName = name;
        finished.wuName = wuName;
        finished.loggingTime = FinishTime(text, context_.env.clock.Now());
        LogWU(remoteContext_, client_, project, finished);
      }
      const std::size_t entries = results_.size();
      index_.AddResult(client_.host, project, StrToFloatSafe(deadline),
                       ListState(state, project, text), name, wuName);
      if (results_.size() > entries)
        results_.back().Flops = FlopsOfResult(speeds, apps, project.master_url, text, wuName);
      if (ContainsText(text, "<active_task>"))
        running_.push_back(&element);
    }
  }

  void WorkunitPass() {
    for (const ProjectRecord& project : workunitWalk_.projects)
      index_.AddResult(client_.host, project, 0, 0, "", "");
    for (const ElementUnderProject& element : workunitWalk_.elements) {
      const std::string name = ExtractTag(element.text, "name");
      const double estimate = StrToFloatSafe(ExtractTag(element.text, "rsc_fpops_est")) *
                              ProjectOf(workunitWalk_, element).duration_correction_factor;
      if (!name.empty())
        index_.AddWU(name, estimate);
    }
  }

  // Results the client reported since the last look are gone from its state; what the last
  // state said of them fills the columns that get_old_results lacks.
  void LogReportedSince(const std::string& lastState) {
    ClientFacts lastClient = client_;
    lastClient.clientState = lastState;
    const ProjectElements lastResults = WalkUnderProjects(lastState, "result", false);
    ForEachElement(look_.snapshot->oldResults, "old_result", [&](const std::string& old) {
      FinishedResult finished;
      finished.resultFileName = ExtractTag(old, "result_name");
      if (finished.resultFileName.empty())
        return true;
      finished.cpuTime = ExtractTag(old, "cpu_time");
      finished.error = StrToFloatSafe(ExtractTag(old, "exit_status")) != 0;
      finished.loggingTime = FinishTime(old, context_.env.clock.Now());
      const std::string url = ExtractTag(old, "project_url");
      const ProjectRecord* project = FindProject(resultWalk_, url);
      const ClientFacts* client = &client_;
      for (const ElementUnderProject& element : lastResults.elements) {
        if (ExtractTag(element.text, "name") != finished.resultFileName)
          continue;
        finished.wuName = ExtractTag(element.text, "wu_name");
        finished.deadline = ExtractTag(element.text, "report_deadline");
        finished.errorText = ErrorText(element.text, finished.error);
        client = &lastClient;
        if (project == nullptr && element.project >= 0)
          project = &lastResults.projects[element.project];
      }
      // Known from the last state, the work unit gives the application and its version.
      if (client == &client_)
        finished.appName = ExtractTag(old, "app_name");
      LogWU(remoteContext_, *client, project ? *project : kNoProject, finished);
      return true;
    });
  }

  static const ProjectRecord* FindProject(const ProjectElements& walk, const std::string& url) {
    for (const ProjectRecord& project : walk.projects) {
      if (!url.empty() && project.master_url == url)
        return &project;
    }
    return nullptr;
  }

  void TaskSteps() {
    if (running_.empty()) {
      ActiveTaskFacts facts = CommonFacts();
      details_.GetSlot(facts, results_, display_);
      return;
    }
    for (const ElementUnderProject* element : running_) {
      const std::string& text = element->text;
      const ProjectRecord& project = ProjectOf(resultWalk_, *element);
      const std::string task = ExtractTag(text, "active_task");
      ActiveTaskFacts facts = CommonFacts();
      facts.resultName = ExtractTag(text, "name");
      facts.resultFileName = facts.resultName;
      facts.slot = ExtractTag(task, "slot");
      facts.projectName = project.project_name;
      facts.kind = project.kind;
      facts.moreTasks = running_.size() > 1;
      // The live CPU time, where a directory has only the last checkpoint's.
      facts.checkpointCpuTime = StrToFloatSafe(ExtractTag(task, "current_cpu_time"));
      if (facts.checkpointCpuTime <= 0)
        facts.checkpointCpuTime = StrToFloatSafe(ExtractTag(task, "checkpoint_cpu_time"));
      facts.percentDone = StrToFloatSafe(ExtractTag(task, "fraction_done")) * 100;
      facts.progress = Progress(text, task, project);
      ReadWorkunit(ExtractTag(text, "wu_name"), facts);
      details_.GetSlot(facts, results_, display_);
    }
  }

  ActiveTaskFacts CommonFacts() const {
    ActiveTaskFacts facts;
    facts.remote = true;
    facts.clientDir = look_.key;
    facts.clientState = client_.clientState;
    facts.host = client_.host;
    facts.resultCount = resultCount_;
    facts.queuedCount = queuedCount_;
    return facts;
  }

  // The client says whether the task runs; a task it holds back shows as suspended.
  static ProgressStatus Progress(const std::string& result, const std::string& task,
                                 const ProjectRecord& project) {
    if (project.non_cpu_intensive)
      return ProgressStatus::kNonCpuIntensive;
    if (project.suspended || ContainsText(result, "suspended_via_gui"))
      return ProgressStatus::kSuspended;
    return StrToFloatSafe(ExtractTag(task, "active_task_state")) == kExecuting
               ? ProgressStatus::kActive
               : ProgressStatus::kSuspended;
  }

  void ReadWorkunit(const std::string& wuName, ActiveTaskFacts& facts) const {
    for (const ElementUnderProject& element : workunitWalk_.elements) {
      if (wuName.empty() || ExtractTag(element.text, "name") != wuName)
        continue;
      facts.wuEstimate = StrToFloatSafe(ExtractTag(element.text, "rsc_fpops_est")) *
                         ProjectOf(workunitWalk_, element).duration_correction_factor;
      facts.appName = ExtractTag(element.text, "app_name");
      facts.commandLine = ExtractTag(element.text, "command_line");
      facts.wuFile =
          facts.kind == ProjectKind::kClimate ? wuName : ExtractTag(element.text, "file_name");
      if (facts.kind == ProjectKind::kSeti && ContainsText(UpperCase(facts.appName), "PULSE"))
        facts.kind = ProjectKind::kAstropulse;
      return;
    }
  }

  ScanContext& context_;
  NoProjectLogs noProjectLogs_;
  ScanContext remoteContext_;
  TaskDetailReader& details_;
  RemoteWatch& watch_;
  const RemoteLook& look_;
  ResultIndex& index_;
  ResultList& results_;
  DisplayList& display_;

  ClientFacts client_;
  ProjectElements resultWalk_;
  ProjectElements workunitWalk_;
  std::vector<const ElementUnderProject*> running_;
  int resultCount_ = 0;
  int queuedCount_ = 0;
};

}  // namespace

std::optional<AlertConditions> ScanRemoteClient(ScanContext& context, TaskDetailReader& details,
                                                RemoteWatch& watch, const RemoteLook& look,
                                                ResultIndex& results, DisplayList& display) {
  return RemoteScan(context, details, watch, look, results, display).Run();
}

}  // namespace tessarin
