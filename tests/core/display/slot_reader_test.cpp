// Common fields, progress, CPU time, time left and status of every entry.

#include <gtest/gtest.h>

#include "core/display/cell_text.h"
#include "slot_fixture.h"

namespace tessarin::test {
namespace {

struct SlotReaderTest : SlotFixture, ::testing::Test {};

TEST_F(SlotReaderTest, UnreadableClientShowsLostConnection) {
  facts.clientState.clear();
  facts.kind = ProjectKind::kSeti;
  facts.queuedCount = 0;
  facts.resultCount = 0;
  facts.projectName.clear();
  const SlotInfo& entry = Read();
  EXPECT_EQ(entry.HostName, facts.clientDir);
  EXPECT_EQ(entry.ReadyCount, -1);
  EXPECT_EQ(entry.ProjectKind, 0);
  EXPECT_EQ(entry.StatusText, "Connection to client lost !");
  EXPECT_EQ(entry.StatusColor, colors::kRed);
  EXPECT_EQ(entry.CpuText, "");
  EXPECT_EQ(entry.TimeLeft, -1);
}

TEST_F(SlotReaderTest, EmptyCacheShowsNoProgress) {
  facts.queuedCount = 0;
  facts.percentDone = 40;
  facts.checkpointCpuTime = 100;
  const SlotInfo& entry = Read();
  EXPECT_EQ(entry.HostName, "alpha");
  EXPECT_EQ(entry.ReadyCount, 0);
  EXPECT_EQ(entry.StatusText, "Cache empty !");
  EXPECT_EQ(entry.StatusColor, colors::kRed);
  EXPECT_EQ(entry.CpuText, "");
  EXPECT_EQ(entry.Progress, 0);
  EXPECT_EQ(entry.TimeLeft, -1);
}

TEST_F(SlotReaderTest, CopiesAndBoundsCommonFields) {
  facts.host.domain_name = std::string(120, 'h');
  facts.projectName = std::string(60, 'p');
  facts.appName = std::string(60, 'a');
  facts.resultName = std::string(130, 'r');
  facts.slot = "slot 12";
  facts.moreTasks = true;
  const SlotInfo& entry = Read();
  EXPECT_EQ(entry.HostName, std::string(100, 'h'));
  EXPECT_EQ(entry.ProjectName, std::string(50, 'p'));
  EXPECT_EQ(entry.AppName, std::string(50, 'a'));
  EXPECT_EQ(entry.ResultName, std::string(100, 'r'));
  EXPECT_EQ(entry.SlotNumber, 12);
  EXPECT_TRUE(entry.MultiTask);
  EXPECT_EQ(entry.ResultCount, 5);
  EXPECT_EQ(entry.ReadyCount, 3);
  EXPECT_FALSE(entry.NonCpuIntensive);
}

TEST_F(SlotReaderTest, LargeSlotsAndCachesAreShownAsTheyAre) {
  facts.slot = "300";
  facts.resultCount = 70000;
  facts.queuedCount = 69999;
  facts.moreTasks = true;
  const SlotInfo& entry = Read();
  EXPECT_EQ(entry.StatusText, "0.000 % (active)");
  EXPECT_TRUE(t.ExceptionKeys().empty());
  const CellLine header = CellLines(entry, {}).at(0);
  EXPECT_EQ(header.centre, "Slot 300");
  EXPECT_EQ(header.right, "Cache: 69999 / 70000");
}

TEST_F(SlotReaderTest, ClientWithWorkButNoRunningTaskSaysSo) {
  // What the scan hands over for a client whose cache holds work it does not run.
  facts.resultName.clear();
  facts.slot.clear();
  facts.projectName.clear();
  facts.appName.clear();
  facts.resultFileName.clear();
  facts.progress = ProgressStatus::kNotJudged;
  const SlotInfo& entry = Read();
  EXPECT_EQ(entry.StatusText, "No task running");
  EXPECT_EQ(entry.StatusColor, colors::kBlack);
  EXPECT_EQ(entry.CpuText, "");
  EXPECT_EQ(entry.TimeLeft, -1);
  EXPECT_EQ(entry.ReadyCount, 3);
  EXPECT_EQ(CellLines(entry, {}).at(0).right, "Cache: 3 / 5");
}

TEST_F(SlotReaderTest, StatusWordAndColourFollowProgressStatus) {
  facts.percentDone = 12.3456;
  facts.checkpointCpuTime = 100;
  const struct {
    ProgressStatus status;
    const char* text;
    Rgb color;
  } cases[] = {
      {ProgressStatus::kNotJudged, "12.346 %", colors::kBlack},
      {ProgressStatus::kActive, "12.346 % (active)", colors::kGreen},
      {ProgressStatus::kInactive, "12.346 % (inactive)", colors::kRed},
      {ProgressStatus::kSuspended, "12.346 % (suspended)", colors::kRed},
      {ProgressStatus::kNonCpuIntensive, "always active (non cpu intensive)", colors::kGreen},
  };
  for (const auto& c : cases) {
    facts.progress = c.status;
    const SlotInfo& entry = Read();
    EXPECT_EQ(entry.StatusText, c.text);
    EXPECT_EQ(entry.StatusColor, c.color) << c.text;
  }
}

TEST_F(SlotReaderTest, NonCpuIntensiveTaskShowsNoTimeLeftButPassesIt) {
  facts.progress = ProgressStatus::kNonCpuIntensive;
  facts.percentDone = 50;
  facts.checkpointCpuTime = 3725;
  ResultIndex(results).AddResult(facts.host, ProjectRecord{}, 0, 2, facts.resultFileName,
                                 facts.wuFile);
  const SlotInfo& entry = Read();
  EXPECT_TRUE(entry.NonCpuIntensive);
  EXPECT_EQ(entry.CpuText, ": 1:02:05");
  EXPECT_EQ(entry.TimeLeft, 3725);
  EXPECT_EQ(results[0].TimeLeft, 3725);
}

TEST_F(SlotReaderTest, TimeLeftFromProgressAndCpuTime) {
  facts.checkpointCpuTime = 3725;
  facts.percentDone = 25;
  ResultIndex(results).AddResult(facts.host, ProjectRecord{}, 0, 2, "other_0", "other");
  ResultIndex(results).AddResult(facts.host, ProjectRecord{}, 0, 2, facts.resultFileName,
                                 facts.wuFile);
  const SlotInfo& entry = Read();
  EXPECT_DOUBLE_EQ(entry.Progress, 25);
  EXPECT_EQ(entry.TimeLeft, 11175);
  EXPECT_EQ(entry.CpuText, ": 1:02:05 (3:06:15 left)");
  EXPECT_EQ(results[0].TimeLeft, -1);
  EXPECT_EQ(results[1].TimeLeft, 11175);
}

TEST_F(SlotReaderTest, TimeLeftBranches) {
  const struct {
    double percent, cpu, estimate;
    std::int32_t expected;
  } cases[] = {
      {100, 50, 0, 1},                         // done: one second, whatever the rest says
      {120, 0, 0, 1},                          //
      {40, 1, 0, 2},                           // 1.5 rounds to the even 2
      {50, 0.5, 0, 0},                         // 0.5 rounds to the even 0
      {25, 0, 36e12, 27000},                   // no CPU time yet: the rest of the estimate
      {0, 0, 36e12, 36000},                    // nothing done: estimate minus CPU time
      {0, 100, 36e12, 35900}, {0, 0, 1e9, 1},  // estimate of one second is not above cpu + 1
      {0, 5, 3e9, 1},
  };
  for (const auto& c : cases) {
    facts.percentDone = c.percent;
    facts.checkpointCpuTime = c.cpu;
    facts.wuEstimate = c.estimate;
    EXPECT_EQ(Read().TimeLeft, c.expected)
        << c.percent << " % after " << c.cpu << " s of " << c.estimate;
  }
  EXPECT_TRUE(t.ExceptionKeys().empty());
}

TEST_F(SlotReaderTest, FinishedTaskShowsOneSecondLeft) {
  facts.percentDone = 100;
  facts.checkpointCpuTime = 3725;
  EXPECT_EQ(Read().CpuText, ": 1:02:05 (0:00:01 left)");
}

TEST_F(SlotReaderTest, ZeroHostSpeedLeavesTimeLeftUnknown) {
  facts.host.p_fpops = "";
  facts.wuEstimate = 36e12;
  ResultIndex(results).AddResult(facts.host, ProjectRecord{}, 0, 2, facts.resultFileName,
                                 facts.wuFile);
  const SlotInfo& entry = Read();
  EXPECT_EQ(entry.TimeLeft, -1);
  EXPECT_EQ(entry.StatusText, "0.000 %");
  EXPECT_EQ(entry.CpuText, ": 0:00:00");
  EXPECT_EQ(results[0].TimeLeft, -1);
  EXPECT_EQ(t.ExceptionCount("GetSlot - host speed is zero"), 1);

  // Progress and CPU time need no host speed.
  facts.percentDone = 50;
  facts.checkpointCpuTime = 10;
  EXPECT_EQ(Read().TimeLeft, 10);
  EXPECT_EQ(t.ExceptionCount("GetSlot - host speed is zero"), 1);
}

TEST_F(SlotReaderTest, TimeLeftBeyondThirtyTwoBitsStaysUnknown) {
  facts.percentDone = 1e-9;
  facts.checkpointCpuTime = 1000;
  EXPECT_EQ(Read().TimeLeft, -1);
  EXPECT_EQ(t.ExceptionCount("GetSlot - time left out of range"), 1);

  facts.percentDone = 0;
  facts.wuEstimate = 1e300;
  EXPECT_EQ(Read().TimeLeft, -1);
  EXPECT_EQ(t.ExceptionCount("GetSlot - time left out of range"), 2);

  facts.checkpointCpuTime = 1e12;
  facts.wuEstimate = 0;
  EXPECT_EQ(Read().CpuText, "");
  EXPECT_EQ(t.ExceptionCount("GetSlot - CPU time out of range"), 1);
}

TEST_F(SlotReaderTest, LongCpuTextIsCutAtThirtyCharacters) {
  facts.percentDone = 50;
  facts.checkpointCpuTime = 360000000;
  const SlotInfo& entry = Read();
  EXPECT_EQ(entry.CpuText, ": 100000:00:00 (100000:00:00 l");
}

TEST_F(SlotReaderTest, OtherKindsReadNoFiles) {
  facts.kind = ProjectKind::kPredictor;
  facts.percentDone = 10;
  const SlotInfo& entry = Read();
  EXPECT_EQ(entry.ProjectKind, 3);
  EXPECT_EQ(entry.InfoText, "");
  EXPECT_EQ(entry.OutputSize, 0);
  EXPECT_EQ(entry.StatusText, "10.000 % (active)");
}

}  // namespace
}  // namespace tessarin::test

