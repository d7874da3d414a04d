#pragma once
// A name taken from a client file becomes part of a path in the log directory only when it
// cannot lead out of it.

#include <string_view>

namespace tessarin {

// False for an empty name, "." and "..", and any name holding '/', '\\' or a NUL byte.
bool IsSafeFileName(std::string_view name);

}  // namespace tessarin
