#pragma once
// Starting another program (the map viewer) without waiting for it. The platform layer
// provides the real one; tests record the calls.

#include <string>
#include <vector>

namespace tessarin {

class ProgramLauncher {
 public:
  virtual ~ProgramLauncher() = default;
  // True when a file of that name exists.
  virtual bool Exists(const std::string& path) const = 0;
  // Starts `path` with `args`, detached and without a window; false when it could not start.
  virtual bool StartDetached(const std::string& path, const std::vector<std::string>& args) = 0;
};

}  // namespace tessarin
