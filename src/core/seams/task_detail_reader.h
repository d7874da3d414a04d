#pragma once
// Seam between the client scan and the task-detail reader (GetSlot).

#include "core/data/active_task_facts.h"
#include "core/data/result_list.h"
#include "core/data/slot_info.h"

namespace tessarin {

class TaskDetailReader {
 public:
  virtual ~TaskDetailReader() = default;
  // Appends one entry for the task to `display`; may set the task's time left in `results`.
  virtual void GetSlot(const ActiveTaskFacts& facts, ResultList& results, DisplayList& display) = 0;
};

}  // namespace tessarin
