#pragma once
// Seam between the client scan and the task-detail reader (GetSlot).

#include "core/display/slot_info.h"
#include "core/watcher/active_task_facts.h"
#include "core/watcher/result_list.h"

namespace tessarin {

class TaskDetailReader {
 public:
  virtual ~TaskDetailReader() = default;
  // Appends one entry for the task to `display`; may set the task's time left in `results`.
  virtual void GetSlot(const ActiveTaskFacts& facts, ResultList& results, DisplayList& display) = 0;
};

}  // namespace tessarin
