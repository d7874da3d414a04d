#pragma once
// The remote clients to watch and where their passwords are kept. Typed passwords live in
// "Tessarin.passwords" beside Tessarin.ini, readable by the user alone; a client can instead
// name a file whose first line is its password (a copy of its gui_rpc_auth.cfg).

#include <string>
#include <vector>

#include "core/remote/gui_rpc_connection.h"
#include "core/remote/remote_address.h"

namespace tessarin {

class SettingsStore;

struct RemoteClientSetting {
  RemoteAddress address;
  bool enabled = true;
  std::string passwordFile;  // empty: the credentials file, or no password

  bool operator==(const RemoteClientSetting&) const = default;
};

// Why a password file may not be used (missing, or readable by other users); empty when it
// may.
std::string PasswordFileProblem(const std::string& path);

// Every entry of section RemoteClients in file order; keys that name no address are skipped.
std::vector<RemoteClientSetting> ReadRemoteClients(const SettingsStore& settings);

// Replaces the section (and the password-file section) by `clients`.
void WriteRemoteClients(SettingsStore& settings, const std::vector<RemoteClientSetting>& clients);

// Options/remotetimeout for both timeouts; less than one second counts as one.
RpcTimeouts ReadRemoteTimeouts(const SettingsStore& settings);

// Path of the credentials file in a program directory (with its trailing separator).
std::string CredentialsPath(const std::string& programDir);

// The client's password: the first line of its password file, else its entry in the
// credentials file, else empty. Throws std::runtime_error naming the file (never its
// content) when a named password file cannot be read.
std::string ReadRemotePassword(const RemoteClientSetting& client, const std::string& programDir);

// Stores (or, with an empty password, removes) the typed password of `key` in the credentials
// file, which is created with mode 0600 and kept so. Throws std::runtime_error.
void StoreTypedPassword(const std::string& programDir, const std::string& key,
                        const std::string& password);

}  // namespace tessarin
