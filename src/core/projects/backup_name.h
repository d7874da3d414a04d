#pragma once
// A name from a client file or a log becomes a backup path only when it is a plain file
// name (IsSafeFileName).

#include <string_view>

namespace tessarin {

class ExceptionLog;

// IsSafeFileName; a refused name is counted as operation + " - Unsafe file name".
bool AcceptBackupName(std::string_view name, std::string_view operation, ExceptionLog& log);

}  // namespace tessarin
