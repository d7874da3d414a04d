#pragma once
// Why a remote client could not be read. The text names the reason only: it never holds a
// password or a reply.

#include <stdexcept>
#include <string>

namespace tessarin {

enum class RpcFault {
  kRefused,        // nothing listens on the port, or the host refused us
  kTimedOut,       // no connection or no whole reply within the timeout
  kWrongPassword,  // the client answered <unauthorized/>
  kLost,           // closed mid-reply, malformed, oversized, host unknown
};

class RpcError : public std::runtime_error {
 public:
  RpcError(RpcFault fault, const std::string& reason) : std::runtime_error(reason), fault_(fault) {}
  RpcFault fault() const { return fault_; }

 private:
  RpcFault fault_;
};

}  // namespace tessarin
