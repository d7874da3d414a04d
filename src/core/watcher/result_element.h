#pragma once
// What every client scan reads the same way from a <result> element.

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "core/data/project_record.h"

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

// The state a result enters the result list with: 98 when it or its project is suspended,
// and for a non-CPU-intensive project 96 (finished) or 97 (any other).
std::uint8_t ListState(int state, const ProjectRecord& project, std::string_view result);

struct ElementUnderProject;
class AppVersionSpeeds;

// Application and version_num of each work unit, by name.
using WorkunitApps = std::unordered_map<std::string, std::pair<std::string, std::string>>;
WorkunitApps AppsOfWorkunits(const std::vector<ElementUnderProject>& workunits);

// The speed of the result's app version; the version is named by the result (clients since
// 6.x) or else by its work unit. 0 when unknown.
double FlopsOfResult(const AppVersionSpeeds& speeds, const WorkunitApps& apps,
                     const std::string& masterUrl, const std::string& result,
                     const std::string& wuName);

}  // namespace tessarin
