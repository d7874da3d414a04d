#include "core/data/client_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <new>
#include <system_error>

#include "core/settings/exception_log.h"

namespace tessarin {

namespace {

constexpr std::uint64_t kMegabyte = 1024 * 1024;

[[noreturn]] void ThrowErrno(const std::string& path) {
  throw std::system_error(errno, std::generic_category(), path);
}

// What lies under `name` in the directory `dirFd`, without following a link; false when
// nothing does.
bool EntryInfo(int dirFd, const std::string& name, const std::string& path, struct stat& info) {
  if (::fstatat(dirFd, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0)
    return true;
  if (errno == ENOENT || errno == ENOTDIR)
    return false;
  ThrowErrno(path);
}

void RefuseLink(const struct stat& info) {
  if (S_ISLNK(info.st_mode))
    throw ClientFileRefused("Symbolic link refused");
}

void RefuseSize(std::uint64_t size, std::uint64_t maxBytes) {
  if (size > maxBytes) {
    throw ClientFileRefused("Larger than " + std::to_string(maxBytes / kMegabyte) + " MB, refused");
  }
}

}  // namespace

bool IsPlainName(std::string_view name) {
  if (name.empty() || name == "." || name == "..")
    return false;
  return name.find_first_of(std::string_view("/\0", 2)) == std::string_view::npos;
}

std::optional<ClientFileParts> SplitClientFilePath(std::string_view relative) {
  const std::size_t first = relative.find('/');
  if (first == std::string_view::npos)
    return std::nullopt;
  const std::size_t second = relative.find('/', first + 1);
  if (second == std::string_view::npos)
    return std::nullopt;
  ClientFileParts parts{relative.substr(0, first), relative.substr(first + 1, second - first - 1),
                        relative.substr(second + 1)};
  if (parts.area != "projects" && parts.area != "slots")
    return std::nullopt;
  if (!IsPlainName(parts.folder) || !IsPlainName(parts.file))
    return std::nullopt;
  return parts;
}

std::optional<OpenedClientFile> OpenClientFile(const std::string& clientDir,
                                               const std::string& path, std::uint64_t maxBytes) {
  if (clientDir.empty() || clientDir.back() != '/' || !path.starts_with(clientDir))
    throw ClientFileRefused("Outside the client directory, refused");
  const auto parts = SplitClientFilePath(std::string_view(path).substr(clientDir.size()));
  if (!parts)
    throw ClientFileRefused("Not a file of a project or slot directory, refused");

  // projects/ and slots/ are followed when they are links.
  FileDescriptor area(
      ::open((clientDir + std::string(parts->area)).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (area.get() < 0) {
    if (errno == ENOENT || errno == ENOTDIR)
      return std::nullopt;
    ThrowErrno(path);
  }
  const std::string folderName(parts->folder);
  struct stat info {};
  if (!EntryInfo(area.get(), folderName, path, info))
    return std::nullopt;
  RefuseLink(info);
  if (!S_ISDIR(info.st_mode))
    return std::nullopt;
  // O_NOFOLLOW: a link swapped in since the look fails here rather than being followed.
  FileDescriptor folder(
      ::openat(area.get(), folderName.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
  if (folder.get() < 0)
    ThrowErrno(path);

  const std::string fileName(parts->file);
  if (!EntryInfo(folder.get(), fileName, path, info))
    return std::nullopt;
  RefuseLink(info);
  // A device or FIFO is never opened: opening one alone may block or act.
  if (!S_ISREG(info.st_mode))
    throw ClientFileRefused("Not a regular file, refused");
  RefuseSize(static_cast<std::uint64_t>(info.st_size), maxBytes);

  OpenedClientFile opened{
      FileDescriptor(::openat(folder.get(), fileName.c_str(),
                              O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY | O_NONBLOCK)),
      0, 0};
  if (opened.fd.get() < 0) {
    if (errno == ELOOP)
      throw ClientFileRefused("Symbolic link refused");
    ThrowErrno(path);
  }
  // What was opened decides, not what was looked at before.
  if (::fstat(opened.fd.get(), &info) != 0)
    ThrowErrno(path);
  if (!S_ISREG(info.st_mode))
    throw ClientFileRefused("Not a regular file, refused");
  opened.size = static_cast<std::uint64_t>(info.st_size);
  opened.modified =
      static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec;
  RefuseSize(opened.size, maxBytes);
  return opened;
}

std::string ClientFileAsString(const std::string& clientDir, const std::string& path,
                               std::uint64_t maxBytes, ExceptionLog& log) {
  try {
    std::optional<OpenedClientFile> file = OpenClientFile(clientDir, path, maxBytes);
    if (!file)
      return {};
    std::string content(static_cast<std::size_t>(file->size), '\0');
    std::size_t total = 0;
    while (total < content.size()) {
      const ssize_t n = ::read(file->fd.get(), content.data() + total, content.size() - total);
      if (n < 0 && errno == EINTR)
        continue;
      if (n < 0)
        ThrowErrno(path);
      if (n == 0)
        break;
      total += static_cast<std::size_t>(n);
    }
    content.resize(total);
    return content;
  } catch (const ClientFileRefused& refusal) {
    log.LogExceptionOnce("FileAsString - " + path + " - " + refusal.what());
  } catch (const std::system_error& error) {
    log.LogException("FileAsString - " + path + " - " + error.code().message());
  } catch (const std::bad_alloc& error) {
    log.LogException("FileAsString - " + path + " - " + error.what());
  }
  return {};
}

}  // namespace tessarin
