#include "platform/single_instance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

#include "core/tools/text.h"

namespace tessarin {

SingleInstance::SingleInstance(const std::string& programDir) {
  const std::string path = AddBackslash(programDir) + kLockFileName;
  // Close-on-exec: a program we start (the map viewer) must not keep holding the lock.
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOCTTY, 0644);
  if (fd < 0)
    return;
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    heldElsewhere_ = errno == EWOULDBLOCK;
    ::close(fd);
    return;
  }
  fd_ = fd;
}

SingleInstance::~SingleInstance() {
  if (fd_ >= 0)
    ::close(fd_);
}

}  // namespace tessarin
