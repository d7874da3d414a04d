#include "core/browsers/history_line_fields.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

// The views must give what SplitCsvLine gives with quotes stripped, field for field.
void ExpectSameAsSplitCsvLine(const std::string& line, char separator) {
  const FieldArray expected = SplitCsvLine(line, separator, true);
  std::string scratch;
  LineFields fields;
  SplitLineFields(line, separator, scratch, fields);
  for (int k = 1; k <= kMaxCsvFields; ++k) {
    EXPECT_EQ(fields[static_cast<std::size_t>(k - 1)], expected[k])
        << "field " << k << " of [" << line << "]";
  }
}

TEST(SplitLineFieldsTest, AgreesWithSplitCsvLine) {
  const std::string longField(300, 'a');
  const std::vector<std::string> lines = {
      "",
      "a,b,c",
      "\"a\",\"b c\",,\"\"",
      "  \"quoted, with comma\" , plain ,\"x\"\"y\"",
      "\"odd quote,swallows,the rest",
      "a,\"in\rside\",\"new\nline\" , \"  padded  \" ",
      "\"" + longField + "\",b",
      " " + longField + ",next",
      "\"a\"b\"c\",d",
      "trailing,",
      ",leading",
      "tab\t,\tfield",
  };
  for (const std::string& line : lines)
    ExpectSameAsSplitCsvLine(line, ',');
  ExpectSameAsSplitCsvLine("\"a\";\"1.5\";\"x;y\";z", ';');
}

TEST(SplitLineFieldsTest, KeepsAtMostHundredFields) {
  std::string line;
  for (int i = 1; i <= 120; ++i)
    line += std::to_string(i) + ",";
  ExpectSameAsSplitCsvLine(line, ',');
  std::string scratch;
  LineFields fields;
  SplitLineFields(line, ',', scratch, fields);
  EXPECT_EQ(fields[99], "100");
}

TEST(SplitLineFieldsTest, ViewsOfRewrittenFieldsSurviveLaterFields) {
  std::string scratch;
  LineFields fields;
  SplitLineFields("\"a\"\"b\",\"c\"\"d\",\"e\"\"f\"", ',', scratch, fields);
  EXPECT_EQ(fields[0], "a  b");
  EXPECT_EQ(fields[1], "c  d");
  EXPECT_EQ(fields[2], "e  f");
}

}  // namespace
}  // namespace tessarin
