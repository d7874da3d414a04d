#pragma once
// Files that a client file names (science files, task states) are read only through here.
// Project applications write below projects/ and slots/, so what they leave there may be
// hostile: a link to a private file, a name with "..", a FIFO, a device, an endless file.
// Such a file may be read only when it lies directly inside one project or slot directory:
//   clientDir + "projects/" + folder + "/" + file   or   clientDir + "slots/" + folder + "/" + file
// with folder and file plain names. The client directory and its projects/ and slots/ may be
// links that their owner made (another disk); nothing below them is followed.

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "core/tools/file_descriptor.h"

namespace tessarin {

class ExceptionLog;

// One path component: not empty, not "." or "..", without '/' or a NUL byte.
bool IsPlainName(std::string_view name);

// The parts of a path below the client directory that may be read; nullopt otherwise.
struct ClientFileParts {
  std::string_view area;  // "projects" or "slots"
  std::string_view folder;
  std::string_view file;
};
std::optional<ClientFileParts> SplitClientFilePath(std::string_view relative);

// A file refused by the rule above, or over the size bound. The message says why.
class ClientFileRefused : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct OpenedClientFile {
  FileDescriptor fd;
  std::uint64_t size = 0;
  std::int64_t modified = 0;  // last write, nanoseconds since the Unix epoch
};

// Opens `path` (clientDir + a path below it; clientDir ends with '/') read-only: a regular
// file checked on its descriptor, larger than `maxBytes` refused. nullopt when it does not
// exist. Throws ClientFileRefused, or std::system_error when the open fails otherwise.
std::optional<OpenedClientFile> OpenClientFile(const std::string& clientDir,
                                               const std::string& path, std::uint64_t maxBytes);

// The whole file, as FileAsString; empty when missing, refused or unreadable. A refusal is
// counted once per path, a read error as "FileAsString - " + path + " - " + error.
std::string ClientFileAsString(const std::string& clientDir, const std::string& path,
                               std::uint64_t maxBytes, ExceptionLog& log);

}  // namespace tessarin
