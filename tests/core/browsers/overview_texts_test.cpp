#include "core/browsers/overview_texts.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <regex>
#include <string>
#include <vector>

#include "core/browsers/overview_build.h"
#include "core/browsers/overview_fonts.h"
#include "core/browsers/overview_layout.h"
#include "overview_test_rows.h"

namespace tessarin {
namespace {

using test::kHour;
using test::kNow;
using test::ProjectRow;
using test::ResultRow;
namespace column = overview_column;

// Times as whole hours after now, so the texts do not depend on the time zone.
std::string HoursAfterNow(double unixSeconds) {
  return "now+" + std::to_string(std::lround((unixSeconds - kNow) / kHour)) + "h";
}

std::vector<std::string> Row(const OverviewNode& node) {
  std::vector<std::string> texts;
  for (int i = 0; i < column::kCount; ++i)
    texts.push_back(TreeGetText(node, i, HoursAfterNow));
  return texts;
}

using Texts = std::vector<std::string>;

TEST(OverviewTexts, HostProjectAndResultRows) {
  ResultEntry a1 = ResultRow("h", "a", "a1", 100, 1 * kHour, 2, kNow + 30 * kHour);
  a1.LongTermDebt = -1234.5f;
  ResultEntry b1 = ResultRow("h", "b", "b1", 300, 9 * kHour + 61, 2, kNow + 30 * kHour);
  b1.LongTermDebt = 86400.5f;
  const OverviewTree tree = BuildOverview(
      {a1, b1, ResultRow("h", "b", "b2", 300, 0, result_state::kUploading, kNow + 40 * kHour)},
      kNow);
  EXPECT_EQ(Row(tree[0]), (Texts{"h", "2 / 3", "10:01:01", "", "", ""}));
  EXPECT_EQ(Row(tree[0].Children[0]), (Texts{"a", "1 / 1", "1:00:00", "", "", "-1234.50"}));
  EXPECT_EQ(Row(tree[0].Children[1]), (Texts{"b", "1 / 2", "9:01:01", "", "", "86400.50"}));
  EXPECT_EQ(Row(tree[0].Children[0].Children[0]),
            (Texts{"a1", "", "1:00:00", "now+30h", "now+4h", ""}));
  // Both estimates shown when they differ: with redistributed shares, then with all shares.
  EXPECT_EQ(Row(tree[0].Children[1].Children[0]),
            (Texts{"b1", "", "9:01:01", "now+30h", "now+10h  -  now+12h", ""}));
  EXPECT_EQ(Row(tree[0].Children[1].Children[1]), (Texts{"b2", "", "", "now+40h", "finished", ""}));
}

TEST(OverviewTexts, StatesOfResults) {
  const OverviewTree tree =
      BuildOverview({ResultRow("h", "p", "error", 100, 0, result_state::kComputeError, 1),
                     ResultRow("h", "p", "aborted", 100, 0, result_state::kAborted, 2),
                     ResultRow("h", "p", "new", 100, 60, 0, 3),
                     ResultRow("h", "p", "suspended", 0, 60, result_state::kSuspended, 4)},
                    kNow);
  const OverviewNode& project = tree[0].Children[0];
  EXPECT_EQ(TreeGetText(project.Children[0], column::kEstFinish, HoursAfterNow), "finished");
  EXPECT_EQ(TreeGetText(project.Children[0], column::kTimeLeft, HoursAfterNow), "");
  EXPECT_EQ(TreeGetText(project.Children[1], column::kEstFinish, HoursAfterNow), "aborted");
  EXPECT_EQ(TreeGetText(project.Children[1], column::kTimeLeft, HoursAfterNow), "");
  EXPECT_EQ(TreeGetText(project.Children[2], column::kEstFinish, HoursAfterNow), "");
  EXPECT_EQ(TreeGetText(project.Children[3], column::kEstFinish, HoursAfterNow), "suspended");
  EXPECT_EQ(TreeGetText(project.Children[3], column::kTimeLeft, HoursAfterNow), "0:01:00");
  EXPECT_EQ(TreeGetText(project, column::kEstFinish, HoursAfterNow), "");
}

TEST(OverviewTexts, SuspendedProjectAndHost) {
  const OverviewTree tree = BuildOverview(
      {ProjectRow("h", "p", 0), ResultRow("h", "p", "r", 0, 60, result_state::kSuspended)}, kNow);
  EXPECT_EQ(TreeGetText(tree[0].Children[0], column::kEstFinish, HoursAfterNow), "suspended");
  EXPECT_EQ(TreeGetText(tree[0], column::kEstFinish, HoursAfterNow), "suspended");
}

TEST(OverviewTexts, NonCpuProject) {
  const OverviewTree tree =
      BuildOverview({ProjectRow("h", "net", 0, result_state::kNonCpuOther),
                     ResultRow("h", "net", "computed", 0, 0, result_state::kNonCpuFinished, 1),
                     ResultRow("h", "net", "waiting", 0, 60, result_state::kNonCpuOther, 2)},
                    kNow);
  const OverviewNode& project = tree[0].Children[0];
  EXPECT_EQ(Row(project), (Texts{"net", "1 / 2", "", "", "", "0.00"}));
  EXPECT_EQ(TreeGetText(tree[0], column::kEstFinish, HoursAfterNow), "suspended");
  EXPECT_EQ(TreeGetText(project.Children[0], column::kEstFinish, HoursAfterNow), "finished");
  EXPECT_EQ(TreeGetText(project.Children[0], column::kTimeLeft, HoursAfterNow), "");
  EXPECT_EQ(TreeGetText(project.Children[1], column::kTimeLeft, HoursAfterNow), "");
  EXPECT_EQ(TreeGetText(project.Children[1], column::kEstFinish, HoursAfterNow), "");
}

TEST(OverviewTexts, EmptyCountersShowNoWorkunitsOrTimeLeft) {
  const OverviewTree tree = BuildOverview({ProjectRow("h", "p", 100)}, kNow);
  EXPECT_EQ(Row(tree[0].Children[0]), (Texts{"p", "", "", "", "", "0.00"}));
}

TEST(OverviewTexts, DefaultDateTextIsLocalMinutesAndGuardsItsRange) {
  EXPECT_TRUE(
      std::regex_match(DefaultOverviewDateText(kNow), std::regex(R"(\d{4}-\d\d-\d\d \d\d:\d\d)")));
  const double minute = 1699999980;  // 22:13:00 UTC
  EXPECT_EQ(DefaultOverviewDateText(minute + 59), DefaultOverviewDateText(minute));
  EXPECT_NE(DefaultOverviewDateText(minute + 60), DefaultOverviewDateText(minute));
  EXPECT_FALSE(DefaultOverviewDateText(253402300799.0).empty());
  EXPECT_EQ(DefaultOverviewDateText(std::nan("")), "");
  EXPECT_EQ(DefaultOverviewDateText(std::numeric_limits<double>::infinity()), "");
  EXPECT_EQ(DefaultOverviewDateText(1e300), "");
  EXPECT_EQ(DefaultOverviewDateText(-1e300), "");
}

TEST(OverviewFonts, LevelsAndRedMarks) {
  ResultEntry late = ResultRow("h", "a", "late", 100, 10 * kHour, 2, kNow + 5 * kHour);
  late.LongTermDebt = -0.5f;
  // "close" ends at 14 h once b's share is handed over, at 26 h with all shares.
  const OverviewTree tree = BuildOverview(
      {late, ResultRow("h", "a", "close", 100, 3 * kHour, 2, kNow + 15 * kHour),
       ResultRow("h", "b", "b1", 100, 1 * kHour, 2, kNow + 100 * kHour),
       ResultRow("h", "b", "b2", 100, 0, result_state::kUploaded, kNow + 100 * kHour)},
      kNow);
  const OverviewFont black9{9, false, OverviewColour::Black};
  const OverviewFont red9{9, false, OverviewColour::Red};
  const OverviewNode& a = tree[0].Children[0];
  for (int i = 0; i < column::kCount; ++i) {
    EXPECT_EQ(TreePaintText(tree[0], i), (OverviewFont{12, true, OverviewColour::Black}));
    EXPECT_EQ(TreePaintText(a.Children[0], i), red9) << i;
    EXPECT_EQ(TreePaintText(tree[0].Children[1].Children[0], i), black9) << i;
  }
  EXPECT_EQ(TreePaintText(a, column::kProject), (OverviewFont{10, true, OverviewColour::Black}));
  EXPECT_EQ(TreePaintText(a, column::kLtd), (OverviewFont{10, true, OverviewColour::Red}));
  EXPECT_EQ(TreePaintText(tree[0].Children[1], column::kLtd),
            (OverviewFont{10, true, OverviewColour::Black}));

  const OverviewNode& close = a.Children[1];
  ASSERT_LT(close.Finish[kActiveShares], close.Deadline);
  ASSERT_GT(close.Finish[kAllShares], close.Deadline);
  EXPECT_EQ(TreePaintText(close, column::kDeadline), red9);
  EXPECT_EQ(TreePaintText(close, column::kProject), black9);
  EXPECT_EQ(TreePaintText(close, column::kEstFinish), black9);
}

TEST(OverviewFonts, OnlyWorkStillToComputeIsLate) {
  // Every deadline has passed; only the results still to be computed are drawn red.
  const double past = kNow - kHour;
  const std::pair<std::uint8_t, bool> cases[] = {
      {0, true},
      {result_state::kQueued, true},
      {result_state::kComputeError, false},
      {result_state::kUploading, false},
      {result_state::kUploaded, false},
      {result_state::kNonCpuFinished, false},
      {result_state::kNonCpuOther, false},
      {result_state::kSuspended, false},
      {result_state::kAborted, false},
  };
  for (const auto& [state, late] : cases) {
    SCOPED_TRACE(static_cast<int>(state));
    const OverviewTree tree =
        BuildOverview({ResultRow("h", "p", "r", 100, kHour, state, past)}, kNow);
    const OverviewNode& result = tree[0].Children[0].Children[0];
    const OverviewColour colour = late ? OverviewColour::Red : OverviewColour::Black;
    for (int i = 0; i < column::kCount; ++i)
      EXPECT_EQ(TreePaintText(result, i).Colour, colour) << i;
    EXPECT_EQ(MissesDeadline(result, kActiveShares), late);
  }
}

}  // namespace
}  // namespace tessarin
