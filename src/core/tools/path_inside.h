#pragma once
// Whether one directory is another or lies inside it, as the file system sees them: both made
// absolute (against the current directory) and normal (".", "..", doubled and trailing
// separators), with symbolic links followed as far as the path exists.

#include <string>

namespace tessarin {

// Without a trailing separator ("/" stays "/"); an empty path is the current directory.
std::string ResolvedPath(const std::string& path);

bool IsSameOrInside(const std::string& inner, const std::string& outer);

}  // namespace tessarin
