#include "platform/write_signals.h"

#include <csignal>

namespace tessarin {

void IgnoreWriteSignals() {
  std::signal(SIGXFSZ, SIG_IGN);
  std::signal(SIGPIPE, SIG_IGN);
}

}  // namespace tessarin
