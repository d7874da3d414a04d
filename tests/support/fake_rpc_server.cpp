#include "fake_rpc_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <memory>
#include <stdexcept>

#include "core/remote/gui_rpc_auth.h"
#include "core/tools/tag_extract.h"

namespace tessarin::test {

namespace {

constexpr int kPollMs = 20;

}  // namespace

FakeRpcServer::FakeRpcServer(Handler handler) : handler_(std::move(handler)) {
  listenFd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  if (listenFd_ < 0 || ::bind(listenFd_, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
      ::listen(listenFd_, 8) != 0 ||
      ::getsockname(listenFd_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    throw std::runtime_error("fake GUI RPC server cannot listen");
  }
  port_ = ntohs(address.sin_port);
  thread_ = std::thread([this] { Serve(); });
}

FakeRpcServer::~FakeRpcServer() {
  stop_ = true;
  thread_.join();
  ::close(listenFd_);
}

std::string FakeRpcServer::Reply(std::string_view body) {
  return "<boinc_gui_rpc_reply>\n" + std::string(body) + "</boinc_gui_rpc_reply>\n\x03";
}

FakeRpcServer::Handler FakeRpcServer::Client(std::string password, std::string state,
                                             std::string oldResults) {
  return Client(
      std::move(password), [state] { return state; }, [oldResults] { return oldResults; });
}

FakeRpcServer::Handler FakeRpcServer::Client(std::string password,
                                             std::function<std::string()> state,
                                             std::function<std::string()> oldResults) {
  auto authorized = std::make_shared<bool>(password.empty());
  return [=](const std::string& request) {
    const std::string nonce = "1765191234.567890";
    if (request.find("<auth1/>") != std::string::npos)
      return FakeReply{Reply("<nonce>" + nonce + "</nonce>\n")};
    if (request.find("<auth2>") != std::string::npos) {
      *authorized = ExtractTag(request, "nonce_hash") == NonceHash(nonce, password);
      return FakeReply{Reply(*authorized ? "<authorized/>\n" : "<unauthorized/>\n")};
    }
    if (!*authorized)
      return FakeReply{Reply("<unauthorized/>\n")};
    if (request.find("<get_state/>") != std::string::npos)
      return FakeReply{Reply("<client_state>\n" + state() + "</client_state>\n")};
    if (request.find("<get_old_results/>") != std::string::npos)
      return FakeReply{Reply(oldResults())};
    return FakeReply{Reply("<error>unrecognized op</error>\n")};
  };
}

bool FakeRpcServer::Pause(std::chrono::milliseconds length) const {
  const auto end = std::chrono::steady_clock::now() + length;
  while (std::chrono::steady_clock::now() < end) {
    if (stop_)
      return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(kPollMs));
  }
  return !stop_;
}

void FakeRpcServer::Serve() {
  while (!stop_) {
    pollfd entry{listenFd_, POLLIN, 0};
    if (::poll(&entry, 1, kPollMs) <= 0)
      continue;
    const int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0)
      continue;
    ++connections_;
    ServeConnection(fd);
    ::close(fd);
  }
}

void FakeRpcServer::ServeConnection(int fd) {
  std::string pending;
  char buffer[4096];
  while (!stop_) {
    pollfd entry{fd, POLLIN, 0};
    if (::poll(&entry, 1, kPollMs) <= 0)
      continue;
    const ssize_t got = ::recv(fd, buffer, sizeof buffer, 0);
    if (got <= 0)
      return;
    pending.append(buffer, static_cast<std::size_t>(got));
    std::size_t end;
    while ((end = pending.find('\x03')) != std::string::npos) {
      const std::string request = pending.substr(0, end);
      pending.erase(0, end + 1);
      const FakeReply reply = handler_(request);
      if (reply.silent) {
        Pause(std::chrono::hours(1));
        return;
      }
      if (!Pause(reply.delay))
        return;
      std::size_t done = 0;
      while (done < reply.bytes.size()) {
        const ssize_t sent =
            ::send(fd, reply.bytes.data() + done, reply.bytes.size() - done, MSG_NOSIGNAL);
        if (sent <= 0)
          return;
        done += static_cast<std::size_t>(sent);
      }
      if (reply.closeAfter)
        return;
    }
  }
}

}  // namespace tessarin::test
