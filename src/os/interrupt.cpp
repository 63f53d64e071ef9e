#include "os/interrupt.h"

#include <atomic>
#include <csignal>

namespace Interrupt {

namespace {

// Lock-free, so the signal handler may set it.
std::atomic<bool> g_requested{false};
static_assert(std::atomic<bool>::is_always_lock_free);

void onSignal(int) {
    g_requested.store(true, std::memory_order_relaxed);
}

void catchSignal(int signalNumber) {
    struct sigaction action {};
    action.sa_handler = &onSignal;
    sigemptyset(&action.sa_mask);
    // Reads and writes carry on rather than fail half-done; the run looks at the flag.
    action.sa_flags = SA_RESTART;
    sigaction(signalNumber, &action, nullptr);
}

} // namespace

void Install() {
    catchSignal(SIGINT);
    catchSignal(SIGTERM);
    catchSignal(SIGHUP);
    std::signal(SIGPIPE, SIG_IGN);
}

bool Requested() {
    return g_requested.load(std::memory_order_relaxed);
}

} // namespace Interrupt
