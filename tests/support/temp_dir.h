#pragma once
// A fresh directory under the system temp folder, removed with everything in it.

#include <string>

namespace tessarin::test {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  // With a trailing separator.
  const std::string& path() const { return path_; }
  // path() + relative; parent directories are created.
  std::string Write(const std::string& relative, const std::string& content) const;
  std::string Read(const std::string& relative) const;
  std::string MakeDir(const std::string& relative) const;

 private:
  std::string path_;
};

}  // namespace tessarin::test
