#include "core/data/shared_log_block.h"

#include <gtest/gtest.h>

#include "core/tools/csv.h"
#include "core/tools/text.h"

namespace tessarin {
namespace {

TEST(ReadHostRecordTest, TakesFirstOccurrenceAndCutsWidths) {
  const HostRecord host = ReadHostRecord(
      "<domain_name>alpha</domain_name><domain_name>beta</domain_name>"
      "<p_ncpus>1234567</p_ncpus><p_fpops>1234567890.123456</p_fpops>",
      "<on_frac>0.987654</on_frac><active_frac>0.5</active_frac>", "<bwup>12.5</bwup>");
  EXPECT_EQ(host.domain_name, "alpha");
  EXPECT_EQ(host.p_ncpus, "12345");
  EXPECT_EQ(host.p_fpops, "1234567890.123456");
  EXPECT_EQ(host.on_frac, "0.987654");
  EXPECT_EQ(host.bwup, "12.5");
  EXPECT_EQ(host.bwdown, "");
}

TEST(FormatSharedBlockTest, WritesThirtyTwoColumnsInTheirForms) {
  HostRecord host;
  host.domain_name = " alpha ";
  host.p_model = "Intel \"Core\" i7";
  host.p_fpops = "1234567890.123456";
  host.on_frac = "0.987654";
  host.d_free = "1000";
  ProjectRecord project;
  project.user_name = "Ann";
  project.exp_avg_mod_time = "1165000000.5";
  const std::string block = FormatSharedBlock(host, project);

  EXPECT_EQ(block.back(), ',');
  EXPECT_EQ(CountFields(block, ','), 33);  // 32 columns, each followed by ','
  const FieldArray fields = SplitCsvLine(block, ',', false);
  EXPECT_EQ(fields[1], "\"alpha\"");
  EXPECT_EQ(fields[4], "\"Intel Core i7\"");
  EXPECT_EQ(fields[5], "1234567890");
  EXPECT_EQ(fields[15], "1000");
  EXPECT_EQ(fields[16], "0.987654");
  EXPECT_EQ(fields[22], "\"Ann\"");
  EXPECT_EQ(fields[23], "");  // empty team name: nothing between the commas
  EXPECT_EQ(fields[32], "1165000000");
}

TEST(VersionColumnsTest, BoincAndTessVersions) {
  EXPECT_EQ(FormatBoincVersion("5", "4"), "5.04");
  EXPECT_EQ(FormatBoincVersion("7", "20"), "7.20");
  EXPECT_EQ(TessVersion(), "1.52");
}

}  // namespace
}  // namespace tessarin
