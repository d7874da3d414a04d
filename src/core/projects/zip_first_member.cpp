#include "core/projects/zip_first_member.h"

#include <zip.h>

#include <fstream>
#include <memory>

#include "core/settings/exception_log.h"
#include "core/tools/files.h"

namespace tessarin {

namespace {

struct ArchiveCloser {
  void operator()(zip_t* archive) const { zip_discard(archive); }
};
struct MemberCloser {
  void operator()(zip_file_t* member) const { zip_fclose(member); }
};

std::string OpenError(int code) {
  zip_error_t error;
  zip_error_init_with_code(&error, code);
  std::string text = zip_error_strerror(&error);
  zip_error_fini(&error);
  return text;
}

// Every ZIP archive starts with a "PK" record; today's applications write plain or gzip text.
bool LooksLikeZip(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  char magic[2] = {};
  return file.read(magic, sizeof magic) && magic[0] == 'P' && magic[1] == 'K';
}

}  // namespace

std::string ReadFirstZipMember(const std::string& path, ExceptionLog& log, std::uint64_t maxSize) {
  // A missing or empty backup, or output that is no archive, holds no candidates; neither is
  // a damaged archive.
  if (FileSizeOf(path) == 0 || !LooksLikeZip(path)) {
    return {};
  }
  const auto refuse = [&](const std::string& reason) {
    log.LogException("ReadFirstZipMember - " + path + " - " + reason);
    return std::string();
  };
  int code = 0;
  std::unique_ptr<zip_t, ArchiveCloser> archive(zip_open(path.c_str(), ZIP_RDONLY, &code));
  if (!archive) {
    return refuse(OpenError(code));
  }
  if (zip_get_num_entries(archive.get(), 0) < 1) {
    return {};
  }
  zip_stat_t stat;
  zip_stat_init(&stat);
  if (zip_stat_index(archive.get(), 0, 0, &stat) == 0 && (stat.valid & ZIP_STAT_SIZE) != 0 &&
      stat.size > maxSize) {
    return refuse("Member too large");
  }
  std::unique_ptr<zip_file_t, MemberCloser> member(zip_fopen_index(archive.get(), 0, 0));
  if (!member) {
    return refuse(zip_strerror(archive.get()));
  }
  // The stated size is not trusted: reading stops at the limit whatever the header says.
  std::string content;
  char buffer[65536];
  for (;;) {
    const zip_int64_t got = zip_fread(member.get(), buffer, sizeof buffer);
    if (got < 0) {
      return refuse(zip_file_strerror(member.get()));
    }
    if (got == 0) {
      break;
    }
    if (content.size() + static_cast<std::uint64_t>(got) > maxSize) {
      return refuse("Member too large");
    }
    content.append(buffer, static_cast<std::size_t>(got));
  }
  return content;
}

}  // namespace tessarin
