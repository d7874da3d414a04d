#pragma once
// The first member of a ZIP archive, unpacked into memory.

#include <cstdint>
#include <string>

namespace tessarin {

class ExceptionLog;

// Members larger than this are refused: no real result comes near it.
inline constexpr std::uint64_t kMaxZipMemberSize = 256ull * 1024 * 1024;

// Bytes of the first member of the archive at `path`. Empty for a missing, empty or damaged
// archive and for a file that is no ZIP archive at all (plain or gzip text); a damaged or
// oversized archive is counted as "ReadFirstZipMember - " + path + " - " + reason.
std::string ReadFirstZipMember(const std::string& path, ExceptionLog& log,
                               std::uint64_t maxSize = kMaxZipMemberSize);

}  // namespace tessarin
