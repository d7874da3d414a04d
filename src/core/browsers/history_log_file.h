#pragma once
// A log opened for reading by position only, so several threads can read parts of it at once.
// Its size is the one it had when opened: a logger may append meanwhile.

#include <cstddef>
#include <string>

namespace tessarin {

class HistoryLogFile {
 public:
  // A missing file reads as an empty one that does not exist; other failures to open throw
  // std::runtime_error with the path and the system's message.
  explicit HistoryLogFile(const std::string& path);
  ~HistoryLogFile();
  HistoryLogFile(const HistoryLogFile&) = delete;
  HistoryLogFile& operator=(const HistoryLogFile&) = delete;

  bool Exists() const { return fd_ >= 0; }
  std::size_t Size() const { return size_; }

  // Up to `length` bytes from `offset` into `out`; fewer only where the file ends. A read error
  // throws std::runtime_error.
  std::size_t ReadAt(std::size_t offset, char* out, std::size_t length) const;

 private:
  std::string path_;
  int fd_ = -1;
  std::size_t size_ = 0;
};

}  // namespace tessarin
