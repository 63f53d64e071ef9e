#include "platform/process_setup.h"

#include <csignal>

namespace ProcessSetup {

void IgnoreFileSizeSignal() {
    std::signal(SIGXFSZ, SIG_IGN);
}

} // namespace ProcessSetup
