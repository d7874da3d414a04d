#include "core/watcher/checkpoint_memory.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/browsers/history_test_time_zone.h"
#include "core/settings/settings_keys.h"
#include "core/settings/settings_store.h"
#include "core/tools/date_time.h"
#include "core/tools/number_format.h"
#include "watcher_fixture.h"

namespace tessarin::test {
namespace {

std::string Running(const std::string& cpu, const std::string& projectExtra = "") {
  return ClientStateXml(ProjectXml(kOtherUrl, "Other@Home", projectExtra) +
                        WorkunitXml("wu_c", "otherapp", "512", "1e12", {"wu_c.in"}) +
                        ResultXml("wu_c_0", "wu_c", 2, "wu_c_0_0") +
                        ActiveTaskXml(kOtherUrl, "wu_c_0", "0", cpu));
}

struct CheckpointTest : ::testing::Test {
  ProgressStatus CycleStatus() {
    f.reader.facts.clear();
    f.Cycle();
    EXPECT_EQ(f.reader.facts.size(), 1u);
    return f.reader.facts.empty() ? ProgressStatus::kNotJudged : f.reader.facts[0].progress;
  }
  std::string Stored() const {
    return f.test.settings.ReadString(CheckpointSection(f.clientDir), "wu_c_0", "");
  }
  // Days since 1899-12-30 in UTC, marked as such.
  std::string Serial() const { return FormatGeneral(f.test.clock.Now() / 86400 + 25569, 12) + "Z"; }
  WatcherFixture f;
};

TEST_F(CheckpointTest, NewTaskIsActiveAndRemembered) {
  f.WriteState(Running("120.5"));
  EXPECT_EQ(CycleStatus(), ProgressStatus::kActive);
  EXPECT_EQ(Stored(), "120.5,\"Other@Home\",\"otherapp\",5.12," + Serial());
  EXPECT_EQ(f.test.dir.Read("Tessarin.ini").find("wu_c_0=120.5,") != std::string::npos, true);
}

TEST_F(CheckpointTest, UnchangedCpuTimeTurnsInactiveAfterTenMinutes) {
  f.WriteState(Running("120.5"));
  CycleStatus();
  const std::string firstSeen = Stored();
  f.test.clock.Advance(5 * 60);
  EXPECT_EQ(CycleStatus(), ProgressStatus::kActive);
  EXPECT_EQ(Stored(), firstSeen);
  f.test.clock.Advance(6 * 60);
  EXPECT_EQ(CycleStatus(), ProgressStatus::kInactive);
  EXPECT_EQ(Stored(), firstSeen);

  f.WriteState(Running("130.25"));
  EXPECT_EQ(CycleStatus(), ProgressStatus::kActive);
  EXPECT_EQ(Stored(), "130.25,\"Other@Home\",\"otherapp\",5.12," + Serial());
}

// Five minutes across the spring change: a local change time would make them 65.
TEST_F(CheckpointTest, DaylightSavingChangeDoesNotAgeTheLastChange) {
  ScopedTimeZone berlin("Europe/Berlin");
  f.test.clock.Set(1774745880);  // 2026-03-29 00:58 UTC, two minutes before the change
  f.WriteState(Running("120.5"));
  CycleStatus();
  f.test.clock.Advance(5 * 60);
  EXPECT_EQ(CycleStatus(), ProgressStatus::kActive);

  // A value of an older version, a local date serial, is read once and stored in UTC.
  const std::string local = FormatGeneral(DateSerialFromUnix(f.test.clock.Now() - 4 * 60), 12);
  f.test.settings.WriteString(CheckpointSection(f.clientDir), "wu_c_0",
                              "120.5,\"Other@Home\",\"otherapp\",5.12," + local);
  EXPECT_EQ(CycleStatus(), ProgressStatus::kActive);
  const std::string stored = Stored();
  EXPECT_EQ(stored.back(), 'Z') << stored;
  f.test.clock.Advance(7 * 60);
  EXPECT_EQ(CycleStatus(), ProgressStatus::kInactive);
}

TEST_F(CheckpointTest, CpuTimeFallingToZeroIsForgottenForOneCycle) {
  f.WriteState(Running("120.5"));
  CycleStatus();
  f.WriteState(Running("0"));
  CycleStatus();
  EXPECT_EQ(Stored(), "");
  CycleStatus();
  EXPECT_EQ(Stored().rfind("0,", 0), 0u);
}

TEST_F(CheckpointTest, SuspendedProjectTaskIsSuspendedAndStillRemembered) {
  f.WriteState(Running("12", "    <suspended_via_gui/>\n"));
  EXPECT_EQ(CycleStatus(), ProgressStatus::kSuspended);
  EXPECT_NE(Stored(), "");
  ASSERT_EQ(f.Cycle().results.front().State, 98);
}

TEST_F(CheckpointTest, MissingClientStateShowsTheClientAndKeepsTheMemory) {
  f.WriteState(Running("120.5"));
  CycleStatus();
  const std::string remembered = Stored();
  std::filesystem::remove(f.clientDir + "client_state.xml");
  f.reader.facts.clear();
  const CycleOutcome outcome = f.Cycle();
  ASSERT_EQ(f.reader.facts.size(), 1u);
  const ActiveTaskFacts& lost = f.reader.facts[0];
  EXPECT_EQ(lost.clientState, "");
  EXPECT_EQ(lost.clientDir, f.clientDir);
  EXPECT_EQ(lost.resultName, "");
  EXPECT_TRUE(outcome.published);
  EXPECT_TRUE(outcome.results.empty());
  EXPECT_EQ(Stored(), remembered);
  EXPECT_EQ(f.ReadLog("boinc.csv"), "");
}

TEST_F(CheckpointTest, TruncatedClientStateKeepsTheTasksAfterTheCut) {
  f.WriteClientFile(std::string(kOtherDir) + "wu_c_0_0", "output");
  f.WriteState(Running("120.5"));
  const std::uint8_t alertBefore = f.Cycle().alertState;
  // Cut in the middle of a later result: the results before it count, the task after it is
  // not taken for gone.
  const std::string full = ClientStateXml(
      ProjectXml(kOtherUrl, "Other@Home") + ResultXml("done_0", "done", 5, "done_0_0") +
      ResultXml("wu_c_0", "wu_c", 2, "wu_c_0_0") + ActiveTaskXml(kOtherUrl, "wu_c_0", "0", "125"));
  f.WriteState(full.substr(0, full.find("<wu_name>wu_c")));
  const CycleOutcome outcome = f.Cycle();
  EXPECT_NE(f.ReadLog("boinc.csv").find("\"done_0_0\""), std::string::npos);
  EXPECT_EQ(f.ReadLog("boinc.csv").find("\"wu_c_0_0\""), std::string::npos);
  EXPECT_NE(Stored(), "");
  // The alerts of the last whole file stay.
  EXPECT_EQ(outcome.alertState, alertBefore);
  EXPECT_EQ(outcome.results.front().ResultFileName, "done_0_0");
}

}  // namespace
}  // namespace tessarin::test

