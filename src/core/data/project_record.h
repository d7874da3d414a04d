#pragma once
// The project record: one <project> element of client_state.xml.

#include <cstdint>
#include <string>
#include <string_view>

namespace tessarin {

enum class ProjectKind : std::uint8_t {
  kOther = 0,
  kSeti = 1,
  kAstropulse = 2,
  kPredictor = 3,
  kClimate = 4,
  kLhc = 5,
  kEinstein = 6,
};

struct ProjectRecord {
  std::string master_url;          // 100
  std::string project_name;        // 50
  std::string user_name;           // 100
  std::string team_name;           // 100
  std::string user_total_credit;   // 20
  std::string user_expavg_credit;  // 20
  std::string user_create_time;    // 20
  std::string hostid;              // 20
  std::string host_total_credit;   // 20
  std::string host_expavg_credit;  // 20
  std::string host_create_time;    // 20
  std::string exp_avg_cpu;         // 20
  std::string exp_avg_mod_time;    // 20
  ProjectKind kind = ProjectKind::kOther;
  float resource_share = 0;
  float long_term_debt = 0;
  float duration_correction_factor = 0;  // below 0.01 (or missing) becomes 1.0
  bool suspended = false;                // "suspended_via_gui" anywhere in the element
  bool non_cpu_intensive = false;        // "non_cpu_intensive" anywhere in the element
};

ProjectRecord ReadProjectRecord(std::string_view projectElement);

// Sets and returns the kind from project_name alone.
ProjectKind IdentifyProject(ProjectRecord& project);

}  // namespace tessarin
