#include "core/remote/remote_address.h"

#include <algorithm>
#include <charconv>

namespace tessarin {

namespace {

bool ParsePort(std::string_view text, int& port) {
  const char* end = text.data() + text.size();
  const auto [last, error] = std::from_chars(text.data(), end, port);
  return error == std::errc() && last == end && port >= 1 && port <= 65535;
}

bool IsPlainHost(std::string_view host) {
  if (host.empty())
    return false;
  for (const char c : host) {
    const bool allowed = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                         (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '_';
    if (!allowed)
      return false;
  }
  return true;
}

}  // namespace

std::string RemoteAddress::Key() const {
  const bool v6 = host.find(':') != std::string::npos;
  return (v6 ? "[" + host + "]" : host) + ":" + std::to_string(port);
}

std::optional<RemoteAddress> ParseRemoteAddress(std::string_view text) {
  RemoteAddress address;
  std::string_view rest;
  const bool bareV6 = std::count(text.begin(), text.end(), ':') > 1 && text.front() != '[';
  if (bareV6 || (!text.empty() && text.front() == '[')) {
    const std::size_t close = bareV6 ? text.size() : text.find(']');
    if (close == std::string_view::npos)
      return std::nullopt;
    address.host = std::string(bareV6 ? text : text.substr(1, close - 1));
    rest = bareV6 ? std::string_view() : text.substr(close + 1);
    if (address.host.empty() ||
        address.host.find_first_not_of("0123456789abcdefABCDEF:.") != std::string::npos) {
      return std::nullopt;
    }
  } else {
    const std::size_t colon = text.find(':');
    address.host = std::string(text.substr(0, colon));
    rest = colon == std::string_view::npos ? std::string_view() : text.substr(colon);
    if (!IsPlainHost(address.host))
      return std::nullopt;
  }
  if (!rest.empty()) {
    if (rest.front() != ':' || !ParsePort(rest.substr(1), address.port))
      return std::nullopt;
  }
  return address;
}

}  // namespace tessarin
