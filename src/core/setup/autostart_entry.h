#pragma once
// Whether the program starts with the user's session. The platform keeps the entry; the
// setup dialog only asks and switches.

#include <string>
#include <vector>

namespace tessarin {

class AutostartEntry {
 public:
  virtual ~AutostartEntry() = default;
  virtual bool IsOn() const = 0;
  // Starts `programPath` with `arguments` at login; false when the entry could not be
  // written.
  virtual bool SwitchOn(const std::string& programPath,
                        const std::vector<std::string>& arguments) = 0;
  // False when an existing entry could not be removed.
  virtual bool SwitchOff() = 0;
};

}  // namespace tessarin
