#include "core/browsers/history_line_reader.h"

#include <gtest/gtest.h>

#include <fstream>
#include <vector>

#include "support/temp_dir.h"

namespace tessarin {
namespace {

std::vector<std::string> AllLines(HistoryLineReader& reader) {
  std::vector<std::string> lines;
  std::string line;
  while (reader.NextLine(line))
    lines.push_back(line);
  return lines;
}

void Append(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::app);
  out << text;
}

class HistoryLineReaderTest : public ::testing::Test {
 protected:
  test::TempDir dir_;
};

TEST_F(HistoryLineReaderTest, SplitsCrLfAndLfAndKeepsEmptyLines) {
  const std::string path = dir_.Write("a.csv", "h\r\none\n\r\ntwo\r\nlast");
  HistoryLineReader reader(path);
  EXPECT_EQ(AllLines(reader), (std::vector<std::string>{"h", "one", "", "two", "last"}));
}

TEST_F(HistoryLineReaderTest, LinesLongerThanTheReadBuffer) {
  const std::string longLine(3'000'000, 'x');
  const std::string path = dir_.Write("a.csv", "h\r\n" + longLine + "\r\nend");
  HistoryLineReader reader(path);
  const std::vector<std::string> lines = AllLines(reader);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[1], longLine);
  EXPECT_EQ(lines[2], "end");
}

TEST_F(HistoryLineReaderTest, RowBeingAppendedWhenOpenedIsLeftOut) {
  const std::string path = dir_.Write("a.csv", "h\r\nrow1\r\n\"2024.01");
  HistoryLineReader reader(path);
  Append(path, ".02\",\"B\"");
  EXPECT_EQ(AllLines(reader), (std::vector<std::string>{"h", "row1"}));
}

TEST_F(HistoryLineReaderTest, CompleteLastRowIsKeptWhileTheNextOneIsAppended) {
  const std::string path = dir_.Write("a.csv", "h\r\nrow1");
  HistoryLineReader reader(path);
  Append(path, "\r\nrow2");
  EXPECT_EQ(reader.FileSize(), 7u);
  EXPECT_EQ(AllLines(reader), (std::vector<std::string>{"h", "row1"}));
}

TEST_F(HistoryLineReaderTest, MissingFileHasNoLinesAndDirectoryThrows) {
  HistoryLineReader missing(dir_.path() + "none.csv");
  EXPECT_FALSE(missing.Exists());
  EXPECT_TRUE(AllLines(missing).empty());
  EXPECT_THROW(HistoryLineReader{dir_.MakeDir("sub")}, std::runtime_error);
}

}  // namespace
}  // namespace tessarin
