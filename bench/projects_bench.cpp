// The start-up reads of the project logs over logs of a million rows: the score limits
// from sah_boinc.csv, and the upgrade of a boinc.csv written under an older header.
// Both stream the file once; "peak_rss_kb" shows that memory does not follow its size.

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstdio>
#include <filesystem>
#include <span>
#include <string>

#include "core/data/log_file_writer.h"
#include "core/data/log_files.h"
#include "core/data/shared_log_block.h"
#include "core/projects/log_upgrade.h"
#include "core/projects/score_rating.h"
#include "core/settings/exception_log.h"
#include "core/settings/settings_keys.h"
#include "core/settings/settings_store.h"
#include "core/tools/csv.h"
#include "core/tools/date_time.h"
#include "core/tools/files.h"
#include "core/tools/sound.h"
#include "core/tools/text.h"
#include "version.h"

namespace {

namespace fs = std::filesystem;
using namespace tessarin;

constexpr int kRows = 1'000'000;

// The boinc.csv header of a version without "error_txt".
std::string OldBoincHeader() {
  const std::string current = logs::kBoincCsvHeader;
  return current.substr(0, current.rfind(','));
}

// One value per column in the form the logs hold it; integers carry the old fraction.
std::string Row(std::string_view header, int row) {
  const FieldArray names = SplitCsvLine(header, ',', true);
  std::string line;
  for (int k = 1; k <= CountFields(header, ','); ++k) {
    if (k > 1)
      line += ',';
    const std::string& name = names[k];
    if (name.ends_with("_score")) {
      line += std::to_string((row % 2000) / 1000.0 - 0.5);
    } else if (name == "p_fpops" || name == "d_free" || name == "fpops_est") {
      line += "1234567890.000000";
    } else if (name == "date" || name.ends_with("_name")) {
      line += "\"" + name + " " + std::to_string(row) + "\"";
    } else {
      line += "0.5";
    }
  }
  return line;
}

// Rows that differ only in the number, so the file is made quickly and streamed out.
void WriteLog(const std::string& path, const std::string& header) {
  LogFileWriter writer(path, LogFileWriter::Mode::kTruncate);
  writer.Write(header);
  for (int row = 1; row <= kRows; ++row) {
    writer.Write(logs::kLineBreak);
    writer.Write(Row(header, row % 1000));
  }
  writer.Close();
}

long PeakRssKb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

struct BenchDirectory {
  BenchDirectory()
      : path(fs::temp_directory_path() / ("tessarin-bench-" + std::to_string(::getpid()))) {
    fs::create_directories(path / "logs");
  }
  ~BenchDirectory() { fs::remove_all(path); }
  fs::path path;
};

void BM_GetScores(benchmark::State& state) {
  BenchDirectory dir;
  SettingsStore settings((dir.path / "Tessarin.ini").string());
  settings.Write(settings::kRateScores, true);
  ExceptionLog exceptions(settings, version::kProductVersion);
  SystemClock clock;
  SilentSoundDevice sound;
  const Environment env{settings,
                        exceptions,
                        clock,
                        sound,
                        dir.path.string() + "/",
                        (dir.path / "logs").string() + "/"};
  WriteLog(env.logDir + logs::kSahCsv, logs::kSahHeader);
  const long rssBefore = PeakRssKb();
  for (auto _ : state) {
    benchmark::DoNotOptimize(GetScores(env));
  }
  state.SetItemsProcessed(state.iterations() * kRows);
  state.counters["peak_rss_kb"] = static_cast<double>(PeakRssKb());
  state.counters["rss_growth_kb"] = static_cast<double>(PeakRssKb() - rssBefore);
}
BENCHMARK(BM_GetScores)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_UpgradeBoincLog(benchmark::State& state) {
  BenchDirectory dir;
  const std::string original = (dir.path / "boinc.original").string();
  const std::string log = (dir.path / "logs" / logs::kBoincCsv).string();
  WriteLog(original, OldBoincHeader());
  const long rssBefore = PeakRssKb();
  for (auto _ : state) {
    state.PauseTiming();
    fs::remove(log);
    fs::remove(dir.path / "logs" / (std::string("boinc.") + version::kFileVersion));
    CopyFileData(original, log);
    state.ResumeTiming();
    UpgradeLogFile(log, "", logs::kBoincCsvHeader, "", "",
                   std::span<const char* const>(kIntegerColumns));
  }
  state.SetItemsProcessed(state.iterations() * kRows);
  state.counters["peak_rss_kb"] = static_cast<double>(PeakRssKb());
  state.counters["rss_growth_kb"] = static_cast<double>(PeakRssKb() - rssBefore);
}
BENCHMARK(BM_UpgradeBoincLog)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
