#include "core/browsers/history_line_reader.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "core/browsers/history_parts.h"
#include "support/temp_dir.h"

namespace tessarin {
namespace {

std::vector<std::string> Lines(const HistoryLogFile& file, std::size_t begin, std::size_t end,
                               char lineBreak = '\n') {
  HistoryLineReader reader(file, begin, end, lineBreak);
  std::vector<std::string> lines;
  std::span<char> line;
  while (reader.NextLine(line))
    lines.emplace_back(line.data(), line.size());
  return lines;
}

std::vector<std::string> AllLines(const HistoryLogFile& file) {
  return Lines(file, 0, file.Size(), LineBreakOf(file, 0));
}

void Append(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::app);
  out << text;
}

class HistoryLineReaderTest : public ::testing::Test {
 protected:
  test::TempDir dir_;
};

TEST_F(HistoryLineReaderTest, LineEnds) {
  const struct {
    std::string text;
    std::vector<std::string> lines;
  } cases[] = {
      {"h\r\none\n\r\ntwo\r\nlast", {"h", "one", "", "two", "last"}},
      {"h\rone\r\rtwo\nstill two\rlast\r", {"h", "one", "", "two\nstill two", "last"}},
      {"h\none\rstill one\n", {"h", "one\rstill one"}},  // a CR inside a line of an LF log
  };
  for (const auto& c : cases) {
    const HistoryLogFile file(dir_.Write("a.csv", c.text));
    EXPECT_EQ(AllLines(file), c.lines) << c.text;
  }
}

TEST_F(HistoryLineReaderTest, LinesLongerThanTheReadBuffer) {
  const std::string longLine(3'000'000, 'x');
  const HistoryLogFile file(dir_.Write("a.csv", "h\r\n" + longLine + "\r\nend"));
  const std::vector<std::string> lines = AllLines(file);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[1], longLine);
  EXPECT_EQ(lines[2], "end");
}

TEST_F(HistoryLineReaderTest, RowBeingAppendedWhenOpenedIsLeftOut) {
  const std::string path = dir_.Write("a.csv", "h\r\nrow1\r\n\"2024.01");
  const HistoryLogFile file(path);
  Append(path, ".02\",\"B\"");
  EXPECT_EQ(AllLines(file), (std::vector<std::string>{"h", "row1"}));
}

TEST_F(HistoryLineReaderTest, CompleteLastRowIsKeptWhileTheNextOneIsAppended) {
  const std::string path = dir_.Write("a.csv", "h\r\nrow1");
  const HistoryLogFile file(path);
  Append(path, "\r\nrow2");
  EXPECT_EQ(file.Size(), 7u);
  EXPECT_EQ(AllLines(file), (std::vector<std::string>{"h", "row1"}));
}

TEST_F(HistoryLineReaderTest, MissingFileHasNoLinesAndDirectoryThrows) {
  const HistoryLogFile missing(dir_.path() + "none.csv");
  EXPECT_FALSE(missing.Exists());
  EXPECT_TRUE(AllLines(missing).empty());
  EXPECT_THROW(HistoryLogFile{dir_.MakeDir("sub")}, std::runtime_error);
}

// However a log is cut into parts, the parts start at line starts and read the same lines as
// the whole, for every number of parts.
TEST_F(HistoryLineReaderTest, PartsReadTheLinesOfTheWhole) {
  for (const std::string text : {"h\r\na,\"b\r\nc\",d\r\n\r\nlast", "h\rone\r\"two\rthree\"\r"}) {
    const HistoryLogFile file(dir_.Write("a.csv", text));
    const char lineBreak = LineBreakOf(file, 0);
    const std::vector<std::string> whole = AllLines(file);
    for (std::size_t parts = 1; parts <= text.size() + 1; ++parts) {
      const std::vector<std::size_t> starts = PartStarts(file, 0, file.Size(), parts, lineBreak);
      std::vector<std::string> joined;
      for (std::size_t k = 0; k + 1 < starts.size(); ++k) {
        ASSERT_LT(starts[k], starts[k + 1]);
        if (starts[k] > 0) {
          ASSERT_EQ(text[starts[k] - 1], lineBreak) << parts << " parts, start " << starts[k];
        }
        for (std::string& line : Lines(file, starts[k], starts[k + 1], lineBreak))
          joined.push_back(std::move(line));
      }
      EXPECT_EQ(joined, whole) << parts << " parts of " << text;
    }
  }
}

}  // namespace
}  // namespace tessarin
