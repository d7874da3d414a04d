#include "core/projects/log_upgrade.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <set>
#include <span>
#include <stdexcept>

#include "core/data/log_files.h"
#include "core/data/shared_log_block.h"
#include "core/tools/csv.h"
#include "core/tools/text.h"
#include "support/test_environment.h"

namespace tessarin {
namespace {

namespace fs = std::filesystem;

const char* const kVersioned = "sah_boinc.1.5.2.390";

std::vector<std::string> Names(std::string_view header, char separator) {
  const FieldArray fields = SplitCsvLine(header, separator, true);
  std::vector<std::string> names;
  for (int k = 1; k <= CountFields(header, separator); ++k)
    names.push_back(fields[k]);
  return names;
}

std::string Join(const std::vector<std::string>& values, char separator, bool quote) {
  std::string line;
  for (const std::string& value : values) {
    if (!line.empty())
      line += separator;
    line += quote ? '"' + value + '"' : value;
  }
  return line;
}

// A value per column, in the forms old versions wrote.
std::string OldValue(const std::string& column, int row) {
  if (column == "domain_name")
    return "\"host " + std::to_string(row) + "\"";
  if (column == "p_fpops" || column == "d_free")
    return "1234.000000";
  if (column == "on_frac")
    return "0.998";
  if (column == "fpops_est")
    return "30000000000000.5";
  return column + std::to_string(row);
}

std::string NewValue(const std::string& column, int row) {
  if (column == "p_fpops" || column == "d_free")
    return "1234";
  if (column == "fpops_est")
    return "30000000000000";
  return OldValue(column, row);
}

// An old sah_boinc.csv: ';' separators and no "bt_fft_len" column.
struct OldSahLog {
  std::vector<std::string> columns;
  std::string content;
  std::string expected;  // the same rows under the current header

  explicit OldSahLog(int rows) {
    for (const std::string& name : Names(logs::kSahHeader, ',')) {
      if (name != "bt_fft_len")
        columns.push_back(name);
    }
    content = Join(columns, ';', true);
    expected = logs::kSahHeader;
    for (int r = 1; r <= rows; ++r) {
      std::vector<std::string> oldRow;
      for (const std::string& name : columns)
        oldRow.push_back(OldValue(name, r));
      content += "\r\n" + Join(oldRow, ';', false);
      std::vector<std::string> newRow;
      for (const std::string& name : Names(logs::kSahHeader, ',')) {
        newRow.push_back(name == "bt_fft_len" ? "" : NewValue(name, r));
      }
      expected += "\r\n" + Join(newRow, ',', false);
    }
  }
};

std::set<std::string> Listing(const std::string& dir) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(dir))
    names.insert(entry.path().filename());
  return names;
}

class LogUpgradeTest : public ::testing::Test {
 protected:
  std::string Path(const std::string& name) const { return t.env.logDir + name; }
  std::string Read(const std::string& name) const { return t.dir.Read("logs/" + name); }
  void Write(const std::string& name, const std::string& content) {
    t.dir.Write("logs/" + name, content);
  }
  void UpgradeSah(LogFileOperations& ops = SystemFileOperations()) {
    UpgradeLogFile(Path(logs::kSahCsv), "", logs::kSahHeader, "", "",
                   std::span<const char* const>(kIntegerColumns), ops);
  }

  test::TestEnvironment t;
};

TEST_F(LogUpgradeTest, CurrentHeaderIsLeftAlone) {
  const std::string log = std::string(logs::kSahHeader) + "\r\n1,2,3";
  Write(logs::kSahCsv, log);
  UpgradeSah();

  EXPECT_EQ(Read(logs::kSahCsv), log);
  EXPECT_EQ(Listing(t.env.logDir), std::set<std::string>{logs::kSahCsv});
}

