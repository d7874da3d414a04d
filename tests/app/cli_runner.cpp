#include "cli_runner.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "support/temp_dir.h"

namespace tessarin::test {

namespace fs = std::filesystem;

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

CliRun RunCli(const std::vector<std::string>& args) {
  TempDir capture;
  const std::string outPath = capture.path() + "out";
  const std::string errPath = capture.path() + "err";
  std::vector<std::string> words{TESSARIN_CLI_PATH};
  words.insert(words.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& word : words)
    argv.push_back(word.data());
  argv.push_back(nullptr);

  const pid_t child = ::fork();
  if (child < 0)
    throw std::runtime_error("fork failed");
  if (child == 0) {
    const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int in = ::open("/dev/null", O_RDONLY);
    ::dup2(out, 1);
    ::dup2(err, 2);
    ::dup2(in, 0);
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  CliRun run;
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  run.out = ReadAll(outPath);
  run.err = ReadAll(errPath);
  return run;
}

std::string CopyTree(const std::string& source, const std::string& target) {
  fs::create_directories(target);
  fs::copy(source, target, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
  return target.back() == '/' ? target : target + "/";
}

std::string SampleClient(const std::string& name) {
  return std::string(TESSARIN_SOURCE_DIR) + "/samples/clients/" + name;
}

}  // namespace tessarin::test
