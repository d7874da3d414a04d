#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <memory>
#include <optional>
#include <vector>

#include "core/remote/gui_rpc_auth.h"
#include "core/remote/gui_rpc_connection.h"
#include "core/remote/remote_address.h"
#include "core/remote/remote_query.h"
#include "core/remote/rpc_error.h"
#include "support/fake_rpc_server.h"

namespace tessarin {
namespace {

using namespace std::chrono_literals;
using test::FakeReply;
using test::FakeRpcServer;

RemoteAddress Loopback(int port) {
  return RemoteAddress{"127.0.0.1", port};
}

TEST(NonceHash, IsLowerCaseHexMd5OfNonceThenPassword) {
  // md5("abc") and md5("") from RFC 1321.
  EXPECT_EQ(NonceHash("a", "bc"), "900150983cd24fb0d6963f7d28e17f72");
  EXPECT_EQ(NonceHash("", ""), "d41d8cd98f00b204e9800998ecf8427e");
}

TEST(RemoteAddress, ParsesHostPortAndRefusesTheRest) {
  struct Case {
    const char* text;
    std::optional<std::string> key;
  };
  const Case cases[] = {
      {"boinc-box", "boinc-box:31416"}, {"10.0.0.7:1043", "10.0.0.7:1043"},
      {"[::1]:31416", "[::1]:31416"},   {"[fe80::2]", "[fe80::2]:31416"},
      {"::1", "[::1]:31416"},           {"", std::nullopt},
      {"host:0", std::nullopt},         {"host:65536", std::nullopt},
      {"host:12x", std::nullopt},       {"host name", std::nullopt},
      {":31416", std::nullopt},         {"[::1", std::nullopt},
      {"a/b:1", std::nullopt},
  };
  for (const Case& c : cases) {
    const std::optional<RemoteAddress> parsed = ParseRemoteAddress(c.text);
    ASSERT_EQ(parsed.has_value(), c.key.has_value()) << c.text;
    if (parsed) {
      EXPECT_EQ(parsed->Key(), *c.key) << c.text;
    }
  }
}

TEST(QueryRemoteClient, AuthorizesAndFetchesStateAndOldResults) {
  FakeRpcServer server(FakeRpcServer::Client("s3cret", "<host_info/>\n", "<old_result/>\n"));
  const RemoteSnapshot snapshot = QueryRemoteClient(Loopback(server.port()), "s3cret", {});
  EXPECT_EQ(snapshot.state, "\n<host_info/>\n");
  EXPECT_EQ(snapshot.oldResults, "\n<old_result/>\n");

  FakeRpcServer open(FakeRpcServer::Client("", "<x/>", ""));
  EXPECT_EQ(QueryRemoteClient(Loopback(open.port()), "", {}).state, "\n<x/>");
}

// Each way a client can fail us ends in one fault with a reason, and quickly.
TEST(QueryRemoteClient, EveryFaultOfTheClientIsOneErrorWithAReason) {
  const std::string state = "<client_state>\n<host_info/>\n</client_state>\n";
  struct Case {
    const char* name;
    FakeReply getState;
    std::string password;
    RpcFault fault;
    const char* reason;
  };
  const Case cases[] = {
      {"wrong password",
       {FakeRpcServer::Reply(state)},
       "guess",
       RpcFault::kWrongPassword,
       "wrong password"},
      {"no password given",
       {FakeRpcServer::Reply("<unauthorized/>\n")},
       "",
       RpcFault::kWrongPassword,
       "wrong password"},
      {"reply cut off",
       {"<boinc_gui_rpc_reply>\n<client_state>\n<host_in\x03"},
       "pw",
       RpcFault::kLost,
       "malformed"},
      {"reply without 0x03",
       {"<boinc_gui_rpc_reply>\n" + state + "</boinc_gui_rpc_reply>\n"},
       "pw",
       RpcFault::kTimedOut,
       "timed out"},
      {"slow reply", {FakeRpcServer::Reply(state), 2s}, "pw", RpcFault::kTimedOut, "timed out"},
      {"closed mid-reply",
       {"<boinc_gui_rpc_reply>\n<client_st", 0ms, true},
       "pw",
       RpcFault::kLost,
       "closed mid-reply"},
      {"never answers", {"", 0ms, false, true}, "pw", RpcFault::kTimedOut, "timed out"},
      {"not a reply at all", {"HTTP/1.0 400 Bad\r\n\r\n\x03"}, "pw", RpcFault::kLost, "malformed"},
      {"no client state", {FakeRpcServer::Reply("<error/>\n")}, "pw", RpcFault::kLost, "malformed"},
  };
  for (const Case& c : cases) {
    const FakeRpcServer::Handler client = FakeRpcServer::Client("pw", "<host_info/>\n");
    FakeRpcServer server([&](const std::string& request) {
      if (request.find("<get_state/>") != std::string::npos)
        return c.getState;
      return client(request);
    });
    const auto start = std::chrono::steady_clock::now();
    try {
      QueryRemoteClient(Loopback(server.port()), c.password, {1s, 300ms});
      ADD_FAILURE() << c.name << ": no error";
    } catch (const RpcError& error) {
      EXPECT_EQ(error.fault(), c.fault) << c.name;
      EXPECT_NE(std::string(error.what()).find(c.reason), std::string::npos)
          << c.name << ": " << error.what();
      if (!c.password.empty()) {
        EXPECT_EQ(std::string(error.what()).find(c.password), std::string::npos) << c.name;
      }
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1500ms) << c.name;
  }
}

TEST(GuiRpcConnection, RefusesAReplyOverTheLimit) {
  const std::string body(2000, 'x');
  FakeRpcServer server([&](const std::string&) { return FakeReply{FakeRpcServer::Reply(body)}; });
  try {
    GuiRpcConnection("127.0.0.1", server.port(), {}, 1024).Call("<get_state/>\n");
    ADD_FAILURE() << "no error";
  } catch (const RpcError& error) {
    EXPECT_EQ(error.fault(), RpcFault::kLost);
    EXPECT_STREQ(error.what(), "reply too large");
  }
  GuiRpcConnection large("127.0.0.1", server.port(), {}, 4096);
  EXPECT_EQ(large.Call("<get_state/>\n").size(), body.size() + 1);
}

// A TCP socket bound to a free port of 127.0.0.1; -1 when none could be had.
int BoundLoopbackSocket(int& port) {
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
      ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    return -1;
  }
  port = ntohs(address.sin_port);
  return fd;
}

TEST(GuiRpcConnection, NothingListeningIsRefused) {
  int port = 0;
  const int fd = BoundLoopbackSocket(port);
  ASSERT_GE(fd, 0);
  ::close(fd);  // the port is free again, and nobody listens there
  try {
    GuiRpcConnection("127.0.0.1", port, {});
    ADD_FAILURE() << "no error";
  } catch (const RpcError& error) {
    EXPECT_EQ(error.fault(), RpcFault::kRefused);
  }
}

TEST(GuiRpcConnection, AConnectionNobodyAcceptsTimesOut) {
  // A listener that never accepts: once its queue is full, the kernel drops further attempts.
  int port = 0;
  const int fd = BoundLoopbackSocket(port);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::listen(fd, 0), 0);
  RpcTimeouts timeouts;
  timeouts.connect = 300ms;
  std::vector<std::unique_ptr<GuiRpcConnection>> queued;
  bool timedOut = false;
  for (int attempt = 0; attempt < 8 && !timedOut; ++attempt) {
    const auto start = std::chrono::steady_clock::now();
    try {
      queued.push_back(std::make_unique<GuiRpcConnection>("127.0.0.1", port, timeouts));
    } catch (const RpcError& error) {
      EXPECT_EQ(error.fault(), RpcFault::kTimedOut) << error.what();
      const auto waited = std::chrono::steady_clock::now() - start;
      EXPECT_GE(waited, 250ms);
      EXPECT_LT(waited, 1500ms);
      timedOut = true;
    }
  }
  EXPECT_TRUE(timedOut);
  ::close(fd);
}

}  // namespace
}  // namespace tessarin
