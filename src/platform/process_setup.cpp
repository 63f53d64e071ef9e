#include "platform/process_setup.h"

#include <csignal>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace ProcessSetup {

void IgnoreFileSizeSignal() {
    std::signal(SIGXFSZ, SIG_IGN);
}

void ShareOneHeap() {
#ifdef __GLIBC__
    ::mallopt(M_ARENA_MAX, 1);
#endif
}

} // namespace ProcessSetup
