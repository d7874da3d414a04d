#pragma once
// Ways to make the log directory fail the way disks and other users make it fail, each undone
// when it goes out of scope.

#include <sys/resource.h>

#include <csignal>
#include <cstdint>
#include <string>
#include <vector>

namespace tessarin::test {

// Files may not grow past `bytes` (RLIMIT_FSIZE); writes beyond fail with EFBIG instead of
// killing the process, as on a full disk.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(std::uint64_t bytes);
  ~FileSizeLimit();
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit saved_{};
  struct sigaction savedAction_ {};
};

// Takes away this thread's power to ignore file permissions (root's CAP_DAC_OVERRIDE), so a
// read-only file stops root too. Works() tells whether a write to a read-only file now fails.
class PermissionsEnforced {
 public:
  PermissionsEnforced();
  ~PermissionsEnforced();
  PermissionsEnforced(const PermissionsEnforced&) = delete;
  PermissionsEnforced& operator=(const PermissionsEnforced&) = delete;

  bool Works(const std::string& readOnlyFile) const;

 private:
  bool dropped_ = false;
  std::uint32_t saved_[6] = {};
};

// Lines of a log split at CRLF.
std::vector<std::string> LogLines(const std::string& text);
// How often `part` occurs in `text`.
int Occurrences(const std::string& text, const std::string& part);
// How many distinct exception messages start with `prefix` (version prefix omitted).
int ExceptionsStartingWith(const std::vector<std::string>& keys, const std::string& prefix);

}  // namespace tessarin::test
