#include "core/remote/gui_rpc_auth.h"

#include <openssl/evp.h>

#include "core/remote/gui_rpc_connection.h"
#include "core/remote/rpc_error.h"
#include "core/tools/tag_extract.h"
#include "core/tools/text.h"

namespace tessarin {

std::string NonceHash(std::string_view nonce, std::string_view password) {
  std::string input(nonce);
  input += password;
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int length = 0;
  if (EVP_Digest(input.data(), input.size(), digest, &length, EVP_md5(), nullptr) != 1)
    throw RpcError(RpcFault::kLost, "MD5 not available");
  static constexpr char kHex[] = "0123456789abcdef";
  std::string hex;
  for (unsigned int i = 0; i < length; ++i) {
    hex += kHex[digest[i] >> 4];
    hex += kHex[digest[i] & 0x0F];
  }
  return hex;
}

void Authorize(GuiRpcConnection& connection, std::string_view password) {
  const std::string nonce = ExtractTag(connection.Call("<auth1/>\n"), "nonce");
  if (nonce.empty())
    throw RpcError(RpcFault::kLost, "malformed reply to auth1");
  const std::string answer = connection.Call("<auth2>\n<nonce_hash>" + NonceHash(nonce, password) +
                                             "</nonce_hash>\n</auth2>\n");
  if (ContainsText(answer, "<authorized/>"))
    return;
  if (ContainsText(answer, "<unauthorized"))
    throw RpcError(RpcFault::kWrongPassword, "wrong password");
  throw RpcError(RpcFault::kLost, "malformed reply to auth2");
}

}  // namespace tessarin
