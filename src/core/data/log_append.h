#pragma once
// Appending one row to a result log.

#include <string>
#include <string_view>

namespace tessarin {

// A new or empty file gets `header` without a line break; `row` follows a line break, so
// the file never ends with one. Header, break and row go out in one write. Throws
// std::runtime_error when the file cannot be written.
void AppendResultRow(const std::string& path, const char* header, std::string_view row);

}  // namespace tessarin
