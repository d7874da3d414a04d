// The History window over a million-row boinc.csv (about 400 bytes a row): reading it into the
// table and the statistics, sorting by a numeric and by a text column, the resident memory
// against the file size, and Python's csv module reading the same file for comparison.

#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <time.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "core/browsers/grid_auto_size.h"
#include "core/browsers/grid_rows.h"
#include "core/browsers/history_reader.h"
#include "core/browsers/history_tree.h"
#include "core/data/log_files.h"

namespace {

constexpr int kRows = 1'000'000;
constexpr std::size_t kNumericColumn = 27;  // user_total_credit
constexpr std::size_t kTextColumn = 42;     // result_name

struct Host {
  const char* name;
  const char* vendor;
  const char* model;
  const char* os;
  const char* osVersion;
  int cpus;
};

constexpr Host kHosts[] = {
    {"ws-01", "GenuineIntel", "Core i7-8700K", "Linux", "Debian 12", 12},
    {"node17", "AuthenticAMD", "Ryzen 9 5950X", "Linux", "Ubuntu 22.04", 32},
    {"OFFICE-PC", "GenuineIntel", "Core i5-4590", "Windows XP", "SP 3", 4},
    {"laptop", "GenuineIntel", "Core i7-1165G7", "Linux", "Fedora 39", 8},
};

struct Project {
  const char* name;
  const char* app;
  const char* version;
};

constexpr Project kProjects[] = {
    {"SETI@home", "setiathome_v8", "8.22"}, {"Einstein@Home", "einstein_O3AS", "1.07"},
    {"Rosetta@home", "rosetta", "4.20"},    {"climateprediction.net", "hadam4", "8.09"},
    {"LHC@home", "sixtrack", "502.05"},
};

// Writes the header and kRows rows the way the logger does (CR LF before each row).
void WriteLog(const std::string& path) {
  std::mt19937 random(7);
  std::uniform_int_distribution<int> pick(0, 1'000'000);
  std::ofstream out(path, std::ios::binary);
  out << tessarin::logs::kBoincCsvHeader;
  char row[2048];
  double credit = 1'234'567.89;
  long long time = 1'600'000'000;
  for (int i = 0; i < kRows; ++i) {
    const Host& host = kHosts[i % 4];
    const Project& project = kProjects[(i / 3) % 5];
    time += 30 + pick(random) % 600;
    credit += (pick(random) % 10000) / 100.0;
    const double cpu = (pick(random) % 100 == 0) ? 0 : 1000 + pick(random) % 90000 + 0.25;
    const bool error = pick(random) % 50 == 0;
    const int length = std::snprintf(
        row, sizeof row,
        "\r\n\"%04d.%02d.%02d %02d:%02d:%02d\",\"%s\",\"%s\",\"%s\",%d,\"%s\",\"%s\","
        "%.0f,%.0f,%.0f,%lld,\"%s\",\"%s\",%lld,%d,%lld,%lld,%lld,%.4f,%.4f,%.4f,%lld,"
        "%.1f,%.1f,\"jsmith\",\"SETI.Germany\",%.2f,%.2f,1104537600,%d,%.2f,%.2f,%lld,"
        "%.1f,%lld,%lld,\"home\",5.10,1.52,%s,\"%.2s%07d.%d\",\"%.2s%07d.%d_0\",%.2f,%lld,%s,%s",
        2020 + i % 5, 1 + i % 12, 1 + i % 28, i % 24, i % 60, (i * 7) % 60, project.name,
        project.app, host.name, host.cpus, host.vendor, host.model, 4.1e9 + i % 1000,
        1.2e10 + i % 777, 1.0e9, time - 86400, host.os, host.osVersion, 17179869184LL, 8388608,
        4294967296LL, 500107862016LL, 123456789012LL - i, 0.998765, 0.987, 0.9512, time, 12345.678,
        98765.432, credit, credit / 1000, 1234567 + i % 4, credit / 4, credit / 4000,
        1104537600LL + i % 4 * 86400, 12345.6, time - 3600, time + 14 * 86400, project.version,
        project.app, i, pick(random) % 1000, project.app, i, pick(random) % 1000, cpu,
        27954799474154LL + i, error ? "true" : "false",
        error ? "\"Computation error (-161)\"" : "");
    out.write(row, length);
  }
}

double ProcessCpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

double ChildrenCpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_CHILDREN, &usage);
  const auto seconds = [](const timeval& t) {
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
  };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Wall-clock and CPU seconds of one phase: other builds share the machine, so the CPU time is
