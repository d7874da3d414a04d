#pragma once
// Splitting a log into parts that are read at once on several threads. Every line is read on
// its own (a quoted field never continues on the next line), so any line start is a safe
// place to split, also one inside a quoted field that holds a line break.

#include <cstddef>
#include <vector>

#include "core/browsers/history_log_file.h"

namespace tessarin {

// Starts of up to `parts` parts of [begin, end), each at a line start (`begin` or just behind a
// `lineBreak` byte), in rising order, followed by `end`. Parts are about equal in size; a part
// without a line start inside it merges with the next.
std::vector<std::size_t> PartStarts(const HistoryLogFile& file, std::size_t begin, std::size_t end,
                                    std::size_t parts, char lineBreak);

}  // namespace tessarin
