#pragma once
// Runs the built tessarin-cli as a child process and collects what it printed.

#include <string>
#include <vector>

namespace tessarin::test {

struct CliRun {
  int exitCode = -1;
  std::string out;
  std::string err;
};

// The whole content of a file; empty when it cannot be read.
std::string ReadAll(const std::string& path);

// Runs tessarin-cli with `args` and waits for it.
CliRun RunCli(const std::vector<std::string>& args);

// Copies samples/clients/<name> (or a whole directory) into `target`; returns target + '/'.
std::string CopyTree(const std::string& source, const std::string& target);
std::string SampleClient(const std::string& name);

}  // namespace tessarin::test
