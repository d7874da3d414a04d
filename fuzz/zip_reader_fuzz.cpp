// ReadFirstZipMember over any bytes as an archive file.
#include <cstdlib>
#include <string>

#include "core/projects/zip_first_member.h"
#include "fuzz_support.h"

using namespace tessarin;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static fuzz::FuzzEnvironment* environment = new fuzz::FuzzEnvironment();
  // A small limit, so a bomb that claims or unpacks to more is refused quickly.
  constexpr std::uint64_t kLimit = 1 << 20;
  const std::string path = environment->env.logDir + "result_0.tess";
  fuzz::WriteFile(path, fuzz::AsText(data, size));
  const std::string member = ReadFirstZipMember(path, environment->exceptions, kLimit);
  if (member.size() > kLimit)
    std::abort();
  return 0;
}
