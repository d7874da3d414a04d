// Einstein@Home: the three command-line forms, the detector table, the candidate scans.

#include <gtest/gtest.h>

#include "core/display/einstein_peak_scan.h"
#include "slot_fixture.h"

namespace tessarin::test {
namespace {

struct EinsteinSlotTest : SlotFixture, ::testing::Test {
  EinsteinSlotTest() {
    facts.kind = ProjectKind::kEinstein;
    facts.projectName = "Einstein@Home";
    facts.percentDone = 20;
    facts.checkpointCpuTime = 1000;
  }
  std::string InfoFor(const std::string& commandLine) {
    facts.commandLine = commandLine;
    return Read().InfoText;
  }
};

TEST_F(EinsteinSlotTest, TwoFileFormScansBothFiles) {
  const std::string first = "1 2 3 4 5 6 12.5\n1 2 3 4 5 6 3.25\n";
  const std::string second = "  1 2 3 4 5 6 20.75\r\n%DONE%\r\n1 2 3 4 5 6 99\r\n";
  SlotFile("H1_out", first);
  SlotFile("L1_out", second);
  facts.commandLine =
      "einstein_S5R3 -1 H1_out -2 L1_out --startTime=793555000 --endTime=795000000 "
      "-s 1234.0 -e 1234.5 -x";
  const SlotInfo& entry = Read();
  EXPECT_EQ(entry.ProjectKind, 6);
  EXPECT_EQ(entry.InfoText, "(LIGO: 1234.0 to 1234.5 Hz)");
  EXPECT_EQ(entry.PeakCount, 3);
  EXPECT_DOUBLE_EQ(entry.PeakValue, 20.75);
  EXPECT_EQ(entry.OutputSize, static_cast<std::int32_t>(first.size() + second.size()));
  EXPECT_EQ(entry.StatusText, "20.000 % (active)");
}

TEST_F(EinsteinSlotTest, TwoFileFormWithOneFileMissing) {
  SlotFile("L1_out", "1 2 3 4 5 6 2\n");
  facts.commandLine = "app -1 H1_out -2 L1_out -x";
  const SlotInfo& entry = Read();
  EXPECT_EQ(entry.InfoText, "(LIGO: 0.0 Hz)");
  EXPECT_EQ(entry.PeakCount, 1);
  EXPECT_EQ(entry.OutputSize, 14);
}

TEST_F(EinsteinSlotTest, DetectorIndexPicksTheLabel) {
  ProjectFile("wu_1234_0_0", "a b c d e f 4.5\na b c d e f 6\n\na b c d e f 99\n");
  EXPECT_EQ(InfoFor("app -f 400.5 -b 0.1 -I 2 -x"), "(LHO: 400.5 to 400.6 Hz)");
  EXPECT_EQ(display[0].PeakCount, 2);
  EXPECT_DOUBLE_EQ(display[0].PeakValue, 6);
  EXPECT_EQ(display[0].OutputSize, 46);
  EXPECT_EQ(InfoFor("app -f 400.5 -b 0.1 -I 0 -x"), "(GEO: 400.5 to 400.6 Hz)");
  EXPECT_EQ(InfoFor("app -f 400.5 -b 0.1 -I 6 -x"), "(CIT: 400.5 to 400.6 Hz)");
  EXPECT_EQ(InfoFor("app -f 400.5 -b 0.1 -I 7 -x"), "(Unknown detector: 400.5 to 400.6 Hz)");
  EXPECT_EQ(InfoFor("app -f 400.5 -b 0.1 -I 31 -x"), "(Unknown detector: 400.5 to 400.6 Hz)");
  // A value at the very end of the line still counts.
  EXPECT_EQ(InfoFor("app -f 400.5 -b 0.1 -I 4"), "(VIRGO: 400.5 to 400.6 Hz)");
}

TEST_F(EinsteinSlotTest, WithoutDetectorOptionLloIsMeant) {
  EXPECT_EQ(InfoFor("app -f 400.5 -b 0.01 -x"), "(LLO: 400.5 Hz)");
  EXPECT_EQ(display[0].PeakCount, 0);
  EXPECT_EQ(display[0].OutputSize, 0);
  EXPECT_EQ(InfoFor(""), "(LLO: 0.0 Hz)");
}

TEST_F(EinsteinSlotTest, IfoFormNamesItsDetectorAndScansFiveFields) {
  ProjectFile("wu_1234_0_0", "1 2 3 4 7.5\n1 2 3 4 2.5\n1 2 3  4 9.5\n1 2\n1 2 3 4 50\n");
  EXPECT_EQ(InfoFor("app --IFO=H1 --startTime=100 --Freq=1000.5 --FreqBand=0.25 -x"),
            "(H1: 1000.5 to 1000.8 Hz)");
  // The third line has two blanks before its fourth field, which is then cut empty: its
  // value reads "4 9.5", not a number, and counts without raising the peak.
  EXPECT_EQ(display[0].PeakCount, 3);
  EXPECT_DOUBLE_EQ(display[0].PeakValue, 7.5);
}

TEST_F(EinsteinSlotTest, OptionsAfterLineBreaksAreFound) {
  // Clients write command_line with a line break before its first option.
  EXPECT_EQ(InfoFor("\n-f 400.5\n-b 0.1\n-I 2\n"), "(LHO: 400.5 to 400.6 Hz)");
  EXPECT_EQ(InfoFor("\r\n-I 0 -f 400.5 -b 0.1\r\n"), "(GEO: 400.5 to 400.6 Hz)");
  EXPECT_EQ(InfoFor("\n--IFO=L1\n--startTime=100\n--Freq=1000.5\n--FreqBand=0.25\n"),
            "(L1: 1000.5 to 1000.8 Hz)");
  SlotFile("H1_out", "1 2 3 4 5 6 12.5\n");
  EXPECT_EQ(InfoFor("\n-1 H1_out\n--startTime=1\n-s 1234.0\n-e 1234.5\n"),
            "(LIGO: 1234.0 to 1234.5 Hz)");
  EXPECT_EQ(display[0].PeakCount, 1);
}

TEST_F(EinsteinSlotTest, LongDetectorNameIsCutWithTheLine) {
  EXPECT_EQ(InfoFor("app --IFO=" + std::string(60, 'D') + " -x").size(), 50u);
}

TEST(EinsteinPeakScan, StopsAtTheFirstLineWithoutValue) {
  SlotInfo entry;
  ScanEinsteinPeaks("1 2 3 4 5 6 1.5\r\n 1  2 3 4 5 6  8 \r\n\r\n1 2 3 4 5 6 100\n",
                    EinsteinResultLayout::kSevenFields, entry);
  EXPECT_EQ(entry.PeakCount, 2);
  EXPECT_DOUBLE_EQ(entry.PeakValue, 8);

  SlotInfo last;
  ScanEinsteinPeaks("1 2 3 4 5 6 x\n1 2 3 4 5 6 -2", EinsteinResultLayout::kSevenFields, last);
  EXPECT_EQ(last.PeakCount, 2);
  EXPECT_DOUBLE_EQ(last.PeakValue, 0);

  SlotInfo none;
  ScanEinsteinPeaks("", EinsteinResultLayout::kFiveFields, none);
  EXPECT_EQ(none.PeakCount, 0);
}

}  // namespace
}  // namespace tessarin::test
