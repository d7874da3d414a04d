#pragma once
// Walking the elements of client_state.xml in file order. A <result> or <workunit> belongs
// to the last <project> element that stands before it.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/data/project_record.h"

namespace tessarin {

// Calls `visit` with the value of every element called `name`, in order, until it returns
// false. An element whose closing tag is missing ends the walk; an empty element is visited
// as an empty value.
void ForEachElement(std::string_view text, std::string_view name,
                    const std::function<bool(const std::string&)>& visit);

struct ElementUnderProject {
  std::string text;
  int project = -1;  // index into ProjectElements::projects, -1 before any project
};

struct ProjectElements {
  // Every <project> element read, in file order.
  std::vector<ProjectRecord> projects;
  std::vector<ElementUnderProject> elements;
};

// The elements called `name`, each with its project. A pass stops at the first element whose
// closing tag is missing. With `trailingProjects`, the projects after the last element are
// read as well, so `projects` holds every project of the text.
ProjectElements WalkUnderProjects(std::string_view text, std::string_view name,
                                  bool trailingProjects);

// A version_num of major x 100 + minor as "major.minor": "418" is 4.18, "1008" is 10.08. Text
// of one or two characters, or not all digits, gets '.' after its first character.
std::string DottedVersion(std::string_view versionNum);

}  // namespace tessarin
