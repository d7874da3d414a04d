#pragma once
// One look at a remote client: what get_state and get_old_results answer.

#include <string>

#include "core/remote/gui_rpc_connection.h"
#include "core/remote/remote_address.h"

namespace tessarin {

struct RemoteSnapshot {
  // The <client_state> element's value.
  std::string state;
  // The value of the reply to get_old_results: <old_result> elements.
  std::string oldResults;
};

// Connects, authorises (an empty password skips it: the client then needs none), and asks
// for the state and the recently reported results. Throws RpcError.
RemoteSnapshot QueryRemoteClient(const RemoteAddress& address, const std::string& password,
                                 const RpcTimeouts& timeouts);

}  // namespace tessarin
