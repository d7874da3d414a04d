#include "platform/program_dir.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/temp_dir.h"

namespace tessarin {
namespace {

TEST(FindProgramDirTest, PortableFolderThenXdgThenHomeAndHomeOptionOverAll) {
  test::TempDir dir;
  const std::string bin = dir.MakeDir("bin");
  ProgramDirSources sources{"", bin + "tessarin", "/cfg", "/home/u"};
  EXPECT_EQ(FindProgramDir(sources), "/cfg/Tessarin/");

  sources.xdgConfigHome = "relative/cfg";  // not absolute: ignored
  EXPECT_EQ(FindProgramDir(sources), "/home/u/.config/Tessarin/");
  sources.xdgConfigHome.clear();
  EXPECT_EQ(FindProgramDir(sources), "/home/u/.config/Tessarin/");

  dir.Write("bin/Tessarin.ini", "");
  EXPECT_EQ(FindProgramDir(sources), bin);

  sources.homeOption = "/srv/tessarin";
  EXPECT_EQ(FindProgramDir(sources), "/srv/tessarin/");
}

TEST(FindProgramDirTest, OnlyTheUsersOwnProgramDirectoryLogsUnderTheDataDirectory) {
  test::TempDir dir;
  const std::string bin = dir.MakeDir("bin");
  ProgramDirSources sources{"", bin + "tessarin", "/cfg", "/home/u", "/data"};
  EXPECT_EQ(FirstStartLogDir(sources), "/data/Tessarin/logs");
  sources.xdgDataHome = "data";  // not absolute: ignored
  EXPECT_EQ(FirstStartLogDir(sources), "/home/u/.local/share/Tessarin/logs");

  // The portable layout and --home keep "logs" beside Tessarin.ini.
  dir.Write("bin/Tessarin.ini", "");
  EXPECT_EQ(FirstStartLogDir(sources), "");
  std::filesystem::remove(bin + "Tessarin.ini");
  sources.homeOption = "/srv/tessarin";
  EXPECT_EQ(FirstStartLogDir(sources), "");

  // A relative --home is taken from where the program starts, once.
  sources.homeOption = "rel/tess";
  EXPECT_EQ(FindProgramDir(sources), std::filesystem::current_path().string() + "/rel/tess/");
}

TEST(FindProgramDirTest, HomeOptionInBothSpellings) {
  const char* spaced[] = {"tessarin", "--silent", "--home", "/a b"};
  EXPECT_EQ(HomeOption(4, spaced), "/a b");
  const char* joined[] = {"tessarin", "--home=/c"};
  EXPECT_EQ(HomeOption(2, joined), "/c");
  const char* dangling[] = {"tessarin", "--home"};
  EXPECT_EQ(HomeOption(2, dangling), "");
  const char* other[] = {"tessarin", "--homely", "x"};
  EXPECT_EQ(HomeOption(3, other), "");
}

TEST(FindProgramDirTest, EnsureProgramDirCreatesParents) {
  test::TempDir dir;
  EXPECT_TRUE(EnsureProgramDir(dir.path() + "a/b/Tessarin/"));
  EXPECT_TRUE(std::filesystem::is_directory(dir.path() + "a/b/Tessarin"));
  dir.Write("file", "");
  EXPECT_FALSE(EnsureProgramDir(dir.path() + "file/Tessarin/"));
}

TEST(BoincClientDirTest, FirstCandidateHoldingClientStateWins) {
  test::TempDir dir;
  dir.MakeDir("empty");
  dir.Write("debian/client_state_prev.xml", "");
  dir.Write("upstream/client_state.xml", "<client_state/>");
  dir.Write("home/BOINC/client_state.xml", "<client_state/>");
  dir.MakeDir("trap/client_state.xml");
  const std::vector<std::string> candidates{dir.path() + "empty", dir.path() + "trap",
                                            dir.path() + "debian", dir.path() + "upstream",
                                            dir.path() + "home/BOINC"};
  EXPECT_EQ(FindBoincClientDir(candidates), dir.path() + "upstream/");
  EXPECT_EQ(FindBoincClientDir({dir.path() + "empty"}), "");
  EXPECT_EQ(FindBoincClientDir({}), "");
}

TEST(BoincClientDirTest, CandidatesFollowTheUsualPlacesAndTheConfiguredDataDir) {
  EXPECT_EQ(BoincClientDirCandidates("", "/home/u"),
            (std::vector<std::string>{"/var/lib/boinc-client", "/var/lib/boinc", "/home/u/BOINC"}));
  EXPECT_EQ(BoincClientDirCandidates("# moved\r\n data_dir = /srv/boinc \r\nother=1\n", ""),
            (std::vector<std::string>{"/srv/boinc", "/var/lib/boinc-client", "/var/lib/boinc"}));
  EXPECT_EQ(BoincClientDirCandidates("#data_dir=/old\n", "/h").front(), "/var/lib/boinc-client");
}

}  // namespace
}  // namespace tessarin
