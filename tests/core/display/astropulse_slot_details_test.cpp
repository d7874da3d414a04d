// Astropulse: sky position, peaks of the result file, progress from ap_state.dat.

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

#include "core/display/astropulse_slot_details.h"
#include "slot_fixture.h"

namespace tessarin::test {
namespace {

const char* const kWorkUnit =
    "<ap_workunit><header><name>ap_wu</name>"
    "<start_coords><ra>5.25</ra><dec>-12.5</dec><jd>2454000.5</jd></start_coords>"
    "<end_coords><ra>5.35</ra><dec>-12.1</dec></end_coords><fft_len>32</fft_len>"
    "</header><data>...</data></ap_workunit>";

// A checkpoint record of `size` bytes whose bytes 224..231 hold `fraction`, little-endian.
std::string ApState(double fraction, std::size_t size = 240) {
  std::string record(size, '\x5a');
  const auto bits = std::bit_cast<std::uint64_t>(fraction);
  for (std::size_t i = 0; i < 8 && 224 + i < size; ++i) {
    record[224 + i] = static_cast<char>(bits >> (8 * i) & 0xff);
  }
  return record;
}

struct AstropulseSlotTest : SlotFixture, ::testing::Test {
  AstropulseSlotTest() {
    facts.kind = ProjectKind::kAstropulse;
    facts.projectName = "SETI@home";
    facts.appName = "astropulse_v7";
    facts.percentDone = 10;
    facts.checkpointCpuTime = 500;
  }
};

TEST_F(AstropulseSlotTest, ReadsPositionPeaksAndCheckpointFraction) {
  LogFile("wu_1234.tess", kWorkUnit);
  ProjectFile("wu_1234_0_0",
              "<result><peak_power>5</peak_power><index>1</index></result>\n"
              "<result><index>2</index></result>\n<result></result>\n"
              "<result><peak_power>9.5</peak_power></result>\n"
              "<result><peak_power>7</peak_power></result>\n");
  SlotFile("ap_state.dat", ApState(0.375, 300));
  const SlotInfo& entry = Read();
  EXPECT_EQ(entry.ProjectKind, 2);
  EXPECT_EQ(entry.InfoText, "(Ra: 5.3; Dec: -12.3)");
  EXPECT_EQ(entry.PeakCount, 3);
  EXPECT_DOUBLE_EQ(entry.PeakValue, 9.5);
  EXPECT_DOUBLE_EQ(entry.Progress, 37.5);
  EXPECT_EQ(entry.StatusText, "37.500 % (active)");
  EXPECT_GT(entry.OutputSize, 0);
  EXPECT_TRUE(t.ExceptionKeys().empty());
}

TEST_F(AstropulseSlotTest, NegativePeaksAreCountedButNeverTheBest) {
  LogFile("wu_1234.tess", kWorkUnit);
  ProjectFile("wu_1234_0_0", "<result><peak_power>-3</peak_power></result>");
  SlotFile("ap_state.dat", ApState(0.5));
  const SlotInfo& entry = Read();
  EXPECT_EQ(entry.PeakCount, 1);
  EXPECT_DOUBLE_EQ(entry.PeakValue, 0);
}

TEST_F(AstropulseSlotTest, WithoutWorkUnitBackupNothingIsRead) {
  ProjectFile("wu_1234_0_0", "<result><peak_power>5</peak_power></result>");
  SlotFile("ap_state.dat", ApState(0.9));
  const SlotInfo& entry = Read();
  EXPECT_EQ(entry.InfoText, "");
  EXPECT_EQ(entry.PeakCount, 0);
  EXPECT_DOUBLE_EQ(entry.Progress, 10);
  EXPECT_TRUE(t.ExceptionKeys().empty());
}

TEST_F(AstropulseSlotTest, ShortMissingOrGarbledCheckpointIsCounted) {
  LogFile("wu_1234.tess", kWorkUnit);
  const std::string path = facts.slotDir + "ap_state.dat";

  const SlotInfo& missing = Read();
  EXPECT_EQ(missing.InfoText, "(Ra: 5.3; Dec: -12.3)");
  EXPECT_DOUBLE_EQ(missing.Progress, 0);
  EXPECT_EQ(missing.StatusText, "");
  EXPECT_EQ(missing.TimeLeft, -1);
  EXPECT_EQ(t.ExceptionCount("GetSlot - " + path + " - cannot be opened"), 1);

  SlotFile("ap_state.dat", ApState(0.5, 239));
  EXPECT_EQ(Read().StatusText, "");
  EXPECT_EQ(t.ExceptionCount("GetSlot - " + path + " - shorter than 240 bytes"), 1);

  SlotFile("ap_state.dat", ApState(std::numeric_limits<double>::quiet_NaN()));
  EXPECT_EQ(Read().TimeLeft, -1);
  EXPECT_EQ(t.ExceptionCount("GetSlot - " + path + " - no fraction done"), 1);

  SlotFile("ap_state.dat", ApState(0.25));
  EXPECT_DOUBLE_EQ(Read().Progress, 25);
}

TEST(ApFractionDone, TakesTheDoubleAtOffset224) {
  TempDir dir;
  std::string record = ApState(0.0625);
  record[223] = '\x01';
  record[232] = '\x01';
  EXPECT_DOUBLE_EQ(
      ReadApFractionDone(dir.path(), dir.Write("slots/0/ap_state.dat", record), 1 << 20), 0.0625);
  EXPECT_THROW(ReadApFractionDone(dir.path(), dir.Write("slots/0/empty.dat", ""), 1 << 20),
               std::runtime_error);
}

}  // namespace
}  // namespace tessarin::test
