#pragma once
// The file steps that rewriting a log is made of. Each step throws std::runtime_error
// ("path - error") when it fails; a test replaces them to fail or stop at any step.

#include <string>
#include <string_view>

namespace tessarin {

class LogFileOperations {
 public:
  virtual ~LogFileOperations() = default;

  // Writes all of `data` to the open descriptor.
  virtual void Write(int fd, std::string_view data, const std::string& path);
  // Forces the written bytes to the disk.
  virtual void Sync(int fd, const std::string& path);
  // Makes `copy` (which must not exist) hold the bytes of `existing`: a hard link where the
  // file system has them, otherwise a synced byte copy. `existing` is left alone.
  virtual void KeepCopy(const std::string& existing, const std::string& copy);
  // Atomic rename; replaces `to` when it exists.
  virtual void Rename(const std::string& from, const std::string& to);
  virtual void Remove(const std::string& path);

 protected:
  // link(2): 0, or the errno of the failure.
  virtual int HardLink(const std::string& existing, const std::string& copy);
};

// The real file system. Stateless, so one instance serves everybody.
LogFileOperations& SystemFileOperations();

// "path - error text" for the current errno.
[[noreturn]] void ThrowFileError(const std::string& path);

}  // namespace tessarin
