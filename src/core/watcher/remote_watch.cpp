#include "core/watcher/remote_watch.h"

#include <exception>
#include <future>

#include "core/remote/rpc_error.h"

namespace tessarin {

namespace {

constexpr double kPasswordRetrySeconds = 60;
constexpr const char* kWrongPassword = "wrong password";

struct Attempt {
  std::optional<RemoteSnapshot> snapshot;
  std::string reason;
  bool refused = false;
};

Attempt Ask(const RemoteAddress& address, const std::string& password,
            const RpcTimeouts& timeouts) {
  Attempt attempt;
  try {
    attempt.snapshot = QueryRemoteClient(address, password, timeouts);
  } catch (const RpcError& error) {
    attempt.reason = error.what();
    attempt.refused = error.fault() == RpcFault::kWrongPassword;
  } catch (const std::exception& error) {
    attempt.reason = error.what();
  }
  return attempt;
}

}  // namespace

std::vector<RemoteLook> RemoteWatch::LookAtAll(const std::vector<RemoteClientSetting>& clients,
                                               const RpcTimeouts& timeouts,
                                               const std::string& programDir, double now) {
  std::vector<RemoteLook> looks;
  std::vector<std::string> passwords;
  std::vector<std::future<Attempt>> pending;
  for (const RemoteClientSetting& client : clients) {
    if (!client.enabled)
      continue;
    RemoteLook& look = looks.emplace_back();
    look.key = client.address.Key();
    std::string& password = passwords.emplace_back();
    try {
      password = ReadRemotePassword(client, programDir);
    } catch (const std::exception& error) {
      look.reason = error.what();
      pending.emplace_back();
      continue;
    }
    const Memory& memory = memory_[look.key];
    if (memory.refusedAt >= 0 && now - memory.refusedAt < kPasswordRetrySeconds &&
        memory.refusedPassword == password) {
      look.reason = kWrongPassword;
      pending.emplace_back();
      continue;
    }
    pending.push_back(std::async(std::launch::async, Ask, client.address, password, timeouts));
  }
  for (std::size_t i = 0; i < looks.size(); ++i) {
    if (!pending[i].valid())
      continue;
    Attempt attempt = pending[i].get();
    Memory& memory = memory_[looks[i].key];
    looks[i].snapshot = std::move(attempt.snapshot);
    looks[i].reason = attempt.reason;
    if (attempt.refused) {
      memory.refusedAt = now;
      memory.refusedPassword = passwords[i];
    } else {
      memory.refusedAt = -1;
      memory.refusedPassword.clear();
    }
  }
  return looks;
}

bool RemoteWatch::ReasonChanged(const std::string& key, const std::string& reason) {
  Memory& memory = memory_[key];
  const bool changed = memory.reason != reason;
  memory.reason = reason;
  return changed;
}

std::string RemoteWatch::SwapState(const std::string& key, std::string state) {
  std::string last = std::move(memory_[key].lastState);
  memory_[key].lastState = std::move(state);
  return last;
}

}  // namespace tessarin
