#pragma once
// A remote client as the user names it: HOST or HOST:PORT; an IPv6 address in brackets when
// a port follows, or bare with the default port.

#include <optional>
#include <string>
#include <string_view>

namespace tessarin {

inline constexpr int kDefaultGuiRpcPort = 31416;

struct RemoteAddress {
  std::string host;
  int port = kDefaultGuiRpcPort;
  // "host:port" ("[v6]:port"), the form kept in the settings.
  std::string Key() const;

  bool operator==(const RemoteAddress&) const = default;
};

// Empty when the text names no host or a port outside 1..65535.
std::optional<RemoteAddress> ParseRemoteAddress(std::string_view text);

}  // namespace tessarin
