#pragma once
// A GUI RPC server on 127.0.0.1 that plays a BOINC client, or misbehaves as a test asks.

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <string_view>
#include <thread>

namespace tessarin::test {

struct FakeReply {
  std::string bytes;  // sent as they are: a well-framed reply ends with 0x03
  std::chrono::milliseconds delay{0};
  bool closeAfter = false;  // close the connection once `bytes` are sent
  bool silent = false;      // never answer this request
};

class FakeRpcServer {
 public:
  // Gets every request (without its 0x03) and says what to answer.
  using Handler = std::function<FakeReply(const std::string& request)>;

  explicit FakeRpcServer(Handler handler);
  ~FakeRpcServer();
  FakeRpcServer(const FakeRpcServer&) = delete;
  FakeRpcServer& operator=(const FakeRpcServer&) = delete;

  int port() const { return port_; }
  int connections() const { return connections_; }

  // `body` framed as a reply, with the closing 0x03.
  static std::string Reply(std::string_view body);
  // A client that wants `password` (none when empty) and serves `state` (the inside of
  // <client_state>) and `oldResults`.
  static Handler Client(std::string password, std::string state, std::string oldResults = "");
  // The same, asking for the state and the old results at each request.
  static Handler Client(std::string password, std::function<std::string()> state,
                        std::function<std::string()> oldResults);

 private:
  void Serve();
  void ServeConnection(int fd);
  bool Pause(std::chrono::milliseconds length) const;

  Handler handler_;
  int listenFd_ = -1;
  int port_ = 0;
  std::atomic<bool> stop_{false};
  std::atomic<int> connections_{0};
  std::thread thread_;
};

}  // namespace tessarin::test
