// One steady-state watch cycle over a client with 16 running tasks and 2,000 results, with
// boinc.csv at 10,000 and at 1,000,000 rows. Each cycle meets one newly finished result, so it
// asks the log about a name it has never seen and appends one row. Its cost must not grow
// with the log. The same cycle over 5,000, 40,000 and 100,000 results must grow no faster
// than the results.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>

#include "core/data/log_files.h"
#include "core/seams/project_logger.h"
#include "core/seams/task_detail_reader.h"
#include "core/settings/environment.h"
#include "core/settings/exception_log.h"
#include "core/settings/settings_keys.h"
#include "core/settings/settings_store.h"
#include "core/tools/date_time.h"
#include "core/tools/sound.h"
#include "core/tools/text.h"
#include "core/watcher/program_launcher.h"
#include "core/watcher/watch_cycle.h"
#include "version.h"

namespace tessarin {
namespace {

constexpr int kResults = 2000;
constexpr int kLogRows = 10000;  // of the cycles over more results
constexpr int kRunning = 16;
constexpr int kFinished = 500;  // the last results, all already in boinc.csv
constexpr const char* kUrl = "http://bench.example.org/bench/";

// The seams do nothing: this measures the watcher's own work.
class NoLoggers final : public ProjectLogger {
 public:
  void LogProjectResult(ProjectKind, const std::string&, const std::string&, const std::string&,
                        CycleFlags&) override {}
};
class PlainReader final : public TaskDetailReader {
 public:
  void GetSlot(const ActiveTaskFacts& facts, ResultList&, DisplayList& display) override {
    SlotInfo slot;
    slot.ResultName = facts.resultName;
    display.push_back(slot);
  }
};
class NoLauncher final : public ProgramLauncher {
 public:
  bool Exists(const std::string&) const override { return false; }
  bool StartDetached(const std::string&, const std::vector<std::string>&) override { return false; }
};

std::string Tag(const std::string& name, const std::string& value) {
  return "    <" + name + ">" + value + "</" + name + ">\n";
}

std::string WuName(int i) {
  char name[32];
  std::snprintf(name, sizeof name, "bench_wu_%04d", i);
  return name;
}

std::string ResultFile(const std::string& wu) {
  return wu + "_0_r1771098287_0";
}

std::string ClientState(const std::string& freshWu, int results) {
  std::string xml =
      "<client_state>\n<host_info>\n" + Tag("domain_name", "benchhost") + Tag("p_ncpus", "16") +
      Tag("p_fpops", "3000000000.000000") + Tag("os_name", "Linux") +
      "</host_info>\n<time_stats>\n" + Tag("on_frac", "0.990000") + Tag("active_frac", "0.950000") +
      "</time_stats>\n<net_stats>\n</net_stats>\n<project>\n" + Tag("master_url", kUrl) +
      Tag("project_name", "Bench@Home") + Tag("user_name", "Bench") + "</project>\n";
  const auto workunit = [&](const std::string& wu) {
    xml += "<workunit>\n" + Tag("name", wu) + Tag("app_name", "benchapp") +
           Tag("version_num", "712") + Tag("rsc_fpops_est", "60000000000000.000000") +
           "    <file_ref>\n" + Tag("file_name", wu + ".in") + "    </file_ref>\n</workunit>\n";
  };
  const auto result = [&](const std::string& wu, int state) {
    xml += "<result>\n" + Tag("name", wu + "_0") + Tag("final_cpu_time", "3605.250000") +
           Tag("state", std::to_string(state)) + Tag("wu_name", wu) +
           Tag("report_deadline", "1797304121.000000") + "    <file_ref>\n" +
           Tag("file_name", ResultFile(wu)) + "    </file_ref>\n</result>\n";
  };
  for (int i = 0; i < results; ++i)
    workunit(WuName(i));
  workunit(freshWu);
  for (int i = 0; i < results; ++i)
    result(WuName(i), i >= results - kFinished ? 5 : 2);
  result(freshWu, 5);
  xml += "<active_task_set>\n";
  for (int i = 0; i < kRunning; ++i) {
    xml += "<active_task>\n" + Tag("project_master_url", kUrl) +
           Tag("result_name", WuName(i) + "_0") + Tag("slot", std::to_string(i)) +
           Tag("checkpoint_cpu_time", "1234.500000") + Tag("fraction_done", "0.400000") +
           "</active_task>\n";
  }
  return xml +
         "</active_task_set>\n<core_client_major_version>7</core_client_major_version>\n"
         "<core_client_minor_version>20</core_client_minor_version>\n</client_state>\n";
}

std::string LogRow(const std::string& wu) {
  return "\"2026.01.05 10:11:12\",\"Bench@Home\",\"benchapp\",\"benchhost\",16,"
         "\"GenuineIntel\",\"Intel(R) Xeon(R) CPU E5-2680 v4 @ 2.40GHz\",3000000000,"
         "12000000000,8000000000,1767500000,\"Linux Debian\",\"Debian GNU/Linux 12 "
         "(bookworm) [6.1.0-18-amd64|libc 2.36]\",67430850560,36700160,1023406080,"
         "502468108288,401974534144,0.990000,0.998000,0.950000,1767600000,42000.5,81000.25,"
         "\"Bench\",\"Team\",123456.78,456.12,1500000000,9876543,54321.5,321.9,1600000000,"
         "3600.5,1767000000,1797304121,\"home\",7.20,1.52,7.12,\"" +
         wu + "\",\"" + ResultFile(wu) + "\",3605.250000,60000000000000,false,";
}

// A program directory with the client and a boinc.csv of `rows` rows, made once per size.
class BenchSetup {
 public:
  BenchSetup(int rows, int results) {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "tessarin-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr)
      throw std::runtime_error("mkdtemp failed");
    dir_ = pattern + "/";
    std::filesystem::create_directories(dir_ + "client");
    std::filesystem::create_directories(dir_ + "logs");
    std::ofstream log(dir_ + "logs/" + logs::kBoincCsv, std::ios::binary);
    log << logs::kBoincCsvHeader;
    // The finished results are spread over the log, the rest are older results.
    const int every = rows / kFinished;
    for (int row = 0, finished = results - kFinished; row < rows; ++row) {
      const bool ours = row % every == 0 && finished < results;
      log << logs::kLineBreak << LogRow(ours ? WuName(finished++) : "old_" + std::to_string(row));
    }
    log.close();
    // Written back before measuring: the settings flush of every cycle waits for the disk.
    ::sync();
  }
  ~BenchSetup() {
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
  }
  const std::string& dir() const { return dir_; }

