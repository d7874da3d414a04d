#include "core/projects/ap_logger.h"

#include <gtest/gtest.h>

#include "core/seams/project_logger.h"

#include "core/data/log_files.h"
#include "core/projects/project_log_index.h"
#include "core/settings/settings_keys.h"
#include "core/tools/csv.h"
#include "core/tools/files.h"
#include "core/tools/text.h"
#include "support/test_environment.h"

namespace tessarin {
namespace {

const char* const kHeaderTail =
    "<datasize>8388608</datasize><fft_len>32</fft_len><dm_low>0</dm_low>"
    "<dm_hi>8192</dm_hi><max_coadd>10</max_coadd><dm_chunk>128</dm_chunk>"
    "<thresh_0>18.0</thresh_0>";

// The header is followed by binary samples, as in a real work unit.
const std::string kWorkunitInside =
    std::string(
        "<ap_workunit>\n<header>\n<start_coords><ra>1.5</ra><dec>-2.25</dec>"
        "<jd>2454000.5</jd></start_coords>\n<end_coords><ra>1.75</ra><dec>-2.5</dec>"
        "</end_coords>\n") +
    kHeaderTail + "</header>\n<data>" + std::string("\0\x01\xff<ra>9</ra>", 14) + "</data>";
const std::string kWorkunitOutside =
    std::string(
        "<ap_workunit><start_coords><ra>3.5</ra><dec>4.5</dec><jd>2455000.5</jd>"
        "</start_coords><end_coords><ra>3.75</ra><dec>4.75</dec></end_coords><header>") +
    kHeaderTail + "</header></ap_workunit>";

const char* const kResult =
    "<result><peak_power>5</peak_power><index>1</index><scale>2</scale><dm>3</dm>"
    "<period>4</period></result>\n"
    "<result><peak_power>9.0</peak_power><index>11</index><scale>12</scale><dm>13</dm>"
    "<period>14</period></result>\n"
    "<result><peak_power>9</peak_power><index>21</index><scale>22</scale><dm>23</dm>"
    "<period>24</period></result>\n";

// Stand-in for the 43-column prefix.
std::string Prefix() {
  std::string prefix;
  for (int k = 1; k <= 43; ++k)
    prefix += "p" + std::to_string(k) + ',';
  return prefix;
}

class ApLoggerTest : public ::testing::Test {
 protected:
  // Columns 44 .. 61 of the only row of ap_boinc.csv.
  std::vector<std::string> ProjectColumns() const {
    const std::string log = t.dir.Read(std::string("logs/") + logs::kApCsv);
    const std::string header = std::string(logs::kApHeader) + "\r\n";
    EXPECT_EQ(log.compare(0, header.size(), header), 0);
    const std::string row = log.substr(header.size());
    EXPECT_EQ(CountFields(row, ','), 61);
    const FieldArray fields = SplitCsvLine(row, ',', false);
    std::vector<std::string> columns;
    for (int k = 44; k <= 61; ++k)
      columns.push_back(fields[k]);
    return columns;
  }

