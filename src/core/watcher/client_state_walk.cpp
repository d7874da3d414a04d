#include "core/watcher/client_state_walk.h"

#include "core/tools/tag_extract.h"

namespace tessarin {

namespace {

constexpr std::string_view kProjectTag = "<project>";

// ExtractTagFrom counts from 1, with 0 for the start; string_view::find counts from 0.
std::size_t IndexOf(std::size_t position) {
  return position == 0 ? 0 : position - 1;
}

// Reads the next element called `name` at or after `position`; false when there is none or
// its closing tag is missing.
bool NextElement(std::string_view text, std::string_view name, std::size_t& position,
                 std::string& value) {
  const std::size_t before = position;
  value = ExtractTagFrom(text, name, position);
  return position != before;
}

}  // namespace

void ForEachElement(std::string_view text, std::string_view name,
                    const std::function<bool(const std::string&)>& visit) {
  std::size_t position = 0;
  std::string value;
  while (NextElement(text, name, position, value)) {
    if (!visit(value))
      return;
  }
}

ProjectElements WalkUnderProjects(std::string_view text, std::string_view name,
                                  bool trailingProjects) {
  ProjectElements walk;
  std::string openTag;
  openTag.reserve(name.size() + 2);
  openTag.push_back('<');
  openTag.append(name.data(), name.size());
  openTag.push_back('>');
  std::size_t position = 0;
  std::string value;
  // The next project tag is looked up again only once the walk has passed it, so a file with
  // thousands of results and one project is not searched to its end for every result.
  std::size_t projectAt = text.find(kProjectTag);
  for (;;) {
    const std::size_t from = IndexOf(position);
    if (projectAt != std::string_view::npos && projectAt < from) {
      projectAt = text.find(kProjectTag, from);
    }
    const std::size_t elementAt = text.find(openTag, from);
    if (projectAt != std::string_view::npos &&
        (elementAt == std::string_view::npos || projectAt < elementAt)) {
      if (!NextElement(text, "project", position, value))
        break;
      walk.projects.push_back(ReadProjectRecord(value));
      continue;
    }
    if (!NextElement(text, name, position, value))
      break;
    walk.elements.push_back({value, static_cast<int>(walk.projects.size()) - 1});
  }
  if (trailingProjects) {
    while (NextElement(text, "project", position, value)) {
      walk.projects.push_back(ReadProjectRecord(value));
    }
  }
  return walk;
}

std::string DottedVersion(std::string_view versionNum) {
  if (versionNum.size() <= 1)
    return std::string(versionNum);
  std::string version;
  version.reserve(versionNum.size() + 1);
  version += versionNum.front();
  version += '.';
  version += versionNum.substr(1);
  return version;
}

}  // namespace tessarin
