// Names from a client that someone else controls: whatever client_state.xml or boinc.csv
// says, nothing is written, copied or deleted outside the log directory, and a symbolic link
// planted in the log directory is never written through.
#include <unistd.h>

#include <gtest/gtest.h>
#include <chrono>
#include <filesystem>
#include <map>

#include "core/data/log_files.h"
#include "core/settings/settings_keys.h"
#include "support/fault_support.h"
#include "watcher_fixture.h"

namespace tessarin::test {
namespace {

namespace fs = std::filesystem;

// Every path below the test directory with its content, except the log directory.
std::map<std::string, std::string> OutsideTheLogs(const TempDir& dir) {
  std::map<std::string, std::string> entries;
  for (auto it = fs::recursive_directory_iterator(dir.path()); it != fs::end(it); ++it) {
    const std::string relative = fs::relative(it->path(), dir.path()).string();
    if (relative == "logs") {
      it.disable_recursion_pending();
      continue;
    }
    // Settings and the client state are the test's own writes.
    if (relative.rfind("Tessarin.ini", 0) == 0 || relative == "client/client_state.xml")
      continue;
    entries[relative] = it->is_regular_file() ? dir.Read(relative) : "<not a file>";
  }
  return entries;
}

class HostileNames : public ::testing::Test {
 protected:
  HostileNames() {
    f.test.dir.MakeDir("logs");
    f.test.settings.Write(settings::kBackupWU, true);
    f.test.settings.Write(settings::kBackupResult, true);
    f.test.settings.Write(settings::kBackupState, true);
  }

  // A finished SETI@home result whose work unit, result and file names are `name`-based, with
  // every file it names present in the project directory, and a running task of it.
  void WriteClient(const std::string& wu, const std::string& result, const std::string& file,
                   const std::string& input) {
    WriteClientFileIfPlain(std::string(kSetiDir) + input, "input data");
    WriteClientFileIfPlain(std::string(kSetiDir) + file, "output data");
    f.WriteClientFile("slots/0/state.sah", "<state/>");
    f.WriteState(ClientStateXml(
        ProjectXml(kSetiUrl, "SETI@home") + WorkunitXml(wu, "setiathome", "528", "1e13", {input}) +
        ResultXml(result, wu, 5, file) + ActiveTaskXml(kSetiUrl, result, "0", "10")));
  }

  // The files named through "../" exist where that path leads, so a copy would find them.
  void WriteClientFileIfPlain(const std::string& relative, const std::string& content) {
    const fs::path target = fs::path(f.clientDir) / relative;
    std::error_code ignored;
    fs::create_directories(target.parent_path(), ignored);
    if (fs::path(relative).filename().string().size() < 250 && fs::exists(target.parent_path()))
      f.WriteClientFile(relative, content);
  }

