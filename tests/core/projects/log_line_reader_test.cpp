#include "core/projects/log_line_reader.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace tessarin {
namespace {

std::vector<std::string> ReadAll(const std::string& path, std::size_t bufferSize) {
  LogLineReader reader(path, bufferSize);
  std::vector<std::string> lines;
  std::string line;
  while (reader.ReadLine(line))
    lines.push_back(line);
  return lines;
}

TEST(LogLineReaderTest, CrLfAndLfEndLinesAtEveryBufferSize) {
  test::TempDir dir;
  const std::string path = dir.Write("log.csv", "a\r\nbc\n\nd\r\nx\ry\r\nlast");
  for (std::size_t size = 1; size <= 9; ++size) {
    EXPECT_EQ(ReadAll(path, size), (std::vector<std::string>{"a", "bc", "", "d", "x\ry", "last"}))
        << "buffer " << size;
  }
}

TEST(LogLineReaderTest, FinalLineBreakAddsNoLineAndEmptyFileHasNone) {
  test::TempDir dir;
  EXPECT_EQ(ReadAll(dir.Write("a.csv", "h\r\nrow\r\n"), 4), (std::vector<std::string>{"h", "row"}));
  EXPECT_TRUE(ReadAll(dir.Write("b.csv", ""), 4).empty());
  EXPECT_EQ(ReadAll(dir.Write("c.csv", "\r\n"), 4), std::vector<std::string>{""});
}

TEST(LogLineReaderTest, OverlongLineIsCutAndTheNextOneStillRead) {
  test::TempDir dir;
  const std::string path =
      dir.Write("long.csv", std::string(LogLineReader::kMaxLineLength + 10, 'x') + "\nnext");
  const auto lines = ReadAll(path, 4096);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].size(), LogLineReader::kMaxLineLength);
  EXPECT_EQ(lines[1], "next");
}

TEST(LogLineReaderTest, MissingFileThrowsWithItsPath) {
  test::TempDir dir;
  try {
    LogLineReader reader(dir.path() + "missing.csv", 16);
    FAIL();
  } catch (const std::runtime_error& error) {
    EXPECT_NE(std::string(error.what()).find("missing.csv - "), std::string::npos);
  }
}

}  // namespace
}  // namespace tessarin
