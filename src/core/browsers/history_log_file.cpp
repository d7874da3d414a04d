#include "core/browsers/history_log_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace tessarin {

namespace {

[[noreturn]] void ThrowSystemError(const std::string& path, int error) {
  throw std::runtime_error(path + " - " + std::strerror(error));
}

}  // namespace

HistoryLogFile::HistoryLogFile(const std::string& path) : path_(path) {
  // Non-blocking, so a FIFO in place of the log cannot stall the opening.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    if (errno == ENOENT || errno == ENOTDIR)
      return;
    ThrowSystemError(path, errno);
  }
  struct stat info {};
  const int error = ::fstat(fd, &info) != 0 ? errno : S_ISREG(info.st_mode) ? 0 : EISDIR;
  if (error != 0) {
    ::close(fd);
    ThrowSystemError(path, error);
  }
  fd_ = fd;
  size_ = static_cast<std::size_t>(info.st_size);
}

HistoryLogFile::~HistoryLogFile() {
  if (fd_ >= 0)
    ::close(fd_);
}

std::size_t HistoryLogFile::ReadAt(std::size_t offset, char* out, std::size_t length) const {
  std::size_t done = 0;
  while (fd_ >= 0 && done < length) {
    const ssize_t got = ::pread(fd_, out + done, length - done, static_cast<off_t>(offset + done));
    if (got < 0) {
      if (errno == EINTR)
        continue;
      ThrowSystemError(path_, errno);
    }
    if (got == 0)
      break;
    done += static_cast<std::size_t>(got);
  }
  return done;
}

}  // namespace tessarin
