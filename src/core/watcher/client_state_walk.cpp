#include "core/watcher/client_state_walk.h"

#include "core/tools/tag_extract.h"

namespace tessarin {

namespace {

constexpr std::string_view kProjectTag = "<project>";

// ExtractTagFrom counts from 1, with 0 for the start; string_view::find counts from 0.
std::size_t IndexOf(std::size_t position) {
  return position == 0 ? 0 : position - 1;
}

}  // namespace

void ForEachElement(std::string_view text, std::string_view name,
                    const std::function<bool(const std::string&)>& visit) {
  std::size_t position = 0;
  std::string value;
  while (NextTag(text, name, position, value)) {
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
      if (!NextTag(text, "project", position, value))
        break;
      walk.projects.push_back(ReadProjectRecord(value));
      continue;
    }
    if (!NextTag(text, name, position, value))
      break;
    walk.elements.push_back({value, static_cast<int>(walk.projects.size()) - 1});
  }
  if (trailingProjects) {
    while (NextTag(text, "project", position, value)) {
      walk.projects.push_back(ReadProjectRecord(value));
    }
  }
  return walk;
}

std::string DottedVersion(std::string_view versionNum) {
  if (versionNum.size() <= 1)
    return std::string(versionNum);
  // major x 100 + minor: the minor part is always the last two digits.
  const bool allDigits = versionNum.find_first_not_of("0123456789") == std::string_view::npos;
  const std::size_t dot = allDigits && versionNum.size() >= 3 ? versionNum.size() - 2 : 1;
  std::string version;
  version.reserve(versionNum.size() + 1);
  version.append(versionNum.substr(0, dot));
  version += '.';
  version.append(versionNum.substr(dot));
  return version;
}

}  // namespace tessarin