namespace tessarin::test {
namespace {

// Result names come from the client: written to Tessarin.ini and read back by the next start,
// each is the same name again, and none moves a setting or adds a watched client.
TEST(CheckpointKeys, HostileResultNamesReadBackAsWrittenAndSteerNothing) {
  TempDir dir;
  const std::string ini = dir.path() + "Tessarin.ini";
  const std::string client = "/var/lib/boinc-client/";
  const std::vector<std::string> names = {
      "[Options]", "logdir",      "[BoincDirs]", "/home/victim/", "a=b",
      "50%3D",     "; comment",   "  padded  ",  "line\r\nbreak", "tab\there",
      "%5D]%",     "ctl\x01\x7F", "plain_0"};
  {
    SettingsStore store(ini);
    store.Write(settings::kLogDir, "/home/u/logs");
    CheckpointMemory memory(store, client);
    for (const std::string& name : names)
      memory.Observe(name, 1, "P", "A", "1.0", 45000, ProgressStatus::kNotJudged);
    memory.Store();
    store.UpdateFile();
  }
  SettingsStore reread(ini);
  EXPECT_EQ(reread.Read(settings::kLogDir), "/home/u/logs");
  EXPECT_EQ(reread.ReadSections(),
            (std::vector<std::string>{"Options", CheckpointSection(client)}));
  std::vector<std::string> readBack;
  const CheckpointMemory memory(reread, client);
  for (const auto& entry : memory.Vanished())
    readBack.push_back(entry.first);
  EXPECT_EQ(readBack, names);
}

TEST(CheckpointKeys, KeysWrittenBeforeEscapingReadAsTheyStand) {
  TempDir dir;
  const std::string client = "/var/lib/boinc/";
  dir.Write("Tessarin.ini",
            "[" + CheckpointSection(client) +
                "]\r\nwu_1_0=5,\"P\",\"A\",1.0,45000\r\n50%_done=1,\"P\",\"A\",1.0,45000\r\n");
  SettingsStore store(dir.path() + "Tessarin.ini");
  std::vector<std::string> names;
  const CheckpointMemory memory(store, client);
  for (const auto& entry : memory.Vanished())
    names.push_back(entry.first);
  EXPECT_EQ(names, (std::vector<std::string>{"wu_1_0", "50%_done"}));
}

}  // namespace
}  // namespace tessarin::test
