// Client files that are huge, garbage, or change under the reader. The cycle never crashes,
// logs nothing it should not, and the next cycle over a sound file logs what is due, once.
#include <gtest/gtest.h>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "core/data/log_files.h"
#include "core/watcher/client_facts.h"
#include "support/fault_support.h"
#include "watcher_fixture.h"

namespace tessarin::test {
namespace {

namespace fs = std::filesystem;

std::string Finished(const std::string& wu) {
  return WorkunitXml(wu, "app", "101", "1e12", {wu + ".in"}) +
         ResultXml(wu + "_0", wu, 5, wu + "_0_0");
}

std::string SoundState() {
  return ClientStateXml(ProjectXml(kOtherUrl, "Other@Home") + Finished("sound"));
}

// After a fault: one more cycle over a sound client state logs its result exactly once.
void ExpectRecovery(WatcherFixture& f) {
  f.WriteState(SoundState());
  const CycleOutcome outcome = f.Cycle();
  EXPECT_TRUE(outcome.published);
  EXPECT_EQ(Occurrences(f.ReadLog(logs::kBoincCsv), "\"sound_0_0\""), 1);
}

std::string RandomBytes(std::size_t size, std::uint32_t seed, std::string_view alphabet = {}) {
  std::mt19937 random(seed);
  std::string bytes(size, '\0');
  for (char& c : bytes) {
    c = alphabet.empty() ? static_cast<char>(random() & 0xFF)
                         : alphabet[random() % alphabet.size()];
  }
  return bytes;
}

TEST(ClientFileFault, AHundredMegabyteClientStateIsScannedWhole) {
  WatcherFixture f;
  f.test.dir.MakeDir("logs");
  // The results stand behind 100 MB of one element the scan does not know.
  std::string state = "<client_state>\n" + HostXml("alpha", "2000000000") +
                      ProjectXml(kOtherUrl, "Other@Home") + "<message>";
  state.append(100u << 20, 'x');
  state += "</message>\n" + Finished("big") + ActiveTaskXml(kOtherUrl, "big_0", "0", "5") +
           "</client_state>\n";
  f.WriteState(state);
  state.clear();
  state.shrink_to_fit();

  const CycleOutcome outcome = f.Cycle();
  EXPECT_TRUE(outcome.published);
  EXPECT_EQ(outcome.results.size(), 2u);  // the project and its result
  ASSERT_EQ(f.reader.facts.size(), 1u);
  EXPECT_EQ(f.reader.facts[0].resultName, "big_0");
  EXPECT_EQ(Occurrences(f.ReadLog(logs::kBoincCsv), "\"big_0_0\""), 1);
  EXPECT_TRUE(f.test.ExceptionKeys().empty());
  ExpectRecovery(f);
}

TEST(ClientFileFault, RandomBytesGiveNoResultsAndNoCrash) {
  WatcherFixture f;
  f.test.dir.MakeDir("logs");
  // Plain noise, then noise made of the very tags the scan looks for.
  const std::string tags =
      "<>/ \n_0123456789resultworkunitprojectactive_taskfile_namewu_namestatename";
  for (std::uint32_t seed = 1; seed <= 3; ++seed) {
    f.WriteState(RandomBytes(1 << 20, seed));
    EXPECT_TRUE(f.Cycle().published);
    f.WriteState(RandomBytes(1 << 18, seed, tags));
    f.Cycle();
  }
  EXPECT_FALSE(fs::exists(f.env.logDir + logs::kBoincCsv));
  ExpectRecovery(f);
}

TEST(ClientFileFault, AClientStateCutAtEveryLengthNeverLogsAHalfResult) {
  WatcherFixture f;
  f.test.dir.MakeDir("logs");
  const std::string whole = SoundState();
  // Each cut is a client caught in the middle of rewriting the file.
  for (std::size_t length = 0; length < whole.size(); length += 37) {
    f.WriteState(whole.substr(0, length));
    f.Cycle();
  }
  const std::string csv =
      fs::exists(f.env.logDir + logs::kBoincCsv) ? f.ReadLog(logs::kBoincCsv) : std::string();
  // A row can only come from a result element that was whole, with its own name.
  for (const std::string& line : LogLines(csv)) {
    if (line.rfind("\"date\"", 0) == 0 || line.empty())
      continue;
    EXPECT_NE(line.find("\"sound_0_0\""), std::string::npos) << line;
  }
  EXPECT_LE(Occurrences(csv, "\"sound_0_0\""), 1);
  ExpectRecovery(f);
}

TEST(ClientFileFault, AClientStateCaughtWhileRenamedIsReadOnceMore) {
  // What successive reads of the file return while the client renames the next state over it.
  const std::string whole = "<client_state>a</client_state>\n";
  const std::string cut = "<client_state>a</cli";
  struct Case {
    std::vector<std::string> reads;
    std::string kept;
    int readsMade;
  };
  const Case cases[] = {
      {{whole, "never asked"}, whole, 1},
      {{"", whole}, whole, 2},
      {{cut, whole}, whole, 2},
      {{cut, cut, whole}, cut, 2},
  };
  for (const Case& c : cases) {
    int made = 0;
    const std::string kept = ReadWholeClientState([&] { return c.reads[made++]; });
    EXPECT_EQ(kept, c.kept) << c.reads[0];
    EXPECT_EQ(made, c.readsMade) << c.reads[0];
  }
}

// A writer that keeps rewriting a file in place, longer and shorter, while cycles read it,
// and keeps deleting and restoring backup copies in the log directory.
class Churn {
 public:
  Churn(WatcherFixture& f, std::vector<std::string> versions)
      : f_(f), versions_(std::move(versions)), thread_([this] { Run(); }) {}
  ~Churn() {
    stop_ = true;
    thread_.join();
  }