  WatcherFixture f;
};

TEST_F(HostileNames, DotDotAndAbsoluteNamesNeverLeadOutOfTheLogDirectory) {
  const std::string outside = f.test.dir.path() + "outside";
  const std::vector<std::array<std::string, 4>> cases = {
      {"../../wu_up", "../../res_up", "../../file_up", "../../in_up"},
      {"a/../../wu_mid", "a/../../res_mid", "x/../../../file_mid", "x/../../../in_mid"},
      {outside + "_wu", outside + "_res", outside + "_file", outside + "_in"},
      {"..", "..", "..", "."},
      {"..\\..\\wu_back", "..\\res_back", "..\\file_back", "..\\in_back"},
  };
  for (const auto& names : cases) {
    WriteClient(names[0], names[1], names[2], names[3]);
    const auto before = OutsideTheLogs(f.test.dir);
    f.Cycle();
    // The task vanishes: its result is looked for among the copies by its hostile name.
    f.WriteState(ClientStateXml(ProjectXml(kSetiUrl, "SETI@home")));
    f.Cycle();
    EXPECT_EQ(OutsideTheLogs(f.test.dir), before) << names[0];
  }
  for (const auto& entry : fs::directory_iterator(f.env.logDir))
    EXPECT_TRUE(entry.is_regular_file()) << entry.path();
  EXPECT_GE(f.test.ExceptionCount("ProcessResult - unsafe file name - ../../file_up"), 1);
  EXPECT_GE(f.test.ExceptionCount("ProcessWorkunit - unsafe file name - ../../wu_up"), 1);
  EXPECT_GE(f.test.ExceptionCount("ProcessWorkunit - unsafe file name - ../../in_up"), 1);
  EXPECT_GE(f.test.ExceptionCount("ProcessStateSah - unsafe file name - ../../file_up"), 1);
  EXPECT_GE(f.test.ExceptionCount("LogWU - unsafe file name - ../../file_up"), 1);
  // None of them reached a project logger, which reads and deletes backups by these names.
  for (const RecordingLogger::Call& call : f.loggers.calls) {
    EXPECT_EQ(call.resultFileName.find('/'), std::string::npos) << call.resultFileName;
    EXPECT_EQ(call.wuName.find('/'), std::string::npos) << call.wuName;
  }
}

TEST_F(HostileNames, OverlongNamesAreCountedAndSkipped) {
  const std::string longName(300, 'n');
  const std::string veryLong(5000, 'v');
  WriteClient(longName, longName + "_r", longName + "_f", veryLong);
  const auto before = OutsideTheLogs(f.test.dir);
  EXPECT_TRUE(f.Cycle().published);
  EXPECT_EQ(OutsideTheLogs(f.test.dir), before);
  EXPECT_GE(ExceptionsStartingWith(f.test.ExceptionKeys(), "StringToFile - "), 1);
  // The result is still logged, under its name as written.
  EXPECT_EQ(Occurrences(f.ReadLog(logs::kBoincCsv), longName + "_f"), 1);
}

TEST_F(HostileNames, ControlCharactersNeverBreakARowOfTheLog) {
  const std::string wu = "wu\x01\x1b[2J\t";
  WriteClient(wu, "res\r\nforged,row\r\n", "file\r\n\"2099\",\"x\"\x7f", "in\x02");
  f.Cycle();
  f.WriteState(ClientStateXml(ProjectXml(kSetiUrl, "SETI@home")));
  f.Cycle();
  const std::vector<std::string> lines = LogLines(f.ReadLog(logs::kBoincCsv));
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(Occurrences(lines[1], "\n") + Occurrences(lines[1], "\r"), 0);
  EXPECT_NE(lines[1].find("\"file  2099,x\x7f\""), std::string::npos) << lines[1];
}

TEST_F(HostileNames, PlantedLinksUnderBackupNamesAreNotWrittenThrough) {
  const std::string target = f.test.dir.Write("precious.txt", "keep me");
  fs::last_write_time(target, fs::file_time_type::clock::now() - std::chrono::hours(24));
  const std::vector<std::string> planted = {"wu_1.xml", "wu_1.in.tess", "wu_1_0_0.tess",
                                            "wu_1_0_0_state.tess", logs::kBoincCsv};
  for (const std::string& name : planted)
    fs::create_symlink(target, f.env.logDir + name);
  WriteClient("wu_1", "wu_1_0", "wu_1_0_0", "wu_1.in");
  f.Cycle();
  f.WriteState(ClientStateXml(ProjectXml(kSetiUrl, "SETI@home")));
  f.Cycle();

  EXPECT_EQ(f.test.dir.Read("precious.txt"), "keep me");
  for (const std::string& name : planted)
    EXPECT_TRUE(fs::is_symlink(f.env.logDir + name)) << name;
  const std::string loop = " - Too many levels of symbolic links";
  EXPECT_GE(f.test.ExceptionCount("StringToFile - " + f.env.logDir + "wu_1.xml" + loop), 1);
  EXPECT_GE(ExceptionsStartingWith(f.test.ExceptionKeys(),
                                   "ProcessWorkunit - " + f.env.logDir + "wu_1.in.tess"),
            1);
  EXPECT_GE(ExceptionsStartingWith(f.test.ExceptionKeys(),
                                   "ProcessResult - " + f.env.logDir + "wu_1_0_0.tess"),
            1);
  EXPECT_GE(ExceptionsStartingWith(f.test.ExceptionKeys(),
                                   "ProcessStateSah - " + f.env.logDir + "wu_1_0_0_state.tess"),
            1);
  EXPECT_GE(f.test.ExceptionCount("AlreadyLogged - " + f.env.logDir + logs::kBoincCsv + loop), 1);
  EXPECT_TRUE(f.loggers.calls.empty());
}

TEST_F(HostileNames, HostileNamesInBoincCsvAreOnlyEverCompared) {
  // A log whose rows name paths: reading it to find logged results touches nothing.
  std::string csv = logs::kBoincCsvHeader;
  for (const std::string name : {"../../escape", "/etc/passwd", "*", "..", "..\\wu_1_0_0"}) {
    csv += std::string(logs::kLineBreak) + std::string(41, ',') + "\"" + name + "\",1,1,false,";
  }
  f.test.dir.Write("logs/boinc.csv", csv);
  WriteClient("wu_1", "wu_1_0", "wu_1_0_0", "wu_1.in");
  const auto before = OutsideTheLogs(f.test.dir);
  f.Cycle();
  EXPECT_EQ(OutsideTheLogs(f.test.dir), before);
  const std::string after = f.ReadLog(logs::kBoincCsv);
  EXPECT_EQ(after.substr(0, csv.size()), csv);
  EXPECT_EQ(Occurrences(after, "\"wu_1_0_0\""), 1);
}

}  // namespace
}  // namespace tessarin::test
