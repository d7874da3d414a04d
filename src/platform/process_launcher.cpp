#include "platform/process_launcher.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tessarin {

bool PosixProgramLauncher::Exists(const std::string& path) const {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool PosixProgramLauncher::StartDetached(const std::string& path,
                                         const std::vector<std::string>& args) {
  // Everything the child needs is prepared before fork: after it only async-signal-safe
  // calls are made, since the watch cycle runs beside other threads.
  std::vector<std::string> words;
  words.push_back(path);
  words.insert(words.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& word : words)
    argv.push_back(word.data());
  argv.push_back(nullptr);

  int ready[2];
  if (::pipe2(ready, O_CLOEXEC) != 0)
    return false;
  const pid_t child = ::fork();
  if (child < 0) {
    ::close(ready[0]);
    ::close(ready[1]);
    return false;
  }
  if (child == 0) {
    // The middle process exits at once, so the program is re-parented and never a zombie.
    ::setsid();
    const pid_t grandchild = ::fork();
    if (grandchild != 0)
      ::_exit(grandchild < 0 ? 1 : 0);
    const int null = ::open("/dev/null", O_RDWR);
    if (null >= 0) {
      ::dup2(null, 0);
      ::dup2(null, 1);
      ::dup2(null, 2);
    }
    ::execv(argv[0], argv.data());
    const char failed = 1;
    [[maybe_unused]] const ssize_t written = ::write(ready[1], &failed, 1);
    ::_exit(127);
  }
  ::close(ready[1]);
  int status = 0;
  ::waitpid(child, &status, 0);
  // The exec closes the pipe (close-on-exec); a byte means it failed.
  char failed = 0;
  const ssize_t got = ::read(ready[0], &failed, 1);
  ::close(ready[0]);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0 && got == 0;
}

}  // namespace tessarin
