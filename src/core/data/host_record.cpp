#include "core/data/host_record.h"

#include "core/tools/tag_extract.h"
#include "core/tools/text.h"

namespace tessarin {

namespace {

std::string Field(std::string& element, const char* tag, std::size_t width) {
  return CutToWidth(ExtractTagCut(element, tag), width);
}

}  // namespace

HostRecord ReadHostRecord(std::string hostInfo, std::string timeStats, std::string netStats) {
  HostRecord host;
  host.domain_name = Field(hostInfo, "domain_name", 100);
  host.p_ncpus = Field(hostInfo, "p_ncpus", 5);
  host.p_vendor = Field(hostInfo, "p_vendor", 50);
  host.p_model = Field(hostInfo, "p_model", 50);
  host.p_fpops = Field(hostInfo, "p_fpops", 20);
  host.p_iops = Field(hostInfo, "p_iops", 20);
  host.p_membw = Field(hostInfo, "p_membw", 20);
  host.p_calculated = Field(hostInfo, "p_calculated", 20);
  host.os_name = Field(hostInfo, "os_name", 100);
  host.os_version = Field(hostInfo, "os_version", 100);
  host.m_nbytes = Field(hostInfo, "m_nbytes", 20);
  host.m_cache = Field(hostInfo, "m_cache", 20);
  host.m_swap = Field(hostInfo, "m_swap", 20);
  host.d_total = Field(hostInfo, "d_total", 30);
  host.d_free = Field(hostInfo, "d_free", 30);
  host.on_frac = Field(timeStats, "on_frac", 20);
  host.connected_frac = Field(timeStats, "connected_frac", 20);
  host.active_frac = Field(timeStats, "active_frac", 20);
  host.last_update = Field(timeStats, "last_update", 20);
  host.bwup = Field(netStats, "bwup", 20);
  host.bwdown = Field(netStats, "bwdown", 20);
  return host;
}

}  // namespace tessarin
