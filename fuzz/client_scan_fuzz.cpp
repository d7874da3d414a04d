// One whole client scan of the real program over a client directory made from the input:
// client_state.xml first, then slot and project files ("@@file slots/0/state.sah" ...). A
// second cycle sees the same state with every task gone, so vanished tasks are logged from
// their backups. The client directory must be left as it was, and nothing may be written
// outside the program directory or in a subdirectory of the log directory.
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

#include "core/program/program.h"
#include "core/settings/settings_keys.h"
#include "core/tools/text.h"
#include "core/watcher/program_launcher.h"
#include "fuzz_support.h"

using namespace tessarin;
namespace fs = std::filesystem;

namespace {

class NoLauncher final : public ProgramLauncher {
 public:
  bool Exists(const std::string&) const override { return false; }
  bool StartDetached(const std::string&, const std::vector<std::string>&) override { return false; }
};

// Relative path -> size and content of every entry below `dir`.
std::map<std::string, std::string> Snapshot(const std::string& dir) {
  std::map<std::string, std::string> entries;
  for (const auto& entry : fs::recursive_directory_iterator(dir)) {
    const std::string relative = fs::relative(entry.path(), dir).string();
    if (entry.is_symlink() || !entry.is_regular_file()) {
      entries[relative] = entry.is_directory() ? "<dir>" : "<other>";
      continue;
    }
    std::FILE* file = std::fopen(entry.path().c_str(), "rb");
    std::string content;
    char buffer[4096];
    std::size_t got = 0;
    while (file != nullptr && (got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
      content.append(buffer, got);
    if (file != nullptr)
      std::fclose(file);
    entries[relative] = content;
  }
  return entries;
}

void CheckProgramDir(const std::string& programDir) {
  for (const auto& entry : fs::directory_iterator(programDir)) {
    const std::string name = entry.path().filename().string();
    if (name == "logs") {
      for (const auto& logEntry : fs::directory_iterator(entry.path())) {
        if (logEntry.is_directory() || logEntry.is_symlink())
          std::abort();
      }
    } else if (name.rfind("Tessarin.ini", 0) != 0) {
      std::abort();
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string scratch = fuzz::ScratchDir();
  static const std::string programDir = scratch + "program/";
  static const std::string clientDir = scratch + "client/";
  static fuzz::FixedClock clock;
  static SilentSoundDevice sound;
  static NoLauncher launcher;

  const fuzz::FuzzFiles files = fuzz::SplitFuzzInput(fuzz::AsText(data, size));
  fuzz::ResetDir(programDir);
  fuzz::ResetDir(programDir + "logs/");
  fuzz::ResetDir(clientDir);
  fuzz::WriteFile(clientDir + "client_state.xml", files.main);
  for (const fuzz::FuzzFile& file : files.files) {
    std::error_code ignored;
    if (!fs::is_directory(clientDir + file.name, ignored))
      fuzz::WriteFile(clientDir + file.name, file.content);
  }
  const auto clientBefore = Snapshot(clientDir);

  Program program(programDir, clock, sound, launcher);
  SettingsStore& settings = program.settings();
  settings.WriteBool(sections::kBoincDirs, EscapeIniText(clientDir), true);
  // Every backup kind on or off by the input's length, so both ways are covered.
  settings.Write(settings::kBackupWU, (size & 1) != 0);
  settings.Write(settings::kBackupResult, (size & 2) != 0);
  settings.Write(settings::kBackupState, (size & 4) != 0);

  program.cycle().WatchClients();
  std::string vanished = files.main;
  for (std::size_t at = vanished.find("<active_task>"); at != std::string::npos;
       at = vanished.find("<active_task>", at))
    vanished.replace(at, 13, "<ended_task>");
  fuzz::WriteFile(clientDir + "client_state.xml", vanished);
  program.cycle().WatchClients();
  fuzz::WriteFile(clientDir + "client_state.xml", files.main);

  if (Snapshot(clientDir) != clientBefore)
    std::abort();
  CheckProgramDir(programDir);
  for (const auto& entry : fs::directory_iterator(scratch)) {
    const std::string name = entry.path().filename().string();
    if (name != "program" && name != "client")
      std::abort();
  }
  return 0;
}
