// The texts of one cell, in order, in the normal and the compact view.

#include "core/display/cell_text.h"

#include <gtest/gtest.h>

#include "core/display/cell_plain_text.h"
#include "core/display/result_name_fit.h"

namespace tessarin {
namespace {

std::string Kinds(const std::vector<CellLine>& lines) {
  std::string kinds;
  for (const CellLine& line : lines)
    kinds += "HNXSCT"[static_cast<int>(line.kind)];
  return kinds;
}

SlotInfo SetiEntry() {
  SlotInfo e;
  e.HostName = "alpha";
  e.ProjectName = "SETI@home";
  e.ResultName = "01ja06aa.1234.5678.3.4.55_1";
  e.ProjectKind = 1;
  e.ReadyCount = 3;
  e.ResultCount = 7;
  e.SlotNumber = 1;
  e.InfoText = "(Ra: 14.9; Dec: 28.6; AR: 0.775)";
  e.SpikePower = "23.78654";
  e.SpikeScore = "-0.5";
  e.GaussianPower = "3.619919";
  e.GaussianFit = "1.410156";
  e.GaussianScore = "0.2";
  e.PulsePower = "2.231104";
  e.PulsePeriod = "0.523075";
  e.PulseScore = "2";
  e.TripletPower = "15.14285";
  e.TripletScore = "10.5";
  e.CpuText = ": 1:02:05 (3:10:00 left)";
  e.StatusText = "25.000 % (active)";
  e.StatusColor = colors::kGreen;
  e.OutputSize = 1234;
  return e;
}

TEST(CellText, SetiCellInNormalView) {
  const std::vector<CellLine> lines = CellLines(SetiEntry(), {});
  ASSERT_EQ(Kinds(lines), "HNXSSSSCT");
  EXPECT_EQ(lines[0].label, "alpha");
  EXPECT_EQ(lines[0].centre, "");
  EXPECT_EQ(lines[0].right, "Cache: 3 / 7");
  EXPECT_EQ(lines[1].label, "SETI@home");
  EXPECT_EQ(lines[1].right, "01ja06aa.1234.5678.3.4.55_1");
  EXPECT_EQ(lines[2].right, "(Ra: 14.9; Dec: 28.6; AR: 0.775)");
  EXPECT_EQ(lines[3].label, "Spike");
  EXPECT_EQ(lines[3].value, ": power 23.78654 (score -0.5)");
  EXPECT_EQ(lines[4].label, "Gaussian");
  EXPECT_EQ(lines[4].value, ": power 3.619919 fit 1.410156 (score 0.2)");
  EXPECT_EQ(lines[5].label, "Pulse");
  EXPECT_EQ(lines[5].value, ": power 2.231104 period 0.523075 (score 2)");
  EXPECT_EQ(lines[6].label, "Triplet");
  EXPECT_EQ(lines[6].value, ": power 15.14285 (score 10.5)");
  EXPECT_EQ(lines[3].mark, ScoreMark::kNone);
  EXPECT_EQ(lines[7].label, "CPU Time");
  EXPECT_EQ(lines[7].value, ": 1:02:05 (3:10:00 left)");
  EXPECT_EQ(lines[8].label, "Status:");
  EXPECT_EQ(lines[8].value, "25.000 % (active)");
  EXPECT_EQ(lines[8].valueColor, colors::kGreen);
  EXPECT_EQ(lines[8].right, "Outfile: 1234 Bytes");
}

TEST(CellText, CompactViewDropsOnlyTheSignalLines) {
  CellTextOptions options;
  options.compact = true;
  const std::vector<CellLine> lines = CellLines(SetiEntry(), options);
  ASSERT_EQ(Kinds(lines), "HNXCT");
  EXPECT_EQ(lines[4].right, "Outfile: 1234 Bytes");
}

TEST(CellText, RatedSignalsGetMarksAndMissingOnesCloseUp) {
  SlotInfo e = SetiEntry();
  e.SpikeScore.clear();
  e.GaussianScore.clear();
  CellTextOptions options;
  options.scores.rateScores = true;
  options.scores.pulse = {0.95f, 1.5f};
  options.scores.triplet = {4.45f, 13.6f};
  std::vector<CellLine> lines = CellLines(e, options);
  ASSERT_EQ(Kinds(lines), "HNXSSCT");
  EXPECT_EQ(lines[3].label, "Pulse");
  EXPECT_EQ(lines[3].mark, ScoreMark::kRed);
  EXPECT_EQ(lines[4].label, "Triplet");
  EXPECT_EQ(lines[4].mark, ScoreMark::kYellow);

  e = SetiEntry();
  options.scores.spike = {-0.25f, 0.14f};
  options.scores.gaussian = {0.12f, 0.3f};
  e.GaussianScore = "junk";  // reads as 0: below the low limit
  lines = CellLines(e, options);
  EXPECT_EQ(lines[3].mark, ScoreMark::kGreen);
  EXPECT_EQ(lines[4].mark, ScoreMark::kGreen);
}

TEST(CellText, UnreachableClientShowsHostAndStatusOnly) {
  SlotInfo e;
  e.HostName = "/var/lib/boinc/";
  e.ReadyCount = -1;
  e.ResultName = "kept";
  e.InfoText = "kept";
  e.ProjectKind = 6;
  e.MultiTask = true;
  e.StatusText = "Connection to client lost !";
  e.StatusColor = colors::kRed;
  const std::vector<CellLine> lines = CellLines(e, {});
  ASSERT_EQ(Kinds(lines), "HNT");
  EXPECT_EQ(lines[0].label, "/var/lib/boinc/");
  EXPECT_EQ(lines[0].centre, "");
  EXPECT_EQ(lines[0].right, "");
  EXPECT_EQ(lines[1].label, "");
  EXPECT_EQ(lines[1].right, "");
  EXPECT_EQ(lines[2].value, "Connection to client lost !");
  EXPECT_EQ(lines[2].valueColor, colors::kRed);
  EXPECT_EQ(lines[2].right, "");
}

TEST(CellText, HeaderNamesTheSlotOfAClientWithSeveralTasks) {
  SlotInfo e = SetiEntry();
  e.MultiTask = true;
  e.SlotNumber = 12;
  EXPECT_EQ(CellLines(e, {})[0].centre, "Slot 12");
}

TEST(CellText, ScienceLineNeedsAResultName) {
  SlotInfo e = SetiEntry();
  e.ResultName.clear();
  EXPECT_EQ(Kinds(CellLines(e, {})), "HNSSSSCT");
}

TEST(CellText, PeakLinesOfAstropulseAndEinstein) {
  SlotInfo e;
  e.ReadyCount = 1;
  e.ProjectKind = 2;
  e.PeakValue = 9.5;
  e.PeakCount = 3;
  e.OutputSize = 10;
  std::vector<CellLine> lines = CellLines(e, {});
  ASSERT_EQ(Kinds(lines), "HNSST");
  EXPECT_EQ(lines[2].label, "Peak");
  EXPECT_EQ(lines[2].value, ": power 9.5");
  EXPECT_EQ(lines[3].label, "");
  EXPECT_EQ(lines[3].value, "  count 3");
  EXPECT_EQ(lines[4].right, "Outfile: 10 Bytes");

  e.ProjectKind = 6;
  e.PeakValue = 123456.789012345678;
  lines = CellLines(e, {});
  EXPECT_EQ(lines[2].label, "F-statistic");
  EXPECT_EQ(lines[2].value, ": score 123456.789012346");
  EXPECT_EQ(lines[4].right, "Candidates: 10 Bytes");
}

TEST(CellText, ClimateLinesWithAndWithoutModelDate) {
  SlotInfo e;
  e.ReadyCount = 1;
  e.ProjectKind = 4;
  e.Phase = "2";
  e.Timestep = "129636";
  std::vector<CellLine> lines = CellLines(e, {});
  ASSERT_EQ(Kinds(lines), "HNSSST");
  EXPECT_EQ(lines[2].label, "Model date");
  EXPECT_EQ(lines[2].value, "");
  EXPECT_EQ(lines[3].value, ": 2");
  EXPECT_EQ(lines[4].label, "Timestep");
  EXPECT_EQ(lines[4].value, ": 129636");
  EXPECT_EQ(lines[5].right, "");

  e.ModelDate = 23815.25;
  EXPECT_EQ(CellLines(e, {})[2].value, ": 1965-03-14");
  CellTextOptions options;
  options.formatDate = [](double serial) { return "day " + std::to_string(int(serial)); };
  EXPECT_EQ(CellLines(e, options)[2].value, ": day 23815");
}

TEST(CellText, OtherKindsHaveNoSignalOrOutputLines) {
  SlotInfo e;
  e.ReadyCount = 1;
  e.ProjectKind = 5;
  e.ResultName = "lhc_job";
  e.InfoText = "( 100,000 turns)";
  e.CpuText = ": 0:10:00 (1:00:00 left)";
  const std::vector<CellLine> lines = CellLines(e, {});
  ASSERT_EQ(Kinds(lines), "HNXCT");
  EXPECT_EQ(lines[4].right, "");
}

int Characters(std::string_view text) {
  return static_cast<int>(text.size());
}

TEST(ResultNameFit, ShortensFromTheFrontBehindDots) {
  EXPECT_EQ(ShortenResultName("abcdefgh", 8, Characters), "abcdefgh");
  // Shortened names end strictly inside the room.
  EXPECT_EQ(ShortenResultName("abcdefghij", 8, Characters), "...ghij");
  EXPECT_EQ(ShortenResultName("abcdefghij", 1, Characters), "...j");
  EXPECT_EQ(ShortenResultName("ab", 0, Characters), "...b");
  EXPECT_EQ(ShortenResultName("a", 0, Characters), "...a");
}

TEST(CellPlainText, LaysTheCellOutInColumns) {
  SlotInfo e = SetiEntry();
  e.MultiTask = true;
  e.ResultName += "_with_a_long_tail";
  CellTextOptions options;
  options.scores.rateScores = true;
  const std::vector<std::string> text = CellPlainText(CellLines(e, options), 40);
  ASSERT_EQ(text.size(), 9u);
  EXPECT_EQ(text[0], "alpha            Slot 1     Cache: 3 / 7");
  EXPECT_EQ(text[1], "SETI@home  ....3.4.55_1_with_a_long_tail");
  EXPECT_EQ(text[2], "        (Ra: 14.9; Dec: 28.6; AR: 0.775)");
  EXPECT_EQ(text[3], "G Spike       : power 23.78654 (score -0.5)");
  EXPECT_EQ(text[7], "  CPU Time    : 1:02:05 (3:10:00 left)");
  EXPECT_EQ(text[8], "Status: 25.000 % (active) Outfile: 1234 Bytes");
}

}  // namespace
}  // namespace tessarin
