#include "core/setup/setup_validation.h"

#include <filesystem>
#include <system_error>

#include "core/tools/files.h"
#include "core/tools/path_inside.h"
#include "core/tools/text.h"

namespace tessarin {

namespace {

void Tell(SetupPrompter& prompter, const char* text) {
  prompter.Ask(SetupMessage{PromptKind::Error, PromptButtons::Ok, text});
}

bool Ignored(SetupPrompter& prompter, std::string text) {
  return prompter.Ask(SetupMessage{PromptKind::Warning, PromptButtons::OkIgnore,
                                   std::move(text)}) == PromptAnswer::Ignore;
}

bool LogDirReady(const std::string& logDir, SetupPrompter& prompter) {
  if (PathExists(logDir))
    return true;
  const PromptAnswer answer = prompter.Ask(
      SetupMessage{PromptKind::Information, PromptButtons::OkCancel, setup_texts::kCreateLogDir});
  if (answer != PromptAnswer::Ok)
    return false;
  std::error_code error;
  return std::filesystem::create_directory(logDir, error) && !error;
}

enum class ClientOverlap { kNone, kUnticked, kTicked };

// Where the log directory (or the program directory) is, or lies inside, a listed client
// directory. Only a ticked one is watched, so only there would the cycle write nothing.
ClientOverlap FindClientOverlap(const SetupSettings& values, const std::string& programDir) {
  ClientOverlap found = ClientOverlap::kNone;
  for (const BoincDirEntry& entry : values.boincDirs) {
    const bool logDirInside = IsSameOrInside(values.logDir, entry.path);
    const bool programDirInside = !programDir.empty() && IsSameOrInside(programDir, entry.path);
    if (entry.checked && (logDirInside || programDirInside))
      return ClientOverlap::kTicked;
    if (logDirInside)
      found = ClientOverlap::kUnticked;
  }
  return found;
}

}  // namespace

std::string NotBoincDirText(const std::string& dir) {
  return "The specified directory \"" + dir +
         "\"\r\ndoesn\u00B4t seem to be a valid BOINC directory!";
}

bool IsBoincDir(const std::string& dir, SetupPrompter& prompter) {
  if (PathExists(AddBackslash(dir) + "client_state.xml"))
    return true;
  return Ignored(prompter, NotBoincDirText(dir));
}

bool ValidateSetup(const SetupSettings& values, SetupPrompter& prompter,
                   const std::string& programDir) {
  if (values.boincDirs.empty() && values.remotes.empty()) {
    Tell(prompter, setup_texts::kNoBoincDir);
    return false;
  }
  if (values.logDir.empty()) {
    Tell(prompter, setup_texts::kNoLogDir);
    return false;
  }
  // A relative path would be created wherever the program happens to run.
  if (values.logDir.front() != '/') {
    Tell(prompter, setup_texts::kRelativeLogDir);
    return false;
  }
  std::error_code error;
  if (std::filesystem::exists(values.logDir, error) &&
      !std::filesystem::is_directory(values.logDir, error)) {
    Tell(prompter, setup_texts::kLogDirIsFile);
    return false;
  }
  if (!LogDirReady(values.logDir, prompter))
    return false;
  switch (FindClientOverlap(values, programDir)) {
    case ClientOverlap::kTicked:
      Tell(prompter, setup_texts::kSameDirs);
      return false;
    case ClientOverlap::kUnticked:
      if (!Ignored(prompter, setup_texts::kSameDirs))
        return false;
      break;
    case ClientOverlap::kNone:
      break;
  }
  for (const BoincDirEntry& entry : values.boincDirs) {
    if (entry.checked && !IsBoincDir(entry.path, prompter))
      return false;
  }
  return true;
}

}  // namespace tessarin
