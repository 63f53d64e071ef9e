#include "platform/process_setup.h"

#include <QtGlobal>

#include <climits>
#include <csignal>

#include <dirent.h>
#include <sys/resource.h>

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

int OpenFilesLeft() {
    rlimit limit{};
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY ||
        limit.rlim_cur > rlim_t(INT_MAX))
        return INT_MAX;
    // The open descriptors are counted in /proc; without it, a handful is assumed.
    int open = 0;
    if (DIR* fds = ::opendir("/proc/self/fd")) {
        while (const dirent* entry = ::readdir(fds))
            open += entry->d_name[0] != '.' ? 1 : 0;
        ::closedir(fds);
    } else {
        open = 16;
    }
    return qMax(0, int(limit.rlim_cur) - open);
}

} // namespace ProcessSetup