// A log saved back from a spreadsheet starts with a byte-order mark: under the current header
// it is left alone, under an old one its first column is kept like any other.
TEST_F(LogUpgradeTest, ByteOrderMarkBeforeTheHeaderIsPassedOver) {
  const std::string current = std::string(kUtf8ByteOrderMark) + logs::kSahHeader + "\r\n1,2,3";
  Write(logs::kSahCsv, current);
  UpgradeSah();
  EXPECT_EQ(Read(logs::kSahCsv), current);
  EXPECT_EQ(Listing(t.env.logDir), std::set<std::string>{logs::kSahCsv});

  const OldSahLog old(2);
  Write(logs::kSahCsv, std::string(kUtf8ByteOrderMark) + old.content);
  UpgradeSah();
  EXPECT_EQ(Read(logs::kSahCsv), old.expected);
}

TEST_F(LogUpgradeTest, SemicolonLogIsRewrittenByColumnName) {
  const OldSahLog old(3);
  Write(logs::kSahCsv, old.content);
  UpgradeSah();

  EXPECT_EQ(Read(logs::kSahCsv), old.expected);
  EXPECT_EQ(Read(kVersioned), old.content);
  EXPECT_EQ(Listing(t.env.logDir), (std::set<std::string>{logs::kSahCsv, kVersioned}));

  // The version-named copy makes it one-shot, even when the log is old again.
  Write(logs::kSahCsv, old.content);
  UpgradeSah();
  EXPECT_EQ(Read(logs::kSahCsv), old.content);
}

TEST_F(LogUpgradeTest, IntegerColumnsAreCutAtTheDecimalPoint) {
  Write(logs::kSahCsv,
        "\"date\",\"p_fpops\",\"on_frac\",\"d_free\",\"fpops_est\"\nx,1234.000000,0.998,"
        "5678.25,12.5\ny,77,0.5,,.5\n");
  UpgradeSah();

  const std::string log = Read(logs::kSahCsv);
  const std::string row1 =
      log.substr(log.find("\r\n") + 2, log.rfind("\r\n") - log.find("\r\n") - 2);
  const FieldArray names = SplitCsvLine(logs::kSahHeader, ',', true);
  const FieldArray first = SplitCsvLine(row1, ',', false);
  const FieldArray second = SplitCsvLine(log.substr(log.rfind("\r\n") + 2), ',', false);
  for (int k = 1; k <= 90; ++k) {
    const std::string& name = names[k];
    if (name == "p_fpops") {
      EXPECT_EQ(first[k], "1234");
      EXPECT_EQ(second[k], "77");
    } else if (name == "on_frac") {
      EXPECT_EQ(first[k], "0.998");
    } else if (name == "d_free") {
      EXPECT_EQ(first[k], "5678");
    } else if (name == "fpops_est") {
      EXPECT_EQ(first[k], "12");
      EXPECT_EQ(second[k], "");
    } else if (name == "date") {
      EXPECT_EQ(first[k], "x");
    } else {
      EXPECT_EQ(first[k], "") << name;
    }
  }
  // Two rows, no trailing line break: the final LF of the old file adds nothing.
  EXPECT_EQ(CountFields(log, '\n'), 3);
}

TEST_F(LogUpgradeTest, DecimalCommaOfASemicolonLogStaysInItsColumn) {
  Write(logs::kSahCsv, "\"date\";\"on_frac\";\"cpu\"\r\n\"2009.01.01 10:00:00\";0,998;12,5");
  UpgradeSah();

  const std::string log = Read(logs::kSahCsv);
  const FieldArray row = SplitCsvLine(log.substr(log.find("\r\n") + 2), ',', false);
  EXPECT_EQ(row[1], "\"2009.01.01 10:00:00\"");
  EXPECT_EQ(row[17], "\"0,998\"");
  EXPECT_EQ(row[41], "\"12,5\"");
  EXPECT_EQ(CountFields(log.substr(log.find("\r\n") + 2), ','), 90 + 2);
}

TEST_F(LogUpgradeTest, EmptyLogMovesToTheVersionedName) {
  Write(logs::kSahCsv, "");
  UpgradeSah();

  EXPECT_EQ(Listing(t.env.logDir), std::set<std::string>{kVersioned});
}

