#include "watch_command.h"

#include <atomic>
#include <chrono>
#include <csignal>
#include <iostream>
#include <thread>

#include "cli_session.h"
#include "core/display/sort_slots.h"
#include "core/settings/settings_keys.h"
#include "core/tools/terminal_text.h"
#include "outcome_json.h"
#include "outcome_text.h"

namespace tessarin {

namespace {

std::atomic<bool> stopRequested{false};

extern "C" void RequestStop(int) {
  stopRequested = true;
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
  const std::unique_ptr<CliSession> session = OpenCliSession(programDir, options.soundCapture);
  if (!session)
    return 2;

  // A signal only sets the flag: the cycle in progress ends normally, nothing half-written.
  std::signal(SIGINT, RequestStop);
  std::signal(SIGTERM, RequestStop);
  Program& program = session->program();
  do {
    CycleOutcome outcome = program.cycle().WatchClients();
    SortSlots(outcome.display, program.settings().Read(settings::kSortBy));
    PrintOutcome(outcome, program, options.json);
    if (!outcome.writeRefusal.empty()) {
      std::cerr << "tessarin-cli: " << TerminalText(outcome.writeRefusal) << "\n";
      // One cycle that wrote nothing is no success.
      if (!options.repeat)
        return 1;
    }
    if (options.repeat)
      Pause(outcome.nextIntervalMs);
  } while (options.repeat && !stopRequested);
  return 0;
}

}  // namespace tessarin
