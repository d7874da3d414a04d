#include "core/remote/gui_rpc_connection.h"

#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "core/remote/rpc_error.h"

namespace tessarin {

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::string_view kReplyOpen = "<boinc_gui_rpc_reply>";
constexpr std::string_view kReplyClose = "</boinc_gui_rpc_reply>";
constexpr char kEndOfMessage = '\x03';

int MillisecondsLeft(Clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
  return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

// Waits until `fd` is ready for `events`; false when the deadline passed first.
bool WaitFor(int fd, short events, Clock::time_point deadline) {
  for (;;) {
    pollfd entry{fd, events, 0};
    const int ready = ::poll(&entry, 1, MillisecondsLeft(deadline));
    if (ready > 0)
      return true;
    if (ready == 0)
      return false;
    if (errno != EINTR)
      throw RpcError(RpcFault::kLost, std::string("poll failed: ") + std::strerror(errno));
  }
}

RpcError ConnectError(int error) {
  if (error == ECONNREFUSED)
    return RpcError(RpcFault::kRefused, "connection refused");
  if (error == ETIMEDOUT)
    return RpcError(RpcFault::kTimedOut, "connection timed out");
  return RpcError(RpcFault::kLost, std::string("cannot connect: ") + std::strerror(error));
}

// A non-blocking connect to one address, waited for until the deadline; the socket or -1
// with `error` set.
int ConnectOne(const addrinfo& address, Clock::time_point deadline, int& error) {
  const int fd = ::socket(address.ai_family, address.ai_socktype | SOCK_CLOEXEC | SOCK_NONBLOCK,
                          address.ai_protocol);
  if (fd < 0) {
    error = errno;
    return -1;
  }
  if (::connect(fd, address.ai_addr, address.ai_addrlen) == 0)
    return fd;
  error = errno;
  if (error == EINPROGRESS) {
    if (!WaitFor(fd, POLLOUT, deadline)) {
      error = ETIMEDOUT;
    } else {
      socklen_t length = sizeof(error);
      if (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) != 0)
        error = errno;
      if (error == 0)
        return fd;
    }
  }
  ::close(fd);
  return -1;
}

}  // namespace

GuiRpcConnection::GuiRpcConnection(const std::string& host, int port, const RpcTimeouts& timeouts,
                                   std::size_t maxReplyBytes)
    : timeouts_(timeouts), maxReplyBytes_(maxReplyBytes) {
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  const std::string service = std::to_string(port);
  const int status = ::getaddrinfo(host.c_str(), service.c_str(), &hints, &found);
  if (status != 0)
    throw RpcError(RpcFault::kLost, std::string("host not found: ") + ::gai_strerror(status));
  const Clock::time_point deadline = Clock::now() + timeouts_.connect;
  int error = 0;
  for (const addrinfo* address = found; address != nullptr && fd_ < 0; address = address->ai_next) {
    fd_ = ConnectOne(*address, deadline, error);
  }
  ::freeaddrinfo(found);
  if (fd_ < 0)
    throw ConnectError(error);
}

GuiRpcConnection::~GuiRpcConnection() {
  if (fd_ >= 0)
    ::close(fd_);
}

std::string GuiRpcConnection::Call(std::string_view body) {
  std::string request = "<boinc_gui_rpc_request>\n";
  request += body;
  request += "</boinc_gui_rpc_request>\n";
  request += kEndOfMessage;
  SendAll(request);
  const std::string reply = ReceiveReply();
  const std::size_t open = reply.find(kReplyOpen);
  const std::size_t close = reply.rfind(kReplyClose);
  if (open == std::string::npos || close == std::string::npos || close < open)
    throw RpcError(RpcFault::kLost, "malformed reply");
  const std::size_t start = open + kReplyOpen.size();
  return reply.substr(start, close - start);
}

void GuiRpcConnection::SendAll(const std::string& bytes) {
  const Clock::time_point deadline = Clock::now() + timeouts_.read;
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t sent = ::send(fd_, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
    if (sent > 0) {
      done += static_cast<std::size_t>(sent);
      continue;
    }
    if (sent < 0 && errno == EINTR)
      continue;
    if (sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      if (!WaitFor(fd_, POLLOUT, deadline))
        throw RpcError(RpcFault::kTimedOut, "timed out sending");
      continue;
    }
    throw RpcError(RpcFault::kLost, std::string("connection lost: ") + std::strerror(errno));
  }
}

std::string GuiRpcConnection::ReceiveReply() {
  const Clock::time_point deadline = Clock::now() + timeouts_.read;
  std::string reply;
  char buffer[65536];
  for (;;) {
    if (!WaitFor(fd_, POLLIN, deadline))
      throw RpcError(RpcFault::kTimedOut, "timed out waiting for the reply");
    const ssize_t got = ::recv(fd_, buffer, sizeof buffer, 0);
    if (got < 0) {
      if (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK)
        continue;
      throw RpcError(RpcFault::kLost, std::string("connection lost: ") + std::strerror(errno));
    }
    if (got == 0)
      throw RpcError(RpcFault::kLost, "connection closed mid-reply");
    const std::string_view chunk(buffer, static_cast<std::size_t>(got));
    const std::size_t end = chunk.find(kEndOfMessage);
    const std::size_t keep = end == std::string_view::npos ? chunk.size() : end;
    if (reply.size() + keep > maxReplyBytes_)
      throw RpcError(RpcFault::kLost, "reply too large");
    reply.append(chunk.substr(0, keep));
    if (end != std::string_view::npos)
      return reply;
  }
}

}  // namespace tessarin
