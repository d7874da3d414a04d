#pragma once
// Asks every remote client at once and remembers, between cycles, what each said last: the
// reason it failed (counted once per change), a refused password (not tried again within a
// minute unless it changed) and its last state (where a result reported since is found).

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/remote/remote_clients.h"
#include "core/remote/remote_query.h"

namespace tessarin {

struct RemoteLook {
  std::string key;  // "host:port"
  std::optional<RemoteSnapshot> snapshot;
  std::string reason;  // why there is no snapshot
};

class RemoteWatch {
 public:
  // One look per enabled client, in the given order; the queries run side by side.
  std::vector<RemoteLook> LookAtAll(const std::vector<RemoteClientSetting>& clients,
                                    const RpcTimeouts& timeouts, const std::string& programDir,
                                    double now);

  // True when `reason` differs from the last one of `key` (empty: the client answered).
  bool ReasonChanged(const std::string& key, const std::string& reason);

  // The state the client gave at its last successful look (empty before), then keeps `state`.
  std::string SwapState(const std::string& key, std::string state);

 private:
  struct Memory {
    std::string reason;
    double refusedAt = -1;  // Unix seconds
    std::string refusedPassword;
    std::string lastState;
  };
  std::map<std::string, Memory> memory_;
};

}  // namespace tessarin
