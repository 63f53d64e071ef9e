#include "os/process_setup.h"

#include <QtGlobal>

#include <QByteArray>
#include <QFile>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <csignal>

#include <thread>

#include <dirent.h>
#include <fcntl.h>
#include <sched.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace ProcessSetup {

namespace {

// The mask as Start() found it; the usual default until then.
mode_t g_startMask = 022;

// The mask the kernel reports in /proc/self/status ("Umask:\t0022"); false without one.
[[nodiscard]] bool maskFromProc(mode_t& mask) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return false;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (!line.startsWith("Umask:"))
            continue;
        bool ok = false;
        const uint value = line.mid(6).trimmed().toUInt(&ok, 8);
        if (!ok || value > 0777)
            return false;
        mask = mode_t(value);
        return true;
    }
    return false;
}

// Opens /dev/null until descriptors 0 to 2 are all taken: open() always gives the lowest
// free one, so a closed standard stream is filled first.
void openStandardStreams() {
    for (int fd = 0; fd <= 2; ++fd) {
        if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF)
            continue;
        const int opened = ::open("/dev/null", O_RDWR);
        if (opened < 0)
            return;
        if (opened > 2) {
            // Something else filled the gap meanwhile; nothing more can be done.
            ::close(opened);
            return;
        }
    }
}

} // namespace

void Start() {
    openStandardStreams();
    // Without /proc the mask can only be learnt by setting it, which is safe only now, while
    // the process has one thread.
    mode_t mask = 0;
    if (maskFromProc(mask)) {
        g_startMask = mask;
        return;
    }
    g_startMask = ::umask(0);
    ::umask(g_startMask);
}

mode_t FileCreationMask() {
    mode_t mask = 0;
    return maskFromProc(mask) ? mask : g_startMask;
}

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

int UsableCores() {
    cpu_set_t allowed;
    CPU_ZERO(&allowed);
    if (::sched_getaffinity(0, sizeof allowed, &allowed) == 0 && CPU_COUNT(&allowed) > 0)
        return CPU_COUNT(&allowed);
    return int(std::max(1u, std::thread::hardware_concurrency()));
}

} // namespace ProcessSetup
