#include "core/settings/settings_store.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <atomic>
#include <filesystem>
#include <string>
#include <thread>

#include "core/settings/settings_keys.h"
#include "support/temp_dir.h"

namespace tessarin {
namespace {

using test::TempDir;

TEST(SettingsStoreTest, MissingFileIsEmptyAndNothingIsWrittenBeforeUpdateFile) {
  TempDir dir;
  const std::string path = dir.path() + "Tessarin.ini";
  SettingsStore store(path);
  EXPECT_TRUE(store.ReadSections().empty());
  EXPECT_EQ(store.ReadInteger("Options", "timer", 9999), 9999);

  store.WriteInteger("Options", "timer", 60);
  EXPECT_EQ(store.ReadInteger("Options", "timer", 9999), 60);
  EXPECT_FALSE(std::filesystem::exists(path));

  store.UpdateFile();
  EXPECT_EQ(dir.Read("Tessarin.ini"), "[Options]\r\ntimer=60\r\n\r\n");
}

TEST(SettingsStoreTest, NamesMatchWithoutRegardToCaseAndKeepTheirFirstSpelling) {
  TempDir dir;
  SettingsStore store(dir.path() + "Tessarin.ini");
  store.WriteString("Options", "Logdir", "/a/");
  store.WriteString("OPTIONS", "logdir", "/b/");
  store.WriteBool("special", "Wallpaper", true);
  EXPECT_EQ(store.ReadString("options", "LOGDIR", ""), "/b/");
  EXPECT_TRUE(store.ValueExists("Special", "wallpaper"));
  EXPECT_TRUE(store.SectionExists("SPECIAL"));
  EXPECT_EQ(store.ReadSections(), (std::vector<std::string>{"Options", "special"}));
  EXPECT_EQ(store.ReadSection("options"), (std::vector<std::string>{"Logdir"}));
}

TEST(SettingsStoreTest, ReadsCrlfAndLfFilesKeepingOrderAndFirstDuplicate) {
  TempDir dir;
  const std::string path = dir.Write("Tessarin.ini",
                                     "[Options]\r\ntimer=30\r\nlogdir=/x/\r\ntimer=99\r\n\r\n"
                                     "[Sound]\nNewWU=SPEAKER:440,200\nFinishedWU=a=b\n"
                                     "; a comment\n  [options]\nsilent=1\nno equals sign\n");
  SettingsStore store(path);
  EXPECT_EQ(store.ReadInteger("Options", "timer", 0), 30);
  EXPECT_EQ(store.ReadString("Sound", "NewWU", ""), "SPEAKER:440,200");
  EXPECT_EQ(store.ReadString("Sound", "FinishedWU", ""), "a=b");
  EXPECT_TRUE(store.ReadBool("Options", "silent", false));
  EXPECT_EQ(store.ReadSection("Options"), (std::vector<std::string>{"timer", "logdir", "silent"}));
  EXPECT_EQ(store.ReadSections(), (std::vector<std::string>{"Options", "Sound"}));
}

TEST(SettingsStoreTest, HandWrittenBlanksAroundTheEqualsSignAreRead) {
  TempDir dir;
  const std::string path = dir.Write("Tessarin.ini",
                                     "[Options]\ntimer = 0\nlogdir\t=  /srv/logs\n"
                                     "[Exceptions]\nv1.52 - =2\n");
  SettingsStore store(path);
  EXPECT_EQ(store.ReadInteger("Options", "timer", 9999), 0);
  EXPECT_EQ(store.ReadString("Options", "logdir", ""), "/srv/logs");
  EXPECT_EQ(store.ReadInteger("Exceptions", "v1.52 - ", 0), 2);
  store.WriteInteger("Options", "timer", 30);
  store.UpdateFile();
  EXPECT_EQ(dir.Read("Tessarin.ini"),
            "[Options]\r\ntimer=30\r\nlogdir=/srv/logs\r\n\r\n[Exceptions]\r\nv1.52 -=2\r\n\r\n");
}

TEST(SettingsStoreTest, DirectoryAndResultNamesKeepTheirLetterCase) {
  TempDir dir;
  const std::string path =
      dir.Write("Tessarin.ini",
                "[BoincRowsDue]\nr_1=a\nR_1=b\n[ProjectLogsDue]\nr_1=c\nR_1=d\n"
                "[BoincDirs]\n/data/boinc/=1\n/data/BOINC/=0\n"
                "[checkpoints-/data/boinc/]\nr1=a\n[checkpoints-/data/BOINC/]\nr2=b\n"
                "[CHECKPOINTS-/data/boinc/]\nr3=c\n");
  SettingsStore store(path);
  EXPECT_EQ(store.ReadSection("BoincDirs"),
            (std::vector<std::string>{"/data/boinc/", "/data/BOINC/"}));
  EXPECT_TRUE(store.ReadBool("boincdirs", "/data/boinc/", false));
  EXPECT_FALSE(store.ReadBool("BoincDirs", "/data/BOINC/", true));
  for (const char* section : {"BoincRowsDue", "ProjectLogsDue"})
    EXPECT_EQ(store.ReadSection(section), (std::vector<std::string>{"r_1", "R_1"})) << section;
  EXPECT_EQ(store.ReadSection("checkpoints-/data/BOINC/"), std::vector<std::string>{"r2"});
  // The word "checkpoints" is a name like any other.
  EXPECT_EQ(store.ReadSection("Checkpoints-/data/boinc/"), (std::vector<std::string>{"r1", "r3"}));
  // Every other name still matches without regard to case.
  store.WriteString("options", "LOGDIR", "/x/");
  EXPECT_EQ(store.ReadString("Options", "logdir", ""), "/x/");
}

TEST(SettingsStoreTest, AReplacedSectionIsNeverSeenHalfWritten) {
  TempDir dir;
  SettingsStore store(dir.path() + "Tessarin.ini");
  const std::vector<std::pair<std::string, std::string>> a{{"/a/", "1"}, {"/b/", "1"}},
      b{{"/c/", "1"}, {"/d/", "0"}, {"/c/", "0"}};
  std::atomic<bool> done{false};
  std::thread writer([&] {
    for (int i = 0; i < 2000; ++i)
      store.ReplaceSection("BoincDirs", i % 2 == 0 ? a : b);
    done = true;
  });
  while (!done) {
    const std::size_t seen = store.ReadSection("BoincDirs").size();
    ASSERT_TRUE(seen == 0 || seen == 2) << seen;
  }
  writer.join();
  // A key given twice keeps its first value.
  EXPECT_EQ(store.ReadSectionValues("BoincDirs"),
            (std::vector<std::pair<std::string, std::string>>{{"/c/", "1"}, {"/d/", "0"}}));
}

TEST(SettingsStoreTest, IntegersAndBooleansFallBackToTheDefaultWhenTheyDoNotParse) {
  TempDir dir;
  const std::string path =
      dir.Write("Tessarin.ini",
                "[N]\nplain=42\nblanks= \t-17 \nplus=+5\nword=abc\ntail=12x\nempty=\n"
                "huge=99999999999\nminusonly=-\n"
                "[B]\none=1\nzero=0\nseven=7\nneg=-1\nword=yes\nempty=\n");
  SettingsStore store(path);
  EXPECT_EQ(store.ReadInteger("N", "plain", 0), 42);
  EXPECT_EQ(store.ReadInteger("N", "blanks", 0), -17);
  for (const char* key : {"plus", "word", "tail", "empty", "huge", "minusonly", "absent"}) {
    EXPECT_EQ(store.ReadInteger("N", key, 5150), 5150) << key;
  }
  EXPECT_TRUE(store.ReadBool("B", "one", false));
  EXPECT_FALSE(store.ReadBool("B", "zero", true));
  EXPECT_TRUE(store.ReadBool("B", "seven", false));
  EXPECT_TRUE(store.ReadBool("B", "neg", false));
  EXPECT_TRUE(store.ReadBool("B", "word", true));
  EXPECT_FALSE(store.ReadBool("B", "word", false));
  EXPECT_TRUE(store.ReadBool("B", "empty", true));
  EXPECT_TRUE(store.ReadBool("B", "absent", true));

  store.WriteBool("B", "w", true);
  store.WriteBool("B", "x", false);
  EXPECT_EQ(store.ReadString("B", "w", ""), "1");
  EXPECT_EQ(store.ReadString("B", "x", ""), "0");
}

TEST(SettingsStoreTest, TypedAccessUsesTheKeyTableDefaults) {
  TempDir dir;
  SettingsStore store(dir.path() + "Tessarin.ini");
  EXPECT_EQ(store.Read(settings::kTimer), 60);
  EXPECT_EQ(store.Read(settings::kTimerFirstRun), settings::kFirstRunTimer);
  EXPECT_TRUE(store.Read(settings::kBackupResult));
  EXPECT_FALSE(store.Read(settings::kNotifyInCycle));
  EXPECT_TRUE(store.Read(settings::kNotifyInSetup));
  store.Write(settings::kTimer, 0);
  store.Write(settings::kBackupResult, false);
  store.Write(settings::kLogDir, "/logs/");
  EXPECT_EQ(store.Read(settings::kTimerFirstRun), 0);
  EXPECT_FALSE(store.Read(settings::kBackupResult));
  EXPECT_EQ(store.ReadString("OPTIONS", "LOGDIR", ""), "/logs/");
}

TEST(SettingsStoreTest, CacheEmptySoundFallsBackToTheOlderOptions) {
  TempDir dir;
  SettingsStore store(dir.path() + "Tessarin.ini");
  EXPECT_EQ(ReadCacheEmptySound(store), "");
  EXPECT_FALSE(ReadCacheEmptyOnce(store));
  store.WriteString("Options", "sndfile", "/old.wav");
  store.WriteBool("Options", "playonce", true);
  EXPECT_EQ(ReadCacheEmptySound(store), "/old.wav");
  EXPECT_TRUE(ReadCacheEmptyOnce(store));
  store.WriteString("Sound", "CacheEmpty", "");
  store.WriteBool("Sound", "CacheEmptyOnce", false);
  EXPECT_EQ(ReadCacheEmptySound(store), "");
  EXPECT_FALSE(ReadCacheEmptyOnce(store));
}

TEST(SettingsStoreTest, EraseSectionAndDeleteKeyReachTheFile) {
  TempDir dir;
  const std::string path = dir.path() + "Tessarin.ini";
  SettingsStore store(path);
  store.WriteString("checkpoints-/var/lib/boinc/", "wu_1", "10;20");
  store.WriteString("checkpoints-/var/lib/boinc/", "wu_2", "30;40");
  store.WriteString("Options", "a", "1");
  store.WriteString("Options", "b", "2");
  store.DeleteKey("options", "A");
  store.EraseSection("CHECKPOINTS-/var/lib/boinc/");
  store.DeleteKey("Missing", "a");
  EXPECT_FALSE(store.SectionExists("checkpoints-/var/lib/boinc/"));
  store.UpdateFile();

  SettingsStore reread(path);
  EXPECT_EQ(reread.ReadSections(), (std::vector<std::string>{"Options"}));
  EXPECT_EQ(reread.ReadSectionValues("Options"),
            (std::vector<std::pair<std::string, std::string>>{{"b", "2"}}));
}

TEST(SettingsStoreTest, RoundTripKeepsBlanksEqualsSignsAndOrder) {
  TempDir dir;
  const std::string path = dir.path() + "Tessarin.ini";
  SettingsStore store(path);
  store.WriteInteger("Exceptions", "v1.52 - ", 3);
  store.WriteString("BoincDirs", "/home/u/a%3Db%25/", "1");
  store.WriteString("Sound", "NewWU", " x=y=z ");
  store.WriteString("Sound", "Broken", "line\r\nbreak");
  store.UpdateFile();

  SettingsStore reread(path);
  EXPECT_EQ(reread.ReadInteger("Exceptions", "v1.52 - ", 0), 3);
  EXPECT_EQ(reread.ReadSection("BoincDirs"), (std::vector<std::string>{"/home/u/a%3Db%25/"}));
  EXPECT_EQ(reread.ReadString("Sound", "NewWU", ""), " x=y=z ");
  EXPECT_EQ(reread.ReadString("Sound", "Broken", ""), "line  break");
  EXPECT_EQ(reread.ReadSection("Sound"), (std::vector<std::string>{"NewWU", "Broken"}));
}

TEST(SettingsStoreTest, UpdateFileReplacesTheFileWholeAndKeepsItsPermissions) {
  TempDir dir;
  const std::string path = dir.Write("Tessarin.ini", "[Old]\nkey=value\n");
  ASSERT_EQ(::chmod(path.c_str(), 0600), 0);
  SettingsStore store(path);
  store.WriteString("New", "k", "v");
  store.UpdateFile();

  EXPECT_EQ(dir.Read("Tessarin.ini"), "[Old]\r\nkey=value\r\n\r\n[New]\r\nk=v\r\n\r\n");
  struct stat info {};
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
    names.push_back(entry.path().filename().string());
  }
  EXPECT_EQ(names, (std::vector<std::string>{"Tessarin.ini"}));
}

TEST(SettingsStoreTest, UpdateFileThrowsWithThePathWhenItCannotWrite) {
  TempDir dir;
  const std::string path = dir.path() + "missing-dir/Tessarin.ini";
  SettingsStore store(path);
  store.WriteString("Options", "timer", "60");
  try {
    store.UpdateFile();
    FAIL() << "no exception";
  } catch (const std::runtime_error& error) {
    EXPECT_NE(std::string(error.what()).find(path), std::string::npos) << error.what();
  }

  // A directory where the file should be is never replaced.
  const std::string dirPath = dir.MakeDir("Tessarin.ini");
  SettingsStore onDir(dir.path() + "Tessarin.ini");
  onDir.WriteString("Options", "timer", "60");
  EXPECT_THROW(onDir.UpdateFile(), std::runtime_error);
  EXPECT_TRUE(std::filesystem::is_directory(dirPath));
  // The temporary file of the failed attempt is gone.
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
    names.push_back(entry.path().filename().string());
  }
  EXPECT_EQ(names, (std::vector<std::string>{"Tessarin.ini"}));
}

