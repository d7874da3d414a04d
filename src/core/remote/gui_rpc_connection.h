#pragma once
// One TCP connection to a BOINC client's GUI RPC port. A request and a reply each end with the
// byte 0x03; a reply is <boinc_gui_rpc_reply> ... </boinc_gui_rpc_reply>.

#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>

namespace tessarin {

struct RpcTimeouts {
  std::chrono::milliseconds connect{5000};
  // The whole reply must have arrived within this time after the request was sent, so a
  // client that trickles bytes cannot hold a cycle.
  std::chrono::milliseconds read{5000};
};

// A longer reply is refused: no real client state comes near it.
inline constexpr std::size_t kMaxRpcReplyBytes = 64u * 1024 * 1024;

class GuiRpcConnection {
 public:
  // Connects; throws RpcError.
  GuiRpcConnection(const std::string& host, int port, const RpcTimeouts& timeouts,
                   std::size_t maxReplyBytes = kMaxRpcReplyBytes);
  ~GuiRpcConnection();
  GuiRpcConnection(const GuiRpcConnection&) = delete;
  GuiRpcConnection& operator=(const GuiRpcConnection&) = delete;

  // Sends `body` inside <boinc_gui_rpc_request> and gives the text inside the reply element.
  // A reply that is cut off, oversized, late or not framed throws RpcError.
  std::string Call(std::string_view body);

 private:
  void SendAll(const std::string& bytes);
  std::string ReceiveReply();

  int fd_ = -1;
  RpcTimeouts timeouts_;
  std::size_t maxReplyBytes_;
};

}  // namespace tessarin