  test::TestEnvironment t;
  CycleFlags flags;
  ProjectLogIndex index;
};

TEST_F(ApLoggerTest, StrongestPeakWinsAndTiesKeepTheEarlierOne) {
  t.dir.Write("logs/r_0.tess", kResult);
  const ApPeak peak = FindBestApPeak(t.env, "r_0");
  EXPECT_EQ(peak.power, "9.0");
  EXPECT_EQ(peak.index, "11");
  EXPECT_EQ(peak.scale, "12");
  EXPECT_EQ(peak.dm, "13");
  EXPECT_EQ(peak.period, "14");
  EXPECT_EQ(peak.count, 3u);
}

TEST_F(ApLoggerTest, ElementsWithoutAPositivePowerAreOnlyCounted) {
  t.dir.Write("logs/none.tess", "<result><index>1</index></result>");
  t.dir.Write("logs/low.tess",
              "<result><peak_power>0</peak_power><index>1</index></result><result></result>"
              "<result><peak_power>-3</peak_power><index>2</index></result>");
  const ApPeak none = FindBestApPeak(t.env, "none");
  EXPECT_EQ(none.power, "");
  EXPECT_EQ(none.index, "");
  EXPECT_EQ(none.count, 1u);
  const ApPeak low = FindBestApPeak(t.env, "low");
  EXPECT_EQ(low.index, "");
  EXPECT_EQ(low.count, 3u);
  EXPECT_EQ(FindBestApPeak(t.env, "missing").count, 0u);
}

TEST_F(ApLoggerTest, WritesTheRowFromAHeaderThatHoldsBothCoordinates) {
  t.dir.Write("logs/w.tess", kWorkunitInside);
  t.dir.Write("logs/r_0.tess", kResult);
  LogAp(t.env, index, flags, Prefix(), "r_0", "w");
  EXPECT_EQ(
      ProjectColumns(),
      (std::vector<std::string>{"1.5", "-2.25", "1.75", "-2.5", "8388608", "2454000.5", "32", "0",
                                "8192", "10", "128", "18.0", "9.0", "11", "12", "13", "14", "3"}));
  EXPECT_EQ(t.dir.Read(std::string("logs/") + logs::kApCsv)
                .substr(std::string(logs::kApHeader).size() + 2, 4),
            "p1,p");
  EXPECT_TRUE(flags.wallpaperRequest);
}

TEST_F(ApLoggerTest, CoordinatesOutsideTheHeaderGiveOnlyTheStart) {
  t.dir.Write("logs/w.tess", kWorkunitOutside);
  LogAp(t.env, index, flags, Prefix(), "r_0", "w");
  EXPECT_EQ(ProjectColumns(),
            (std::vector<std::string>{"3.5", "4.5", "", "", "8388608", "2455000.5", "32", "0",
                                      "8192", "10", "128", "18.0", "", "", "", "", "", "0"}));
}

TEST_F(ApLoggerTest, WithoutAWorkunitBackupTheRowIsOwedNotWritten) {
  t.dir.Write("logs/r_0.tess", kResult);
  t.dir.Write("logs/empty.tess", "");
  EXPECT_THROW(LogAp(t.env, index, flags, Prefix(), "r_0", "w"), ProjectRowNotReady);
  EXPECT_THROW(LogAp(t.env, index, flags, Prefix(), "r_0", "empty"), ProjectRowNotReady);
  EXPECT_FALSE(PathExists(t.env.logDir + logs::kApCsv));
  EXPECT_FALSE(flags.wallpaperRequest);
}

TEST_F(ApLoggerTest, NoBackupIsRemovedWhateverTheOptions) {
  t.dir.Write("logs/w.tess", kWorkunitInside);
  t.dir.Write("logs/r_0.tess", kResult);
  t.settings.Write(settings::kBackupWU, false);
  t.settings.Write(settings::kBackupResult, false);
  t.settings.Write(settings::kBackupState, false);
  LogAp(t.env, index, flags, Prefix(), "r_0", "w");
  EXPECT_TRUE(PathExists(t.env.logDir + "w.tess"));
  EXPECT_TRUE(PathExists(t.env.logDir + "r_0.tess"));
}

TEST_F(ApLoggerTest, HostileValuesAndNamesCannotBreakOutOfTheirPlace) {
  // A value with a line break, quotes and a comma stays one field of one row.
  t.dir.Write("logs/w.tess",
              "<header><start_coords><ra>1,2\r\n\"x\",y</ra></start_coords>"
              "</header>");
  t.dir.Write("r_0.tess", kResult);
  LogAp(t.env, index, flags, Prefix(), "../r_0", "w");
  EXPECT_EQ(ProjectColumns()[0], "1 2   x  y");
  EXPECT_EQ(ProjectColumns()[17], "0");
  EXPECT_EQ(t.ExceptionCount("FindBestApPeak - Unsafe file name"), 1);

  t.dir.Write("w.tess", kWorkunitInside);
  CycleFlags second;
  LogAp(t.env, index, second, Prefix(), "r_0", "../w");
  EXPECT_FALSE(second.wallpaperRequest);
  EXPECT_EQ(t.ExceptionCount("LogAp - Unsafe file name"), 1);
}

}  // namespace
}  // namespace tessarin
