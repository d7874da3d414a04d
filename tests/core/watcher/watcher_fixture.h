#pragma once
// Small client directories and recording seams for driving real watch cycles in tests.

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "core/data/active_task_facts.h"
#include "core/seams/project_logger.h"
#include "core/seams/task_detail_reader.h"
#include "core/watcher/program_launcher.h"
#include "core/watcher/watch_cycle.h"
#include "support/test_environment.h"

namespace tessarin::test {

// client_state.xml pieces, in the shape the BOINC client writes.
std::string HostXml(const std::string& domain, const std::string& fpops);
std::string ProjectXml(const std::string& url, const std::string& name,
                       const std::string& extra = "");
std::string WorkunitXml(const std::string& name, const std::string& app,
                        const std::string& versionNum, const std::string& fpopsEst,
                        const std::vector<std::string>& files, const std::string& extra = "");
std::string ResultXml(const std::string& name, const std::string& wu, int state,
                      const std::string& fileName, const std::string& extra = "");
std::string ActiveTaskXml(const std::string& url, const std::string& result,
                          const std::string& slot, const std::string& cpu,
                          const std::string& fraction = "0.250000");
// host_info, time_stats, net_stats, core version 7.20, host_venue "home", then `body`, then
// the closing tag unless `complete` is false.
std::string ClientStateXml(const std::string& body, const std::string& fpops = "2000000000.500000",
                           bool complete = true);

class RecordingLogger final : public ProjectLogger {
 public:
  struct Call {
    ProjectKind kind;
    std::string prefix;
    std::string resultFileName;
    std::string wuName;
  };
  void LogProjectResult(ProjectKind kind, const std::string& prefix,
                        const std::string& resultFileName, const std::string& wuName,
                        CycleFlags& flags) override;
  std::vector<Call> calls;
  bool raiseWallpaper = false;
  bool fail = false;
  // Called with each call as it is made, to look at the log directory at that moment.
  std::function<void(const Call&)> inspect;
};

class RecordingReader final : public TaskDetailReader {
 public:
  // One entry per task, carrying the facts it was handed; time left from `timeLeft`.
  void GetSlot(const ActiveTaskFacts& facts, ResultList& results, DisplayList& display) override;
  std::vector<ActiveTaskFacts> facts;
  std::map<std::string, int> timeLeft;  // result file name -> seconds
  bool fail = false;                    // an error that escapes the reader
};

class RecordingLauncher final : public ProgramLauncher {
 public:
  bool Exists(const std::string& path) const override;
  bool StartDetached(const std::string& path, const std::vector<std::string>& args) override;
  std::vector<std::string> existing;
  std::vector<std::string> started;  // path + " " + args
};

// A program with its settings, seams and one client directory "client/" in its temp dir.
struct WatcherFixture {
  WatcherFixture();

  // Writes client/client_state.xml.
  void WriteState(const std::string& xml);
  // Writes a file below the client directory ("projects/...", "slots/...").
  void WriteClientFile(const std::string& relative, const std::string& content);
  std::string ReadLog(const std::string& name) const;
  // A fresh WatchCycle, as after a program restart (same settings and logs).
  void Restart();
  CycleOutcome Cycle() { return cycle->WatchClients(); }

  TestEnvironment test;
  Environment& env;
  std::string clientDir;
  RecordingLogger loggers;
  RecordingReader reader;
  RecordingLauncher launcher;
  std::unique_ptr<WatchCycle> cycle;
};

inline constexpr const char* kSetiUrl = "http://setiathome.berkeley.edu/";
inline constexpr const char* kSetiDir = "projects/setiathome.berkeley.edu/";
inline constexpr const char* kOtherUrl = "http://boinc.example.org/other/";
inline constexpr const char* kOtherDir = "projects/boinc.example.org_other/";

}  // namespace tessarin::test
