#include "core/watcher/app_version_speeds.h"

#include "core/tools/number_format.h"
#include "core/tools/tag_extract.h"
#include "core/watcher/client_state_walk.h"

namespace tessarin {

AppVersionSpeeds::AppVersionSpeeds(std::string_view clientState) {
  const ProjectElements walk = WalkUnderProjects(clientState, "app_version", false);
  for (const ElementUnderProject& element : walk.elements) {
    Version version;
    if (element.project >= 0)
      version.masterUrl = walk.projects[element.project].master_url;
    version.appName = ExtractTag(element.text, "app_name");
    version.versionNum = ExtractTag(element.text, "version_num");
    version.planClass = ExtractTag(element.text, "plan_class");
    version.flops = StrToFloatSafe(ExtractTag(element.text, "flops"));
    if (version.flops > 0)
      versions_.push_back(std::move(version));
  }
}

double AppVersionSpeeds::FlopsOf(const std::string& masterUrl, const std::string& appName,
                                 const std::string& versionNum,
                                 const std::string& planClass) const {
  for (const Version& version : versions_) {
    if (version.masterUrl == masterUrl && version.appName == appName &&
        version.versionNum == versionNum && version.planClass == planClass) {
      return version.flops;
    }
  }
  return 0;
}

}  // namespace tessarin
