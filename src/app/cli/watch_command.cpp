#include "watch_command.h"

#include <atomic>
#include <chrono>
#include <csignal>
#include <iostream>
#include <string>
#include <thread>

#include "cli_session.h"
#include "core/display/sort_slots.h"
#include "core/settings/settings_keys.h"
#include "core/settings/settings_store.h"
#include "core/tools/terminal_text.h"
#include "outcome_json.h"
#include "outcome_text.h"
#include "platform/single_instance.h"

namespace tessarin {

namespace {

std::atomic<bool> stopRequested{false};

extern "C" void RequestStop(int) {
  stopRequested = true;
}

// Each failure of the cycle on a line of its own; under the systemd unit they reach the journal.
void PrintFailures(const CycleOutcome& outcome) {
  if (!outcome.published)
    std::cerr << "tessarin-cli: the watch cycle failed\n";
  for (const std::string& error : outcome.errors)
    std::cerr << "tessarin-cli: " << TerminalText(error) << "\n";
  std::cerr << std::flush;
}

void PrintOutcome(const CycleOutcome& outcome, Program& program, bool json) {
  if (json) {
    std::cout << EscapeJsonControls(CycleOutcomeJson(outcome).dump()) << std::endl;
    return;
  }
  CellTextOptions options;
  options.compact = program.settings().Read(settings::kCompactView);
  options.scores = program.scores();
  std::cout << CycleOutcomeText(outcome, options) << std::flush;
}

// Sleeps the pause after a cycle, waking early when a stop is asked for.
void Pause(int milliseconds) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  while (!stopRequested && std::chrono::steady_clock::now() < end) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
}

}  // namespace

int RunWatchCommand(const std::string& programDir, const WatchOptions& options) {
  // One watcher per program directory, CLI or tray: two would log the same results twice.
  const SingleInstance instance(programDir);
  if (instance.AnotherInstanceRuns()) {
    std::cerr << "tessarin-cli: " << programDir << " is watched by another Tessarin (process "
              << (instance.HolderPid() > 0 ? std::to_string(instance.HolderPid()) : "unknown")
              << ")\n";
    return 3;
  }
  RemoveSettingsLeftovers(SettingsPath(programDir));
  const std::unique_ptr<CliSession> session = OpenCliSession(programDir, options.soundCapture);
  if (!session)
    return 2;

  // A signal only sets the flag: the cycle in progress ends normally, nothing half-written.
  std::signal(SIGINT, RequestStop);
  std::signal(SIGTERM, RequestStop);
  Program& program = session->program();
  bool failed = false;
  do {
    CycleOutcome outcome = program.cycle().WatchClients();
    SortSlots(outcome.display, program.settings().Read(settings::kSortBy));
    PrintOutcome(outcome, program, options.json);
    PrintFailures(outcome);
    failed = !outcome.published || !outcome.errors.empty();
    if (!outcome.writeRefusal.empty()) {
      std::cerr << "tessarin-cli: " << TerminalText(outcome.writeRefusal) << "\n";
      // One cycle that wrote nothing is no success.
      if (!options.repeat)
        return 1;
    }
    if (options.repeat)
      Pause(outcome.nextIntervalMs);
  } while (options.repeat && !stopRequested);
  return !options.repeat && failed ? 1 : 0;
}

}  // namespace tessarin
