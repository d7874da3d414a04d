#pragma once
// A name from a client file or a log becomes a backup path only when it is a plain file
// name (IsSafeFileName).

#include <string>
#include <string_view>

namespace tessarin {

struct Environment;
class ExceptionLog;

// IsSafeFileName; a refused name is counted as operation + " - Unsafe file name".
bool AcceptBackupName(std::string_view name, std::string_view operation, ExceptionLog& log);

// The copy of work unit `wuName` in the log directory. Throws ProjectRowNotReady when there
// is none (yet: a full disk, a log directory away), so that the row is owed, not lost.
std::string RequiredWorkunitCopy(const Environment& env, const std::string& wuName);

}  // namespace tessarin
