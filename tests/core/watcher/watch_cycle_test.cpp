#include "core/watcher/watch_cycle.h"

#include <gtest/gtest.h>

#include "core/settings/settings_keys.h"
#include "core/tools/text.h"
#include "core/watcher/checkpoint_memory.h"
#include "watcher_fixture.h"

namespace tessarin::test {
namespace {

using Sounds = std::vector<std::string>;

// A queued result of `hours` of work on the fixture's host (2e9 flops per second).
std::string QueuedFor(double hours, const std::string& name = "q") {
  return WorkunitXml(name, "app", "100", std::to_string(hours * 3600 * 2e9), {}) +
         ResultXml(name + "_0", name, 2, name + "_0_0");
}

TEST(WatchCycle, SoundsPlayInTheirFixedOrder) {
  WatcherFixture f;
  f.test.settings.Write(settings::kFinishedWUSound, "SPEAKER:100,1");
  f.test.settings.Write(settings::kNewWUSound, "SPEAKER:200,1");
  f.test.settings.Write(settings::kSndFile, "SPEAKER:300,1");
  f.reader.timeLeft["sah_0_0"] = 0;
  f.WriteClientFile(std::string(kSetiDir) + "sah.in", "input");
  f.WriteState(ClientStateXml(ProjectXml(kSetiUrl, "SETI@home") +
                              WorkunitXml("sah", "setiathome", "528", "1e13", {"sah.in"}) +
                              ResultXml("sah_0", "sah", 2, "sah_0_0") +
                              ResultXml("done_0", "done", 5, "done_0_0") +
                              ActiveTaskXml(kSetiUrl, "sah_0", "0", "1")));
  const CycleOutcome outcome = f.Cycle();
  EXPECT_EQ(outcome.sounds, (Sounds{"FinishedWU", "NewWU", "CacheEmpty"}));
  EXPECT_EQ(f.test.sound.played, (Sounds{"beep:100,1", "beep:200,1", "beep:300,1"}));
  EXPECT_EQ(outcome.alertState, 3);
  EXPECT_EQ(outcome.trayLevel, 2);
}

TEST(WatchCycle, WorkLeftDecidesTheAlertLevel) {
  WatcherFixture f;
  const std::string project = ProjectXml(kOtherUrl, "Other@Home");
  f.WriteState(ClientStateXml(project + QueuedFor(20)));
  EXPECT_EQ(f.Cycle().alertState, 0);
  f.WriteState(ClientStateXml(project + QueuedFor(5)));
  EXPECT_EQ(f.Cycle().alertState, 1);
  f.WriteState(ClientStateXml(project + QueuedFor(2)));
  EXPECT_EQ(f.Cycle().alertState, 2);
  // Finished, aborted and non-CPU work does not count.
  f.WriteState(ClientStateXml(
      project + WorkunitXml("up", "app", "100", std::to_string(40 * 3600 * 2e9), {}) +
      ResultXml("up_0", "up", 4, "up_0_0") +
      WorkunitXml("ab", "app", "100", std::to_string(40 * 3600 * 2e9), {}) +
      ResultXml("ab_0", "ab", 2, "ab_0_0", "<aborted_via_gui/>\n") + QueuedFor(5) +
      ProjectXml("http://n/", "NCI", "<non_cpu_intensive/>\n") + QueuedFor(40, "nci")));
  EXPECT_EQ(f.Cycle().alertState, 1);
}

TEST(WatchCycle, TimeLeftOfARunningTaskReplacesItsEstimate) {
  WatcherFixture f;
  f.reader.timeLeft["q_0_0"] = 600;
  f.WriteState(ClientStateXml(ProjectXml(kOtherUrl, "Other@Home") + QueuedFor(100) +
                              ActiveTaskXml(kOtherUrl, "q_0", "0", "1")));
  EXPECT_EQ(f.Cycle().alertState, 2);
}

// Queued work of unknown length is neither an empty cache nor a low one.
TEST(WatchCycle, HostSpeedZeroCountsUnknownWorkAndStillPublishes) {
  WatcherFixture f;
  f.WriteState(ClientStateXml(ProjectXml(kOtherUrl, "Other@Home") + QueuedFor(20), "0"));
  const CycleOutcome outcome = f.Cycle();
  EXPECT_TRUE(outcome.published);
  EXPECT_FALSE(outcome.results.empty());
  EXPECT_EQ(outcome.alertState, 0);
  // Without queued results the cache is still empty.
  f.WriteState(ClientStateXml(ProjectXml(kOtherUrl, "Other@Home"), "0"));
  EXPECT_EQ(f.Cycle().alertState, 3);
  EXPECT_TRUE(f.test.ExceptionKeys().empty());
}

TEST(WatchCycle, EveryTaskOfABusyClientGetsItsFacts) {
  WatcherFixture f;
  f.WriteState(ClientStateXml(
      ProjectXml(kSetiUrl, "SETI@home",
                 "<duration_correction_factor>2</duration_correction_factor>") +
      WorkunitXml("ap_wu", "astropulse_v7", "705", "1e12", {"ap_wu.dat", "second"},
                  "<command_line>--x</command_line>\n") +
      WorkunitXml("sah_wu", "setiathome_v8", "800", "3e12", {"sah_wu.dat"}) +
      ResultXml("ap_wu_0", "ap_wu", 2, "ap_wu_0_0") +
      ResultXml("sah_wu_0", "sah_wu", 2, "sah_wu_0_0") + ResultXml("up_0", "up", 4, "up_0_0") +
      ResultXml("queued_0", "queued", 2, "queued_0_0") +
      ProjectXml("http://climateprediction.net/", "climateprediction.net") +
      WorkunitXml("hadcm3", "hadcm3", "600", "1e15", {"hadcm3_in.zip"}) +
      ResultXml("hadcm3_0", "hadcm3", 2, "hadcm3_0_0") +
      ActiveTaskXml(kSetiUrl, "ap_wu_0", "0", "10", "0.500000") +
      ActiveTaskXml(kSetiUrl, "sah_wu_0", "1", "20") +
      ActiveTaskXml("http://climateprediction.net/", "hadcm3_0", "2", "30")));
  const CycleOutcome outcome = f.Cycle();
  ASSERT_EQ(outcome.display.size(), 3u);
  ASSERT_EQ(f.reader.facts.size(), 3u);
  const ActiveTaskFacts& ap = f.reader.facts[0];
  EXPECT_TRUE(ap.moreTasks);
  EXPECT_EQ(ap.kind, ProjectKind::kAstropulse);
  EXPECT_EQ(ap.projectName, "SETI@home");
  EXPECT_EQ(ap.appName, "astropulse_v7");
  EXPECT_EQ(ap.wuFile, "ap_wu.dat");
  EXPECT_EQ(ap.commandLine, "--x");
  EXPECT_EQ(ap.resultFileName, "ap_wu_0_0");
  EXPECT_DOUBLE_EQ(ap.wuEstimate, 2e12);
  EXPECT_DOUBLE_EQ(ap.percentDone, 50);
  EXPECT_DOUBLE_EQ(ap.checkpointCpuTime, 10);
  EXPECT_EQ(ap.resultCount, 5);
  EXPECT_EQ(ap.queuedCount, 4);
  EXPECT_EQ(ap.projectDir, f.clientDir + kSetiDir);
  EXPECT_EQ(ap.slotDir, f.clientDir + "slots/0/");
  EXPECT_EQ(ap.host.domain_name, "alpha");
  EXPECT_EQ(ap.clientState.find("<host_info>"), std::string::npos);
  EXPECT_NE(ap.clientState.find("<active_task>"), std::string::npos);
  EXPECT_EQ(f.reader.facts[1].kind, ProjectKind::kSeti);
  EXPECT_EQ(f.reader.facts[1].appName, "setiathome_v8");
  EXPECT_EQ(f.reader.facts[2].kind, ProjectKind::kClimate);
  EXPECT_EQ(f.reader.facts[2].wuFile, "hadcm3");
  EXPECT_EQ(f.loggers.calls.size(), 1u);
  EXPECT_EQ(f.test.settings.ReadSection(CheckpointSection(f.clientDir)).size(), 3u);
}

TEST(WatchCycle, ResultListHoldsResultsThenProjectsAcrossDirectories) {
  WatcherFixture f;
  const std::string second = f.test.dir.MakeDir("second");
  f.test.settings.WriteBool(sections::kBoincDirs, EscapeIniText(second), true);
  const std::string state =
      ClientStateXml(ProjectXml(kOtherUrl, "Other@Home") + QueuedFor(1) +
                     ResultXml("ab_0", "ab", 2, "ab_0_0", "<aborted_via_gui/>\n"));
  f.WriteState(state);
  f.test.dir.Write("second/client_state.xml", state);
  const CycleOutcome outcome = f.Cycle();
  ASSERT_EQ(outcome.results.size(), 3u);
  EXPECT_EQ(outcome.results[0].ResultFileName, "q_0_0");
  EXPECT_DOUBLE_EQ(outcome.results[0].Estimate, 3600 * 2e9);
  EXPECT_EQ(outcome.results[1].State, 99);
  EXPECT_EQ(outcome.results[2].ProjectName, "Other@Home");
  EXPECT_EQ(outcome.results[2].ResultFileName, "");
  EXPECT_EQ(outcome.display.size(), 2u);
}

TEST(WatchCycle, OneClientUnderTwoSpellingsIsWatchedOnceAnotherCaseIsAnotherClient) {
  WatcherFixture f;
  const std::string state = ClientStateXml(ProjectXml(kOtherUrl, "Other@Home") + QueuedFor(1) +
                                           ActiveTaskXml(kOtherUrl, "q_0", "0", "1"));
  f.WriteState(state);
  const std::string bare = f.clientDir.substr(0, f.clientDir.size() - 1);
  f.test.settings.WriteBool(sections::kBoincDirs, EscapeIniText(bare), true);
  f.test.settings.WriteBool(sections::kBoincDirs, EscapeIniText(bare + "//./"), true);
  EXPECT_EQ(f.Cycle().display.size(), 1u);

  const std::string upper = f.test.dir.MakeDir("CLIENT");
  ASSERT_NE(upper, f.clientDir);
  f.test.dir.Write("CLIENT/client_state.xml", state);
  f.test.settings.WriteBool(sections::kBoincDirs, EscapeIniText(upper), true);
  EXPECT_EQ(f.Cycle().display.size(), 2u);
}

TEST(WatchCycle, ErrorOfASuspendedProjectIsLoggedAndListedAsSuspended) {
  WatcherFixture f;
  f.WriteState(ClientStateXml(ProjectXml(kOtherUrl, "Other@Home", "<suspended_via_gui/>\n") +
                              ResultXml("bad_0", "bad", 3, "bad_0_0")));
  const CycleOutcome outcome = f.Cycle();
  const std::string log = f.ReadLog("boinc.csv");
  EXPECT_NE(log.find("\"bad_0_0\",59.808510,,true,"), std::string::npos) << log;
  ASSERT_FALSE(outcome.results.empty());
  EXPECT_EQ(outcome.results[0].State, 98);
}

TEST(WatchCycle, DisabledDirectoryIsLeftAlone) {
  WatcherFixture f;
  const std::string section = CheckpointSection(f.clientDir);
  f.test.settings.WriteString(section, "gone_0", "5,\"Other@Home\",\"a\",1.00,46000");
  f.test.settings.WriteBool(sections::kBoincDirs, EscapeIniText(f.clientDir), false);
  f.WriteState(ClientStateXml(ProjectXml(kOtherUrl, "Other@Home") + QueuedFor(1)));
  const CycleOutcome outcome = f.Cycle();
  EXPECT_TRUE(outcome.published);
  EXPECT_TRUE(f.reader.facts.empty());
  EXPECT_EQ(f.test.settings.ReadString(section, "gone_0", ""), "5,\"Other@Home\",\"a\",1.00,46000");
}

TEST(WatchCycle, FailedScanKeepsTheAlertsButPlaysWhatWasRaised) {
  WatcherFixture f;
  const std::string project = ProjectXml(kOtherUrl, "Other@Home");
  f.WriteState(ClientStateXml(project + QueuedFor(2)));
  EXPECT_EQ(f.Cycle().alertState, 2);

  f.reader.fail = true;
  f.WriteState(ClientStateXml(project + ResultXml("done_0", "done", 5, "done_0_0")));
  const CycleOutcome outcome = f.Cycle();
  EXPECT_FALSE(outcome.published);
  EXPECT_TRUE(outcome.display.empty());
  EXPECT_EQ(outcome.alertState, 2);
  EXPECT_EQ(outcome.trayLevel, 2);
  EXPECT_EQ(outcome.sounds, Sounds{"FinishedWU"});
  EXPECT_EQ(f.test.ExceptionCount("DrawMonitorImage - reader failed"), 1);
}

TEST(WatchCycle, UnwritableSettingsFileIsReportedWithoutEndingTheCycle) {
  WatcherFixture f;
  f.test.dir.Write("Tessarin.ini/blocker", "");
  f.WriteState(ClientStateXml(ProjectXml(kOtherUrl, "Other@Home") + QueuedFor(1)));
  CycleOutcome outcome;
  EXPECT_NO_THROW(outcome = f.Cycle());
  EXPECT_TRUE(outcome.published);
  EXPECT_EQ(outcome.errors.size(), 1u);
  EXPECT_EQ(outcome.nextIntervalMs, 60000);
}

TEST(WatchCycle, WallpaperRequestWaitsForTheWallpaperStep) {
  WatcherFixture f;
  f.test.settings.Write(settings::kSmvDir, "/opt/seti");
  f.launcher.existing = {"/opt/seti/smv"};
  f.WriteState(ClientStateXml(ProjectXml(kOtherUrl, "Other@Home")));
  f.cycle->RequestWallpaper();
  EXPECT_TRUE(f.Cycle().wallpaper);
  EXPECT_EQ(f.launcher.started, Sounds{"/opt/seti/smv -wallpaper"});
  EXPECT_FALSE(f.Cycle().wallpaperRequested);

  // Switched off: the step takes the request and starts nothing.
  f.test.settings.Write(settings::kWallpaperInCycle, false);
  f.cycle->RequestWallpaper();
  const CycleOutcome off = f.Cycle();
  EXPECT_TRUE(off.wallpaperRequested);
  EXPECT_FALSE(off.wallpaper);
  f.test.settings.Write(settings::kWallpaperInCycle, true);
  EXPECT_FALSE(f.Cycle().wallpaperRequested);
  EXPECT_EQ(f.launcher.started.size(), 1u);

  // No map viewer: nothing starts.
  f.launcher.existing.clear();
  f.cycle->RequestWallpaper();
  EXPECT_FALSE(f.Cycle().wallpaper);
}

TEST(WatchCycle, FirstCycleAndTheIntervalAfterEachCycle) {
  WatcherFixture f;
  f.WriteState(ClientStateXml(ProjectXml(kOtherUrl, "Other@Home")));
  const CycleOutcome first = f.Cycle();
  EXPECT_TRUE(first.firstCycle);
  EXPECT_EQ(first.nextIntervalMs, 60000);
  f.test.settings.Write(settings::kTimer, 0);
  const CycleOutcome second = f.Cycle();
  EXPECT_FALSE(second.firstCycle);
  EXPECT_EQ(second.nextIntervalMs, 100);
  f.test.settings.Write(settings::kTimer, 5);
  EXPECT_EQ(f.Cycle().nextIntervalMs, 5000);
}

}  // namespace
}  // namespace tessarin::test
