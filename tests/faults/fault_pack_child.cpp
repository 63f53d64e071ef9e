// Packs a project as the window would, first under a file-size limit (RLIMIT_FSIZE) and then
// without it, in a process of its own so that neither the limit nor its signal reaches the
// test runner. Prints one line per run: its status texts joined by " | ".
// Arguments: project folder, first output, second output, limit in bytes, and "setup" to
// make the program's start-up settings first or "bare" to leave the process as it came.
#include "fault_rig.h"

#include "os/process_setup.h"

#include <QCoreApplication>

#include <csignal>
#include <cstdio>

#include <sys/resource.h>

namespace {

bool setFileSizeLimit(rlim_t Bytes) {
    rlimit limit{};
    if (::getrlimit(RLIMIT_FSIZE, &limit) != 0)
        return false;
    limit.rlim_cur = qMin(Bytes, limit.rlim_max);
    return ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
}

void print(const RunRecord& Run) {
    std::printf("%s\n", qPrintable(Run.Statuses.join(QStringLiteral(" | "))));
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 6)
        return 2;
    // A killed child must not leave a core file behind.
    const rlimit noCore{0, 0};
    ::setrlimit(RLIMIT_CORE, &noCore);
    // "bare" starts from the signal's default, whatever the parent left ignored.
    if (args[5] == QLatin1String("setup"))
        ProcessSetup::IgnoreFileSizeSignal();
    else
        std::signal(SIGXFSZ, SIG_DFL);
    PackRig rig;
    rig.values.ProjectFolder = args[1];
    if (!setFileSizeLimit(args[4].toULongLong()))
        return 3;
    print(PackWith(rig, KindCode::DZS, args[2]));
    if (!setFileSizeLimit(RLIM_INFINITY))
        return 3;
    print(PackWith(rig, KindCode::DZS, args[3]));
    return 0;
}
