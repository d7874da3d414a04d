#include "core/browsers/history_line_fields.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

// The views must give what SplitCsvLine gives with quotes stripped, field for field.
void ExpectSameAsSplitCsvLine(const std::string& line, char separator) {
  const FieldArray expected = SplitCsvLine(line, separator, true);
  LineSplitter splitter(separator);
  LineFields fields;
  splitter.Split(line, fields);
  for (int k = 1; k <= kMaxCsvFields; ++k) {
    EXPECT_EQ(fields[static_cast<std::size_t>(k - 1)], expected[k])
        << "field " << k << " of [" << line << "]";
  }
}

TEST(LineSplitterTest, AgreesWithSplitCsvLine) {
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
      std::string(250, 'a') + "\"b\"c,d",
      std::string(254, 'a') + "\"bc\",d",
      "a\r\"x\"\"y\",\"p;q\"",
  };
  for (const std::string& line : lines)
    ExpectSameAsSplitCsvLine(line, ',');
  ExpectSameAsSplitCsvLine("\"a\";\"1.5\";\"x;y\";z", ';');
}

TEST(LineSplitterTest, KeepsAtMostHundredFields) {
  std::string line;
  for (int i = 1; i <= 120; ++i)
    line += std::to_string(i) + ",";
  ExpectSameAsSplitCsvLine(line, ',');
  LineSplitter splitter(',');
  LineFields fields;
  splitter.Split(line, fields);
  EXPECT_EQ(fields[99], "100");
  // A shorter line after it leaves no field of the longer one behind.
  splitter.Split("a,b", fields);
  EXPECT_EQ(fields[1], "b");
  EXPECT_EQ(fields[2], "");
  EXPECT_EQ(fields[99], "");
}

TEST(LineSplitterTest, ViewsOfRewrittenFieldsSurviveLaterFields) {
  LineSplitter splitter(',');
  LineFields fields;
  splitter.Split("\"a\"\"b\",\"c\"\"d\",\"e\"\"f\"", fields);
  EXPECT_EQ(fields[0], "a  b");
  EXPECT_EQ(fields[1], "c  d");
  EXPECT_EQ(fields[2], "e  f");
}

}  // namespace
}  // namespace tessarin
