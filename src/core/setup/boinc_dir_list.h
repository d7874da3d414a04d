#pragma once
// The list of client directories as the setup dialog keeps it: sorted without regard to
// letter case, each settings key once.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/setup/setup_settings.h"

namespace tessarin {

// Ordering of the list: letter case ignored, exact bytes break ties.
bool BoincDirBefore(std::string_view left, std::string_view right);

// Where `path` goes in a sorted list (after entries that compare equal).
std::size_t SortedPosition(const std::vector<BoincDirEntry>& dirs, std::string_view path);

// Adds `path` checked at its sorted place and returns its index. A path already listed (as a
// path: "/a" and "/a/" are one directory, "/A/" another) is checked instead, so one client is
// never watched twice.
std::size_t AddBoincDir(std::vector<BoincDirEntry>& dirs, const std::string& path);

// The BoincDirs key of a directory and back ("%", "=", "]" escaped).
std::string BoincDirKey(std::string_view path);
std::string BoincDirFromKey(std::string_view key);

}  // namespace tessarin
