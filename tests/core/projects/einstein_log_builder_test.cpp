#include "core/projects/einstein_log_builder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "core/data/log_files.h"
#include "core/tools/csv.h"
#include "core/tools/files.h"
#include "core/tools/text.h"
#include "support/test_environment.h"
#include "zip_fixture.h"

namespace tessarin {
namespace {

using Values = std::map<std::string, std::string>;

std::vector<std::string> ColumnNames(const char* header) {
  std::vector<std::string> names;
  const FieldArray fields = SplitCsvLine(header, ',', true);
  for (int k = 1; k <= kMaxCsvFields && !fields[k].empty(); ++k)
    names.push_back(fields[k]);
  return names;
}

// A value for every column of `names`: the given one, else the column name + "_v".
std::string Row(const std::vector<std::string>& names, const Values& values, char separator) {
  std::string row;
  for (const std::string& name : names) {
    if (!row.empty())
      row += separator;
    const auto found = values.find(name);
    row += found != values.end() ? found->second : name + "_v";
  }
  return row;
}

// The 43 leading columns that the Einstein log takes over from such a row.
std::string Prefix(const Values& values, bool hasAppVersion = true) {
  const std::vector<std::string> names = ColumnNames(logs::kEinsteinHeader);
  std::string prefix;
  for (int k = 0; k < 43; ++k) {
    std::string name = names[static_cast<std::size_t>(k)];
    if (name == "einstein_version") {
      if (!hasAppVersion) {
        prefix += ',';
        continue;
      }
      name = "app_version";
    }
    const auto found = values.find(name);
    prefix += (found != values.end() ? found->second : name + "_v") + ',';
  }
  return prefix;
}

const Values kEinstein{
    {"project_name", "\"einstein@home\""}, {"wu_name", "\"w\""}, {"result_name", "\"r_0\""}};
const Values kSeti{
    {"project_name", "\"SETI@home\""}, {"wu_name", "\"sw\""}, {"result_name", "\"sr_0\""}};
const Values kEinsteinWithoutBackups{
    {"project_name", "\"Einstein@Home\""}, {"wu_name", "\"w2\""}, {"result_name", "\"r2_0\""}};

class EinsteinLogBuilderTest : public ::testing::Test {
 protected:
  void WriteBoinc(const std::vector<Values>& rows, char separator = ',') {
    const std::vector<std::string> names = ColumnNames(logs::kBoincCsvHeader);
    std::string text = separator == ',' ? std::string(logs::kBoincCsvHeader)
                                        : ReplaceChar(logs::kBoincCsvHeader, ',', separator);
    for (const Values& row : rows)
      text += "\r\n" + Row(names, row, separator);
    t.dir.Write(std::string("logs/") + logs::kBoincCsv, text);
  }
  void WriteBackups() {
    test::WriteZip(t.env.logDir + "r_0.tess",
                   {{"out", "%1\n10 0 0 1\n%2\n20 0 0 2\n%coincidences\n0 0 0.5\n0 0 0.75\n"}});
    t.dir.Write("logs/w.xml",
                "<workunit><name>w</name><command_line>--IFO=H1 --startTime=100 --Freq=50 "
                "--FreqBand=0.5 -x</command_line></workunit>");
  }
  std::string Einstein() const { return t.dir.Read(std::string("logs/") + logs::kEinsteinCsv); }

