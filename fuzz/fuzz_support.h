#pragma once
// What the fuzz targets share: a scratch directory of their own, a program environment
// without a clock or sound of the machine, and the split of one input into several files.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/settings/environment.h"
#include "core/settings/exception_log.h"
#include "core/settings/settings_store.h"
#include "core/tools/date_time.h"
#include "core/tools/sound.h"

namespace tessarin::fuzz {

std::string_view AsText(const std::uint8_t* data, std::size_t size);

// A directory under the temp folder for this process, removed at exit; with a trailing '/'.
const std::string& ScratchDir();
// Empties `dir` (a path below ScratchDir()) and creates it again.
void ResetDir(const std::string& dir);
void WriteFile(const std::string& path, std::string_view content);

class FixedClock final : public Clock {
 public:
  double Now() const override { return 1'700'000'000.0; }
};

// Program directory and log directory below ScratchDir(), emptied for every input.
struct FuzzEnvironment {
  FuzzEnvironment();

  std::string programDir;
  SettingsStore settings;
  ExceptionLog exceptions;
  FixedClock clock;
  SilentSoundDevice sound;
  Environment env;
};

// One input as a set of files: the text before the first marker line is the main file; each
// "\n@@file NAME\n" starts the file NAME. Names that are not plain relative paths (letters,
// digits, '.', '-', '_' and '/' between non-empty components other than "." and "..") are
// dropped with their content, so an input can never write outside the scratch directory.
struct FuzzFile {
  std::string name;
  std::string content;
};
struct FuzzFiles {
  std::string main;
  std::vector<FuzzFile> files;
};
FuzzFiles SplitFuzzInput(std::string_view input);
bool IsPlainRelativePath(std::string_view name);

}  // namespace tessarin::fuzz
