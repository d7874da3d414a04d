#include "watcher_fixture.h"

#include <stdexcept>

#include "core/settings/settings_keys.h"
#include "core/tools/text.h"

namespace tessarin::test {

std::string HostXml(const std::string& domain, const std::string& fpops) {
  return "<host_info>\n    <domain_name>" + domain +
         "</domain_name>\n    <p_ncpus>4</p_ncpus>\n    <p_fpops>" + fpops +
         "</p_fpops>\n    <os_name>Linux</os_name>\n</host_info>\n"
         "<time_stats>\n    <on_frac>0.980000</on_frac>\n    <active_frac>0.900000</active_frac>\n"
         "</time_stats>\n<net_stats>\n</net_stats>\n";
}

std::string ProjectXml(const std::string& url, const std::string& name, const std::string& extra) {
  return "<project>\n    <master_url>" + url + "</master_url>\n    <project_name>" + name +
         "</project_name>\n    <user_name>Alice</user_name>\n    <hostid>77</hostid>\n"
         "    <host_venue>home</host_venue>\n" +
         extra + "</project>\n";
}

std::string WorkunitXml(const std::string& name, const std::string& app,
                        const std::string& versionNum, const std::string& fpopsEst,
                        const std::vector<std::string>& files, const std::string& extra) {
  std::string xml = "<workunit>\n    <name>" + name + "</name>\n    <app_name>" + app +
                    "</app_name>\n    <version_num>" + versionNum +
                    "</version_num>\n    <rsc_fpops_est>" + fpopsEst + "</rsc_fpops_est>\n";
  for (const std::string& file : files) {
    xml += "    <file_ref>\n        <file_name>" + file +
           "</file_name>\n        <open_name>in</open_name>\n    </file_ref>\n";
  }
  return xml + extra + "</workunit>\n";
}

std::string ResultXml(const std::string& name, const std::string& wu, int state,
                      const std::string& fileName, const std::string& extra) {
  return "<result>\n    <name>" + name +
         "</name>\n    <final_cpu_time>59.808510</final_cpu_time>\n    <state>" +
         std::to_string(state) + "</state>\n    <wu_name>" + wu +
         "</wu_name>\n    <report_deadline>1797304121.000000</report_deadline>\n"
         "    <file_ref>\n        <file_name>" +
         fileName + "</file_name>\n    </file_ref>\n" + extra + "</result>\n";
}

std::string ActiveTaskXml(const std::string& url, const std::string& result,
                          const std::string& slot, const std::string& cpu,
                          const std::string& fraction) {
  return "<active_task>\n    <project_master_url>" + url +
         "</project_master_url>\n    <result_name>" + result + "</result_name>\n    <slot>" + slot +
         "</slot>\n    <checkpoint_cpu_time>" + cpu +
         "</checkpoint_cpu_time>\n    <fraction_done>" + fraction +
         "</fraction_done>\n</active_task>\n";
}

std::string ClientStateXml(const std::string& body, const std::string& fpops, bool complete) {
  return "<client_state>\n" + HostXml("alpha", fpops) +
         "<core_client_major_version>7</core_client_major_version>\n"
         "<core_client_minor_version>20</core_client_minor_version>\n" +
         body + (complete ? "</client_state>\n" : "");
}

void RecordingLogger::LogProjectResult(ProjectKind kind, const std::string& prefix,
                                       const std::string& resultFileName, const std::string& wuName,
                                       CycleFlags& flags) {
  if (fail)
    throw std::runtime_error("sah_boinc.csv locked");
  calls.push_back({kind, prefix, resultFileName, wuName});
  if (inspect)
    inspect(calls.back());
  if (raiseWallpaper)
    flags.wallpaperRequest = true;
}

void RecordingReader::GetSlot(const ActiveTaskFacts& taskFacts, ResultList& results,
                              DisplayList& display) {
  if (fail)
    throw std::runtime_error("reader failed");
  facts.push_back(taskFacts);
  SlotInfo slot;
  slot.HostName = taskFacts.host.domain_name;
  slot.ProjectName = taskFacts.projectName;
  slot.ResultName = taskFacts.resultName;
  display.push_back(slot);
  const auto seconds = timeLeft.find(taskFacts.resultFileName);
  if (seconds != timeLeft.end())
    SetTimeLeft(results, seconds->first, seconds->second);
}

bool RecordingLauncher::Exists(const std::string& path) const {
  for (const std::string& file : existing) {
    if (file == path)
      return true;
  }
  return false;
}

bool RecordingLauncher::StartDetached(const std::string& path,
                                      const std::vector<std::string>& args) {
  std::string call = path;
  for (const std::string& arg : args)
    call += " " + arg;
  started.push_back(call);
  return true;
}

WatcherFixture::WatcherFixture() : env(test.env), clientDir(test.dir.MakeDir("client")) {
  test.settings.WriteBool(sections::kBoincDirs, EscapeIniText(clientDir), true);
  Restart();
}

void WatcherFixture::WriteState(const std::string& xml) {
  test.dir.Write("client/client_state.xml", xml);
}

void WatcherFixture::WriteClientFile(const std::string& relative, const std::string& content) {
  test.dir.Write("client/" + relative, content);
}

std::string WatcherFixture::ReadLog(const std::string& name) const {
  return test.dir.Read("logs/" + name);
}

void WatcherFixture::Restart() {
  cycle = std::make_unique<WatchCycle>(env, reader, loggers, launcher);
}

}  // namespace tessarin::test
