// ConvertPot over any text: always two upper-case hex digits per item.
#include <cstdlib>
#include <string>

#include "core/projects/sah_logger.h"
#include "fuzz_support.h"

using namespace tessarin;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static fuzz::FuzzEnvironment* environment = new fuzz::FuzzEnvironment();
  const std::string hex = ConvertPot(fuzz::AsText(data, size), environment->exceptions);
  if (hex.size() < 2 || hex.size() % 2 != 0)
    std::abort();
  for (char c : hex) {
    if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F')))
      std::abort();
  }
  return 0;
}
