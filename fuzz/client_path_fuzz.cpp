// The rule for files a client file names, over any path below a client directory: what it
// accepts is one plain file of one project or slot directory, and what it opens in a client
// directory holding planted links is never the file outside that they point to.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "core/data/client_file.h"
#include "fuzz_support.h"

using namespace tessarin;

namespace {

struct Client {
  std::string dir;
  ino_t secret = 0;
};

const Client& PlantedClient() {
  static const Client client = [] {
    namespace fs = std::filesystem;
    Client made{fuzz::ScratchDir() + "client/"};
    fuzz::ResetDir(made.dir);
    fuzz::WriteFile(made.dir + "projects/p/wu_0", "input");
    fuzz::WriteFile(made.dir + "slots/0/state.sah", "state");
    fuzz::WriteFile(fuzz::ScratchDir() + "secret", "secret");
    fs::create_symlink(fuzz::ScratchDir() + "secret", made.dir + "slots/0/link");
    fs::create_directory_symlink(fuzz::ScratchDir(), made.dir + "slots/1");
    fs::create_directory_symlink(fuzz::ScratchDir(), made.dir + "projects/q");
    struct stat info {};
    if (::stat((fuzz::ScratchDir() + "secret").c_str(), &info) != 0)
      std::abort();
    made.secret = info.st_ino;
    return made;
  }();
  return client;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string relative(fuzz::AsText(data, size));
  if (const auto parts = SplitClientFilePath(relative)) {
    if (parts->area != "projects" && parts->area != "slots")
      std::abort();
    if (!IsPlainName(parts->folder) || !IsPlainName(parts->file))
      std::abort();
    if (std::string(parts->area) + "/" + std::string(parts->folder) + "/" +
            std::string(parts->file) !=
        relative) {
      std::abort();
    }
    // Lexically, too, the path stays three components below the client directory.
    const std::filesystem::path normal = std::filesystem::path("/c/" + relative).lexically_normal();
    if (std::distance(normal.begin(), normal.end()) != 5)
      std::abort();
  }

  const Client& client = PlantedClient();
  try {
    const auto opened = OpenClientFile(client.dir, client.dir + relative, 1 << 20);
    if (opened) {
      struct stat info {};
      if (::fstat(opened->fd.get(), &info) != 0 || !S_ISREG(info.st_mode) ||
          info.st_ino == client.secret || !SplitClientFilePath(relative)) {
        std::abort();
      }
    }
  } catch (const ClientFileRefused&) {
  } catch (const std::system_error&) {
  }
  return 0;
}
