#include "core/tools/path_inside.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "support/temp_dir.h"

namespace tessarin {
namespace {

namespace fs = std::filesystem;

TEST(PathInside, EverySpellingOfTheSameOrAnInnerDirectoryIsFound) {
  test::TempDir dir;
  const std::string client = dir.MakeDir("boinc");
  dir.MakeDir("boinc/projects");
  dir.MakeDir("boinc-other");
  fs::create_directory_symlink(client, dir.path() + "link");
  const std::string base = dir.path();
  const struct {
    std::string inner;
    bool inside;
  } cases[] = {
      {client, true},
      {base + "boinc", true},
      {base + "boinc//", true},
      {base + "./boinc/.", true},
      {base + "boinc-other/../boinc", true},
      {base + "boinc/projects/", true},
      {base + "boinc/logs-not-yet-made/x", true},
      {base + "boinc/new/../../boinc/new", true},
      {base + "link/logs", true},
      {base + "link", true},
      {base + "boinc-other", false},
      {base + "boinc/..", false},
      {base, false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(IsSameOrInside(c.inner, client), c.inside) << c.inner;
  EXPECT_TRUE(IsSameOrInside(base + "boinc/projects", base + "link/"));

  // A relative path is taken against the current directory.
  const fs::path previous = fs::current_path();
  fs::current_path(client);
  EXPECT_TRUE(IsSameOrInside("logs", client));
  EXPECT_TRUE(IsSameOrInside("", client));
  EXPECT_FALSE(IsSameOrInside("../boinc-other", client));
  fs::current_path(previous);
}

}  // namespace
}  // namespace tessarin
