#pragma once
// GetSlot: one display entry per running task, from the scan's facts and the task's own
// science files.

#include "core/seams/task_detail_reader.h"
#include "core/settings/environment.h"

namespace tessarin {

class SlotReader final : public TaskDetailReader {
 public:
  explicit SlotReader(const Environment& env) : env_(env) {}

  // Always appends an entry. A failure while filling it is counted as "GetSlot - " + message;
  // the entry keeps what was filled before.
  void GetSlot(const ActiveTaskFacts& facts, ResultList& results, DisplayList& display) override;

 private:
  const Environment& env_;
};

}  // namespace tessarin
