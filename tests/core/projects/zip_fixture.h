#pragma once
// ZIP archives made in a test with libzip.

#include <string>
#include <utility>
#include <vector>

namespace tessarin::test {

struct ZipMember {
  std::string name;
  std::string content;
  bool stored = false;  // deflated unless set
};

// Writes an archive holding `members` in order to `path`; throws when libzip fails.
void WriteZip(const std::string& path, const std::vector<ZipMember>& members);

// The bytes of such an archive.
std::string ZipBytes(const std::vector<ZipMember>& members);

}  // namespace tessarin::test
