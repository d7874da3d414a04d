#include "core/browsers/history_line_reader.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace tessarin {

namespace {

constexpr std::size_t kChunk = std::size_t{1} << 20;

[[noreturn]] void ThrowSystemError(const std::string& path, int error) {
  throw std::runtime_error(path + " - " + std::strerror(error));
}

}  // namespace

HistoryLineReader::HistoryLineReader(const std::string& path) : path_(path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) {
    if (errno == ENOENT || errno == ENOTDIR)
      return;
    ThrowSystemError(path, errno);
  }
  file_.reset(file);
  struct stat info {};
  if (fstat(fileno(file), &info) != 0)
    ThrowSystemError(path, errno);
  if (!S_ISREG(info.st_mode))
    ThrowSystemError(path, EISDIR);
  size_ = static_cast<std::size_t>(info.st_size);
}

bool HistoryLineReader::Fill() {
  if (consumed_ >= size_)
    return false;
  if (begin_ > 0) {
    std::copy(buffer_.begin() + static_cast<std::ptrdiff_t>(begin_),
              buffer_.begin() + static_cast<std::ptrdiff_t>(end_), buffer_.begin());
    end_ -= begin_;
    begin_ = 0;
  }
  if (buffer_.size() - end_ < kChunk)
    buffer_.resize(end_ + kChunk);
  const std::size_t wanted = std::min(kChunk, size_ - consumed_);
  const std::size_t got = std::fread(buffer_.data() + end_, 1, wanted, file_.get());
  if (got < wanted && std::ferror(file_.get()))
    ThrowSystemError(path_, errno);
  // A file cut shorter meanwhile simply ends early.
  if (got == 0)
    size_ = consumed_;
  consumed_ += got;
  end_ += got;
  return got > 0;
}

bool HistoryLineReader::LastLineComplete() {
  const int next = std::fgetc(file_.get());
  return next == EOF || next == '\r' || next == '\n';
}

bool HistoryLineReader::NextLine(std::string& line) {
  if (!file_)
    return false;
  std::size_t searched = begin_;
  for (;;) {
    const char* lineFeed = end_ > searched ? static_cast<const char*>(std::memchr(
                                                 buffer_.data() + searched, '\n', end_ - searched))
                                           : nullptr;
    if (lineFeed != nullptr) {
      const auto stop = static_cast<std::size_t>(lineFeed - buffer_.data());
      line.assign(buffer_.data() + begin_, stop - begin_);
      begin_ = stop + 1;
      break;
    }
    // Fill moves the unread rest to the front, so what was searched is its length.
    searched = end_ - begin_;
    if (!Fill()) {
      if (begin_ == end_ || !LastLineComplete()) {
        begin_ = end_;
        return false;
      }
      line.assign(buffer_.data() + begin_, end_ - begin_);
      begin_ = end_;
      break;
    }
  }
  if (!line.empty() && line.back() == '\r')
    line.pop_back();
  return true;
}

}  // namespace tessarin