 private:
  void Run() {
    std::mt19937 random(7);
    const std::string statePath = f_.clientDir + "client_state.xml";
    while (!stop_) {
      const std::string& text = versions_[random() % versions_.size()];
      {
        // In place, not by rename: a reader sees it shrink to nothing and grow again.
        std::ofstream out(statePath, std::ios::binary | std::ios::trunc);
        const std::size_t first = random() % (text.size() + 1);
        out.write(text.data(), static_cast<std::streamsize>(first));
        out.flush();
        std::this_thread::yield();
        out.write(text.data() + first, static_cast<std::streamsize>(text.size() - first));
      }
      std::error_code ignored;
      for (const auto& entry : fs::directory_iterator(f_.env.logDir, ignored)) {
        if (entry.path().extension() == ".tess" && random() % 2 == 0)
          fs::remove(entry.path(), ignored);
      }
      std::this_thread::yield();
    }
  }

  WatcherFixture& f_;
  std::vector<std::string> versions_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

TEST(FaultConcurrentClientFiles, FilesChangingWhileReadLeaveEveryResultLoggedOnce) {
  WatcherFixture f;
  f.test.dir.MakeDir("logs");
  f.test.settings.WriteBool("Backup", "WU", true);
  const std::string project = ProjectXml(kOtherUrl, "Other@Home");
  std::vector<std::string> versions;
  std::string body = project;
  for (int i = 0; i < 6; ++i) {
    const std::string wu = "churn" + std::to_string(i);
    f.WriteClientFile(std::string(kOtherDir) + wu + ".in", std::string(100 + i * 50, 'i'));
    f.WriteClientFile(std::string(kOtherDir) + wu + "_0_0", std::string(200 + i * 30, 'o'));
    body += Finished(wu) + ActiveTaskXml(kOtherUrl, wu + "_0", std::to_string(i), "1");
    versions.push_back(ClientStateXml(body));
  }
  {
    Churn churn(f, versions);
    for (int cycle = 0; cycle < 60; ++cycle)
      f.Cycle();
  }
  f.WriteState(versions.back());
  EXPECT_TRUE(f.Cycle().published);
  const std::string csv = f.ReadLog(logs::kBoincCsv);
  for (int i = 0; i < 6; ++i)
    EXPECT_EQ(Occurrences(csv, "\"churn" + std::to_string(i) + "_0_0\""), 1) << i;
  // Every row is whole: as many fields as the header.
  const std::vector<std::string> lines = LogLines(csv);
  for (std::size_t i = 1; i < lines.size(); ++i)
    EXPECT_EQ(Occurrences(lines[i], ","), Occurrences(lines[0], ",")) << lines[i];
}

}  // namespace
}  // namespace tessarin::test
