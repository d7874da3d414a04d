#include "core/remote/remote_query.h"

#include "core/remote/gui_rpc_auth.h"
#include "core/remote/rpc_error.h"
#include "core/tools/text.h"

namespace tessarin {

namespace {

void ThrowOnRefusal(const std::string& reply) {
  if (ContainsText(reply, "<unauthorized"))
    throw RpcError(RpcFault::kWrongPassword, "wrong password");
}

}  // namespace

RemoteSnapshot QueryRemoteClient(const RemoteAddress& address, const std::string& password,
                                 const RpcTimeouts& timeouts) {
  GuiRpcConnection connection(address.host, address.port, timeouts);
  if (!password.empty())
    Authorize(connection, password);
  RemoteSnapshot snapshot;
  const std::string state = connection.Call("<get_state/>\n");
  ThrowOnRefusal(state);
  constexpr std::string_view kOpen = "<client_state>";
  const std::size_t open = state.find(kOpen);
  const std::size_t close = state.rfind("</client_state>");
  if (open == std::string::npos || close == std::string::npos || close < open)
    throw RpcError(RpcFault::kLost, "malformed reply to get_state");
  snapshot.state = state.substr(open + kOpen.size(), close - open - kOpen.size());
  snapshot.oldResults = connection.Call("<get_old_results/>\n");
  ThrowOnRefusal(snapshot.oldResults);
  return snapshot;
}

}  // namespace tessarin
