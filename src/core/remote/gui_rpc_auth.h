#pragma once
// The GUI RPC password check: <auth1/> gives a nonce, <auth2> answers with MD5(nonce password).

#include <string>
#include <string_view>

namespace tessarin {

class GuiRpcConnection;

// Lower-case hex MD5 of the nonce followed by the password.
std::string NonceHash(std::string_view nonce, std::string_view password);

// Runs auth1 and auth2 on the connection; throws RpcError (kWrongPassword when the client
// says <unauthorized/>).
void Authorize(GuiRpcConnection& connection, std::string_view password);

}  // namespace tessarin
