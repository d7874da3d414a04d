#include "core/data/shared_log_block.h"

#include "core/tools/csv.h"
#include "core/tools/text.h"
#include "version.h"

namespace tessarin {

const std::array<const char*, 32> kSharedBlockColumns = {
    "domain_name",
    "p_ncpus",
    "p_vendor",
    "p_model",
    "p_fpops",
    "p_iops",
    "p_membw",
    "p_calculated",
    "os_name",
    "os_version",
    "m_nbytes",
    "m_cache",
    "m_swap",
    "d_total",
    "d_free",
    "on_frac",
    "connected_frac",
    "active_frac",
    "last_update",
    "bwup",
    "bwdown",
    "user_name",
    "team_name",
    "user_total_credit",
    "user_expavg_credit",
    "user_create_time",
    "hostid",
    "host_total_credit",
    "host_expavg_credit",
    "host_create_time",
    "exp_avg_cpu",
    "exp_avg_mod_time",
};

const std::array<const char*, 14> kIntegerColumns = {
    "p_fpops",          "p_iops",           "p_membw",          "p_calculated", "m_nbytes",
    "m_cache",          "m_swap",           "d_total",          "d_free",       "last_update",
    "user_create_time", "host_create_time", "exp_avg_mod_time", "fpops_est",
};

const std::array<const char*, 5> kUnixTimeColumns = {
    "last_update", "user_create_time", "host_create_time", "exp_avg_mod_time", "deadline",
};

const std::array<const char*, 4> kEinsteinTimeColumns = {
    "start_time1",
    "end_time1",
    "start_time2",
    "end_time2",
};

namespace {

void Quoted(std::string& out, std::string_view value) {
  out += QuoteText(value);
  out += ',';
}

void IntegerPart(std::string& out, std::string_view value) {
  out += UnquotedValue(TextBefore(value, '.'));
  out += ',';
}

void Raw(std::string& out, std::string_view value) {
  out += UnquotedValue(value);
  out += ',';
}

}  // namespace

std::string FormatSharedBlock(const HostRecord& host, const ProjectRecord& project) {
  std::string out;
  out.reserve(512);
  Quoted(out, host.domain_name);
  Raw(out, host.p_ncpus);
  Quoted(out, host.p_vendor);
  Quoted(out, host.p_model);
  IntegerPart(out, host.p_fpops);
  IntegerPart(out, host.p_iops);
  IntegerPart(out, host.p_membw);
  IntegerPart(out, host.p_calculated);
  Quoted(out, host.os_name);
  Quoted(out, host.os_version);
  IntegerPart(out, host.m_nbytes);
  IntegerPart(out, host.m_cache);
  IntegerPart(out, host.m_swap);
  IntegerPart(out, host.d_total);
  IntegerPart(out, host.d_free);
  Raw(out, host.on_frac);
  Raw(out, host.connected_frac);
  Raw(out, host.active_frac);
  IntegerPart(out, host.last_update);
  Raw(out, host.bwup);
  Raw(out, host.bwdown);
  Quoted(out, project.user_name);
  Quoted(out, project.team_name);
  Raw(out, project.user_total_credit);
  Raw(out, project.user_expavg_credit);
  IntegerPart(out, project.user_create_time);
  Raw(out, project.hostid);
  Raw(out, project.host_total_credit);
  Raw(out, project.host_expavg_credit);
  IntegerPart(out, project.host_create_time);
  Raw(out, project.exp_avg_cpu);
  IntegerPart(out, project.exp_avg_mod_time);
  return out;
}

std::string FormatBoincVersion(std::string_view major, std::string_view minor) {
  return std::string(major) + "." + ZeroPadText(minor, 2);
}

std::string TessVersion() {
  return std::to_string(version::kMajor) + "." + std::to_string(version::kMinor) +
         std::to_string(version::kRelease);
}

}  // namespace tessarin
