// climateprediction: the work unit's description file, and the model date as a date serial.

#include <gtest/gtest.h>

#include <cmath>

#include "core/display/model_date.h"
#include "slot_fixture.h"

namespace tessarin::test {
namespace {

std::string Description(const std::string& phase, const std::string& timestep,
                        const std::string& month = "3") {
  return "<model><PH>" + phase + "</PH><TS>" + timestep + "</TS><YR>1965</YR><MTH>" + month +
         "</MTH><DAY>14</DAY><HR>6</HR><MIN>0</MIN><SEC>0</SEC></model>";
}

struct ClimateSlotTest : SlotFixture, ::testing::Test {
  ClimateSlotTest() {
    facts.kind = ProjectKind::kClimate;
    facts.projectName = "climateprediction.net";
    facts.wuFile = "hadsm3_ab12_000";
    facts.checkpointCpuTime = 3600;
  }
};

TEST_F(ClimateSlotTest, ReadsPhaseTimestepDateAndProgress) {
  ProjectFile("hadsm3_ab12_000.xml", Description("2", "129636"));
  const SlotInfo& entry = Read();
  EXPECT_EQ(entry.ProjectKind, 4);
  EXPECT_EQ(entry.Phase, "2");
  EXPECT_EQ(entry.Timestep, "129636");
  EXPECT_DOUBLE_EQ(entry.ModelDate, 23815.25);
  // Half of the second of three phases.
  EXPECT_DOUBLE_EQ(entry.Progress, 50);
  EXPECT_EQ(entry.StatusText, "50.000 % (active)");
}

TEST_F(ClimateSlotTest, ZippedWorkUnitUsesItsNameWithXmlExtension) {
  facts.wuFile = "hadcm3_xy_1920.ZIP";
  ProjectFile("hadcm3_xy_1920.xml", Description("1", "1234"));
  EXPECT_EQ(Read().Timestep, "1234");
}

TEST_F(ClimateSlotTest, KeepsAFractionDoneOtherThanZero) {
  facts.percentDone = 12.5;
  ProjectFile("hadsm3_ab12_000.xml", Description("3", "100"));
  EXPECT_DOUBLE_EQ(Read().Progress, 12.5);
}

TEST_F(ClimateSlotTest, CutsLongValuesAndRejectsInvalidDates) {
  ProjectFile("hadsm3_ab12_000.xml", Description("12", "123456789", "13"));
  const SlotInfo& entry = Read();
  EXPECT_EQ(entry.Phase, "1");
  EXPECT_EQ(entry.Timestep, "1234567");
  EXPECT_DOUBLE_EQ(entry.ModelDate, 0);
  EXPECT_DOUBLE_EQ(entry.Progress, 1234567.0 / 777816 * 100);
}

TEST_F(ClimateSlotTest, WithoutPhaseProgressIsNotRecomputed) {
  ProjectFile("hadsm3_ab12_000.xml", "<model><TS>5000</TS></model>");
  const SlotInfo& entry = Read();
  EXPECT_EQ(entry.Timestep, "5000");
  EXPECT_DOUBLE_EQ(entry.Progress, 0);
}

TEST_F(ClimateSlotTest, MissingOrTruncatedDescription) {
  facts.percentDone = 0;
  const SlotInfo& missing = Read();
  EXPECT_EQ(missing.Phase, "");
  EXPECT_DOUBLE_EQ(missing.ModelDate, 0);
  EXPECT_DOUBLE_EQ(missing.Progress, 0);

  const std::string description = Description("2", "129636");
  ProjectFile("hadsm3_ab12_000.xml", description.substr(0, description.find("<DAY>") + 7));
  const SlotInfo& truncated = Read();
  EXPECT_EQ(truncated.Phase, "2");
  EXPECT_DOUBLE_EQ(truncated.ModelDate, 0);
  EXPECT_TRUE(t.ExceptionKeys().empty());
}

TEST(ModelDate, EncodesSerialsOnBothSidesOfTheEpoch) {
  double serial = -1;
  ASSERT_TRUE(EncodeDateSerial(1899, 12, 30, 0, 0, 0, serial));
  EXPECT_DOUBLE_EQ(serial, 0);
  ASSERT_TRUE(EncodeDateSerial(2000, 2, 29, 18, 0, 0, serial));
  EXPECT_DOUBLE_EQ(serial, 36585.75);
  ASSERT_TRUE(EncodeDateSerial(1899, 12, 29, 6, 0, 0, serial));
  EXPECT_DOUBLE_EQ(serial, -1.25);
  ASSERT_TRUE(EncodeDateSerial(1, 1, 1, 0, 0, 0, serial));
  EXPECT_DOUBLE_EQ(serial, -693593);

  serial = 7;
  EXPECT_FALSE(EncodeDateSerial(1900, 2, 29, 0, 0, 0, serial));
  EXPECT_FALSE(EncodeDateSerial(2001, 4, 31, 0, 0, 0, serial));
  EXPECT_FALSE(EncodeDateSerial(0, 1, 1, 0, 0, 0, serial));
  EXPECT_FALSE(EncodeDateSerial(2000, 1, 1, 24, 0, 0, serial));
  EXPECT_FALSE(EncodeDateSerial(2000, 1, 1, 0, 60, 0, serial));
  EXPECT_FALSE(EncodeDateSerial(2000, 1, 1, 0, 0, 60, serial));
  EXPECT_DOUBLE_EQ(serial, 7);
}

TEST(ModelDate, FormatsTheDatePart) {
  EXPECT_EQ(FormatSerialDate(23815.25), "1965-03-14");
  EXPECT_EQ(FormatSerialDate(36585.99), "2000-02-29");
  EXPECT_EQ(FormatSerialDate(-1.25), "1899-12-29");
  EXPECT_EQ(FormatSerialDate(-693593), "0001-01-01");
  EXPECT_EQ(FormatSerialDate(2958465.5), "9999-12-31");
  EXPECT_EQ(FormatSerialDate(3e6), "");
  EXPECT_EQ(FormatSerialDate(std::nan("")), "");
}

}  // namespace
}  // namespace tessarin::test
