#include "init_command.h"

#include <filesystem>
#include <iostream>

#include "core/program/program.h"
#include "core/tools/path_inside.h"
#include "core/tools/text.h"
#include "core/watcher/environment.h"
#include "core/watcher/settings_keys.h"
#include "core/watcher/settings_store.h"

namespace tessarin {

namespace fs = std::filesystem;

namespace {

std::string AbsoluteDir(const std::string& dir) {
  std::error_code ignored;
  const fs::path absolute = fs::absolute(dir, ignored);
  return AddBackslash(absolute.lexically_normal().string());
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
  try {
    fs::create_directories(programDir);
    fs::remove(path);
    SettingsStore settings(path);
    settings.Write(settings::kTimer, settings::kTimer.defaultValue);
    settings.Write(settings::kMaxBackupMb, settings::kMaxBackupMb.defaultValue);
    if (!options.logDir.empty())
      settings.Write(settings::kLogDir, AbsoluteDir(options.logDir));
    for (const std::string& client : options.clients) {
      settings.WriteBool(sections::kBoincDirs, EscapeIniText(AbsoluteDir(client)), true);
    }
    settings.UpdateFile();
    // Logging into a missing directory would fail every cycle: make it now, as the setup
    // dialog does on OK.
    fs::create_directories(ResolveLogDir(settings, AddBackslash(programDir)));
  } catch (const std::exception& error) {
    std::cerr << "tessarin-cli: cannot write " << path << ": " << error.what() << "\n";
    return 2;
  }
  std::cout << "Wrote " << path << " watching " << options.clients.size() << " client"
            << (options.clients.size() == 1 ? "" : "s") << "\n";
  return 0;
}

}  // namespace tessarin
