#include "core/tools/csv.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "core/tools/text.h"

namespace tessarin {
namespace {

FieldArray Header(std::initializer_list<const char*> names) {
  FieldArray fields;
  int k = 1;
  for (const char* name : names)
    fields[k++] = name;
  return fields;
}

TEST(QuoteText, DropsQuotesTrimsAndEncloses) {
  EXPECT_EQ(QuoteText("  say \"hi\", there  "), "\"say hi, there\"");
  EXPECT_EQ(QuoteText(""), "");
  EXPECT_EQ(QuoteText(" \" \"  "), "");
  EXPECT_EQ(QuoteText("plain"), "\"plain\"");
}

TEST(QuoteText, LineBreaksNeverReachTheRow) {
  EXPECT_EQ(QuoteText("two\r\nlines\n"), "\"two  lines\"");
  EXPECT_EQ(QuoteText("\r\n"), "");
}

TEST(CsvField, ReadsNthFieldQuoteAware) {
  const std::string line = "a, \"b,c\" ,d";
  EXPECT_EQ(CsvField(line, 1), "a");
  EXPECT_EQ(CsvField(line, 2), "b,c");
  EXPECT_EQ(CsvField(line, 3), "d");
  EXPECT_EQ(CsvField("a,b", 3), "");
  EXPECT_EQ(CsvField("a,b", 0), "");
  EXPECT_EQ(CsvField("a,,b", 2), "");
  EXPECT_EQ(CsvField("a,b\r", 2), "b");
  EXPECT_EQ(CsvField(std::string(1000, 'x'), 1).size(), 1000u);  // no length limit here
}

TEST(SplitCsvLine, QuotedSeparatorStaysInField) {
  const std::string line = "a,\"b,c\",d";
  FieldArray stripped = SplitCsvLine(line, ',', true);
  EXPECT_EQ(stripped[1], "a");
  EXPECT_EQ(stripped[2], "b,c");
  EXPECT_EQ(stripped[3], "d");
  EXPECT_EQ(stripped[4], "");
  FieldArray kept = SplitCsvLine(line, ',', false);
  EXPECT_EQ(kept[2], "\"b,c\"");
}

TEST(SplitCsvLine, LimitsAndEnds) {
  FieldArray fields = SplitCsvLine(std::string(300, 'x') + ",y", ',', true);
  EXPECT_EQ(fields[1], std::string(255, 'x'));
  EXPECT_EQ(fields[2], "y");

  FieldArray trailing = SplitCsvLine("a,b,", ',', true);
  EXPECT_EQ(trailing[2], "b");
  EXPECT_EQ(trailing[3], "");

  std::string many;
  for (int i = 1; i <= 120; ++i)
    many += std::to_string(i) + ";";
  FieldArray hundred = SplitCsvLine(many, ';', true);
  EXPECT_EQ(hundred[1], "1");
  EXPECT_EQ(hundred[100], "100");

  FieldArray crlf = SplitCsvLine(" a , b \r\n", ',', true);
  EXPECT_EQ(crlf[1], "a");
  EXPECT_EQ(crlf[2], "b");
}

TEST(SplitCsvLine, UnbalancedQuoteSwallowsTheRest) {
  FieldArray fields = SplitCsvLine("a,\"b,c,d", ',', false);
  EXPECT_EQ(fields[1], "a");
  EXPECT_EQ(fields[2], "\"b,c,d");
  EXPECT_EQ(fields[3], "");
}

TEST(SplitCsvLine, FillsOnlyTheColumnSet) {
  ColumnSet columns;
  columns.set(2).set(4);
  FieldArray fields = SplitCsvLine("1,2,3,4,5", ',', true, columns);
  EXPECT_EQ(fields[1], "");
  EXPECT_EQ(fields[2], "2");
  EXPECT_EQ(fields[3], "");
  EXPECT_EQ(fields[4], "4");
  EXPECT_EQ(fields[5], "");
}

// Character-by-character walk, kept plain, to check the chunked splitter against.
FieldArray ReferenceSplit(std::string_view line, char separator, bool stripQuotes,
                          const ColumnSet& columns) {
  FieldArray fields;
  bool inQuotes = false;
  std::size_t at = 0;
  for (int n = 1; n <= kMaxCsvFields && at < line.size(); ++n, ++at) {
    for (; at < line.size(); ++at) {
      char c = line[at];
      if (c == '"')
        inQuotes = !inQuotes;
      if (c == '\r' || c == '\n' || (c == '"' && stripQuotes))
        c = ' ';
      if (line[at] == separator && !inQuotes)
        break;
      if (columns.test(n) && fields[n].size() < kMaxCsvFieldLength)
        fields[n] += c;
    }
    if (columns.test(n))
      fields[n] = TrimBlanks(fields[n]);
  }
  return fields;
}

TEST(SplitCsvLine, AgreesWithPlainWalkOnRandomLines) {
  std::mt19937 random(7);
  // The second alphabet makes fields longer than the 255-character limit.
  const std::string alphabets[] = {"ab  ,,;\"\r\n", std::string(200, 'x') + " ,;\""};
  for (int round = 0; round < 3000; ++round) {
    std::string line(random() % 1500, ' ');
    for (char& c : line)
      c = alphabets[round % 2][random() % alphabets[round % 2].size()];
    ColumnSet columns;
    for (int n = 0; n < 256; ++n)
      columns[n] = random() % 3 != 0;
    const char separator = round % 4 < 2 ? ',' : ';';
    const bool strip = round % 3 == 0;
    const FieldArray expected = ReferenceSplit(line, separator, strip, columns);
    const FieldArray actual = SplitCsvLine(line, separator, strip, columns);
    for (int n = 1; n <= kMaxCsvFields; ++n) {
      ASSERT_EQ(actual[n], expected[n]) << "field " << n << " of line '" << line << "'";
    }
  }
}

TEST(DetectSeparator, MoreSemicolonsThanCommas) {
  EXPECT_EQ(DetectSeparator("a;b,c"), ',');
  EXPECT_EQ(DetectSeparator("a;b;c,d"), ';');
  EXPECT_EQ(DetectSeparator("\"x;y;z\",b"), ';');  // quotes are not looked at
  EXPECT_EQ(DetectSeparator(""), ',');
}

TEST(MapColumns, FindsExactNamesAndLastDuplicateWins) {
  const FieldArray file = Header({"date", "cpu", "host", "cpu", "Error"});
  const FieldArray wanted = Header({"host", "", "cpu", "error", "date"});
  const ColumnMap map = MapColumns(file, wanted);
  EXPECT_EQ(map[1], 3);
  EXPECT_EQ(map[2], 0);
  EXPECT_EQ(map[3], 4);
  EXPECT_EQ(map[4], 0);  // names compare with case
  EXPECT_EQ(map[5], 1);
  EXPECT_EQ(CountMappedColumns(map), 3);
}

TEST(MapColumns, HeaderSplitFromFileMapsBack) {
  const FieldArray file = SplitCsvLine("\"date\";\"project_name\";\"cpu\"", ';', true);
  const ColumnMap map = MapColumns(file, Header({"cpu", "project_name"}));
  EXPECT_EQ(map[1], 3);
  EXPECT_EQ(map[2], 2);
}

}  // namespace
}  // namespace tessarin
