#include "init_command.h"

#include <filesystem>
#include <iostream>
#include <optional>

#include "core/program/program.h"
#include "core/remote/remote_address.h"
#include "core/remote/remote_clients.h"
#include "core/settings/environment.h"
#include "core/settings/settings_keys.h"
#include "core/settings/settings_store.h"
#include "core/tools/path_inside.h"
#include "core/tools/text.h"

namespace tessarin {

namespace fs = std::filesystem;

namespace {

std::string AbsoluteDir(const std::string& dir) {
  std::error_code ignored;
  const fs::path absolute = fs::absolute(dir, ignored);
  return AddBackslash(absolute.lexically_normal().string());
}

// The remote clients named, or nothing when one of them is not usable.
std::optional<std::vector<RemoteClientSetting>> RemoteSettings(const InitOptions& options) {
  std::vector<RemoteClientSetting> remotes;
  for (const RemoteInit& remote : options.remotes) {
    const std::optional<RemoteAddress> address = ParseRemoteAddress(remote.address);
    if (!address) {
      std::cerr << "tessarin-cli: " << remote.address << " is not HOST or HOST:PORT\n";
      return std::nullopt;
    }
    RemoteClientSetting setting{*address, true, ""};
    if (!remote.passwordFile.empty()) {
      const std::string problem = PasswordFileProblem(remote.passwordFile);
      if (!problem.empty()) {
        std::cerr << "tessarin-cli: " << problem << "\n";
        return std::nullopt;
      }
      setting.passwordFile = fs::absolute(remote.passwordFile).lexically_normal().string();
    }
    remotes.push_back(setting);
  }
  return remotes;
}

}  // namespace

int RunInitCommand(const std::string& programDir, const InitOptions& options) {
  const std::string path = SettingsPath(programDir);
  if (fs::exists(path) && !options.force) {
    std::cerr << "tessarin-cli: " << path
              << " exists already; use --force to replace it (its checkpoint memory and "
                 "exception counts are lost then)\n";
    return 2;
  }
  if (options.clients.empty() && options.remotes.empty()) {
    std::cerr << "tessarin-cli: name at least one --client or --remote\n";
    return 2;
  }
  const std::string logDir =
      options.logDir.empty() ? AddBackslash(programDir) + "logs" : options.logDir;
  for (const std::string& client : options.clients) {
    if (!fs::is_directory(client)) {
      std::cerr << "tessarin-cli: client directory " << client << " does not exist\n";
      return 2;
    }
    // The program never writes into a client directory.
    for (const auto& [what, dir] :
         {std::pair{"log directory", logDir}, std::pair{"program directory", programDir}}) {
      if (IsSameOrInside(dir, client)) {
        std::cerr << "tessarin-cli: the " << what << " " << dir
                  << " is or lies inside the client directory " << client << "; choose another\n";
        return 2;
      }
    }
  }
  const std::optional<std::vector<RemoteClientSetting>> remotes = RemoteSettings(options);
  if (!remotes)
    return 2;
  try {
    fs::create_directories(programDir);
    fs::remove(path);
    SettingsStore settings(path);
    settings.Write(settings::kTimer, settings::kTimer.defaultValue);
    settings.Write(settings::kMaxBackupMb, settings::kMaxBackupMb.defaultValue);
    if (!options.logDir.empty())
      settings.Write(settings::kLogDir, AbsoluteDir(options.logDir));
    else if (!options.defaultLogDir.empty())
      settings.Write(settings::kLogDir, AddBackslash(options.defaultLogDir));
    for (const std::string& client : options.clients) {
      settings.WriteBool(sections::kBoincDirs, EscapeIniText(AbsoluteDir(client)), true);
    }
    WriteRemoteClients(settings, *remotes);
    settings.UpdateFile();
    // Logging into a missing directory would fail every cycle: make it now, as the setup
    // dialog does on OK.
    fs::create_directories(ResolveLogDir(settings, AddBackslash(programDir)));
  } catch (const std::exception& error) {
    std::cerr << "tessarin-cli: cannot write " << path << ": " << error.what() << "\n";
    return 2;
  }
  const std::size_t count = options.clients.size() + options.remotes.size();
  std::cout << "Wrote " << path << " watching " << count << " client" << (count == 1 ? "" : "s")
            << "\n";
  return 0;
}

}  // namespace tessarin
