#include "platform/autostart.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/temp_dir.h"

namespace tessarin {
namespace {

using test::TempDir;

TEST(AutostartDirTest, FollowsAnAbsoluteXdgConfigHomeElseTheHomeConfig) {
  EXPECT_EQ(AutostartDirFor("/cfg", "/home/u"), "/cfg/autostart/");
  EXPECT_EQ(AutostartDirFor("/cfg/", "/home/u"), "/cfg/autostart/");
  EXPECT_EQ(AutostartDirFor("", "/home/u"), "/home/u/.config/autostart/");
  EXPECT_EQ(AutostartDirFor("relative/cfg", "/home/u"), "/home/u/.config/autostart/");
}

TEST(DesktopExecValueTest, QuotesThePathAndEscapesWhatTheExecLineWouldReadOtherwise) {
  EXPECT_EQ(DesktopExecValue("/opt/My Apps/tessarin"), "\"/opt/My Apps/tessarin\"");
  EXPECT_EQ(DesktopExecValue("/a\"b$c`d"), "\"/a\\\\\"b\\\\$c\\\\`d\"");
  EXPECT_EQ(DesktopExecValue("/a\\b"), "\"/a\\\\\\\\b\"");
  EXPECT_EQ(DesktopExecValue("/100%/t"), "\"/100%%/t\"");
  EXPECT_EQ(DesktopExecValue("/a\nb"), "");
}

TEST(XdgAutostartTest, SwitchingOnWritesTheEntryAndOffRemovesIt) {
  TempDir dir;
  XdgAutostart autostart(dir.path() + "config/autostart");
  EXPECT_FALSE(autostart.IsOn());
  EXPECT_TRUE(autostart.SwitchOff());  // nothing to remove is no failure

  ASSERT_TRUE(autostart.SwitchOn("/opt/tess app/tessarin", {}));
  EXPECT_EQ(autostart.FilePath(), dir.path() + "config/autostart/tessarin.desktop");
  EXPECT_TRUE(autostart.IsOn());
  const std::string content = dir.Read("config/autostart/tessarin.desktop");
  EXPECT_EQ(content.rfind("[Desktop Entry]\n", 0), 0u);
  EXPECT_NE(content.find("\nType=Application\n"), std::string::npos);
  EXPECT_NE(content.find("\nExec=\"/opt/tess app/tessarin\"\n"), std::string::npos);
  // Written whole through a temporary file that does not stay behind.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path() + "config/autostart"),
                          std::filesystem::directory_iterator()),
            1);

  // Login opens the program directory this run was given.
  ASSERT_TRUE(autostart.SwitchOn("/usr/bin/tessarin", {"--home", "/srv/my tess"}));
  EXPECT_NE(dir.Read("config/autostart/tessarin.desktop")
                .find("\nExec=\"/usr/bin/tessarin\" \"--home\" \"/srv/my tess\"\n"),
            std::string::npos);

  EXPECT_TRUE(autostart.SwitchOff());
  EXPECT_FALSE(autostart.IsOn());
  EXPECT_FALSE(std::filesystem::exists(autostart.FilePath()));
}

TEST(XdgAutostartTest, AnEntryTheDesktopSwitchedOffCountsAsOff) {
  TempDir dir;
  XdgAutostart autostart(dir.path());
  dir.Write("tessarin.desktop", "[Desktop Entry]\nExec=tessarin\nHidden=true\n");
  EXPECT_FALSE(autostart.IsOn());
  dir.Write("tessarin.desktop", "[Desktop Entry]\r\nX-GNOME-Autostart-enabled = False\r\n");
  EXPECT_FALSE(autostart.IsOn());
  dir.Write("tessarin.desktop", "[Desktop Entry]\nExec=tessarin\n[Other]\nHidden=true\n");
  EXPECT_TRUE(autostart.IsOn());
  ASSERT_TRUE(autostart.SwitchOn("/t", {}));
  EXPECT_TRUE(autostart.IsOn());
}

TEST(XdgAutostartTest, AnUnwritableDirectoryReportsFailure) {
  TempDir dir;
  dir.Write("blocked", "a file where the directory should be");
  XdgAutostart autostart(dir.path() + "blocked/autostart");
  EXPECT_FALSE(autostart.SwitchOn("/t", {}));
  EXPECT_FALSE(autostart.IsOn());
  EXPECT_FALSE(XdgAutostart(dir.path()).SwitchOn("/a\nb", {}));
  EXPECT_FALSE(XdgAutostart(dir.path()).SwitchOn("/t", {"--home", "/a\nb"}));
}

}  // namespace
}  // namespace tessarin
