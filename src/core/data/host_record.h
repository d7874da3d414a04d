#pragma once
// The host record: host_info, time_stats and net_stats of one client_state.xml, as text
// fields cut to their widths.

#include <string>

namespace tessarin {

struct HostRecord {
  std::string domain_name;     // 100
  std::string p_ncpus;         // 5
  std::string p_vendor;        // 50
  std::string p_model;         // 50
  std::string p_fpops;         // 20
  std::string p_iops;          // 20
  std::string p_membw;         // 20
  std::string p_calculated;    // 20
  std::string os_name;         // 100
  std::string os_version;      // 100
  std::string m_nbytes;        // 20
  std::string m_cache;         // 20
  std::string m_swap;          // 20
  std::string d_total;         // 30
  std::string d_free;          // 30
  std::string on_frac;         // 20
  std::string connected_frac;  // 20
  std::string active_frac;     // 20
  std::string last_update;     // 20
  std::string bwup;            // 20
  std::string bwdown;          // 20
};

// Each field is the first occurrence in its element's text (taken with ExtractTagCut).
HostRecord ReadHostRecord(std::string hostInfo, std::string timeStats, std::string netStats);

}  // namespace tessarin
