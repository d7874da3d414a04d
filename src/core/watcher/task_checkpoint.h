#pragma once
// A running task's latest checkpoint. Clients since 6.12 write checkpoint_fraction_done in
// active_task instead of fraction_done, and they rewrite client_state.xml only on events (a
// transfer, a task starting or ending), while the slot's boinc_task_state.xml is rewritten at
// every checkpoint.

#include <string>
#include <string_view>

namespace tessarin {

struct Environment;

struct TaskCheckpoint {
  double cpuTime = 0;       // seconds
  double fractionDone = 0;  // 0 .. 1
};

// fraction_done, or checkpoint_fraction_done when there is none.
double FractionDone(std::string_view element);

// The checkpoint of an active_task element; the slot's boinc_task_state.xml replaces it when
// that file names the same result and holds a larger checkpoint CPU time.
TaskCheckpoint ReadTaskCheckpoint(std::string_view activeTask, const std::string& clientDir,
                                  const std::string& slotDir, Environment& env);

}  // namespace tessarin
