#pragma once
// Start-up creation of einstein_boinc.csv from the Einstein@Home rows of boinc.csv.

#include "core/settings/environment.h"

namespace tessarin {

// Runs only when einstein_boinc.csv is missing and boinc.csv holds something.
void BuildEinsteinLog(const Environment& env);

}  // namespace tessarin
