#include "core/data/project_record.h"

#include "core/tools/number_format.h"
#include "core/tools/tag_extract.h"
#include "core/tools/text.h"

namespace tessarin {

namespace {

std::string Field(std::string_view element, const char* tag, std::size_t width) {
  return CutToWidth(ExtractTag(element, tag), width);
}

}  // namespace

ProjectRecord ReadProjectRecord(std::string_view element) {
  ProjectRecord project;
  project.master_url = Field(element, "master_url", 100);
  project.project_name = Field(element, "project_name", 50);
  project.user_name = Field(element, "user_name", 100);
  project.team_name = Field(element, "team_name", 100);
  project.user_total_credit = Field(element, "user_total_credit", 20);
  project.user_expavg_credit = Field(element, "user_expavg_credit", 20);
  project.user_create_time = Field(element, "user_create_time", 20);
  project.hostid = Field(element, "hostid", 20);
  project.host_total_credit = Field(element, "host_total_credit", 20);
  project.host_expavg_credit = Field(element, "host_expavg_credit", 20);
  project.host_create_time = Field(element, "host_create_time", 20);
  project.exp_avg_cpu = Field(element, "exp_avg_cpu", 20);
  project.exp_avg_mod_time = Field(element, "exp_avg_mod_time", 20);
  project.resource_share = StrToSingleSafe(ExtractTag(element, "resource_share"));
  project.long_term_debt = StrToSingleSafe(ExtractTag(element, "long_term_debt"));
  project.duration_correction_factor =
      StrToSingleSafe(ExtractTag(element, "duration_correction_factor"));
  if (!(project.duration_correction_factor >= 0.01f))
    project.duration_correction_factor = 1.0f;
  project.suspended = ContainsText(element, "suspended_via_gui");
  project.non_cpu_intensive = ContainsText(element, "non_cpu_intensive");
  IdentifyProject(project);
  return project;
}

ProjectKind IdentifyProject(ProjectRecord& project) {
  struct Marker {
    const char* text;
    ProjectKind kind;
  };
  // Order matters: the first match wins ("SETI" before "PULSE").
  static constexpr Marker kMarkers[] = {
      {"SETI", ProjectKind::kSeti},           {"PULSE", ProjectKind::kAstropulse},
      {"PREDICTOR", ProjectKind::kPredictor}, {"CLIMATE", ProjectKind::kClimate},
      {"CPDN", ProjectKind::kClimate},        {"LHC", ProjectKind::kLhc},
      {"EINSTEIN", ProjectKind::kEinstein},
  };
  const std::string name = UpperCase(project.project_name);
  project.kind = ProjectKind::kOther;
  for (const Marker& marker : kMarkers) {
    if (ContainsText(name, marker.text)) {
      project.kind = marker.kind;
      break;
    }
  }
  return project.kind;
}

}  // namespace tessarin
