#include "core/browsers/history_tree.h"

#include <optional>

#include "core/tools/text.h"

namespace tessarin {

namespace {

std::string NodeName(const std::string& name, const char* unknown) {
  if (TrimBlanks(name).empty())
    return unknown;
  return name.substr(0, kStatNameWidth);
}

std::size_t AddNode(StatTree& tree, std::optional<std::size_t> parent, std::string name,
                    StatLevel level) {
  const std::size_t index = tree.nodes.size();
  tree.nodes.push_back({std::move(name), {}, level, {}});
  (parent ? tree.nodes[*parent].children : tree.roots).push_back(index);
  return index;
}

// The node of the current name at one level, and that name. No current node at first, so any
// name (even "-") starts a node.
struct Current {
  std::optional<std::size_t> node;
  std::string name;

  bool Is(const std::string& other) const { return node && name == other; }
};

}  // namespace

StatTree BuildStatTree(const std::vector<StatEntry>& entries) {
  StatTree tree;
  Current project, application, host;
  for (const StatEntry& entry : entries) {
    if (!project.Is(entry.project)) {
      project = {
          AddNode(tree, std::nullopt, NodeName(entry.project, kUnknownProject), StatLevel::Project),
          entry.project};
      application = {};
    }
    if (!application.Is(entry.application)) {
      application = {AddNode(tree, project.node, NodeName(entry.application, kUnknownApplication),
                             StatLevel::Application),
                     entry.application};
      host = {};
    }
    if (!host.Is(entry.host)) {
      host = {AddNode(tree, application.node, NodeName(entry.host, kUnknownHost), StatLevel::Host),
              entry.host};
    }
    const std::string versionName = TrimBlanks(entry.version).empty()
                                        ? std::string(kUnknownVersion)
                                        : kVersionPrefix + entry.version;
    const std::size_t version = AddNode(tree, host.node, versionName, StatLevel::Version);
    tree.nodes[version].counts = entry.counts;
    for (const Current* level : {&project, &application, &host}) {
      tree.nodes[*level->node].counts.Add(entry.counts);
    }
  }
  return tree;
}

}  // namespace tessarin
