#pragma once
// The sky position that opens the science line of SETI@home and Astropulse tasks.

#include <string>

namespace tessarin {

// "(Ra: " + RA + "; Dec: " + Dec, each with 3 significant digits and 1 decimal; the caller
// closes the bracket.
std::string SkyPositionText(double ra, double dec);

}  // namespace tessarin