TEST_F(LogUpgradeTest, SahLogBuildsTheGeneralLogOnce) {
  const OldSahLog old(2);
  Write(logs::kSahCsv, old.content);
  UpgradeLogFiles(t.env);

  EXPECT_EQ(Read(logs::kSahCsv), old.expected);
  EXPECT_EQ(Read(kVersioned), old.content);
  const std::string boinc = Read(logs::kBoincCsv);
  ASSERT_EQ(boinc.rfind(logs::kBoincCsvHeader, 0), 0u);
  const std::string lastRow = boinc.substr(boinc.rfind("\r\n") + 2);
  const FieldArray names = SplitCsvLine(logs::kBoincCsvHeader, ',', true);
  const FieldArray row = SplitCsvLine(lastRow, ',', false);
  EXPECT_EQ(CountFields(lastRow, ','), 46);
  EXPECT_EQ(row[2], "\"SETI@home\"");
  EXPECT_EQ(row[3], "\"setiathome\"");
  EXPECT_EQ(row[4], "\"host 2\"");
  EXPECT_EQ(names[40], "app_version");
  EXPECT_EQ(row[40], "");
  EXPECT_EQ(row[41], "wu_name2");
  EXPECT_EQ(row[46], "");
  EXPECT_EQ(CountFields(boinc, '\n'), 3);
  // boinc.csv was written under its current header: step 4 finds nothing to do.
  EXPECT_FALSE(fs::exists(Path("boinc.1.5.2.390")));

  const auto before = Listing(t.env.logDir);
  UpgradeLogFiles(t.env);
  EXPECT_EQ(Listing(t.env.logDir), before);
  EXPECT_EQ(Read(logs::kBoincCsv), boinc);
}

TEST_F(LogUpgradeTest, LeftoverThatIsNotTheLogsContentIsNotDeleted) {
  const OldSahLog old(1);
  Write(logs::kSahCsv, old.content);
  Write(std::string(kVersioned) + ".bak", "something else");

  EXPECT_THROW(UpgradeSah(), std::runtime_error);
  EXPECT_EQ(Read(logs::kSahCsv), old.content);
  EXPECT_EQ(Read(std::string(kVersioned) + ".bak"), "something else");
}

// Fails, or "kills the program" at, the n-th file step. A killed run leaves a copy of the
// log directory as it was at that moment; every later step fails as well.
class ScriptedOperations final : public LogFileOperations {
 public:
  ScriptedOperations(int failAt, std::string killCopyDir = {}, bool noHardLinks = false)
      : failAt_(failAt), killCopyDir_(std::move(killCopyDir)), noHardLinks_(noHardLinks) {}

  void Write(int fd, std::string_view data, const std::string& path) override {
    Step(path);
    LogFileOperations::Write(fd, data, path);
  }
  void Sync(int fd, const std::string& path) override {
    Step(path);
    LogFileOperations::Sync(fd, path);
  }
  void KeepCopy(const std::string& existing, const std::string& copy) override {
    Step(copy);
    LogFileOperations::KeepCopy(existing, copy);
  }
  void Rename(const std::string& from, const std::string& to) override {
    Step(from);
    LogFileOperations::Rename(from, to);
  }
  void Remove(const std::string& path) override {
    Step(path);
    LogFileOperations::Remove(path);
  }
  int steps() const { return steps_; }

 protected:
  int HardLink(const std::string& existing, const std::string& copy) override {
    return noHardLinks_ ? EPERM : LogFileOperations::HardLink(existing, copy);
  }

 private:
  void Step(const std::string& path) {
    if (dead_)
      throw std::runtime_error("dead");
    if (++steps_ != failAt_)
      return;
    if (!killCopyDir_.empty()) {
      fs::copy(fs::path(path).parent_path(), killCopyDir_, fs::copy_options::recursive);
      dead_ = true;
    }
    throw std::runtime_error(path + " - injected failure");
  }

  int failAt_;
  std::string killCopyDir_;
  bool noHardLinks_;
  int steps_ = 0;
  bool dead_ = false;
};

