#include "zip_fixture.h"

#include <zip.h>

#include <stdexcept>

#include "support/temp_dir.h"

namespace tessarin::test {

void WriteZip(const std::string& path, const std::vector<ZipMember>& members) {
  int code = 0;
  zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &code);
  if (archive == nullptr) {
    throw std::runtime_error("zip_open failed");
  }
  for (const ZipMember& member : members) {
    // The buffers outlive zip_close, which is when libzip reads them.
    zip_source_t* source =
        zip_source_buffer(archive, member.content.data(), member.content.size(), 0);
    const zip_int64_t index =
        source == nullptr ? -1 : zip_file_add(archive, member.name.c_str(), source, 0);
    if (index < 0) {
      zip_source_free(source);
      zip_discard(archive);
      throw std::runtime_error("zip_file_add failed");
    }
    zip_set_file_compression(archive, static_cast<zip_uint64_t>(index),
                             member.stored ? ZIP_CM_STORE : ZIP_CM_DEFLATE, 0);
  }
  if (zip_close(archive) != 0) {
    zip_discard(archive);
    throw std::runtime_error("zip_close failed");
  }
}

std::string ZipBytes(const std::vector<ZipMember>& members) {
  const TempDir dir;
  WriteZip(dir.path() + "fixture.zip", members);
  return dir.Read("fixture.zip");
}

}  // namespace tessarin::test
