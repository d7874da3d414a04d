#pragma once
// Signals that a failed write would otherwise end the process with, half-way through a row.

namespace tessarin {

// SIGXFSZ (a file-size limit reached) and SIGPIPE are ignored: the write then fails with
// EFBIG or EPIPE, which the writers roll back and report like a full disk.
void IgnoreWriteSignals();

}  // namespace tessarin
