#include "platform/single_instance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>

#include "core/tools/text.h"

namespace tessarin {

namespace {

long ReadPid(int fd) {
  char text[32] = {};
  const ssize_t got = ::pread(fd, text, sizeof text - 1, 0);
  if (got <= 0)
    return 0;
  return std::strtol(text, nullptr, 10);
}

}  // namespace

SingleInstance::SingleInstance(const std::string& programDir) {
  const std::string path = AddBackslash(programDir) + kLockFileName;
  // Close-on-exec: a program we start (the map viewer) must not keep holding the lock.
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOCTTY, 0644);
  if (fd < 0)
    return;
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    heldElsewhere_ = errno == EWOULDBLOCK;
    if (heldElsewhere_)
      holderPid_ = ReadPid(fd);
    ::close(fd);
    return;
  }
  fd_ = fd;
  // Only the id, for the message of a second watcher; a failure here changes nothing.
  const std::string pid = std::to_string(::getpid()) + "\n";
  if (::ftruncate(fd, 0) != 0 || ::pwrite(fd, pid.data(), pid.size(), 0) < 0) {
    holderPid_ = 0;
  }
}

SingleInstance::~SingleInstance() {
  if (fd_ >= 0)
    ::close(fd_);
}

}  // namespace tessarin
