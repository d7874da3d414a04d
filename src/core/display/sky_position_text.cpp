#include "core/display/sky_position_text.h"

#include "core/tools/number_format.h"

namespace tessarin {

std::string SkyPositionText(double ra, double dec) {
  return "(Ra: " + Fixed(ra, 3, 1) + "; Dec: " + Fixed(dec, 3, 1);
}

}  // namespace tessarin
