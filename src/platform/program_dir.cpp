#include "platform/program_dir.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

#include "core/tools/text.h"

namespace tessarin {

namespace fs = std::filesystem;

namespace {

constexpr const char* kBoincConfigProperties = "/etc/boinc-client/config.properties";

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

std::string UserHome() {
  std::string home = Environment("HOME");
  if (!home.empty())
    return home;
  std::vector<char> buffer(16384);
  passwd entry{};
  passwd* found = nullptr;
  if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found != nullptr &&
      found->pw_dir != nullptr) {
    home = found->pw_dir;
  }
  return home;
}

std::string ExecutablePath() {
  std::error_code ignored;
  return fs::read_symlink("/proc/self/exe", ignored).string();
}

bool IsRegularFile(const std::string& path) {
  std::error_code ignored;
  return fs::is_regular_file(path, ignored);
}

std::string_view TrimView(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string_view::npos)
    return {};
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// data_dir=... of a Java-style properties text; empty when absent.
std::string DataDirProperty(std::string_view properties) {
  std::string dataDir;
  std::size_t start = 0;
  while (start < properties.size()) {
    std::size_t end = properties.find('\n', start);
    if (end == std::string_view::npos)
      end = properties.size();
    const std::string_view line = TrimView(properties.substr(start, end - start));
    start = end + 1;
    const std::size_t equals = line.find('=');
    if (line.empty() || line.front() == '#' || equals == std::string_view::npos)
      continue;
    if (TrimView(line.substr(0, equals)) == "data_dir") {
      dataDir = std::string(TrimView(line.substr(equals + 1)));
    }
  }
  return dataDir;
}

std::string ExecutableDir(const ProgramDirSources& sources) {
  return AddBackslash(fs::path(sources.executablePath).parent_path().string());
}

// Tessarin.ini beside the executable.
bool IsPortable(const ProgramDirSources& sources) {
  const std::string executableDir = ExecutableDir(sources);
  return !executableDir.empty() && IsRegularFile(executableDir + kSettingsFileName);
}

}  // namespace

std::string FindProgramDir(const ProgramDirSources& sources) {
  if (!sources.homeOption.empty()) {
    std::error_code ignored;
    const fs::path absolute = fs::absolute(sources.homeOption, ignored);
    return AddBackslash(absolute.empty() ? sources.homeOption : absolute.string());
  }
  if (IsPortable(sources))
    return ExecutableDir(sources);
  if (!sources.xdgConfigHome.empty() && sources.xdgConfigHome.front() == '/') {
    return AddBackslash(sources.xdgConfigHome) + "Tessarin/";
  }
  if (!sources.home.empty())
    return AddBackslash(sources.home) + ".config/Tessarin/";
  return ExecutableDir(sources);
}

std::string FirstStartLogDir(const ProgramDirSources& sources) {
  if (!sources.homeOption.empty() || IsPortable(sources))
    return {};
  if (!sources.xdgDataHome.empty() && sources.xdgDataHome.front() == '/')
    return AddBackslash(sources.xdgDataHome) + "Tessarin/logs";
  if (sources.home.empty())
    return {};
  return AddBackslash(sources.home) + ".local/share/Tessarin/logs";
}

ProgramDirSources CurrentProgramDirSources(std::string homeOption) {
  return {std::move(homeOption), ExecutablePath(), Environment("XDG_CONFIG_HOME"), UserHome(),
          Environment("XDG_DATA_HOME")};
}

std::string HomeOption(int argc, const char* const argv[]) {
  constexpr std::string_view kOption = "--home";
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (argument == kOption && i + 1 < argc)
      return argv[i + 1];
    if (argument.starts_with(kOption) && argument.size() > kOption.size() &&
        argument[kOption.size()] == '=') {
      return std::string(argument.substr(kOption.size() + 1));
    }
  }
  return {};
}

bool EnsureProgramDir(const std::string& programDir) {
  std::error_code error;
  fs::create_directories(programDir, error);
  return fs::is_directory(programDir, error);
}

std::vector<std::string> BoincClientDirCandidates(std::string_view configProperties,
                                                  const std::string& home) {
  std::vector<std::string> candidates;
  const std::string configured = DataDirProperty(configProperties);
  if (!configured.empty())
    candidates.push_back(configured);
  candidates.push_back("/var/lib/boinc-client");
  candidates.push_back("/var/lib/boinc");
  if (!home.empty())
    candidates.push_back(AddBackslash(home) + "BOINC");
  return candidates;
}

std::string ReadBoincConfigProperties() {
  std::ifstream in(kBoincConfigProperties, std::ios::binary);
  std::ostringstream text;
  if (in)
    text << in.rdbuf();
  return text.str();
}

std::string FindBoincClientDir(const std::vector<std::string>& candidates) {
  for (const std::string& candidate : candidates) {
    const std::string dir = AddBackslash(candidate);
    if (!dir.empty() && IsRegularFile(dir + "client_state.xml"))
      return dir;
  }
  return {};
}

}  // namespace tessarin
