#pragma once
// Names of the log files that upgrades make. Names found in client files or logs pass
// IsSafeFileName (data/safe_file_name.h) before they become part of a path.

#include <string>
#include <string_view>

namespace tessarin {

// The copy an upgrade leaves of a log: the extension replaced by "." + the program's file
// version (sah_boinc.csv gives sah_boinc.1.5.2.390).
std::string VersionedLogName(std::string_view logPath);

}  // namespace tessarin
