#pragma once
// The statistics tree: project, application, host and version nodes built from the sorted
// statistics entries. A node sums the counts of the nodes below it.

#include <cstddef>
#include <string>
#include <vector>

#include "core/browsers/history_stats.h"

namespace tessarin {

enum class StatLevel { Project = 0, Application = 1, Host = 2, Version = 3 };

struct StatNode {
  std::string name;  // at most kStatNameWidth characters
  StatCounts counts;
  StatLevel level = StatLevel::Project;
  std::vector<std::size_t> children;  // indices into StatTree::nodes
};

struct StatTree {
  std::vector<StatNode> nodes;
  std::vector<std::size_t> roots;  // the project nodes, in order
};

inline constexpr const char* kUnknownProject = "Unknown project";
inline constexpr const char* kUnknownApplication = "Unknown application";
inline constexpr const char* kUnknownHost = "Unknown host";
inline constexpr const char* kUnknownVersion = "Unknown version";
inline constexpr const char* kVersionPrefix = "Version ";

// `entries` in the order of TStatArray::SortStats: a new project, application or host node
// starts wherever that name changes from the entry before.
StatTree BuildStatTree(const std::vector<StatEntry>& entries);

}  // namespace tessarin
