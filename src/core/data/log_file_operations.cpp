#include "core/data/log_file_operations.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

#include "core/tools/file_descriptor.h"

namespace tessarin {

namespace {

// File systems without hard links (FAT, many network shares) answer with one of these.
bool LinksUnsupported(int error) {
  return error == EPERM || error == ENOTSUP || error == EOPNOTSUPP || error == ENOSYS ||
         error == EXDEV || error == EMLINK;
}

// A copy cut short by a crash is a prefix of `existing`, which is how a later upgrade
// recognises it as its own leftover.
void CopyAndSync(LogFileOperations& ops, const std::string& existing, const std::string& copy) {
  FileDescriptor in(::open(existing.c_str(), O_RDONLY | O_CLOEXEC));
  if (in.get() < 0)
    ThrowFileError(existing);
  FileDescriptor out(::open(copy.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
  if (out.get() < 0)
    ThrowFileError(copy);
  try {
    char buffer[65536];
    for (;;) {
      const ssize_t n = ::read(in.get(), buffer, sizeof buffer);
      if (n < 0) {
        if (errno == EINTR)
          continue;
        ThrowFileError(existing);
      }
      if (n == 0)
        break;
      ops.Write(out.get(), std::string_view(buffer, static_cast<std::size_t>(n)), copy);
    }
    ops.Sync(out.get(), copy);
    if (out.Close() != 0)
      ThrowFileError(copy);
  } catch (...) {
    ::unlink(copy.c_str());
    throw;
  }
}

}  // namespace

void ThrowFileError(const std::string& path) {
  throw std::runtime_error(path + " - " + std::strerror(errno));
}

void LogFileOperations::Write(int fd, std::string_view data, const std::string& path) {
  while (!data.empty()) {
    const ssize_t n = ::write(fd, data.data(), data.size());
    if (n < 0) {
      if (errno == EINTR)
        continue;
      ThrowFileError(path);
    }
    data.remove_prefix(static_cast<std::size_t>(n));
  }
}

void LogFileOperations::Sync(int fd, const std::string& path) {
  if (::fsync(fd) != 0)
    ThrowFileError(path);
}

void LogFileOperations::KeepCopy(const std::string& existing, const std::string& copy) {
  const int error = HardLink(existing, copy);
  if (error == 0)
    return;
  if (!LinksUnsupported(error)) {
    errno = error;
    ThrowFileError(copy);
  }
  CopyAndSync(*this, existing, copy);
}

int LogFileOperations::HardLink(const std::string& existing, const std::string& copy) {
  return ::link(existing.c_str(), copy.c_str()) == 0 ? 0 : errno;
}

void LogFileOperations::Rename(const std::string& from, const std::string& to) {
  if (::rename(from.c_str(), to.c_str()) != 0)
    ThrowFileError(from);
}

void LogFileOperations::Remove(const std::string& path) {
  if (::unlink(path.c_str()) != 0)
    ThrowFileError(path);
}

LogFileOperations& SystemFileOperations() {
  static LogFileOperations system;
  return system;
}

}  // namespace tessarin
