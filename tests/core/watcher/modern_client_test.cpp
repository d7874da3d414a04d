// Client directories in the form BOINC 7.x writes them: checkpoint_fraction_done, the slot's
// boinc_task_state.xml, result states 6 and 7, server-named output files, and finished
// results the program never saw running.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "core/data/log_files.h"
#include "core/settings/settings_keys.h"
#include "core/tools/date_time.h"
#include "core/tools/files.h"
#include "core/watcher/checkpoint_memory.h"
#include "core/watcher/client_state_walk.h"
#include "core/watcher/job_log_import.h"
#include "core/watcher/task_checkpoint.h"
#include "core/watcher/vanished_task_log.h"
#include "watcher_fixture.h"

namespace tessarin::test {
namespace {

constexpr const char* kLoopUrl = "http://127.0.0.1:39833/loopback/";
constexpr const char* kLoopDir = "projects/127.0.0.1_39833_loopback/";
constexpr const char* kEinsteinUrl = "http://einstein.phys.uwm.edu/";
constexpr const char* kEinsteinDir = "projects/einstein.phys.uwm.edu/";

// An active_task as 7.20 writes it: no fraction_done.
std::string ModernTask(const std::string& result, const std::string& slot, const std::string& cpu,
                       const std::string& fraction, const std::string& url = kLoopUrl) {
  return "<active_task>\n    <project_master_url>" + url +
         "</project_master_url>\n    <result_name>" + result +
         "</result_name>\n    <active_task_state>1</active_task_state>\n"
         "    <app_version_num>100</app_version_num>\n    <slot>" +
         slot + "</slot>\n    <checkpoint_cpu_time>" + cpu +
         "</checkpoint_cpu_time>\n    <checkpoint_elapsed_time>12.032424</checkpoint_elapsed_time>"
         "\n    <checkpoint_fraction_done>" +
         fraction +
         "</checkpoint_fraction_done>\n"
         "    <checkpoint_fraction_done_elapsed_time>12.032424"
         "</checkpoint_fraction_done_elapsed_time>\n"
         "    <current_cpu_time>10.886400</current_cpu_time>\n</active_task>\n";
}

std::string TaskSet(const std::string& tasks) {
  return "<active_task_set>\n" + tasks + "</active_task_set>\n";
}

// slots/N/boinc_task_state.xml.
std::string SlotTaskState(const std::string& result, const std::string& cpu,
                          const std::string& fraction) {
  return std::string("<active_task>\n    <project_master_url>") + kLoopUrl +
         "</project_master_url>\n    <result_name>" + result +
         "</result_name>\n    <checkpoint_cpu_time>" + cpu +
         "</checkpoint_cpu_time>\n    <checkpoint_elapsed_time>12.032424"
         "</checkpoint_elapsed_time>\n    <fraction_done>" +
         fraction +
         "</fraction_done>\n    <peak_working_set_size>4235264</peak_working_set_size>\n"
         "</active_task>\n";
}

// A running loopback task of 60 seconds' estimate in slot 0.
std::string LoopbackRunning(const std::string& cpu, const std::string& fraction) {
  return ClientStateXml(
      ProjectXml(kLoopUrl, "Loopback Test Project") +
      WorkunitXml("loopback_wu_004", "loopapp", "100", "60000000000.000000", {"loopback_wu_004.in"},
                  "<command_line>\n--exit_code 1\n    </command_line>\n") +
      ResultXml("loopback_wu_004_0", "loopback_wu_004", 2, "loopback_wu_004_0_r116087818_0") +
      TaskSet(ModernTask("loopback_wu_004_0", "0", cpu, fraction)));
}

bool Has(const std::vector<std::string>& list, const std::string& value) {
  return std::find(list.begin(), list.end(), value) != list.end();
}

TEST(ModernClient, ProgressComesFromCheckpointFractionDoneWhenFractionDoneIsAbsent) {
  WatcherFixture f;
  f.WriteState(LoopbackRunning("9.893262", "0.182288"));
  f.Cycle();
  ASSERT_EQ(f.reader.facts.size(), 1u);
  EXPECT_DOUBLE_EQ(f.reader.facts[0].percentDone, 18.2288);
  EXPECT_DOUBLE_EQ(f.reader.facts[0].checkpointCpuTime, 9.893262);
  EXPECT_EQ(f.reader.facts[0].projectDir, f.clientDir + kLoopDir);
  EXPECT_EQ(f.reader.facts[0].commandLine, "\n--exit_code 1\n    ");

  // The old form's fraction_done still wins where both are written.
  EXPECT_DOUBLE_EQ(FractionDone("<fraction_done>0.25</fraction_done>"
                                "<checkpoint_fraction_done>0.5</checkpoint_fraction_done>"),
                   0.25);
  EXPECT_DOUBLE_EQ(FractionDone("<checkpoint_fraction_done>0.5</checkpoint_fraction_done>"), 0.5);
  EXPECT_DOUBLE_EQ(FractionDone("<checkpoint_cpu_time>3</checkpoint_cpu_time>"), 0);
}

TEST(ModernClient, ALaterCheckpointInTheSlotReplacesTheClientStateOne) {
  WatcherFixture f;
  f.WriteState(LoopbackRunning("9.893262", "0.182288"));
  f.WriteClientFile("slots/0/boinc_task_state.xml",
                    SlotTaskState("loopback_wu_004_0", "30.5", "0.550000"));
  f.Cycle();
  ASSERT_EQ(f.reader.facts.size(), 1u);
  EXPECT_DOUBLE_EQ(f.reader.facts[0].checkpointCpuTime, 30.5);
  EXPECT_DOUBLE_EQ(f.reader.facts[0].percentDone, 55);
  const std::string stored =
      f.test.settings.ReadString(CheckpointSection(f.clientDir), "loopback_wu_004_0", "");
  EXPECT_EQ(stored.rfind("30.5,", 0), 0u) << stored;
}

TEST(ModernClient, TheSlotCheckpointOfAnotherResultOrNoLaterOneIsIgnored) {
  for (const std::string& slotState : {SlotTaskState("loopback_wu_003_0", "50", "0.9"),
                                       SlotTaskState("loopback_wu_004_0", "5", "0.9"),
                                       SlotTaskState("loopback_wu_004_0", "9.893262", "0.9"),
                                       std::string("garbage"), std::string()}) {
    WatcherFixture f;
    f.WriteState(LoopbackRunning("9.893262", "0.182288"));
    if (!slotState.empty())
      f.WriteClientFile("slots/0/boinc_task_state.xml", slotState);
    f.Cycle();
    ASSERT_EQ(f.reader.facts.size(), 1u);
    EXPECT_DOUBLE_EQ(f.reader.facts[0].checkpointCpuTime, 9.893262) << slotState;
    EXPECT_DOUBLE_EQ(f.reader.facts[0].percentDone, 18.2288) << slotState;
  }
}

TEST(ModernClient, ABusyTaskStaysActiveWhileTheClientStateIsOld) {
  WatcherFixture f;
  f.WriteState(LoopbackRunning("9.893262", "0.182288"));
  const std::string slotFile = "slots/0/boinc_task_state.xml";
  f.WriteClientFile(slotFile, SlotTaskState("loopback_wu_004_0", "20", "0.3"));
  f.Cycle();
  f.test.clock.Advance(11 * 60);
  f.WriteClientFile(slotFile, SlotTaskState("loopback_wu_004_0", "30", "0.45"));
  f.Cycle();
  ASSERT_EQ(f.reader.facts.size(), 2u);
  EXPECT_EQ(f.reader.facts[1].progress, ProgressStatus::kActive);
  // A task that stops checkpointing still turns inactive.
  f.test.clock.Advance(11 * 60);
  f.Cycle();
  ASSERT_EQ(f.reader.facts.size(), 3u);
  EXPECT_EQ(f.reader.facts[2].progress, ProgressStatus::kInactive);
}

// A project with one result in `state` whose work unit would take 40 hours.
std::string OneResult(int state, const std::string& extra = "") {
  return ClientStateXml(ProjectXml(kLoopUrl, "Loopback Test Project") +
                        WorkunitXml("wu_s", "loopapp", "100", std::to_string(40 * 3600 * 2e9), {}) +
                        ResultXml("wu_s_0", "wu_s", state, "wu_s_0_r42_0", extra));
}

TEST(ModernClient, StateSixIsAbortedNeitherLoggedNorRemainingWork) {
  WatcherFixture f;
  f.WriteState(OneResult(6));
  const CycleOutcome outcome = f.Cycle();
  ASSERT_FALSE(outcome.results.empty());
  EXPECT_EQ(outcome.results[0].State, 99);
  EXPECT_EQ(outcome.alertState, 3);
  EXPECT_EQ(f.ReadLog("boinc.csv"), "");
  EXPECT_TRUE(f.loggers.calls.empty());

  // Still queued work for comparison: 40 hours, no alert.
  f.WriteState(OneResult(2));
  EXPECT_EQ(f.Cycle().alertState, 0);
}

TEST(ModernClient, StateSevenIsLoggedWithTheErrorFlagAndIsNoRemainingWork) {
  WatcherFixture f;
  f.WriteState(OneResult(7, "<message>upload failure</message>\n"));
  const CycleOutcome outcome = f.Cycle();
  ASSERT_FALSE(outcome.results.empty());
  // Finished with an error, as the overview and the work-left sum know it.
  EXPECT_EQ(outcome.results[0].State, 3);
  EXPECT_EQ(outcome.alertState, 3);
  const std::string log = f.ReadLog("boinc.csv");
  EXPECT_NE(log.find("\"wu_s_0_r42_0\",59.808510,288000000000000,true,\"upload failure\""),
            std::string::npos)
      << log;
  EXPECT_EQ(f.loggers.calls.size(), 1u);
}

TEST(ModernClient, AVanishedTaskIsFoundByItsServerNamedOutputCopy) {
  WatcherFixture f;
  const std::string project = ProjectXml(kLoopUrl, "Loopback Test Project");
  f.WriteState(ClientStateXml(
      project + WorkunitXml("loopback_wu_001", "loopapp", "100", "6e10", {"loopback_wu_001.in"}) +
      ResultXml("loopback_wu_001_0", "loopback_wu_001", 2, "loopback_wu_001_0_r1771098287_0") +
      TaskSet(ModernTask("loopback_wu_001_0", "0", "49.78", "0.83"))));
  f.WriteClientFile(std::string(kLoopDir) + "loopback_wu_001_0_r1771098287_0", "output");
  f.Cycle();
  ASSERT_EQ(f.ReadLog("loopback_wu_001_0_r1771098287_0.tess"), "output");
  // Copies that only look alike.
  f.test.dir.Write("logs/loopback_wu_001_0_rX_0.tess", "x");
  f.test.dir.Write("logs/loopback_wu_001_0_r_0.tess", "x");
  f.test.dir.Write("logs/loopback_wu_001_0_r12_1.tess", "x");

  f.WriteState(ClientStateXml(project));
  f.Cycle();
  ASSERT_EQ(f.loggers.calls.size(), 1u);
  EXPECT_EQ(f.loggers.calls[0].resultFileName, "loopback_wu_001_0_r1771098287_0");
  EXPECT_EQ(f.loggers.calls[0].wuName, "loopback_wu_001");
  const std::string log = f.ReadLog("boinc.csv");
  EXPECT_NE(log.find(",\"loopback_wu_001\",\"loopback_wu_001_0_r1771098287_0\",49.78,,false,"),
            std::string::npos)
      << log;
}

TEST(ModernClient, WorkunitOfAResultDropsItsLastNumber) {
  EXPECT_EQ(WorkunitOfResult("loopback_wu_001_0"), "loopback_wu_001");
  EXPECT_EQ(WorkunitOfResult("12no08ab.2043.7434.9.8.131_12"), "12no08ab.2043.7434.9.8.131");
  EXPECT_EQ(WorkunitOfResult("wu_x"), "wu_x");
  EXPECT_EQ(WorkunitOfResult("wu_"), "wu_");
  EXPECT_EQ(WorkunitOfResult("_5"), "_5");
  EXPECT_EQ(WorkunitOfResult("plain"), "plain");
}

// Which copies were in the log directory when the project logger was called.
struct CopiesAtLogging {
  explicit CopiesAtLogging(WatcherFixture& f, std::vector<std::string> names) {
    f.loggers.inspect = [&f, names, this](const RecordingLogger::Call&) {
      for (const std::string& name : names) {
        if (PathExists(f.env.logDir + name))
          present.push_back(name);
      }
    };
  }
  std::vector<std::string> present;
};

TEST(ModernClient, ASetiResultFirstSeenFinishedGetsItsCopiesBeforeItIsLogged) {
  WatcherFixture f;
  f.test.settings.Write(settings::kBackupResult, false);
  f.WriteClientFile(std::string(kSetiDir) + "sah_wu", "work unit");
  f.WriteClientFile(std::string(kSetiDir) + "sah_wu_1_0", "result");
  f.WriteState(
      ClientStateXml(ProjectXml(kSetiUrl, "SETI@home") +
                     WorkunitXml("sah_wu", "setiathome_enhanced", "528", "3e13", {"sah_wu"}) +
                     ResultXml("sah_wu_1", "sah_wu", 4, "sah_wu_1_0")));
  CopiesAtLogging copies(f, {"sah_wu.tess", "sah_wu.xml", "sah_wu_1_0.tess"});
  const CycleOutcome outcome = f.Cycle();
  ASSERT_EQ(f.loggers.calls.size(), 1u);
  EXPECT_EQ(copies.present,
            (std::vector<std::string>{"sah_wu.tess", "sah_wu.xml", "sah_wu_1_0.tess"}));
  // Copies for the log are no new work.
  EXPECT_FALSE(Has(outcome.sounds, "NewWU"));
  EXPECT_FALSE(outcome.wallpaperRequested);

  // Once logged, copies the logger removed are not made again.
  for (const char* name : {"sah_wu.tess", "sah_wu.xml", "sah_wu_1_0.tess"})
    std::remove((f.env.logDir + name).c_str());
  f.Cycle();
  EXPECT_FALSE(PathExists(f.env.logDir + "sah_wu.tess"));
  EXPECT_FALSE(PathExists(f.env.logDir + "sah_wu.xml"));
  EXPECT_FALSE(PathExists(f.env.logDir + "sah_wu_1_0.tess"));
}

TEST(ModernClient, WithBackupWUOnTheCopiesOfAFinishedWorkUnitAreMadeAsDescribed) {
  WatcherFixture f;
  f.test.settings.Write(settings::kBackupWU, true);
  f.WriteClientFile(std::string(kSetiDir) + "sah_wu", "work unit");
  f.WriteState(
      ClientStateXml(ProjectXml(kSetiUrl, "SETI@home") +
                     WorkunitXml("sah_wu", "setiathome_enhanced", "528", "3e13", {"sah_wu"}) +
                     ResultXml("sah_wu_1", "sah_wu", 5, "sah_wu_1_0")));
  CopiesAtLogging copies(f, {"sah_wu.tess", "sah_wu.xml"});
  const CycleOutcome outcome = f.Cycle();
  EXPECT_EQ(copies.present, (std::vector<std::string>{"sah_wu.tess", "sah_wu.xml"}));
  EXPECT_TRUE(Has(outcome.sounds, "NewWU"));
  EXPECT_TRUE(outcome.wallpaperRequested);
}

TEST(ModernClient, AnEinsteinResultFirstSeenFinishedGetsItsDescriptionOnly) {
  WatcherFixture f;
  f.WriteClientFile(std::string(kEinsteinDir) + "ein_wu.dat", "input");
  f.WriteClientFile(std::string(kEinsteinDir) + "ein_wu_0_0", "zip");
  f.WriteState(
      ClientStateXml(ProjectXml(kEinsteinUrl, "Einstein@Home") +
                     WorkunitXml("ein_wu", "einstein_S5R3", "405", "1e13", {"ein_wu.dat"},
                                 "<command_line>\n--startTime=1 -s 10 -e 11\n</command_line>\n") +
                     ResultXml("ein_wu_0", "ein_wu", 5, "ein_wu_0_0")));
  CopiesAtLogging copies(f, {"ein_wu.xml", "ein_wu.dat.tess", "ein_wu_0_0.tess"});
  f.Cycle();
  ASSERT_EQ(f.loggers.calls.size(), 1u);
  EXPECT_EQ(f.loggers.calls[0].kind, ProjectKind::kEinstein);
  EXPECT_EQ(copies.present, (std::vector<std::string>{"ein_wu.xml", "ein_wu_0_0.tess"}));
  EXPECT_EQ(f.ReadLog("ein_wu.xml").rfind("<workunit>\n    <name>ein_wu</name>", 0), 0u);
}

TEST(ModernClient, ARunningEinsteinTaskHasItsDescriptionWhateverBackupWU) {
  WatcherFixture f;
  f.WriteClientFile(std::string(kEinsteinDir) + "ein_wu.dat", "input");
  f.WriteState(
      ClientStateXml(ProjectXml(kEinsteinUrl, "Einstein@Home") +
                     WorkunitXml("ein_wu", "einstein_S5R3", "405", "1e13", {"ein_wu.dat"}) +
                     WorkunitXml("ein_q", "einstein_S5R3", "405", "1e13", {"ein_q.dat"}) +
                     ResultXml("ein_wu_0", "ein_wu", 2, "ein_wu_0_0") +
                     ResultXml("ein_q_0", "ein_q", 2, "ein_q_0_0") +
                     TaskSet(ModernTask("ein_wu_0", "0", "100", "0.1", kEinsteinUrl))));
  const CycleOutcome outcome = f.Cycle();
  EXPECT_TRUE(PathExists(f.env.logDir + "ein_wu.xml"));
  EXPECT_FALSE(PathExists(f.env.logDir + "ein_wu.dat.tess"));
  EXPECT_FALSE(PathExists(f.env.logDir + "ein_q.xml"));
  EXPECT_FALSE(Has(outcome.sounds, "NewWU"));
}

TEST(ModernClient, AFinishedResultOfAnotherProjectGetsNoWorkUnitCopy) {
  WatcherFixture f;
  f.WriteClientFile(std::string(kLoopDir) + "wu_s.in", "input");
  f.WriteState(ClientStateXml(ProjectXml(kLoopUrl, "Loopback Test Project") +
                              WorkunitXml("wu_s", "loopapp", "100", "6e10", {"wu_s.in"}) +
                              ResultXml("wu_s_0", "wu_s", 5, "wu_s_0_r42_0")));
  f.Cycle();
  EXPECT_EQ(f.loggers.calls.size(), 1u);
  EXPECT_FALSE(PathExists(f.env.logDir + "wu_s.xml"));
  EXPECT_FALSE(PathExists(f.env.logDir + "wu_s.in.tess"));
}

// 10 hours of work on a GPU version of 1e11 flops; at the host's 2e9 it would be 500 hours.
TEST(ModernClient, AnAppVersionsFlopsEstimateItsQueuedResults) {
  const std::string gpu =
      "<app_version>\n    <app_name>loopapp</app_name>\n    <version_num>100</version_num>\n"
      "    <plan_class>cuda</plan_class>\n    <flops>100000000000.000000</flops>\n"
      "</app_version>\n";
  const std::string cpu =
      "<app_version>\n    <app_name>loopapp</app_name>\n    <version_num>100</version_num>\n"
      "    <flops>100000000000.000000</flops>\n</app_version>\n";
  const std::string cudaResult = "<version_num>100</version_num>\n<plan_class>cuda</plan_class>\n";
  struct Case {
    std::string appVersion, resultExtra, fpops;
    double flops;
    std::uint8_t alertState;
  };
  const Case cases[] = {
      {gpu, cudaResult, "2000000000", 1e11, 1},
      {gpu, cudaResult, "0", 1e11, 1},  // no host speed needed
      {gpu, "<version_num>100</version_num>\n", "2000000000", 0, 0},
      {gpu, "<version_num>101</version_num>\n<plan_class>cuda</plan_class>\n", "2000000000", 0, 0},
      {cpu, "", "2000000000", 1e11, 1},  // older clients name the version by the work unit
      {"", cudaResult, "2000000000", 0, 0},
  };
  for (const Case& c : cases) {
    WatcherFixture f;
    f.WriteState(ClientStateXml(ProjectXml(kLoopUrl, "Loopback Test Project") + c.appVersion +
                                    WorkunitXml("wu_g", "loopapp", "100", "3.6e15", {}) +
                                    ResultXml("wu_g_0", "wu_g", 2, "wu_g_0_r1_0", c.resultExtra),
                                c.fpops));
    const CycleOutcome outcome = f.Cycle();
    ASSERT_EQ(outcome.results.size(), 2u);
    EXPECT_EQ(outcome.results[0].Flops, c.flops) << c.appVersion << c.resultExtra;
    EXPECT_EQ(outcome.alertState, c.alertState) << c.appVersion << c.resultExtra;
  }
}

TEST(ModernClient, VersionNumIsMajorTimesHundredPlusMinor) {
  for (const auto& [num, dotted] : std::vector<std::pair<std::string, std::string>>{
           {"1008", "10.08"}, {"418", "4.18"}, {"100", "1.00"}, {"5", "5"}, {"", ""}}) {
    EXPECT_EQ(DottedVersion(num), dotted) << num;
  }
  WatcherFixture f;
  f.WriteState(ClientStateXml(ProjectXml(kLoopUrl, "Loopback Test Project") +
                              WorkunitXml("wu_v", "loopapp", "1008", "6e10", {}) +
                              ResultXml("wu_v_0", "wu_v", 5, "wu_v_0_r1_0")));
  f.Cycle();
  EXPECT_NE(f.ReadLog("boinc.csv").find(",10.08,\"wu_v\","), std::string::npos);
}

// Clients since 7 keep every result's stderr; only a failure's belongs in error_txt.
TEST(ModernClient, ErrorTextHoldsTheStderrOfFailedResultsOnly) {
  const std::string stderrOut =
      "<stderr_out>\n<![CDATA[\n<stderr_txt>\nloopapp: done\n</stderr_txt>\n]]>\n</stderr_out>\n";
  struct Case {
    int state;
    std::string exitStatus;
    std::string tail;  // error, error_txt
  };
  const Case cases[] = {
      {5, "0", "false,\"upload ok\""},
      {3, "0", "true,\"upload ok; loopapp: done\""},
      {7, "0", "true,\"upload ok; loopapp: done\""},
      {5, "-177", "false,\"upload ok; loopapp: done\""},
  };
  for (const Case& c : cases) {
    WatcherFixture f;
    f.WriteState(ClientStateXml(ProjectXml(kLoopUrl, "Loopback Test Project") +
                                ResultXml("wu_e_0", "wu_e", c.state, "wu_e_0_r1_0",
                                          "<exit_status>" + c.exitStatus +
                                              "</exit_status>\n<message>upload ok</message>\n" +
                                              stderrOut)));
    f.Cycle();
    const std::string log = f.ReadLog("boinc.csv");
    EXPECT_EQ(log.substr(log.size() - c.tail.size()), c.tail) << c.state << " " << c.exitStatus;
  }
}

// The client renames client_state_next.xml over client_state.xml: for a moment there is none.
TEST(ModernClient, AMissingStateFileKeepsTheAlertsOfTheLastGoodCycle) {
  WatcherFixture f;
  f.test.settings.Write(settings::kRedAlertOnce, true);
  f.test.settings.Write(settings::kRedAlertSound, "SPEAKER:400,1");
  const std::string low = ClientStateXml(ProjectXml(kLoopUrl, "Loopback Test Project") +
                                         WorkunitXml("wu_r", "loopapp", "100", "3.6e12", {}) +
                                         ResultXml("wu_r_0", "wu_r", 2, "wu_r_0_r1_0"));
  f.WriteState(low);
  EXPECT_TRUE(Has(f.Cycle().sounds, "RedAlert"));
  std::remove((f.clientDir + "client_state.xml").c_str());
  const CycleOutcome missing = f.Cycle();
  EXPECT_EQ(missing.alertState, 2);
  f.WriteState(low.substr(0, low.size() / 2));
  EXPECT_EQ(f.Cycle().alertState, 2);
  f.WriteState(low);
  EXPECT_FALSE(Has(f.Cycle().sounds, "RedAlert"));
  EXPECT_EQ(f.test.sound.played, std::vector<std::string>{"beep:400,1"});
}

// The program was stopped when the client finished these; a completed_time in the future or
// none at all gives the time the result was seen.
TEST(ModernClient, AResultFirstSeenLongAfterItFinishedIsDatedByItsCompletedTime) {
  struct Case {
    std::string completed;
    double dated;
  };
  WatcherFixture probe;
  const double now = probe.test.clock.Now();
  const Case cases[] = {
      {"<completed_time>1796699398.397504</completed_time>\n", 1796699398.397504},
      {"<completed_time>" + std::to_string(now + 3600) + "</completed_time>\n", now},
      {"", now}};
  for (const Case& c : cases) {
    WatcherFixture f;
    f.WriteState(ClientStateXml(ProjectXml(kLoopUrl, "Loopback Test Project") +
                                ResultXml("wu_t_0", "wu_t", 5, "wu_t_0_r1_0", c.completed)));
    f.Cycle();
    EXPECT_EQ(f.ReadLog("boinc.csv").find("\r\n\"" + FormatLogDate(c.dated) + "\""),
              std::string(logs::kBoincCsvHeader).size())
        << c.completed;
  }
}

// Finished, uploaded and reported between two cycles: the result and its output are gone, and
// only the client's job log still knows the task.
TEST(ModernClient, ATaskReportedBetweenTwoCyclesIsLoggedFromTheJobLog) {
  const std::string project = ProjectXml(kSetiUrl, "SETI@home");
  const std::string running =
      ClientStateXml(project + WorkunitXml("sah_q", "setiathome_v8", "800", "3e13", {}) +
                     ResultXml("sah_q_1", "sah_q", 2, "sah_q_1_r55_0") +
                     TaskSet(ModernTask("sah_q_1", "0", "3600.5", "0.9", kSetiUrl)));
  const std::string jobLog =
      "1796699391 ue 4000.000000 ct 3990.25 fe 30000000000000 nm sah_q_1 "
      "et 4100.5 es 0\n";
  for (const bool inJobLog : {true, false}) {
    WatcherFixture f;
    f.test.settings.Write(settings::kFinishedWUSound, "SPEAKER:100,1");
    f.WriteState(running);
    f.Cycle();
    if (inJobLog)
      f.WriteClientFile("job_log_setiathome.berkeley.edu.txt", jobLog);
    f.WriteState(ClientStateXml(project));
    const CycleOutcome outcome = f.Cycle();
    const std::string log = f.ReadLog("boinc.csv");
    EXPECT_TRUE(f.loggers.calls.empty());
    EXPECT_TRUE(f.test.ExceptionKeys().empty());
    if (!inJobLog) {
      EXPECT_EQ(log, "");
      continue;
    }
    // Application and version from the checkpoint memory; date, CPU time, estimate and
    // error flag from the job log.
    EXPECT_EQ(
        log.find("\r\n\"" + FormatLogDate(1796699391) + "\",\"SETI@home\",\"setiathome_v8\","),
        std::string(logs::kBoincCsvHeader).size())
        << log;
    EXPECT_NE(log.find(",8.00,\"sah_q\",\"sah_q_1\",3990.25,30000000000000,false,"),
              std::string::npos)
        << log;
    EXPECT_TRUE(Has(outcome.sounds, "FinishedWU"));
    // Logged once: neither a later cycle nor the import adds it again.
    f.Cycle();
    EXPECT_EQ(ImportJobLogs(f.env).skipped, 1);
    EXPECT_EQ(f.ReadLog("boinc.csv"), log);
  }
}

}  // namespace
}  // namespace tessarin::test
