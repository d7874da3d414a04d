#pragma once
// Starts a program detached (its own session, stdin/stdout on /dev/null), without waiting.

#include "core/watcher/program_launcher.h"

namespace tessarin {

class PosixProgramLauncher final : public ProgramLauncher {
 public:
  bool Exists(const std::string& path) const override;
  bool StartDetached(const std::string& path, const std::vector<std::string>& args) override;
};

}  // namespace tessarin
