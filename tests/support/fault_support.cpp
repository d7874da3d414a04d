#include "support/fault_support.h"

#include <fcntl.h>
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cstring>

namespace tessarin::test {

FileSizeLimit::FileSizeLimit(std::uint64_t bytes) {
  struct sigaction ignore {};
  ignore.sa_handler = SIG_IGN;
  ::sigaction(SIGXFSZ, &ignore, &savedAction_);
  ::getrlimit(RLIMIT_FSIZE, &saved_);
  rlimit limit = saved_;
  limit.rlim_cur = static_cast<rlim_t>(bytes);
  ::setrlimit(RLIMIT_FSIZE, &limit);
}

FileSizeLimit::~FileSizeLimit() {
  ::setrlimit(RLIMIT_FSIZE, &saved_);
  ::sigaction(SIGXFSZ, &savedAction_, nullptr);
}

namespace {

__user_cap_header_struct CapHeader() {
  __user_cap_header_struct header{};
  header.version = _LINUX_CAPABILITY_VERSION_3;
  header.pid = 0;  // this thread
  return header;
}

}  // namespace

PermissionsEnforced::PermissionsEnforced() {
  if (::geteuid() != 0)
    return;
  __user_cap_header_struct header = CapHeader();
  __user_cap_data_struct data[2] = {};
  if (::syscall(SYS_capget, &header, data) != 0)
    return;
  std::memcpy(saved_, data, sizeof data);
  data[0].effective &= ~(1u << CAP_DAC_OVERRIDE);
  dropped_ = ::syscall(SYS_capset, &header, data) == 0;
}

PermissionsEnforced::~PermissionsEnforced() {
  if (!dropped_)
    return;
  __user_cap_header_struct header = CapHeader();
  __user_cap_data_struct data[2] = {};
  std::memcpy(data, saved_, sizeof data);
  ::syscall(SYS_capset, &header, data);
}

bool PermissionsEnforced::Works(const std::string& readOnlyFile) const {
  const int fd = ::open(readOnlyFile.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
  if (fd < 0)
    return true;
  ::close(fd);
  return false;
}

std::vector<std::string> LogLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (true) {
    const std::size_t end = text.find("\r\n", start);
    lines.push_back(text.substr(start, end == std::string::npos ? end : end - start));
    if (end == std::string::npos)
      break;
    start = end + 2;
  }
  return lines;
}

int Occurrences(const std::string& text, const std::string& part) {
  int count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
    ++count;
  return count;
}

int ExceptionsStartingWith(const std::vector<std::string>& keys, const std::string& prefix) {
  int count = 0;
  for (const std::string& key : keys) {
    const std::size_t dash = key.find(" - ");
    if (dash != std::string::npos && key.compare(dash + 3, prefix.size(), prefix) == 0)
      ++count;
  }
  return count;
}

}  // namespace tessarin::test