namespace tessarin::test {
namespace {

// A remote task's science files are on the other machine: nothing local is read, even where
// files of that name exist, and the kind and RPC progress still show.
TEST_F(SlotReaderTest, RemoteTaskReadsNoFilesAndLostOneKeepsItsReason) {
  facts.kind = ProjectKind::kSeti;
  facts.remote = true;
  facts.percentDone = 25;
  SlotFile("state.sah", "<ncfft>31560</ncfft><prog>0.9</prog>");
  ProjectFile("wu_1234_0_0", std::string(500, 'x'));
  LogFile("wu_1234.tess", "<group_info><data_desc><start_ra>1</start_ra></data_desc></group_info>");
  const SlotInfo& entry = Read();
  EXPECT_EQ(entry.ProjectKind, 1);
  EXPECT_EQ(entry.Progress, 25);
  EXPECT_EQ(entry.InfoText, "");
  EXPECT_EQ(entry.SpikePower, "");
  EXPECT_EQ(entry.OutputSize, 0);
  EXPECT_EQ(entry.LostReason, "");

  ActiveTaskFacts lost;
  lost.remote = true;
  lost.clientDir = "boinc-box:31416";
  lost.lostReason = "wrong password";
  facts = lost;
  const SlotInfo& lostEntry = Read();
  EXPECT_EQ(lostEntry.HostName, "boinc-box:31416");
  EXPECT_EQ(lostEntry.StatusText, "Connection to client lost !");
  EXPECT_EQ(lostEntry.LostReason, "wrong password");
}

}  // namespace
}  // namespace tessarin::test
