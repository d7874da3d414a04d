// A log writer that runs out of room in the middle of a row takes the partial row back, so the
// rows before it stay the last lines of the log and the next row starts cleanly.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/data/log_file_writer.h"
#include "support/fault_support.h"
#include "support/temp_dir.h"

namespace tessarin {
namespace {

TEST(LogFileWriterFault, ARowCutShortByTheSizeLimitIsTakenBack) {
  test::TempDir dir;
  const std::string path = dir.Write("sah_boinc.csv", "header\r\nrow 1\r\nrow 2");
  {
    test::FileSizeLimit limit(30);
    LogFileWriter writer(path, LogFileWriter::Mode::kAppend);
    writer.Write("\r\nrow 3 that is much longer than the room left");
    EXPECT_THROW(writer.Close(), std::runtime_error);
  }
  EXPECT_EQ(dir.Read("sah_boinc.csv"), "header\r\nrow 1\r\nrow 2");
  LogFileWriter writer(path, LogFileWriter::Mode::kAppend);
  writer.Write("\r\nrow 3");
  writer.Close();
  EXPECT_EQ(dir.Read("sah_boinc.csv"), "header\r\nrow 1\r\nrow 2\r\nrow 3");
}

TEST(LogFileWriterFault, RowsFlushedBeforeTheFailureStay) {
  test::TempDir dir;
  const std::string path = dir.Write("log.csv", "h");
  {
    // Rows larger than the buffer go out one by one; only the one that failed is taken back.
    const std::string big(70 * 1024, 'x');
    test::FileSizeLimit limit(1 + big.size() + 100);
    LogFileWriter writer(path, LogFileWriter::Mode::kAppend);
    writer.Write(big);
    EXPECT_THROW(writer.Write(big), std::runtime_error);
  }
  EXPECT_EQ(dir.Read("log.csv").size(), 1 + 70 * 1024u);
}

TEST(LogFileWriterFault, ALogItCreatedAndCouldNotFillIsRemoved) {
  // An empty boinc.csv left behind would be taken for an old log at the next start.
  test::TempDir dir;
  const std::string path = dir.path() + "boinc.csv";
  {
    test::FileSizeLimit limit(0);
    LogFileWriter writer(path, LogFileWriter::Mode::kAppend);
    writer.Write("header\r\nrow 1");
    EXPECT_THROW(writer.Close(), std::runtime_error);
  }
  EXPECT_FALSE(std::filesystem::exists(path));
  // One that was there before keeps its place, empty or not.
  dir.Write("boinc.csv", "");
  {
    test::FileSizeLimit limit(0);
    LogFileWriter writer(path, LogFileWriter::Mode::kAppend);
    writer.Write("header");
    EXPECT_THROW(writer.Close(), std::runtime_error);
  }
  EXPECT_TRUE(std::filesystem::exists(path));
}

TEST(LogFileWriterFault, ALinkUnderTheLogNameIsNotFollowed) {
  test::TempDir dir;
  const std::string target = dir.Write("elsewhere.txt", "keep");
  std::filesystem::create_symlink(target, dir.path() + "sah_boinc.csv");
  EXPECT_THROW(LogFileWriter(dir.path() + "sah_boinc.csv", LogFileWriter::Mode::kAppend),
               std::runtime_error);
  EXPECT_THROW(LogFileWriter(dir.path() + "sah_boinc.csv", LogFileWriter::Mode::kTruncate),
               std::runtime_error);
  EXPECT_EQ(dir.Read("elsewhere.txt"), "keep");
}

}  // namespace
}  // namespace tessarin
