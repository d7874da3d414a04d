#pragma once
// Names of the files in the log directory that are made from names found in client files
// or logs: {wu}.tess, {result}.tess, {result}_state.tess, {wu}.xml.

#include <string>
#include <string_view>

namespace tessarin {

// True when `name` can only name a file directly inside the log directory: not empty, not
// "." or "..", and without '/', '\' or NUL. Loggers refuse every other name, so a hostile
// client file can never make them read, write or delete elsewhere.
bool IsPlainFileName(std::string_view name);

// The copy an upgrade leaves of a log: the extension replaced by "." + the program's file
// version (sah_boinc.csv gives sah_boinc.1.5.2.390).
std::string VersionedLogName(std::string_view logPath);

}  // namespace tessarin
