// SETI@home: sky position from the work-unit backup, best signals and progress from state.sah.

#include <gtest/gtest.h>

#include "core/settings/settings_keys.h"
#include "slot_fixture.h"

namespace tessarin::test {
namespace {

// The shape of a work unit's header: group_info with the recording's data_desc.
const char* const kWorkUnit =
    "<workunit_header>\n<name>wu_1234</name>\n<group_info>\n  <name>group</name>\n"
    "  <data_desc>\n    <start_ra>14.853</start_ra>\n    <start_dec>28.55</start_dec>\n"
    "    <end_ra>14.911</end_ra>\n    <end_dec>28.58</end_dec>\n"
    "    <true_angle_range>0.775</true_angle_range>\n    <coords>\n      <coordinate_t>\n"
    "        <time>2451606.85836</time>\n        <ra>14.853</ra>\n        <dec>28.55</dec>\n"
    "      </coordinate_t>\n    </coords>\n  </data_desc>\n</group_info>\n"
    "</workunit_header>\n<data length=1>x</data>\n";

// state.sah as the application checkpoints it: counters, then the best signal of each type.
std::string StateSah() {
  return "<ncfft>7890</ncfft>\n<cr>2.1e-02</cr>\n<fl>65536</fl>\n<prog>0.40000000</prog>\n"
         "<potfreq>-1</potfreq>\n<signal_count>3</signal_count>\n"
         "<best_spike>\n<spike>\n<peak_power>23.786548614502</peak_power>\n"
         "<mean_power>1</mean_power>\n</spike>\n<bs_score>1.3541287183762</bs_score>\n"
         "<bs_bin>5</bs_bin>\n</best_spike>\n"
         "<best_gaussian>\n<gaussian>\n<peak_power>3.6199193000793</peak_power>\n"
         "<mean_power>0.51788127422333</mean_power>\n<chisqr>1.4101563692093</chisqr>\n"
         "</gaussian>\n<bg_score>0.061237123</bg_score>\n</best_gaussian>\n"
         "<best_pulse>\n<pulse>\n<peak_power>2.2311046123505</peak_power>\n"
         "<period>0.52307593822479</period>\n</pulse>\n<bp_score>0.85812294483185</bp_score>\n"
         "</best_pulse>\n"
         "<best_triplet>\n<bt_score>10.5</bt_score>\n<triplet>\n"
         "<peak_power>15.142857551575</peak_power>\n<period>1.2</period>\n</triplet>\n"
         "</best_triplet>\n";
}

struct SetiSlotTest : SlotFixture, ::testing::Test {
  SetiSlotTest() {
    facts.kind = ProjectKind::kSeti;
    facts.projectName = "SETI@home";
    facts.appName = "setiathome_v8";
    facts.percentDone = 12.5;
    facts.checkpointCpuTime = 600;
  }
};

TEST_F(SetiSlotTest, ReadsSkyPositionSignalsAndRecalculatedProgress) {
  LogFile("wu_1234.tess", kWorkUnit);
  SlotFile("state.sah", StateSah());
  ProjectFile("wu_1234_0_0", std::string(1234, 'x'));
  const SlotInfo& entry = Read();
  EXPECT_EQ(entry.ProjectKind, 1);
  EXPECT_EQ(entry.InfoText, "(Ra: 14.9; Dec: 28.6; AR: 0.775)");
  EXPECT_EQ(entry.SpikePower, "23.78654");
  EXPECT_EQ(entry.SpikeScore, "1.354128");
  EXPECT_EQ(entry.GaussianPower, "3.619919");
  EXPECT_EQ(entry.GaussianFit, "1.410156");
  EXPECT_EQ(entry.GaussianScore, "0.061237");
  EXPECT_EQ(entry.PulsePower, "2.231104");
  EXPECT_EQ(entry.PulsePeriod, "0.523075");
  EXPECT_EQ(entry.PulseScore, "0.858122");
  EXPECT_EQ(entry.TripletPower, "15.14285");
  EXPECT_EQ(entry.TripletScore, "10.5");
  // 7890 of 31560 FFTs, whatever fraction_done says.
  EXPECT_DOUBLE_EQ(entry.Progress, 25);
  EXPECT_EQ(entry.StatusText, "25.000 % (active)");
  EXPECT_EQ(entry.TimeLeft, 1800);
  EXPECT_EQ(entry.OutputSize, 1234);
}

TEST_F(SetiSlotTest, ProgressFromProgWhenEnhancedOrSwitchedOff) {
  LogFile("wu_1234.tess", kWorkUnit);
  SlotFile("state.sah", StateSah());
  facts.appName = "setiathome_enhanced";
  EXPECT_DOUBLE_EQ(Read().Progress, 40);

  facts.appName = "setiathome_v8";
  t.settings.Write(settings::kRecalculateProgress, false);
  EXPECT_DOUBLE_EQ(Read().Progress, 40);

  // The name test is exact: "Enhanced" is not "enhanced".
  t.settings.Write(settings::kRecalculateProgress, true);
  facts.appName = "Enhanced";
  EXPECT_DOUBLE_EQ(Read().Progress, 25);
}

TEST_F(SetiSlotTest, WithoutGroupInfoKeepsTheClientsProgress) {
  SlotFile("state.sah", StateSah());
  ProjectFile("wu_1234_0_0", "12345");
  const SlotInfo& missing = Read();
  EXPECT_EQ(missing.InfoText, "");
  EXPECT_EQ(missing.SpikeScore, "");
  EXPECT_DOUBLE_EQ(missing.Progress, 12.5);
  EXPECT_EQ(missing.OutputSize, 5);

  LogFile("wu_1234.tess", "<workunit_header><name>wu_1234</name></workunit_header>");
  const SlotInfo& bare = Read();
  EXPECT_EQ(bare.InfoText, "");
  EXPECT_EQ(bare.TripletScore, "");
  EXPECT_DOUBLE_EQ(bare.Progress, 12.5);
  EXPECT_TRUE(t.ExceptionKeys().empty());
}

TEST_F(SetiSlotTest, MissingOrTruncatedStateFile) {
  LogFile("wu_1234.tess", kWorkUnit);
  const SlotInfo& missing = Read();
  EXPECT_EQ(missing.InfoText, "(Ra: 14.9; Dec: 28.6; AR: 0.775)");
  EXPECT_EQ(missing.SpikeScore, "");
  EXPECT_DOUBLE_EQ(missing.Progress, 0);
  EXPECT_EQ(missing.StatusText, "0.000 % (active)");

  const std::string state = StateSah();
  SlotFile("state.sah", state.substr(0, state.find("<bp_score>")));
  const SlotInfo& truncated = Read();
  EXPECT_EQ(truncated.SpikeScore, "1.354128");
  EXPECT_EQ(truncated.GaussianScore, "0.061237");
  EXPECT_EQ(truncated.PulseScore, "");
  EXPECT_EQ(truncated.PulsePower, "");
  EXPECT_EQ(truncated.TripletScore, "");
  EXPECT_DOUBLE_EQ(truncated.Progress, 25);
}

TEST_F(SetiSlotTest, SignalsMissingFromTheStateStayEmpty) {
  LogFile("wu_1234.tess", kWorkUnit);
  SlotFile("state.sah",
           "<ncfft>0</ncfft><best_pulse><pulse><peak_power>2.5</peak_power>"
           "<period>0.5</period></pulse><bp_score>0.9</bp_score></best_pulse>");
  const SlotInfo& entry = Read();
  EXPECT_EQ(entry.SpikePower, "");
  EXPECT_EQ(entry.SpikeScore, "");
  EXPECT_EQ(entry.GaussianFit, "");
  EXPECT_EQ(entry.PulsePower, "2.5");
  EXPECT_EQ(entry.PulsePeriod, "0.5");
  EXPECT_EQ(entry.PulseScore, "0.9");
}

}  // namespace
}  // namespace tessarin::test
