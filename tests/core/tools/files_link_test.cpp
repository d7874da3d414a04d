// Backups are written into the log directory, where another user may have planted a symbolic
// link under a backup's name: the write fails instead of landing where the link points.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/tools/files.h"
#include "support/test_environment.h"

namespace tessarin {
namespace {

TEST(FilesLink, CopyAndWriteRefuseALinkInPlaceOfTheirTarget) {
  test::TestEnvironment t;
  const std::string outside = t.dir.Write("outside.txt", "keep");
  const std::string source = t.dir.Write("source.txt", "new content");
  std::filesystem::create_symlink(outside, t.dir.path() + "copy.tess");
  std::filesystem::create_symlink(outside, t.dir.path() + "wu.xml");

  EXPECT_THROW(CopyFileData(source, t.dir.path() + "copy.tess"), std::system_error);
  StringToFile("<workunit/>", t.dir.path() + "wu.xml", t.exceptions);
  EXPECT_EQ(t.ExceptionCount("StringToFile - " + t.dir.path() +
                             "wu.xml - Too many levels of symbolic links"),
            1);
  EXPECT_EQ(t.dir.Read("outside.txt"), "keep");
  // A plain file under the name is still replaced as before.
  std::filesystem::remove(t.dir.path() + "copy.tess");
  CopyFileData(source, t.dir.path() + "copy.tess");
  EXPECT_EQ(t.dir.Read("copy.tess"), "new content");
}

}  // namespace
}  // namespace tessarin
