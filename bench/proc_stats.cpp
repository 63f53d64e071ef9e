#include "proc_stats.h"

#include <QByteArray>
#include <QFile>
#include <QList>

#include <sys/resource.h>
#include <unistd.h>

namespace ProcStats {

namespace {

// The value in KiB of one "Name:   123 kB" line of /proc/self/status.
qint64 statusKiB(const QByteArray& Name) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    // One read: the file is generated on each read and a few KiB long.
    const QList<QByteArray> lines = status.readAll().split('\n');
    for (const QByteArray& line : lines) {
        if (!line.startsWith(Name + ':'))
            continue;
        const QList<QByteArray> fields = line.mid(Name.size() + 1).simplified().split(' ');
        return fields.value(0).toLongLong();
    }
    return -1;
}

double seconds(const timeval& Time) {
    return double(Time.tv_sec) + double(Time.tv_usec) / 1e6;
}

} // namespace

qint64 ResidentKiB() {
    return statusKiB("VmRSS");
}

qint64 PeakResidentKiB() {
    return statusKiB("VmHWM");
}

bool ResetPeakResident() {
    // "5" in clear_refs resets the peak resident size (Linux 4.0 and later).
    QFile clearRefs(QStringLiteral("/proc/self/clear_refs"));
    if (!clearRefs.open(QIODevice::WriteOnly))
        return false;
    return clearRefs.write("5") == 1;
}

double OwnCpuSeconds() {
    rusage usage{};
    if (getrusage(RUSAGE_SELF, &usage) != 0)
        return 0;
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

double ChildrenCpuSeconds() {
    rusage usage{};
    if (getrusage(RUSAGE_CHILDREN, &usage) != 0)
        return 0;
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

qint64 InvoluntarySwitches() {
    rusage usage{};
    return getrusage(RUSAGE_SELF, &usage) == 0 ? qint64(usage.ru_nivcsw) : 0;
}

double MachineBusySeconds() {
    QFile stat(QStringLiteral("/proc/stat"));
    if (!stat.open(QIODevice::ReadOnly))
        return 0;
    // "cpu user nice system idle iowait irq softirq steal ...": all but idle and iowait.
    const QList<QByteArray> fields = stat.readLine().simplified().split(' ');
    qint64 busy = 0;
    for (qsizetype i = 1; i < fields.size() && i <= 8; ++i) {
        if (i != 4 && i != 5)
            busy += fields.at(i).toLongLong();
    }
    return double(busy) / double(sysconf(_SC_CLK_TCK));
}

int ProcessorCount() {
    return int(sysconf(_SC_NPROCESSORS_ONLN));
}

} // namespace ProcStats
