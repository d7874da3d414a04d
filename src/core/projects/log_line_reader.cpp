#include "core/projects/log_line_reader.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

#include "core/data/log_file_operations.h"

namespace tessarin {

LogLineReader::LogLineReader(std::string path, std::size_t bufferSize)
    : path_(std::move(path)), buffer_(std::max<std::size_t>(bufferSize, 1), '\0') {
  fd_ = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
  if (fd_ < 0)
    ThrowFileError(path_);
}

LogLineReader::~LogLineReader() {
  if (fd_ >= 0)
    ::close(fd_);
}

bool LogLineReader::Fill() {
  for (;;) {
    const ssize_t n = ::read(fd_, buffer_.data(), buffer_.size());
    if (n < 0) {
      if (errno == EINTR)
        continue;
      ThrowFileError(path_);
    }
    begin_ = 0;
    end_ = static_cast<std::size_t>(n);
    return n > 0;
  }
}

void LogLineReader::Append(std::string& line, const char* data, std::size_t size) const {
  const std::size_t room = kMaxLineLength - std::min(line.size(), kMaxLineLength);
  line.append(data, std::min(size, room));
}

bool LogLineReader::ReadLine(std::string& line) {
  line.clear();
  bool any = false;
  for (;;) {
    if (begin_ == end_ && !Fill())
      break;
    any = true;
    const char* start = buffer_.data() + begin_;
    const std::size_t available = end_ - begin_;
    const void* lf = std::memchr(start, '\n', available);
    if (lf == nullptr) {
      Append(line, start, available);
      begin_ = end_;
      continue;
    }
    const std::size_t length = static_cast<std::size_t>(static_cast<const char*>(lf) - start);
    Append(line, start, length);
    begin_ += length + 1;
    if (!line.empty() && line.back() == '\r')
      line.pop_back();
    return true;
  }
  if (!line.empty() && line.back() == '\r')
    line.pop_back();
  return any;
}

}  // namespace tessarin
