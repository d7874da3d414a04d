#pragma once
// What every client scan reads the same way from a <result> element.

#include <string>

namespace tessarin {

// The client's state number as the result list takes it: aborted (6 or aborted_via_gui)
// becomes 99, a failed upload (7) a compute error (3); one that does not fit a byte is 0.
int ResultState(const std::string& result);

// message and, for a failed result, stderr_txt, each on one line and trimmed, joined by "; "
// when both exist. Clients since 7 keep the whole stderr of every result.
std::string ErrorText(const std::string& result, bool failed);

// When the client finished the result (completed_time, clients since 6.x), so a result first
// seen long after, while the program was stopped, keeps its date; else `now`.
double FinishTime(const std::string& result, double now);

}  // namespace tessarin
