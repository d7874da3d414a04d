#include "core/data/log_file_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>
#include <utility>

namespace tessarin {

namespace {

constexpr std::size_t kBufferSize = 64 * 1024;

}  // namespace

LogFileWriter::LogFileWriter(std::string path, Mode mode, LogFileOperations& ops)
    : path_(std::move(path)), ops_(ops) {
  // A symbolic link planted in the log directory under a log's name is not followed.
  const int flags =
      O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NOFOLLOW | (mode == Mode::kAppend ? O_APPEND : O_TRUNC);
  fd_ = ::open(path_.c_str(), flags);
  if (fd_ < 0 && errno == ENOENT) {
    fd_ = ::open(path_.c_str(), flags | O_CREAT | O_EXCL, 0666);
    created_ = fd_ >= 0;
  }
  if (fd_ < 0)
    ThrowFileError(path_);
  struct stat info {};
  if (::fstat(fd_, &info) != 0) {
    ::close(fd_);
    fd_ = -1;
    ThrowFileError(path_);
  }
  wasEmpty_ = info.st_size == 0;
  buffer_.reserve(kBufferSize);
}

LogFileWriter::~LogFileWriter() {
  if (fd_ < 0)
    return;
  try {
    Flush();
  } catch (const std::exception&) {
    // Only error paths get here; the first error has been reported already.
  }
  ::close(fd_);
}

void LogFileWriter::Write(std::string_view text) {
  if (buffer_.size() + text.size() > kBufferSize)
    Flush();
  if (text.size() >= kBufferSize) {
    WriteWhole(text);
    return;
  }
  buffer_ += text;
}

void LogFileWriter::Flush() {
  if (buffer_.empty())
    return;
  // Taken out first: a failed write is never retried into a duplicate.
  std::string pending;
  pending.swap(buffer_);
  WriteWhole(pending);
  pending.clear();
  buffer_.swap(pending);
}

void LogFileWriter::WriteWhole(std::string_view text) {
  struct stat before {};
  const bool sized = ::fstat(fd_, &before) == 0;
  try {
    ops_.Write(fd_, text, path_);
  } catch (const std::exception&) {
    // A write that stopped part-way (disk full, file size limit) would leave half a row that
    // the next row continues; cut the file back to what it held before.
    if (sized && ::ftruncate(fd_, before.st_size) != 0) {
      // Nothing more can be done; the error below is reported all the same.
    }
    // A log this writer created and could not fill is not left empty: an empty log at the
    // next start would be taken for an old one and renamed.
    if (created_ && sized && before.st_size == 0)
      ::unlink(path_.c_str());
    throw;
  }
}

void LogFileWriter::Close(bool sync) {
  if (fd_ < 0)
    return;
  Flush();
  if (sync)
    ops_.Sync(fd_, path_);
  const int fd = std::exchange(fd_, -1);
  if (::close(fd) != 0)
    ThrowFileError(path_);
}

}  // namespace tessarin
