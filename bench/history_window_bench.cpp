// The History window over a million-row boinc.csv (made by bench/make_history_log.py), offscreen:
// the time from opening it to its first painted page of the log.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <time.h>

#include <QApplication>
#include <QTabWidget>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "core/settings/settings_store.h"
#include "gui/browsers/history_window.h"
#include "gui/dialogs/message_boxes.h"

namespace {

constexpr int kRows = 1'000'000;

// All threads of the process: on a shared machine the steadier figure.
double ProcessCpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

class NoMessageBoxes final : public tessarin::MessageBoxes {
 public:
  tessarin::MessageAnswer Show(QWidget*, tessarin::MessageKind, const QString&, const QString& text,
                               tessarin::MessageButtons) override {
    std::fprintf(stderr, "%s\n", text.toUtf8().constData());
    return tessarin::MessageAnswer::kOk;
  }
};

void BM_HistoryWindowFirstPage(benchmark::State& state) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  static int argc = 1;
  static char name[] = "history_window_bench";
  static char* argv[] = {name, nullptr};
  static QApplication app(argc, argv);

  char pattern[] = "/tmp/tessarin-window-bench-XXXXXX";
  const std::string dir = std::string(mkdtemp(pattern)) + "/";
  std::filesystem::create_directories(dir + "logs");
  const std::string make = "python3 '" TESSARIN_SOURCE_DIR "/bench/make_history_log.py' '" + dir +
                           "logs/boinc.csv' " + std::to_string(kRows);
  if (std::system(make.c_str()) != 0)
    throw std::runtime_error("cannot make the log: " + make);

  tessarin::SettingsStore settings(dir + "Tessarin.ini");
  NoMessageBoxes messages;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    const double startCpu = ProcessCpuSeconds();
    tessarin::TfrmHistory window(settings, dir, nullptr, &messages);
    window.resize(760, 420);
    window.show();
    window.PageControl()->setCurrentIndex(tessarin::TfrmHistory::kLogfilePage);
    benchmark::DoNotOptimize(window.grab());
    state.counters["first_page_s"] =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    state.counters["first_page_cpu_s"] = ProcessCpuSeconds() - startCpu;
    window.close();
  }
  std::filesystem::remove_all(dir);
}

BENCHMARK(BM_HistoryWindowFirstPage)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
