#include "core/tools/files.h"

#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <new>
#include <system_error>

#include "core/tools/exception_counter.h"
#include "core/tools/file_descriptor.h"

namespace tessarin {

namespace {

constexpr std::size_t kCopyBlockSize = 2048;
// Copies of a volunteer's science files are theirs alone, whatever the source allowed.
constexpr mode_t kPrivateMode = 0600;

[[noreturn]] void ThrowErrno(const std::string& path) {
  throw std::system_error(errno, std::generic_category(), path);
}

// O_NONBLOCK keeps a FIFO planted under a client file name from blocking the cycle; it has
// no effect on regular files.
int OpenForReading(const std::string& path) {
  return ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
}

// Opening a directory for writing fails with EISDIR, so a write never lands in one. A symbolic
// link planted under a backup's name is not followed (ELOOP): the write would land wherever
// the link points, outside the log directory.
int OpenForWriting(const std::string& path, int extraFlags = 0) {
  return ::open(path.c_str(),
                O_WRONLY | O_CREAT | O_CLOEXEC | O_NOCTTY | O_NONBLOCK | O_NOFOLLOW | extraFlags,
                kPrivateMode);
}

// Writes all of `size` bytes, resuming after partial writes; false with errno on failure.
bool WriteAll(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n < 0) {
      if (errno == EINTR)
        continue;
      return false;
    }
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

// Reads up to `size` bytes; fewer only at end of file. -1 with errno on failure.
ssize_t ReadUpTo(int fd, char* data, std::size_t size) {
  std::size_t total = 0;
  while (total < size) {
    const ssize_t n = ::read(fd, data + total, size - total);
    if (n < 0) {
      if (errno == EINTR)
        continue;
      return -1;
    }
    if (n == 0)
      break;
    total += static_cast<std::size_t>(n);
  }
  return static_cast<ssize_t>(total);
}

// Reads at most `size` bytes of `path` into `content`: 0, or the errno of the failure.
int ReadPrefix(const std::string& path, std::size_t size, std::string& content) {
  FileDescriptor fd(OpenForReading(path));
  if (fd.get() < 0)
    return errno;
  content.resize(size);
  const ssize_t bytesRead = ReadUpTo(fd.get(), content.data(), size);
  if (bytesRead < 0)
    return errno;
  content.resize(static_cast<std::size_t>(bytesRead));
  return 0;
}

std::string ErrorText(int error) {
  return std::generic_category().message(error);
}

std::string JoinPath(const std::string& directory, const std::string& name) {
  if (directory.empty() || directory.back() == '/')
    return directory + name;
  return directory + '/' + name;
}

// Only '*' and '?' are wildcards; '[' and '\' stand for themselves.
std::string WildcardPattern(const std::string& pattern) {
  std::string escaped;
  for (char c : pattern) {
    if (c == '[' || c == '\\')
      escaped += '\\';
    escaped += c;
  }
  return escaped;
}

bool HasWildcard(const std::string& name) {
  return name.find_first_of("*?") != std::string::npos;
}

// Names in `directory` matching `pattern`; `accept` decides on each entry's stat.
template <class Accept>
std::vector<std::string> MatchEntries(const std::string& directory, const std::string& pattern,
                                      Accept accept) {
  std::vector<std::string> names;
  DIR* dir = ::opendir(directory.empty() ? "." : directory.c_str());
  if (dir == nullptr)
    return names;
  const std::string glob = WildcardPattern(pattern);
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    if (name == "." || name == "..")
      continue;
    if (::fnmatch(glob.c_str(), name.c_str(), 0) != 0)
      continue;
    struct stat info {};
    if (::stat(JoinPath(directory, name).c_str(), &info) == 0 && accept(info)) {
      names.push_back(name);
    }
  }
  ::closedir(dir);
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace

std::string FileAsString(const std::string& path, ExceptionCounter& log) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) {
    if (errno == ENOENT || errno == ENOTDIR)
      return {};
    log.LogException("FileAsString - " + path + " - " + ErrorText(errno));
    return {};
  }
  if (S_ISDIR(info.st_mode))
    return {};
  if (!S_ISREG(info.st_mode)) {
    log.LogException("FileAsString - " + path + " - Not a regular file");
    return {};
  }
  try {
    std::string content;
    const int error = ReadPrefix(path, static_cast<std::size_t>(info.st_size), content);
    if (error == 0)
      return content;
    log.LogException("FileAsString - " + path + " - " + ErrorText(error));
  } catch (const std::bad_alloc& error) {
    log.LogException("FileAsString - " + path + " - " + error.what());
  }
  return {};
}

