#include "core/data/result_name_index.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <functional>
#include <stdexcept>
#include <string_view>

#include "core/tools/csv.h"

namespace tessarin {

namespace {

constexpr std::size_t kChunk = 1 << 20;

std::uint64_t HashName(std::string_view name) {
  return std::hash<std::string_view>{}(name);
}

std::string_view WithoutLineBreak(std::string_view line) {
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
    line.remove_suffix(1);
  return line;
}

int ResultNameColumn(std::string_view headerLine) {
  const std::string_view line = WithoutLineBreak(headerLine);
  const FieldArray fields = SplitCsvLine(line, DetectSeparator(line), true);
  for (int k = 1; k <= kMaxCsvFields; ++k) {
    if (fields[k] == "result_name")
      return k;
  }
  return 0;
}

[[noreturn]] void ThrowFileError(const std::string& path, int error) {
  throw std::runtime_error(path + " - " + std::strerror(error));
}

}  // namespace

class ResultNameIndex::OpenFile {
 public:
  explicit OpenFile(const std::string& path) : path_(path) {
    // Non-blocking, so a FIFO in place of the log cannot stall the cycle; a link planted
    // under the log's name is not read, as it is not written.
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW);
    if (fd_ < 0)
      ThrowFileError(path, errno);
    struct stat info {};
    if (::fstat(fd_, &info) != 0) {
      const int error = errno;
      ::close(fd_);
      ThrowFileError(path, error);
    }
    if (!S_ISREG(info.st_mode)) {
      ::close(fd_);
      ThrowFileError(path, S_ISDIR(info.st_mode) ? EISDIR : EINVAL);
    }
    device = static_cast<std::uint64_t>(info.st_dev);
    inode = static_cast<std::uint64_t>(info.st_ino);
    size = static_cast<std::uint64_t>(info.st_size);
    modified = static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
  }
  ~OpenFile() { ::close(fd_); }
  OpenFile(const OpenFile&) = delete;
  OpenFile& operator=(const OpenFile&) = delete;

  // Up to `length` bytes from `offset`; fewer at the end of the file.
  std::string Read(std::uint64_t offset, std::size_t length) const {
    std::string bytes(length, '\0');
    std::size_t done = 0;
    while (done < length) {
      const ssize_t got =
          ::pread(fd_, bytes.data() + done, length - done, static_cast<off_t>(offset + done));
      if (got < 0) {
        if (errno == EINTR)
          continue;
        ThrowFileError(path_, errno);
      }
      if (got == 0)
        break;
      done += static_cast<std::size_t>(got);
    }
    bytes.resize(done);
    return bytes;
  }

  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  std::uint64_t size = 0;
  std::int64_t modified = 0;

 private:
  const std::string& path_;
  int fd_ = -1;
};

ResultNameIndex::Answer ResultNameIndex::Find(const std::string& path, const std::string& name) {
  const OpenFile file(path);
  if (path != path_ || !StillValid(file)) {
    Reset(path);
    device_ = file.device;
    inode_ = file.inode;
  }
  if (file.size != size_ || file.modified != modified_)
    ReadAppended(file);

  const int column = haveHeader_ ? column_ : ResultNameColumn(tailLine_);
  if (column == 0)
    return Answer::kNoColumn;
  if (!haveHeader_)
    return Answer::kNotFound;

  const auto [first, last] = rows_.equal_range(HashName(name));
  for (auto row = first; row != last; ++row) {
    if (FieldAt(file, row->second) == name)
      return Answer::kFound;
  }
  if (haveTail_ && CsvField(WithoutLineBreak(tailLine_), column_) == name)
    return Answer::kFound;
  return Answer::kNotFound;
}

void ResultNameIndex::Reset(const std::string& path) {
  *this = ResultNameIndex();
  path_ = path;
}

bool ResultNameIndex::StillValid(const OpenFile& file) const {
  if (file.device != device_ || file.inode != inode_)
    return false;
  if (file.size < size_ || file.size < indexedEnd_)
    return false;
  if (haveHeader_ && file.Read(0, header_.size()) != header_)
    return false;
  if (lastLineStart_ > 0 && file.Read(lastLineStart_, lastLine_.size()) != lastLine_) {
    return false;
  }
  return true;
}

void ResultNameIndex::ReadAppended(const OpenFile& file) {
  std::string pending;  // bytes of the line in progress
  std::uint64_t pendingStart = indexedEnd_;
  for (std::uint64_t offset = indexedEnd_; offset < file.size;) {
    const std::string chunk = file.Read(
        offset, static_cast<std::size_t>(std::min<std::uint64_t>(kChunk, file.size - offset)));
    if (chunk.empty())
      break;
    std::size_t begin = 0;
    for (std::size_t lineBreak = chunk.find('\n'); lineBreak != std::string::npos;
         lineBreak = chunk.find('\n', begin)) {
      const std::string_view piece(chunk.data() + begin, lineBreak + 1 - begin);
      if (pending.empty()) {
        TakeLine(piece, pendingStart);
      } else {
        pending.append(piece);
        TakeLine(pending, pendingStart);
        pending.clear();
      }
      pendingStart = offset + lineBreak + 1;
      begin = lineBreak + 1;
    }
    pending.append(chunk, begin, std::string::npos);
    offset += chunk.size();
  }
  indexedEnd_ = pendingStart;
  tailLine_ = std::move(pending);
  haveTail_ = !tailLine_.empty();
  size_ = file.size;
  modified_ = file.modified;
}

void ResultNameIndex::TakeLine(std::string_view line, std::uint64_t offset) {
  if (!haveHeader_) {
    header_ = line;
    haveHeader_ = true;
    column_ = ResultNameColumn(line);
  } else if (column_ > 0) {
    rows_.emplace(HashName(CsvField(WithoutLineBreak(line), column_)), offset);
  }
  lastLineStart_ = offset;
  lastLine_ = line;
}

std::string ResultNameIndex::FieldAt(const OpenFile& file, std::uint64_t offset) const {
  std::string line;
  for (std::uint64_t at = offset;;) {
    const std::string chunk = file.Read(at, 4096);
    const std::size_t lineBreak = chunk.find('\n');
    line.append(chunk, 0, lineBreak);
    if (lineBreak != std::string::npos || chunk.empty())
      break;
    at += chunk.size();
  }
  return CsvField(WithoutLineBreak(line), column_);
}

}  // namespace tessarin