 private:
  std::string dir_;
};

void RunCycles(benchmark::State& state, int rows, int results) {
  static std::map<std::pair<int, int>, std::unique_ptr<BenchSetup>> setups;
  auto& setup = setups[{rows, results}];
  if (!setup)
    setup = std::make_unique<BenchSetup>(rows, results);
  const std::string& dir = setup->dir();

  SettingsStore settings(dir + "Tessarin.ini");
  ExceptionLog exceptions(settings, version::kProductVersion);
  SystemClock clock;
  SilentSoundDevice sound;
  Environment env{settings, exceptions, clock, sound, dir, dir + "logs/"};
  settings.WriteBool(sections::kBoincDirs, EscapeIniText(dir + "client/"), true);
  PlainReader reader;
  NoLoggers loggers;
  NoLauncher launcher;
  WatchCycle cycle(env, reader, loggers, launcher);

  const std::string statePath = dir + "client/client_state.xml";
  const auto writeState = [&](const std::string& freshWu) {
    std::ofstream(statePath, std::ios::binary | std::ios::trunc) << ClientState(freshWu, results);
  };
  // Warm-up: the program has run before, every finished result is known.
  writeState("warm_up");
  cycle.WatchClients();
  int fresh = 0;
  for (auto _ : state) {
    state.PauseTiming();
    writeState("fresh_" + std::to_string(rows) + "_" + std::to_string(fresh++));
    state.ResumeTiming();
    benchmark::DoNotOptimize(cycle.WatchClients());
  }
  state.counters["log_rows"] = rows;
  state.counters["results"] = results;
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["peak_rss_mb"] = static_cast<double>(usage.ru_maxrss) / 1024;
}

void BM_SteadyStateCycle(benchmark::State& state) {
  RunCycles(state, static_cast<int>(state.range(0)), kResults);
}

void BM_CycleByResults(benchmark::State& state) {
  RunCycles(state, kLogRows, static_cast<int>(state.range(0)));
}

BENCHMARK(BM_SteadyStateCycle)->Arg(10000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CycleByResults)->Arg(5000)->Arg(40000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tessarin
