#pragma once
// One running Tessarin per program directory: an exclusive flock on a lock file there, which
// the holder fills with its process id. The lock ends with the object or with the process,
// also when it crashes.

#include <string>

namespace tessarin {

inline constexpr const char* kLockFileName = "Tessarin.lock";

class SingleInstance {
 public:
  // Tries once, without waiting, to lock programDir + "Tessarin.lock" (created if missing).
  explicit SingleInstance(const std::string& programDir);
  ~SingleInstance();
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;

  bool Acquired() const { return fd_ >= 0; }
  // True only when another process holds the lock: the start then ends silently. A lock file
  // that cannot be created is no reason to refuse to run.
  bool AnotherInstanceRuns() const { return heldElsewhere_; }
  // The process holding the lock, as it wrote itself into the lock file; 0 when unknown.
  long HolderPid() const { return holderPid_; }

 private:
  int fd_ = -1;
  bool heldElsewhere_ = false;
  long holderPid_ = 0;
};

}  // namespace tessarin
