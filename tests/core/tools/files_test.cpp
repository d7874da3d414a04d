#include "core/tools/files.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <system_error>

#include "support/test_environment.h"

namespace tessarin {
namespace {

namespace fs = std::filesystem;

class FilesTest : public ::testing::Test {
 protected:
  test::TestEnvironment t;
  const std::string& dir() const { return t.dir.path(); }
};

TEST_F(FilesTest, FileAsStringReadsWholeFilesAndIsQuietAboutMissingOnes) {
  const std::string binary("a\0b\r\nc\xff", 7);
  EXPECT_EQ(FileAsString(t.dir.Write("state.xml", binary), t.exceptions), binary);
  EXPECT_EQ(FileAsString(t.dir.Write("empty.xml", ""), t.exceptions), "");
  EXPECT_EQ(FileAsString(dir() + "missing.xml", t.exceptions), "");
  EXPECT_EQ(FileAsString(dir() + "state.xml/below", t.exceptions), "");
  EXPECT_EQ(FileAsString(t.dir.MakeDir("slots"), t.exceptions), "");
  EXPECT_TRUE(t.ExceptionKeys().empty());
}

TEST_F(FilesTest, FileAsStringLogsWhatItCannotRead) {
  const std::string fifo = dir() + "client_state.xml";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EQ(FileAsString(fifo, t.exceptions), "");  // returns instead of waiting for a writer
  EXPECT_EQ(t.ExceptionCount("FileAsString - " + fifo + " - Not a regular file"), 1);

  if (::geteuid() != 0) {  // root reads anything
    const std::string locked = t.dir.Write("locked.xml", "secret");
    ASSERT_EQ(::chmod(locked.c_str(), 0), 0);
    EXPECT_EQ(FileAsString(locked, t.exceptions), "");
    EXPECT_EQ(t.ExceptionCount("FileAsString - " + locked + " - Permission denied"), 1);
  }
}

TEST_F(FilesTest, StringToFileCreatesTruncatesAndNeverWritesIntoADirectory) {
  const std::string path = dir() + "wu.xml";
  StringToFile("first content", path, t.exceptions);
  StringToFile("second", path, t.exceptions);
  EXPECT_EQ(t.dir.Read("wu.xml"), "second");
  StringToFile("", path, t.exceptions);
  EXPECT_EQ(fs::file_size(path), 0u);
  EXPECT_TRUE(t.ExceptionKeys().empty());

  const std::string sub = t.dir.MakeDir("sub");
  StringToFile("x", sub, t.exceptions);
  EXPECT_TRUE(fs::is_empty(sub));
  EXPECT_EQ(t.ExceptionCount("StringToFile - " + sub + " - Is a directory"), 1);

  const std::string nowhere = dir() + "no/such/dir.xml";
  StringToFile("x", nowhere, t.exceptions);
  EXPECT_EQ(t.ExceptionCount("StringToFile - " + nowhere + " - No such file or directory"), 1);
}

TEST_F(FilesTest, CopyFileDataCopiesEveryByteAcrossBlockBoundaries) {
  for (std::size_t size :
       {std::size_t{0}, std::size_t{1}, std::size_t{2048}, std::size_t{2049}, std::size_t{10000}}) {
    std::string content(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
      content[i] = static_cast<char>(i * 7 + size);
    const std::string source = t.dir.Write("result_" + std::to_string(size), content);
    const std::string backup = t.dir.Write("result.tess", "an older and much longer backup copy");
    CopyFileData(source, backup);
    EXPECT_EQ(t.dir.Read("result.tess"), content) << size;
  }
}

TEST_F(FilesTest, CopyFileDataThrowsAndLeavesTheSourceWhole) {
  const std::string source = t.dir.Write("result", "signals");
  EXPECT_THROW(CopyFileData(dir() + "missing", dir() + "copy"), std::system_error);
  EXPECT_FALSE(fs::exists(dir() + "copy"));
  EXPECT_THROW(CopyFileData(source, dir() + "no/dir/copy"), std::system_error);
  EXPECT_THROW(CopyFileData(source, t.dir.MakeDir("backups")), std::system_error);
  EXPECT_THROW(CopyFileData(t.dir.MakeDir("slot"), dir() + "copy"), std::system_error);

  // Copying a file onto itself must not truncate it; through a link it is refused, since a
  // link under a copy's name is never written through.
  CopyFileData(source, source);
  fs::create_symlink(source, dir() + "link");
  EXPECT_THROW(CopyFileData(source, dir() + "link"), std::system_error);
  EXPECT_EQ(t.dir.Read("result"), "signals");
}

TEST_F(FilesTest, PathExistsForFilesDirectoriesAndWildcards) {
  t.dir.Write("logs/boinc.csv", "x");
  EXPECT_TRUE(PathExists(dir() + "logs/boinc.csv"));
  EXPECT_TRUE(PathExists(dir() + "logs"));
  EXPECT_TRUE(PathExists(dir() + "logs/"));
  EXPECT_FALSE(PathExists(dir() + "logs/sah_boinc.csv"));
  EXPECT_TRUE(PathExists(dir() + "logs/*.csv"));
  EXPECT_TRUE(PathExists(dir() + "lo?s"));
  EXPECT_FALSE(PathExists(dir() + "logs/*.tess"));
  EXPECT_FALSE(PathExists(""));
}

TEST_F(FilesTest, FileSizeAndTimeAreZeroForMissingFiles) {
  const std::string path = t.dir.Write("in", std::string(1234, 'x'));
  EXPECT_EQ(FileSizeOf(path), 1234u);
  EXPECT_EQ(FileSizeOf(dir() + "missing"), 0u);
  EXPECT_EQ(FileSizeOf(t.dir.MakeDir("d")), 0u);
  EXPECT_EQ(FileTimeOf(dir() + "missing"), 0);

  const timespec times[2] = {{1700000000, 5}, {1700000123, 456789}};
  ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
  EXPECT_EQ(FileTimeOf(path), 1700000123'000'456789);
}

TEST_F(FilesTest, FileSizeOfGivesTheLow32Bits) {
  const std::string path = t.dir.Write("sparse", "");
  ASSERT_EQ(::truncate(path.c_str(), (std::int64_t{1} << 32) + 5), 0);
  EXPECT_EQ(FileSizeOf(path), 5u);
}

TEST_F(FilesTest, ListFilesGivesSortedRegularFilesMatchingThePattern) {
  t.dir.Write("logs/b.tess", "");
  t.dir.Write("logs/a.tess", "");
  t.dir.Write("logs/a.tess.old", "");
  t.dir.Write("logs/[x].tess", "");
  t.dir.Write("logs/c.csv", "");
  t.dir.MakeDir("logs/dir.tess");
  const std::string logs = dir() + "logs";
  EXPECT_EQ(ListFiles(logs, "*.tess"), (std::vector<std::string>{"[x].tess", "a.tess", "b.tess"}));
  EXPECT_EQ(ListFiles(logs + "/", "?.tess"), (std::vector<std::string>{"a.tess", "b.tess"}));
  EXPECT_EQ(ListFiles(logs, "[x].tess"), (std::vector<std::string>{"[x].tess"}));
  EXPECT_TRUE(ListFiles(dir() + "missing", "*").empty());
}

}  // namespace
}  // namespace tessarin
