#pragma once
// Start-up conversion of the command-line backups of an older version
// ({wu}_{n}_0_command.tess) into work-unit descriptions ({wu}.xml).

#include "core/settings/environment.h"

namespace tessarin {

// Every command backup becomes {wu}.xml (unless that exists) and is then deleted. A file
// that fails is kept, the others are still converted, and the first failure is thrown at
// the end.
void ConvertCommandLogs(const Environment& env);

}  // namespace tessarin
