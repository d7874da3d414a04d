#include "core/remote/remote_clients.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <stdexcept>

#include "core/settings/settings_keys.h"
#include "core/settings/settings_store.h"
#include "core/tools/ini_key.h"
#include "core/tools/text.h"

namespace tessarin {

namespace {

constexpr const char* kPasswordsSection = "Passwords";

std::string FirstLine(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file)
    throw std::runtime_error("cannot read password file " + path);
  std::string line;
  std::getline(file, line);
  while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
    line.pop_back();
  return line;
}

// The credentials file exists with mode 0600 before anything is written into it; later
// rewrites keep the mode of the file they replace.
void MakePrivateFile(const std::string& path) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0)
    throw std::runtime_error("cannot create " + path + ": " + std::strerror(errno));
  const int status = ::fchmod(fd, 0600);
  const int error = errno;
  ::close(fd);
  if (status != 0)
    throw std::runtime_error("cannot protect " + path + ": " + std::strerror(error));
}

}  // namespace

std::string PasswordFileProblem(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
    return "The password file " + path + " does not exist.";
  if ((info.st_mode & 077) != 0)
    return "The password file " + path +
           " can be read by other users; make it yours alone (chmod 600).";
  return "";
}

std::vector<RemoteClientSetting> ReadRemoteClients(const SettingsStore& settings) {
  std::vector<RemoteClientSetting> clients;
  for (const std::string& key : settings.ReadSection(sections::kRemoteClients)) {
    const std::optional<RemoteAddress> address = ParseRemoteAddress(UnescapeIniKey(key));
    if (!address)
      continue;
    RemoteClientSetting client;
    client.address = *address;
    client.enabled = settings.ReadBool(sections::kRemoteClients, key, true);
    client.passwordFile = settings.ReadString(sections::kRemotePasswordFiles, key, "");
    clients.push_back(std::move(client));
  }
  return clients;
}

void WriteRemoteClients(SettingsStore& settings, const std::vector<RemoteClientSetting>& clients) {
  settings.EraseSection(sections::kRemoteClients);
  settings.EraseSection(sections::kRemotePasswordFiles);
  for (const RemoteClientSetting& client : clients) {
    const std::string key = EscapeIniKey(client.address.Key());
    settings.WriteBool(sections::kRemoteClients, key, client.enabled);
    if (!client.passwordFile.empty())
      settings.WriteString(sections::kRemotePasswordFiles, key, client.passwordFile);
  }
}

RpcTimeouts ReadRemoteTimeouts(const SettingsStore& settings) {
  const int seconds = std::clamp(settings.Read(settings::kRemoteTimeout), 1, 3600);
  const std::chrono::milliseconds each(seconds * 1000);
  return RpcTimeouts{each, each};
}

std::string CredentialsPath(const std::string& programDir) {
  return AddBackslash(programDir) + "Tessarin.passwords";
}

std::string ReadRemotePassword(const RemoteClientSetting& client, const std::string& programDir) {
  if (!client.passwordFile.empty())
    return FirstLine(client.passwordFile);
  const SettingsStore credentials(CredentialsPath(programDir));
  return credentials.ReadString(kPasswordsSection, EscapeIniKey(client.address.Key()), "");
}

void StoreTypedPassword(const std::string& programDir, const std::string& key,
                        const std::string& password) {
  const std::string path = CredentialsPath(programDir);
  MakePrivateFile(path);
  SettingsStore credentials(path);
  if (password.empty())
    credentials.DeleteKey(kPasswordsSection, EscapeIniKey(key));
  else
    credentials.WriteString(kPasswordsSection, EscapeIniKey(key), password);
  credentials.UpdateFile();
}

}  // namespace tessarin
