#include "core/watcher/backups.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <utime.h>

#include <algorithm>
#include <filesystem>

#include "core/settings/settings_keys.h"
#include "core/tools/date_time.h"
#include "core/watcher/checkpoint_memory.h"
#include "support/fault_support.h"
#include "watcher_fixture.h"

namespace tessarin::test {
namespace {

bool Has(const std::vector<std::string>& sounds, const std::string& key) {
  return std::find(sounds.begin(), sounds.end(), key) != sounds.end();
}

void SetFileTime(const std::string& path, double unixSeconds) {
  const utimbuf times{static_cast<time_t>(unixSeconds), static_cast<time_t>(unixSeconds)};
  ASSERT_EQ(::utime(path.c_str(), &times), 0);
}

std::string SetiRunning() {
  return ClientStateXml(
      ProjectXml(kSetiUrl, "SETI@home") +
      WorkunitXml("sah_wu", "setiathome_enhanced", "528", "30000000000000", {"sah_wu"}) +
      ResultXml("sah_wu_1", "sah_wu", 2, "sah_wu_1_0") +
      ActiveTaskXml(kSetiUrl, "sah_wu_1", "0", "10.5"));
}

TEST(Backups, NewSetiWorkUnitIsCopiedOnceWithSoundAndWallpaper) {
  WatcherFixture f;
  f.launcher.existing = {"/usr/bin/smv"};
  f.WriteState(SetiRunning());
  f.WriteClientFile(std::string(kSetiDir) + "sah_wu", "work unit bytes");
  const CycleOutcome first = f.Cycle();
  EXPECT_EQ(f.ReadLog("sah_wu.tess"), "work unit bytes");
  EXPECT_EQ(f.ReadLog("sah_wu.xml").rfind("<workunit>\n    <name>sah_wu</name>", 0), 0u);
  EXPECT_TRUE(Has(first.sounds, "NewWU"));
  EXPECT_TRUE(first.wallpaper);
  EXPECT_EQ(f.launcher.started, std::vector<std::string>{"/usr/bin/smv -wallpaper"});

  const CycleOutcome second = f.Cycle();
  EXPECT_FALSE(Has(second.sounds, "NewWU"));
  EXPECT_FALSE(second.wallpaperRequested);
  EXPECT_EQ(f.launcher.started.size(), 1u);
}

TEST(Backups, EinsteinWorkUnitRaisesNewWorkButNoWallpaper) {
  WatcherFixture f;
  f.test.settings.Write(settings::kBackupWU, true);
  f.WriteState(
      ClientStateXml(ProjectXml(kOtherUrl, "Einstein@Home") +
                     WorkunitXml("ein_wu", "einstein_S5R3", "405", "1e13", {"ein_wu.dat"}) +
                     ResultXml("ein_wu_0", "ein_wu", 2, "ein_wu_0_0")));
  f.WriteClientFile(std::string(kOtherDir) + "ein_wu.dat", "input");
  const CycleOutcome outcome = f.Cycle();
  EXPECT_EQ(f.ReadLog("ein_wu.dat.tess"), "input");
  EXPECT_TRUE(Has(outcome.sounds, "NewWU"));
  EXPECT_FALSE(outcome.wallpaperRequested);
}

TEST(Backups, ResultCopyFollowsEverySizeChange) {
  WatcherFixture f;
  f.WriteState(SetiRunning());
  const std::string output = std::string(kSetiDir) + "sah_wu_1_0";
  f.WriteClientFile(output, "12345");
  f.Cycle();
  EXPECT_EQ(f.ReadLog("sah_wu_1_0.tess"), "12345");
  f.WriteClientFile(output, "1234567");
  f.Cycle();
  EXPECT_EQ(f.ReadLog("sah_wu_1_0.tess"), "1234567");
  f.WriteClientFile(output, "12");
  f.Cycle();
  EXPECT_EQ(f.ReadLog("sah_wu_1_0.tess"), "12");
}

TEST(Backups, StateCopyPrefersStateSahAndFollowsNewerFiles) {
  WatcherFixture f;
  f.WriteState(SetiRunning());
  f.WriteClientFile("slots/0/state.sah", "sah state");
  f.WriteClientFile("slots/0/ap_state.dat", "ap state");
  f.Cycle();
  EXPECT_EQ(f.ReadLog("sah_wu_1_0_state.tess"), "sah state");

  const std::string copy = f.env.logDir + "sah_wu_1_0_state.tess";
  const std::string source = f.clientDir + "slots/0/state.sah";
  f.WriteClientFile("slots/0/state.sah", "older state");
  SetFileTime(source, 1000000000);
  f.Cycle();
  EXPECT_EQ(f.ReadLog("sah_wu_1_0_state.tess"), "sah state");

  SetFileTime(copy, 1000000000);
  SetFileTime(source, 1000000100);
  f.Cycle();
  EXPECT_EQ(f.ReadLog("sah_wu_1_0_state.tess"), "older state");
}

TEST(Backups, HostileNamesNeverLeaveTheLogDirectory) {
  WatcherFixture f;
  f.test.settings.Write(settings::kBackupWU, true);
  f.WriteClientFile("escape", "outside");
  f.WriteClientFile(std::string(kOtherDir) + "good.in", "good");
  f.WriteState(ClientStateXml(
      ProjectXml(kOtherUrl, "Other@Home") +
      WorkunitXml("../evil", "app", "1", "1e9", {"../../../escape", "good.in"}) +
      WorkunitXml("..", "app", "1", "1e9", {".", "a\\b", ""}) +
      ResultXml("r_0", "../evil", 2, "sub/dir") + ResultXml("r_1", "..", 5, "../../../escape")));
  f.Cycle();

  EXPECT_EQ(f.ReadLog("good.in.tess"), "good");
  EXPECT_FALSE(std::filesystem::exists("/escape.tess"));
  EXPECT_FALSE(std::filesystem::exists(f.env.logDir + ".xml"));
  // Nothing was written outside the log directory.
  for (const auto& entry : std::filesystem::recursive_directory_iterator(f.test.dir.path())) {
    const std::string path = entry.path().string();
    if (!entry.is_regular_file() || path == f.test.settings.FileName())
      continue;
    EXPECT_TRUE(path.rfind(f.env.logDir, 0) == 0 || path.rfind(f.clientDir, 0) == 0) << path;
  }
  for (const char* message :
       {"ProcessWorkunit - unsafe file name - ../evil",
        "ProcessWorkunit - unsafe file name - ../../../escape",
        "ProcessWorkunit - unsafe file name - ..", "ProcessWorkunit - unsafe file name - .",
        "ProcessWorkunit - unsafe file name - a\\b", "ProcessWorkunit - unsafe file name - ",
        "ProcessResult - unsafe file name - sub/dir",
        "ProcessResult - unsafe file name - ../../../escape"}) {
    EXPECT_EQ(f.test.ExceptionCount(message), 1) << message;
  }
  // The finished result is still logged, but its names reach no project logger.
  EXPECT_NE(f.ReadLog("boinc.csv").find("\"../../../escape\""), std::string::npos);
  EXPECT_TRUE(f.loggers.calls.empty());
  EXPECT_EQ(f.test.ExceptionCount("LogWU - unsafe file name - ../../../escape"), 1);
}

TEST(Backups, VanishedTaskIsLoggedFromItsCopiesWithTheLastCheckpoint) {
  WatcherFixture f;
  const std::string project = ProjectXml(kOtherUrl, "Other@Home");
  f.WriteState(ClientStateXml(project +
                              WorkunitXml("wu_v", "otherapp", "612", "1e12", {"wu_v.in"}) +
                              ResultXml("wu_v_1", "wu_v", 2, "wu_v_1_0") +
                              ActiveTaskXml(kOtherUrl, "wu_v_1", "3", "120.5")));
  f.WriteClientFile(std::string(kOtherDir) + "wu_v_1_0", "partial output");
  f.WriteClientFile("slots/3/state.sah", "state");
  f.Cycle();
  ASSERT_EQ(f.ReadLog("wu_v_1_0.tess"), "partial output");
  EXPECT_EQ(f.ReadLog("boinc.csv"), "");

  // Reported and gone before the next cycle; the state copy is the later of the two.
  SetFileTime(f.env.logDir + "wu_v_1_0.tess", 1790000000);
  SetFileTime(f.env.logDir + "wu_v_1_0_state.tess", 1790000500);
  f.WriteState(ClientStateXml(project));
  f.Cycle();
  const std::string log = f.ReadLog("boinc.csv");
  const std::string expected = "\"" + FormatLogDate(1790000500) + "\",\"Other@Home\",\"otherapp\",";
  ASSERT_NE(log.find("\r\n"), std::string::npos);
  const std::string row = log.substr(log.find("\r\n") + 2);
  EXPECT_EQ(row.rfind(expected, 0), 0u) << row;
  const std::string ending = ",,\"home\",7.20,1.52,6.12,\"wu_v\",\"wu_v_1_0\",120.5,,false,";
  EXPECT_EQ(row.substr(row.size() - ending.size()), ending);
  EXPECT_EQ(f.loggers.calls.size(), 1u);
  EXPECT_TRUE(f.test.settings.ReadSection(CheckpointSection(f.clientDir)).empty());

  f.Cycle();
  EXPECT_EQ(f.loggers.calls.size(), 1u);
}

TEST(Backups, VanishedTaskAlreadyLoggedWhileUploadingIsNotLoggedAgain) {
  WatcherFixture f;
  const std::string project = ProjectXml(kOtherUrl, "Other@Home");
  f.WriteClientFile(std::string(kOtherDir) + "wu_u_0_0", "output");
  f.WriteState(ClientStateXml(project + ResultXml("wu_u_0", "wu_u", 4, "wu_u_0_0") +
                              ActiveTaskXml(kOtherUrl, "wu_u_0", "1", "50")));
  f.Cycle();
  f.WriteState(ClientStateXml(project));
  f.Cycle();
  const std::string log = f.ReadLog("boinc.csv");
  EXPECT_EQ(log.find("wu_u_0_0"), log.rfind("wu_u_0_0"));
}

TEST(Backups, WhatAVanishedTaskLogsFollowsItsResultsLastStateInTheClient) {
  struct Case {
    const char* what;
    std::string result;  // the result's element after the task left, empty when gone
    int rows;            // boinc.csv rows after two cycles
    const char* error;   // the row's error column
    bool remembered;     // still in the checkpoint memory
  };
  const Case cases[] = {
      {"reported and gone", "", 1, "false", false},
      {"aborted (state 6)", ResultXml("wu_v_1", "wu_v", 6, "wu_v_1_0"), 0, "", false},
      {"aborted from the manager",
       ResultXml("wu_v_1", "wu_v", 5, "wu_v_1_0", "<aborted_via_gui/>\n"), 0, "", false},
      {"compute error (state 3)", ResultXml("wu_v_1", "wu_v", 3, "wu_v_1_0"), 1, "true", false},
      {"upload failed (state 7)", ResultXml("wu_v_1", "wu_v", 7, "wu_v_1_0"), 1, "true", false},
      {"waiting to run again", ResultXml("wu_v_1", "wu_v", 2, "wu_v_1_0"), 0, "", true},
  };
  for (const Case& c : cases) {
    WatcherFixture f;
    const std::string project = ProjectXml(kOtherUrl, "Other@Home");
    const std::string workunit = WorkunitXml("wu_v", "otherapp", "612", "1e12", {"wu_v.in"});
    f.WriteState(ClientStateXml(project + workunit + ResultXml("wu_v_1", "wu_v", 2, "wu_v_1_0") +
                                ActiveTaskXml(kOtherUrl, "wu_v_1", "3", "120.5")));
    f.WriteClientFile(std::string(kOtherDir) + "wu_v_1_0", "partial output");
    f.Cycle();
    f.WriteState(ClientStateXml(project + workunit + c.result));
    f.Cycle();
    f.Cycle();
    const std::string log = f.ReadLog("boinc.csv");
    int rows = 0;
    for (std::size_t at = log.find("\r\n"); at != std::string::npos; at = log.find("\r\n", at + 1))
      ++rows;
    EXPECT_EQ(rows, c.rows) << c.what;
    if (rows == 1) {
      const std::string ending = std::string(",") + c.error + ",";
      EXPECT_NE(log.find(ending, log.rfind("\"wu_v_1_0\"")), std::string::npos) << c.what;
    }
    EXPECT_EQ(f.test.settings.ReadSection(CheckpointSection(f.clientDir)).size(),
              c.remembered ? 1u : 0u)
        << c.what;
  }
}

TEST(Backups, AVanishedTaskWhoseLoggingFailedIsRememberedUntilItsRowIsWritten) {
  WatcherFixture f;
  const std::string project = ProjectXml(kOtherUrl, "Other@Home");
  f.WriteState(ClientStateXml(project + ResultXml("wu_v_1", "wu_v", 2, "wu_v_1_0") +
                              ActiveTaskXml(kOtherUrl, "wu_v_1", "3", "120.5")));
  f.WriteClientFile(std::string(kOtherDir) + "wu_v_1_0", "partial output");
  f.Cycle();
  // boinc.csv cannot be read or written while the task vanishes.
  std::filesystem::create_directory(f.env.logDir + "boinc.csv");
  f.WriteState(ClientStateXml(project));
  f.Cycle();
  f.Cycle();
  EXPECT_EQ(f.test.settings.ReadSection(CheckpointSection(f.clientDir)).size(), 1u);

  std::filesystem::remove(f.env.logDir + "boinc.csv");
  f.Cycle();
  f.Cycle();
  const std::string log = f.ReadLog("boinc.csv");
  EXPECT_NE(log.find("\"wu_v_1_0\""), std::string::npos);
  EXPECT_EQ(log.find("\"wu_v_1_0\""), log.rfind("\"wu_v_1_0\""));
  EXPECT_TRUE(f.test.settings.ReadSection(CheckpointSection(f.clientDir)).empty());
}

TEST(Backups, AVanishedTaskWhoseCopiesAreAwayIsWaitedForAWeek) {
  WatcherFixture f;
  const std::string project = ProjectXml(kOtherUrl, "Other@Home");
  const auto running = [&](const std::string& result) {
    f.WriteState(ClientStateXml(project + ResultXml(result, "wu_v", 2, result + "_0") +
                                ActiveTaskXml(kOtherUrl, result, "3", "120.5")));
    f.WriteClientFile(std::string(kOtherDir) + result + "_0", "partial output");
    f.Cycle();
  };
  running("wu_v_1");
  // Vanished while the log directory, with the copy, is away (a disk not mounted yet).
  const std::string logs = f.env.logDir.substr(0, f.env.logDir.size() - 1);
  std::filesystem::rename(logs, logs + ".away");
  f.WriteState(ClientStateXml(project));
  f.Cycle();
  EXPECT_EQ(f.test.settings.ReadSection(CheckpointSection(f.clientDir)).size(), 1u);
  std::filesystem::remove_all(logs);
  std::filesystem::rename(logs + ".away", logs);
  f.Cycle();
  EXPECT_EQ(Occurrences(f.ReadLog("boinc.csv"), "\"wu_v_1_0\""), 1);
  EXPECT_TRUE(f.test.settings.ReadSection(CheckpointSection(f.clientDir)).empty());

  // One whose copy never comes is given up a week after its last checkpoint.
  running("wu_v_2");
  std::filesystem::remove(f.env.logDir + "wu_v_2_0.tess");
  f.WriteState(ClientStateXml(project));
  f.test.clock.Advance(6 * 86400);
  f.Cycle();
  EXPECT_EQ(f.test.settings.ReadSection(CheckpointSection(f.clientDir)).size(), 1u);
  f.test.clock.Advance(2 * 86400);
  f.Cycle();
  EXPECT_TRUE(f.test.settings.ReadSection(CheckpointSection(f.clientDir)).empty());
  EXPECT_EQ(f.test.ExceptionCount("LogFromBackups - No copy of a vanished task after 7 days"), 1);
}

TEST(Backups, VanishedTaskWithAHostileNameIsNotLogged) {
  WatcherFixture f;
  const std::string section = CheckpointSection(f.clientDir);
  f.test.settings.WriteString(section, "../up", "5,\"Other@Home\",\"a\",1.00,46000");
  f.test.settings.WriteString(section, "*", "5,\"Other@Home\",\"a\",1.00,46000");
  f.test.dir.Write("escape_0.tess", "x");
  f.test.dir.Write("logs/some_1_0.tess", "x");
  f.WriteState(ClientStateXml(ProjectXml(kOtherUrl, "Other@Home")));
  f.Cycle();
  EXPECT_EQ(f.ReadLog("boinc.csv"), "");
  EXPECT_EQ(f.test.ExceptionCount("LogFromBackups - unsafe file name - ../up_0.tess"), 1);
  EXPECT_EQ(f.test.ExceptionCount("LogFromBackups - unsafe file name - *_0.tess"), 1);
}

}  // namespace
}  // namespace tessarin::test