TEST(SettingsStoreTest, UpdateFileWritesThroughASymbolicLink) {
  TempDir dir;
  const std::string real = dir.Write("real.ini", "");
  const std::string link = dir.path() + "Tessarin.ini";
  std::filesystem::create_symlink(real, link);
  SettingsStore store(link);
  store.WriteString("Options", "timer", "5");
  store.UpdateFile();
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(dir.Read("real.ini"), "[Options]\r\ntimer=5\r\n\r\n");
}

TEST(SettingsStoreTest, TwoThreadsCanReadWriteAndFlushAtOnce) {
  TempDir dir;
  const std::string path = dir.path() + "Tessarin.ini";
  SettingsStore store(path);
  constexpr int kRounds = 300;
  auto work = [&store](const std::string& section) {
    for (int i = 0; i < kRounds; ++i) {
      store.WriteInteger(section, "counter", i);
      store.WriteString("Shared", section + std::to_string(i % 7), "x");
      EXPECT_EQ(store.ReadInteger(section, "counter", -1), i);
      store.ReadSectionValues("Shared");
      if (i % 10 == 0) {
        store.EraseSection(section + "-scratch");
        store.WriteBool(section + "-scratch", "flag", true);
        store.UpdateFile();
      }
    }
  };
  std::thread worker(work, "worker");
  work("ui");
  worker.join();
  store.UpdateFile();

  SettingsStore reread(path);
  EXPECT_EQ(reread.ReadInteger("worker", "counter", -1), kRounds - 1);
  EXPECT_EQ(reread.ReadInteger("ui", "counter", -1), kRounds - 1);
  EXPECT_EQ(reread.ReadSection("Shared").size(), 14u);
}

}  // namespace
}  // namespace tessarin