void StringToFile(const std::string& content, const std::string& path, ExceptionCounter& log) {
  FileDescriptor fd(OpenForWriting(path, O_TRUNC));
  int error = 0;
  if (fd.get() < 0 || ::fchmod(fd.get(), kPrivateMode) != 0 ||
      !WriteAll(fd.get(), content.data(), content.size()))
    error = errno;
  if (fd.get() >= 0 && fd.Close() != 0 && error == 0)
    error = errno;
  if (error != 0)
    log.LogFailure("StringToFile - " + path + " - " + ErrorText(error));
}

void CopyFileData(const std::string& source, const std::string& destination) {
  FileDescriptor in(OpenForReading(source));
  if (in.get() < 0)
    ThrowErrno(source);
  CopyDescriptorData(in.get(), source, destination, UINT64_MAX);
}

bool CopyDescriptorData(int source, const std::string& sourceName, const std::string& destination,
                        std::uint64_t maxBytes) {
  struct stat sourceInfo {};
  if (::fstat(source, &sourceInfo) != 0)
    ThrowErrno(sourceName);
  if (S_ISDIR(sourceInfo.st_mode))
    throw std::system_error(EISDIR, std::generic_category(), sourceName);

  FileDescriptor out(OpenForWriting(destination));
  if (out.get() < 0)
    ThrowErrno(destination);
  struct stat destinationInfo {};
  if (::fstat(out.get(), &destinationInfo) != 0)
    ThrowErrno(destination);
  // Truncating the source itself would lose it; a copy onto itself is already complete.
  if (destinationInfo.st_dev == sourceInfo.st_dev && destinationInfo.st_ino == sourceInfo.st_ino) {
    return true;
  }
  if (::ftruncate(out.get(), 0) != 0 || ::fchmod(out.get(), kPrivateMode) != 0)
    ThrowErrno(destination);

  char buffer[kCopyBlockSize];
  std::uint64_t total = 0;
  for (;;) {
    const ssize_t n = ::read(source, buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR)
        continue;
      ThrowErrno(sourceName);
    }
    if (n == 0)
      break;
    total += static_cast<std::uint64_t>(n);
    if (total > maxBytes) {
      ::unlink(destination.c_str());
      return false;
    }
    if (!WriteAll(out.get(), buffer, static_cast<std::size_t>(n)))
      ThrowErrno(destination);
  }
  if (out.Close() != 0)
    ThrowErrno(destination);
  return true;
}

bool PathExists(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) == 0)
    return true;
  const std::size_t slash = path.rfind('/');
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  if (!HasWildcard(name))
    return false;
  const std::string directory = slash == std::string::npos ? "" : path.substr(0, slash + 1);
  return !MatchEntries(directory, name, [](const struct stat&) { return true; }).empty();
}

std::uint32_t FileSizeOf(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
    return 0;
  return static_cast<std::uint32_t>(static_cast<std::uint64_t>(info.st_size) & 0xFFFFFFFFu);
}

std::int64_t FileTimeOf(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0)
    return 0;
  return static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec;
}

std::vector<std::string> ListFiles(const std::string& directory, const std::string& pattern) {
  return MatchEntries(directory, pattern,
                      [](const struct stat& info) { return S_ISREG(info.st_mode); });
}

}  // namespace tessarin
