// What a project application can plant in its project or slot directory never makes the
// program read outside the client directory, block, or read without bound.
#include "core/data/client_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <filesystem>

#include "support/test_environment.h"

namespace tessarin {
namespace {

namespace fs = std::filesystem;

TEST(ClientFilePath, OnlyAPlainFileOfOneProjectOrSlotDirectory) {
  using namespace std::string_literals;
  const struct {
    std::string relative;
    bool readable;
  } cases[] = {
      {"projects/boinc.example.org_x/wu_1_0", true},
      {"slots/12/state.sah", true},
      {"slots/0/...", true},
      {"slots/../../outside/state.sah", false},
      {"slots/../state.sah", false},
      {"slots/./state.sah", false},
      {"slots//state.sah", false},
      {"slots/0/", false},
      {"slots/0/..", false},
      {"slots/0/sub/state.sah", false},
      {"projects/p/../../../home/u/.ssh/id_ed25519", false},
      {"client_state.xml", false},
      {"other/0/state.sah", false},
      {"/slots/0/state.sah", false},
      {"slots/0/a\0b"s, false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(SplitClientFilePath(c.relative).has_value(), c.readable) << c.relative;
}

// A client directory with one slot; `Open` opens slots/0/<name> with a bound of 1 KB.
class ClientFileTest : public ::testing::Test {
 protected:
  std::string Client() const { return dir.path() + "client/"; }
  std::string Slot() const { return Client() + "slots/0/"; }
  std::optional<OpenedClientFile> Open(const std::string& name) {
    return OpenClientFile(Client(), Slot() + name, 1024);
  }
  test::TempDir dir;
};

TEST_F(ClientFileTest, PlantedFilesAreRefused) {
  dir.Write("client/slots/0/state.sah", "fine");
  dir.Write("private/id_ed25519", "secret");
  dir.Write("client/slots/1/state.sah", "elsewhere");
  fs::create_symlink(dir.path() + "private/id_ed25519", Slot() + "linked");
  fs::create_symlink("/dev/zero", Slot() + "zero");
  fs::create_symlink(dir.path() + "private", Slot() + "dir");
  ASSERT_EQ(::mkfifo((Slot() + "fifo").c_str(), 0600), 0);
  fs::create_directory(Slot() + "subdir");
  {
    const std::string sparse = Slot() + "sparse";
    dir.Write("client/slots/0/sparse", "");
    fs::resize_file(sparse, 1025);
  }
  for (const char* name : {"linked", "zero", "dir", "fifo", "subdir", "sparse"})
    EXPECT_THROW(Open(name), ClientFileRefused) << name;
  // A slot directory that is itself a link leads elsewhere too.
  fs::create_directory_symlink(dir.path() + "private", Client() + "slots/9");
  EXPECT_THROW(OpenClientFile(Client(), Client() + "slots/9/id_ed25519", 1024), ClientFileRefused);
  EXPECT_THROW(OpenClientFile(Client(), Client() + "slots/0/../1/state.sah", 1024),
               ClientFileRefused);
  EXPECT_THROW(OpenClientFile(Client(), dir.path() + "private/id_ed25519", 1024),
               ClientFileRefused);

  EXPECT_FALSE(Open("missing").has_value());
  const auto fine = Open("state.sah");
  ASSERT_TRUE(fine.has_value());
  EXPECT_EQ(fine->size, 4u);
}

TEST_F(ClientFileTest, ADeviceNodeIsNeverOpened) {
  dir.MakeDir("client/slots/0");
  // A FIFO-like device would block or act on open; mknod of a device needs root.
  if (::mknod((Slot() + "tty").c_str(), S_IFCHR | 0600, makedev(5, 0)) != 0)
    GTEST_SKIP() << "no permission to make a device node";
  EXPECT_THROW(Open("tty"), ClientFileRefused);
}

TEST_F(ClientFileTest, AReadRefusalIsCountedOncePerPath) {
  dir.MakeDir("client/slots/0");
  std::filesystem::create_symlink("/etc/passwd", Slot() + "state.sah");
  test::TestEnvironment t;
  for (int cycle = 0; cycle < 3; ++cycle)
    EXPECT_EQ(ClientFileAsString(Client(), Slot() + "state.sah", 1024, t.exceptions), "");
  EXPECT_EQ(t.ExceptionCount("FileAsString - " + Slot() + "state.sah - Symbolic link refused"), 1);
}

}  // namespace
}  // namespace tessarin