// the steadier figure.
struct Stopwatch {
  std::chrono::steady_clock::time_point wall = std::chrono::steady_clock::now();
  double cpu = ProcessCpuSeconds();

  double WallSeconds() const {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - wall).count();
  }
  double CpuSeconds() const { return ProcessCpuSeconds() - cpu; }
};

double PeakRssBytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) * 1024.0;
}

struct PythonTimes {
  double wall = -1;
  double cpu = -1;
};

// Python's csv module reading every row of the file; negative when python3 is missing.
PythonTimes PythonCsvSeconds(const std::string& path) {
  const std::string command =
      "python3 -c \"import csv,sys\n"
      "with open(sys.argv[1], newline='') as f:\n"
      "    n = sum(1 for _ in csv.reader(f))\n"
      "print(n)\" '" +
      path + "' > /dev/null 2>&1";
  const Stopwatch watch;
  const double childrenBefore = ChildrenCpuSeconds();
  if (std::system(command.c_str()) != 0)
    return {};
  return {watch.WallSeconds(), ChildrenCpuSeconds() - childrenBefore};
}

void BM_HistoryMillionRows(benchmark::State& state) {
  char pattern[] = "/tmp/tessarin-history-bench-XXXXXX";
  const std::string dir = mkdtemp(pattern);
  const std::string path = dir + "/boinc.csv";
  WriteLog(path);
  const double fileBytes = static_cast<double>(std::filesystem::file_size(path));

  for (auto _ : state) {
    const Stopwatch reading;
    tessarin::HistoryLog log = tessarin::ReadHistoryLog(path, {});
    log.stats.SortStats();
    const tessarin::StatTree tree = tessarin::BuildStatTree(log.stats.Entries());
    state.counters["read_s"] = reading.WallSeconds();
    state.counters["read_cpu_s"] = reading.CpuSeconds();
    const double rss = PeakRssBytes();

    // With a stand-in font: every byte 7 pixels wide.
    tessarin::GridColumns columns(log.table.ColumnCount());
    const Stopwatch sizing;
    tessarin::AutoSizeColumns(
        log.table, [](std::string_view text) { return static_cast<int>(text.size()) * 7; },
        columns);
    state.counters["autosize_cpu_s"] = sizing.CpuSeconds();

    tessarin::GridRows rows(log.table.RowCount());
    const Stopwatch numeric;
    rows.HeaderClick(log.table, kNumericColumn);
    state.counters["sort_numeric_s"] = numeric.WallSeconds();
    state.counters["sort_numeric_cpu_s"] = numeric.CpuSeconds();
    const Stopwatch text;
    rows.HeaderClick(log.table, kTextColumn);
    state.counters["sort_text_s"] = text.WallSeconds();
    state.counters["sort_text_cpu_s"] = text.CpuSeconds();
    benchmark::DoNotOptimize(tree.nodes.size());

    state.counters["rows"] = static_cast<double>(log.table.RowCount());
    state.counters["file_MB"] = fileBytes / 1e6;
    state.counters["peak_rss_MB"] = rss / 1e6;
    state.counters["rss_per_file_size"] = rss / fileBytes;
  }
  const PythonTimes python = PythonCsvSeconds(path);
  state.counters["python_csv_s"] = python.wall;
  state.counters["python_csv_cpu_s"] = python.cpu;
  std::filesystem::remove_all(dir);
}

BENCHMARK(BM_HistoryMillionRows)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
