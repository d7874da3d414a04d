#pragma once
// What --version of both programs prints: name, versions, copyright and licence.

#include <string>

namespace tessarin {

// "Tessarin 1.52 (1.5.2.390)", the copyright line and the licence, one per line.
std::string VersionText();

}  // namespace tessarin