class InterruptedUpgradeTest : public LogUpgradeTest, public ::testing::WithParamInterface<bool> {
 protected:
  bool noHardLinks() const { return GetParam(); }
  const OldSahLog old{40};
};

TEST_P(InterruptedUpgradeTest, FailedStepPutsTheOldLogBack) {
  int failures = 0;
  for (int n = 1;; ++n) {
    Write(logs::kSahCsv, old.content);
    ScriptedOperations ops(n, {}, noHardLinks());
    try {
      UpgradeSah(ops);
    } catch (const std::runtime_error&) {
      ++failures;
      EXPECT_EQ(Read(logs::kSahCsv), old.content) << "step " << n;
      EXPECT_EQ(Listing(t.env.logDir), std::set<std::string>{logs::kSahCsv}) << "step " << n;
      continue;
    }
    EXPECT_EQ(Read(logs::kSahCsv), old.expected);
    EXPECT_EQ(Read(kVersioned), old.content);
    break;
  }
  // Write, sync, keep, replace, name; the copy without hard links adds a write and a sync.
  EXPECT_EQ(failures, noHardLinks() ? 7 : 5);
}

TEST_P(InterruptedUpgradeTest, KilledAtAnyStepLosesNothingAndTheNextStartFinishes) {
  for (int n = 1;; ++n) {
    const test::TempDir killed;
    const std::string copy = killed.path() + "logs";
    for (const std::string& name : Listing(t.env.logDir))
      fs::remove(Path(name));
    Write(logs::kSahCsv, old.content);
    ScriptedOperations ops(n, copy, noHardLinks());
    try {
      UpgradeSah(ops);
      break;  // ran to the end before step n
    } catch (const std::runtime_error&) {
    }
    const std::string log = killed.Read("logs/" + std::string(logs::kSahCsv));
    const std::string versioned = killed.Read("logs/" + std::string(kVersioned));
    const std::string backup = killed.Read("logs/" + std::string(kVersioned) + ".bak");
    ASSERT_TRUE(log == old.content || log == old.expected) << "step " << n;
    EXPECT_TRUE(log == old.content || versioned == old.content || backup == old.content)
        << "step " << n;

    // The next start on what the crash left.
    UpgradeLogFile(copy + "/" + logs::kSahCsv, "", logs::kSahHeader, "", "",
                   std::span<const char* const>(kIntegerColumns));
    EXPECT_EQ(killed.Read("logs/" + std::string(logs::kSahCsv)), old.expected) << "step " << n;
    EXPECT_EQ(killed.Read("logs/" + std::string(kVersioned)), old.content) << "step " << n;
    EXPECT_EQ(Listing(copy), (std::set<std::string>{logs::kSahCsv, kVersioned})) << "step " << n;
  }
}

INSTANTIATE_TEST_SUITE_P(HardLinks, InterruptedUpgradeTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "CopyOnly" : "Linked"; });

TEST_F(LogUpgradeTest, GeneralLogIsNeverLeftHalfWritten) {
  const OldSahLog old(5);
  Write(logs::kSahCsv, old.expected);
  for (int n = 1;; ++n) {
    ScriptedOperations ops(n);
    try {
      UpgradeLogFile(Path(logs::kSahCsv), Path(logs::kBoincCsv), logs::kBoincCsvHeader,
                     "\"SETI@home\"", "\"setiathome\"",
                     std::span<const char* const>(kIntegerColumns), ops);
    } catch (const std::runtime_error&) {
      EXPECT_EQ(Listing(t.env.logDir), std::set<std::string>{logs::kSahCsv}) << "step " << n;
      continue;
    }
    EXPECT_GE(n, 4);  // write, sync, rename each failed once
    break;
  }
  EXPECT_EQ(CountFields(Read(logs::kBoincCsv), '\n'), 6);
  EXPECT_EQ(Read(logs::kSahCsv), old.expected);
}

}  // namespace
}  // namespace tessarin
