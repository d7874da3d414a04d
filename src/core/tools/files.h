#pragma once
// Whole-file reads and writes, copies, sizes and times. Client files are only ever opened
// read-only.

#include <cstdint>
#include <string>
#include <vector>

namespace tessarin {

class ExceptionCounter;

// Whole file; empty when missing, empty or unreadable. Read errors are counted as
// "FileAsString - " + path + " - " + error. Reads at most the size seen first.
std::string FileAsString(const std::string& path, ExceptionCounter& log);

// Creates or truncates and writes `content`; the file gets mode 0600, whatever the umask. Errors
// are counted as "StringToFile - " + path + " - " + error; a partly written file stays.
void StringToFile(const std::string& content, const std::string& path, ExceptionCounter& log);

// Copies all bytes in 2048-byte blocks; creates or truncates the destination (mode 0600).
// Throws std::runtime_error (or std::system_error) on failure: callers catch.
void CopyFileData(const std::string& source, const std::string& destination);

// Copies what `source` (an open descriptor, named `sourceName` in errors) reads into
// `destination`, as CopyFileData. More than `maxBytes` bytes stops the copy: the destination
// is removed and the result is false. Throws as CopyFileData.
bool CopyDescriptorData(int source, const std::string& sourceName, const std::string& destination,
                        std::uint64_t maxBytes);

// True for an existing file or directory.
bool PathExists(const std::string& path);

// Low 32 bits of the size; 0 when missing.
std::uint32_t FileSizeOf(const std::string& path);

// Last-write time in nanoseconds since the Unix epoch; 0 when missing.
std::int64_t FileTimeOf(const std::string& path);

// Names (not paths) of the regular files in `directory` matching a '*'/'?' pattern.
std::vector<std::string> ListFiles(const std::string& directory, const std::string& pattern);

}  // namespace tessarin
