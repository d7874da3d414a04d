#pragma once
// A date serial in the user's short date format (the climate model's date in a cell).

#include <string>

namespace tessarin {

// Empty for a serial outside the years 1 to 9999.
std::string UserShortDate(double serial);

}  // namespace tessarin
