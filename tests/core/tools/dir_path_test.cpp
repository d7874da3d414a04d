#include "core/tools/dir_path.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

TEST(DirPath, SpellingsOfOneDirectoryAreOneAndLetterCaseMakesAnother) {
  const struct {
    const char* a;
    const char* b;
    bool same;
  } cases[] = {
      {"/var/lib/boinc-client", "/var/lib/boinc-client/", true},
      {"/var/lib//boinc-client", "/var/lib/boinc-client/", true},
      {"/var/./lib/boinc-client/.", "/var/lib/boinc-client", true},
      {"/var/lib/BOINC", "/var/lib/boinc", false},
      {"/a/../b", "/b", false},  // ".." may cross a symbolic link
      {"rel/x", "/rel/x", false},
      {"/a\\xFF", "/a\\xFF/", true},
  };
  for (const auto& c : cases)
    EXPECT_EQ(SameDir(c.a, c.b), c.same) << c.a << " / " << c.b;
  EXPECT_EQ(NormalDir("//srv///data/./x"), "/srv/data/x/");
  EXPECT_EQ(NormalDir(""), "");
}

TEST(DirPath, OnlyALeadingTildeIsTheHome) {
  EXPECT_EQ(ExpandHome("~", "/home/u"), "/home/u");
  EXPECT_EQ(ExpandHome("~/tess-logs", "/home/u/"), "/home/u/tess-logs");
  EXPECT_EQ(ExpandHome("~other/logs", "/home/u"), "~other/logs");
  EXPECT_EQ(ExpandHome("/srv/~/x", "/home/u"), "/srv/~/x");
  EXPECT_EQ(ExpandHome("rel-logs", "/home/u"), "rel-logs");
}

}  // namespace
}  // namespace tessarin
