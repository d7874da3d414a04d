// The real program (loggers, task-detail reader) over the SETI@home sample client when its log
// directory is tampered with: links planted under log and backup names, backups that vanish
// while a result is being logged, hostile names in boinc.csv at start-up.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>

#include "core/data/log_files.h"
#include "core/display/slot_reader.h"
#include "core/projects/project_loggers.h"
#include "core/projects/startup_conversions.h"
#include "core/settings/settings_keys.h"
#include "core/tools/text.h"
#include "core/watcher/program_launcher.h"
#include "core/watcher/watch_cycle.h"
#include "support/test_environment.h"

namespace tessarin::test {
namespace {

namespace fs = std::filesystem;

constexpr const char* kFinishedWu = "12no08ab.2043.7434.9.8.120";
constexpr const char* kFinishedFile = "12no08ab.2043.7434.9.8.120_1_0";

class NoLauncher final : public ProgramLauncher {
 public:
  bool Exists(const std::string&) const override { return false; }
  bool StartDetached(const std::string&, const std::vector<std::string>&) override { return false; }
};

// The real loggers, with a step that runs just before each result reaches them.
class LoggersAfter final : public ProjectLogger {
 public:
  LoggersAfter(const Environment& env, std::function<void()> before)
      : real_(env), before_(std::move(before)) {}
  void LogProjectResult(ProjectKind kind, const std::string& prefix,
                        const std::string& resultFileName, const std::string& wuName,
                        CycleFlags& flags) override {
    before_();
    real_.LogProjectResult(kind, prefix, resultFileName, wuName, flags);
  }

 private:
  ProjectLoggers real_;
  std::function<void()> before_;
};

class ProgramFault : public ::testing::Test {
 protected:
  ProgramFault() {
    clientDir = t.dir.path() + "client/";
    fs::copy(std::string(TESSARIN_SOURCE_DIR) + "/samples/clients/seti-host", clientDir,
             fs::copy_options::recursive);
    fs::create_directories(t.env.logDir);
    t.settings.WriteBool(sections::kBoincDirs, EscapeIniText(clientDir), true);
    // The work unit's copy, as made while its task was running.
    fs::copy_file(clientDir + "projects/setiathome.berkeley.edu/" + kFinishedWu,
                  t.env.logDir + kFinishedWu + logs::kBackupExtension);
  }

  CycleOutcome Cycle(ProjectLogger& loggers) {
    WatchCycle cycle(t.env, reader, loggers, launcher);
    return cycle.WatchClients();
  }

  std::map<std::string, std::string> Outside() const {
    std::map<std::string, std::string> entries;
    for (auto it = fs::recursive_directory_iterator(t.dir.path()); it != fs::end(it); ++it) {
      const std::string relative = fs::relative(it->path(), t.dir.path()).string();
      if (relative == "logs") {
        it.disable_recursion_pending();
      } else if (relative.rfind("Tessarin.ini", 0) != 0) {
        entries[relative] = it->is_regular_file() ? t.dir.Read(relative) : "<dir>";
      }
    }
    return entries;
  }

  TestEnvironment t;
  std::string clientDir;
  SlotReader reader{t.env};
  NoLauncher launcher;
};

TEST_F(ProgramFault, TheSampleResultIsLoggedToEveryLog) {
  // The ground the other tests stand on: without tampering, the finished result gets its
  // boinc.csv row and its SETI@home row.
  ProjectLoggers loggers(t.env);
  Cycle(loggers);
  EXPECT_NE(t.dir.Read("logs/boinc.csv").find(kFinishedFile), std::string::npos);
  EXPECT_NE(t.dir.Read("logs/sah_boinc.csv").find(kFinishedFile), std::string::npos);
}

TEST_F(ProgramFault, LinksPlantedUnderLogNamesAreNotWrittenThrough) {
  const std::string target = t.dir.Write("precious.txt", "keep me");
  const std::vector<std::string> names = {
      logs::kSahCsv,        logs::kSahSpikeCsv, logs::kSahGaussianCsv, logs::kSahPulseCsv,
      logs::kSahTripletCsv, logs::kApCsv,       logs::kEinsteinCsv,    logs::kEinsteinResultCsv};
  for (const std::string& name : names)
    fs::create_symlink(target, t.env.logDir + name);
  const auto before = Outside();
  ProjectLoggers loggers(t.env);
  Cycle(loggers);
  Cycle(loggers);
  EXPECT_EQ(Outside(), before);
  EXPECT_EQ(t.dir.Read("precious.txt"), "keep me");
  for (const std::string& name : names)
    EXPECT_TRUE(fs::is_symlink(t.env.logDir + name)) << name;
  // boinc.csv itself is a real file and got its row; the failed project log was counted.
  EXPECT_NE(t.dir.Read("logs/boinc.csv").find(kFinishedFile), std::string::npos);
  EXPECT_GE(t.ExceptionCount("LogWU - " + t.env.logDir + logs::kSahCsv +
                             " - Too many levels of symbolic links"),
            1);
}

TEST_F(ProgramFault, BackupsVanishingBeforeTheLoggerReadsThemLeaveTheLogsWhole) {
  LoggersAfter loggers(t.env, [&] {
    for (const auto& entry : fs::directory_iterator(t.env.logDir)) {
      if (entry.path().extension() == ".tess" || entry.path().extension() == ".xml")
        fs::remove(entry.path());
    }
  });
  const CycleOutcome outcome = Cycle(loggers);
  EXPECT_TRUE(outcome.published);
  const std::string csv = t.dir.Read("logs/boinc.csv");
  EXPECT_NE(csv.find(kFinishedFile), std::string::npos);
  // Without its copies the SETI@home row cannot be made; no half of it is written either.
  EXPECT_EQ(t.dir.Read("logs/sah_boinc.csv").find(kFinishedFile), std::string::npos);
  // The next cycle finds the result logged and writes nothing twice.
  Cycle(loggers);
  const std::string again = t.dir.Read("logs/boinc.csv");
  EXPECT_EQ(again.substr(0, csv.size()), csv);
  EXPECT_EQ(again.find(kFinishedFile), again.rfind(kFinishedFile));
}

TEST_F(ProgramFault, HostileNamesInOldLogsAndBackupsStayInsideAtStartUp) {
  std::string csv = logs::kBoincCsvHeader;
  for (const std::string name : {"../../escape", "/etc/passwd", "..", "a\r\nb"})
    csv += std::string(logs::kLineBreak) + std::string(41, ',') + "\"" + name + "\",1,1,false,";
  t.dir.Write("logs/boinc.csv", csv);
  t.dir.Write("logs/..%2F..%2Fx_1_0_command.tess", "--startTime=1");
  t.dir.Write("logs/_1_0_command.tess", "--startTime=2");
  t.dir.Write("logs/a_b_1_0_command.tess", "--startTime=3");
  const auto before = Outside();
  ScoreThresholds scores;
  RunStartupConversions(t.env, scores);
  ProjectLoggers loggers(t.env);
  Cycle(loggers);
  EXPECT_EQ(Outside(), before);
  for (const auto& entry : fs::directory_iterator(t.env.logDir))
    EXPECT_TRUE(entry.is_regular_file()) << entry.path();
}

}  // namespace
}  // namespace tessarin::test
