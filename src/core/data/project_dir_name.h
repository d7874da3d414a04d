#pragma once

#include <string>
#include <string_view>

namespace tessarin {

// Name of the project's directory below "projects" in a client directory, as the BOINC
// client makes it from the master URL. Always one plain path component: an empty name, "."
// or ".." becomes as many '_' (at least one).
std::string ProjectDirName(std::string_view masterUrl);

}  // namespace tessarin
