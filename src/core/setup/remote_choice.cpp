#include "core/setup/remote_choice.h"

#include <algorithm>
#include <optional>

namespace tessarin {

namespace {

std::optional<RemoteAddress> AddressOf(const RemoteChoice& choice) {
  const bool v6 = choice.host.find(':') != std::string::npos;
  return ParseRemoteAddress((v6 ? "[" + choice.host + "]" : choice.host) + ":" +
                            std::to_string(choice.port));
}

}  // namespace

std::string RemoteChoiceProblem(const RemoteChoice& choice) {
  if (!AddressOf(choice))
    return "Enter the host name or address of the computer and a port from 1 to 65535.";
  if (choice.passwordFromFile)
    return PasswordFileProblem(choice.passwordFile);
  return "";
}

void AddRemoteClient(SetupSettings& values, const RemoteChoice& choice) {
  const std::optional<RemoteAddress> address = AddressOf(choice);
  if (!address)
    return;
  const std::string key = address->Key();
  RemoteClientSetting client{*address, true, choice.passwordFromFile ? choice.passwordFile : ""};
  auto same = [&](const RemoteClientSetting& c) { return c.address == *address; };
  const auto existing = std::find_if(values.remotes.begin(), values.remotes.end(), same);
  if (existing != values.remotes.end())
    *existing = client;
  else
    values.remotes.push_back(client);
  std::erase_if(values.typedPasswords, [&](const auto& typed) { return typed.first == key; });
  // A client that reads its password from a file drops the one typed before.
  values.typedPasswords.emplace_back(key, choice.passwordFromFile ? "" : choice.password);
}

}  // namespace tessarin
