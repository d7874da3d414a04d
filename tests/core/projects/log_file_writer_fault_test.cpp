// A log writer that runs out of room in the middle of a row takes the partial row back, so the
// rows before it stay the last lines of the log and the next row starts cleanly.
#include <sys/resource.h>

#include <gtest/gtest.h>
#include <csignal>

#include <filesystem>

#include "core/projects/log_file_writer.h"
#include "support/temp_dir.h"

namespace tessarin {
namespace {

class SizeLimit {
 public:
  explicit SizeLimit(rlim_t bytes) {
    std::signal(SIGXFSZ, SIG_IGN);
    ::getrlimit(RLIMIT_FSIZE, &saved_);
    rlimit limit = saved_;
    limit.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~SizeLimit() { ::setrlimit(RLIMIT_FSIZE, &saved_); }

 private:
  rlimit saved_{};
};

TEST(LogFileWriterFault, ARowCutShortByTheSizeLimitIsTakenBack) {
  test::TempDir dir;
  const std::string path = dir.Write("sah_boinc.csv", "header\r\nrow 1\r\nrow 2");
  {
    SizeLimit limit(30);
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
    SizeLimit limit(1 + big.size() + 100);
    LogFileWriter writer(path, LogFileWriter::Mode::kAppend);
    writer.Write(big);
    EXPECT_THROW(writer.Write(big), std::runtime_error);
  }
  EXPECT_EQ(dir.Read("log.csv").size(), 1 + 70 * 1024u);
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