  test::TestEnvironment t;
};

TEST_F(EinsteinLogBuilderTest, TakesOverTheEinsteinRowsWithTheirCoincidences) {
  WriteBackups();
  WriteBoinc({kEinstein, kSeti, kEinsteinWithoutBackups});
  BuildEinsteinLog(t.env);
  EXPECT_EQ(Einstein(), std::string(logs::kEinsteinHeader) + "\r\n" + Prefix(kEinstein) +
                            "100,,,,50.000000,50.500000,2" + "\r\n" +
                            Prefix(kEinsteinWithoutBackups) + ",,,,0.000000,0.000000,0");
  const std::string coincidences = t.dir.Read(std::string("logs/") + logs::kEinsteinResultCsv);
  EXPECT_EQ(CountFields(coincidences, '\n'), 4);
  EXPECT_EQ(coincidences.find("\"r_0\",10.0000,0.000,0.00,1.0000,20.0000,0.000,0.00,2.0000,"
                              "0.5000000000000000\r\n"),
            std::string(logs::kEinsteinResultHeader).size() + 2);
  // Backups are left as they are at start-up.
  EXPECT_TRUE(PathExists(t.env.logDir + "w.xml"));
  EXPECT_TRUE(t.ExceptionKeys().empty());
}

TEST_F(EinsteinLogBuilderTest, ABuildKilledHalfWayIsDoneAgainWholeAtTheNextStart) {
  WriteBackups();
  WriteBoinc({kEinstein, kSeti, kEinsteinWithoutBackups});
  BuildEinsteinLog(t.env);
  const std::string einstein = Einstein();
  const std::string resultPath = std::string("logs/") + logs::kEinsteinResultCsv;
  const std::string coincidences = t.dir.Read(resultPath);

  // Killed after the first result's coincidences, with the log half built aside.
  std::filesystem::remove(t.env.logDir + logs::kEinsteinCsv);
  t.dir.Write(std::string("logs/") + logs::kEinsteinCsv + ".tmp",
              std::string(logs::kEinsteinHeader) + "\r\n" + Prefix(kEinstein) + "10");
  BuildEinsteinLog(t.env);
  EXPECT_EQ(Einstein(), einstein);
  EXPECT_EQ(t.dir.Read(resultPath), coincidences);
  EXPECT_FALSE(PathExists(t.env.logDir + logs::kEinsteinCsv + ".tmp"));
}

TEST_F(EinsteinLogBuilderTest, ReadsASemicolonLogThatLacksColumns) {
  // An old general log without "app_version".
  std::string header = ReplaceText(logs::kBoincCsvHeader, "\"app_version\",", "");
  const std::vector<std::string> names = ColumnNames(header.c_str());
  WriteBackups();
  t.dir.Write(std::string("logs/") + logs::kBoincCsv,
              ReplaceChar(header, ',', ';') + "\r\n" + Row(names, kEinstein, ';'));
  BuildEinsteinLog(t.env);
  EXPECT_EQ(Einstein(), std::string(logs::kEinsteinHeader) + "\r\n" + Prefix(kEinstein, false) +
                            "100,,,,50.000000,50.500000,2");
}

TEST_F(EinsteinLogBuilderTest, RunsOnlyWithoutAnEinsteinLogAndWithAGeneralOne) {
  BuildEinsteinLog(t.env);
  t.dir.Write(std::string("logs/") + logs::kBoincCsv, "");
  BuildEinsteinLog(t.env);
  EXPECT_FALSE(PathExists(t.env.logDir + logs::kEinsteinCsv));
  // Nor is there one before the general log holds an Einstein@Home row.
  WriteBoinc({kSeti});
  BuildEinsteinLog(t.env);
  EXPECT_FALSE(PathExists(t.env.logDir + logs::kEinsteinCsv));

  WriteBackups();
  WriteBoinc({kEinstein});
  t.dir.Write(std::string("logs/") + logs::kEinsteinCsv, "kept");
  BuildEinsteinLog(t.env);
  EXPECT_EQ(Einstein(), "kept");
  EXPECT_FALSE(PathExists(t.env.logDir + logs::kEinsteinResultCsv));
}

TEST_F(EinsteinLogBuilderTest, RowsWhoseNamesLeaveTheLogDirectoryAreSkipped) {
  WriteBackups();
  test::WriteZip(t.dir.path() + "r_0.tess", {{"out", "%1\n1 0 0 1\n%2\n1 0 0 1\n0 0 1\n"}});
  t.dir.Write("w.xml", "<command_line>--startTime=666 </command_line>");
  WriteBoinc(
      {{{"project_name", "\"Einstein@Home\""}, {"wu_name", "\"w\""}, {"result_name", "\"../r_0\""}},
       {{"project_name", "\"Einstein@Home\""},
        {"wu_name", "\"..\\w\""},
        {"result_name", "\"r_0\""}},
       {{"project_name", "\"Einstein@Home\""}, {"wu_name", "\"..\""}},
       kEinstein});
  BuildEinsteinLog(t.env);
  EXPECT_EQ(Einstein(), std::string(logs::kEinsteinHeader) + "\r\n" + Prefix(kEinstein) +
                            "100,,,,50.000000,50.500000,2");
  EXPECT_EQ(t.ExceptionCount("BuildEinsteinLog - Unsafe file name"), 3);
}

}  // namespace
}  // namespace tessarin
