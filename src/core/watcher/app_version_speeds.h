#pragma once
// The speed the client estimates for each of its app versions (<flops> of <app_version>,
// written by clients since 6.x; a GPU version is often far faster than the host's p_fpops).

#include <string>
#include <string_view>
#include <vector>

namespace tessarin {

class AppVersionSpeeds {
 public:
  // Every app_version element of the client state text, with the project it stands under.
  explicit AppVersionSpeeds(std::string_view clientState);

  // The flops of the app version of that project, application, version_num and plan_class
  // (empty for a version without one); 0 when the client gives none.
  double FlopsOf(const std::string& masterUrl, const std::string& appName,
                 const std::string& versionNum, const std::string& planClass) const;

 private:
  struct Version {
    std::string masterUrl;
    std::string appName;
    std::string versionNum;
    std::string planClass;
    double flops = 0;
  };
  std::vector<Version> versions_;
};

}  // namespace tessarin
