#pragma once
// A remote client as entered with "Add remote…": host, port, and the password typed or read
// from a file.

#include <string>

#include "core/setup/setup_settings.h"

namespace tessarin {

struct RemoteChoice {
  std::string host;
  int port = 31416;
  bool passwordFromFile = false;
  std::string password;      // typed; used when not from a file
  std::string passwordFile;  // used when from a file
};

// What is wrong with the choice, as the dialog says it; empty when it can be added.
std::string RemoteChoiceProblem(const RemoteChoice& choice);

// Adds the client (checked), or replaces the one of the same address; a typed password waits
// in `values` for the save.
void AddRemoteClient(SetupSettings& values, const RemoteChoice& choice);

}  // namespace tessarin
