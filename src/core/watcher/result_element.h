#pragma once
// What every client scan reads the same way from a <result> element.

#include <string>

namespace tessarin {

// The client's state number as the result list takes it: aborted (6 or aborted_via_gui)
// becomes 99, a failed upload (7) a compute error (3); one that does not fit a byte is 0.
int ResultState(const std::string& result);

// message and stderr_txt, each on one line and trimmed, joined by "; " when both exist.
std::string ErrorText(const std::string& result);

}  // namespace tessarin
