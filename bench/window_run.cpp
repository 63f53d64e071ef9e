#include "window_run.h"

#include "bench_platform.h"
#include "proc_stats.h"
#include "step_probe.h"
#include "step_stats.h"
#include "trees.h"

#include "main_window/form1.h"
#include "zip_engine/zipper.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QProcess>
#include <QPushButton>
#include <QTextStream>
#include <QTimer>

namespace {

constexpr double KiBPerMiB = 1024.0;
// A run that has not ended after this long is stuck; the benchmark reports it and stops.
constexpr int RunTimeoutMs = 3 * 60 * 60 * 1000;
constexpr KindCode BenchKind = KindCode::DZT;

// Lets the event loop run for Ms milliseconds (paints, layout, the window's first show).
void settle(int Ms) {
    QEventLoop loop;
    QTimer::singleShot(Ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// One measured run: the window, the probe, and what they saw.
class WindowRun {
  public:
    WindowRun(const QString& Folder, const QString& OutputPath, const QString& TimerType)
        : m_platform(Folder, OutputPath), m_output(OutputPath), m_probe(m_window.GetZipper()) {
        if (!TimerType.isEmpty())
            m_probe.SetTimerType(TimerType == QStringLiteral("precise") ? Qt::PreciseTimer
                                                                        : Qt::CoarseTimer);
    }

    WindowFigures Pack();

  private:
    bool prepare();
    bool startRun();
    void waitForEnd();
    void collectMemoryAndLoad();

    BenchPlatform m_platform;
    QString m_output;
    Form1 m_window{m_platform};
    StepProbe m_probe;
    WindowFigures m_figures;
    QElapsedTimer m_clock;
    qint64 m_idleKiB = 0;
    double m_cpuAtStart = 0;
    double m_busyAtStart = 0;
    qint64 m_switchesAtStart = 0;
    bool m_completed = false;
    bool m_canceled = false;
};

WindowFigures WindowRun::Pack() {
    m_figures.TimerType = m_probe.TimerTypeName();
    m_figures.IntervalMs = m_probe.IntervalMs();
    if (!prepare())
        return m_figures;
    if (startRun())
        waitForEnd();
    SummariseSteps(m_probe.Steps(), m_figures.IntervalMs, m_figures);
    collectMemoryAndLoad();
    m_figures.Status = m_window.Status();
    m_figures.ArchiveBytes = QFileInfo(m_output).size();
    m_figures.Succeeded = m_completed && !m_canceled &&
                          m_figures.Status == QStringLiteral("Success") &&
                          m_platform.Messages().isEmpty();
    return m_figures;
}

// Shows the window, chooses the project folder through "Browse" and lets the window idle.
bool WindowRun::prepare() {
    if (!m_probe.IsAttached()) {
        m_figures.Status = QStringLiteral("bench: the Zipper has no timer named tmrNext");
        return false;
    }
    m_window.show();
    settle(500);
    m_window.findChild<QPushButton*>(QStringLiteral("cmdSelectFolder"))->click();
    settle(300);
    m_idleKiB = ProcStats::ResidentKiB();
    ProcStats::ResetPeakResident();
    QObject::connect(&m_window.GetZipper(), &Zipper::StartFile, &m_window,
                     [this] { ++m_figures.Files; });
    return true;
}

// Presses the kind's Generate button: the window's pack command asks for the output file
// (the bench's answer), walks the tree onto the Zipper's queue and starts the run.
bool WindowRun::startRun() {
    m_cpuAtStart = ProcStats::OwnCpuSeconds();
    m_busyAtStart = ProcStats::MachineBusySeconds();
    m_switchesAtStart = ProcStats::InvoluntarySwitches();
    m_clock.start();
    m_window.GenerateButton(BenchKind)->click();
    m_figures.WalkSeconds = double(m_clock.nsecsElapsed()) / 1e9;
    m_probe.Start();
    return m_window.GetZipper().Zipping();
}

void WindowRun::waitForEnd() {
    QEventLoop loop;
    Zipper& zipper = m_window.GetZipper();
    QObject::connect(&zipper, &Zipper::Complete, &loop, [this, &loop](bool Canceled) {
        m_completed = true;
        m_canceled = Canceled;
        loop.quit();
    });
    QObject::connect(&zipper, &Zipper::Error, &loop, &QEventLoop::quit);
    QTimer::singleShot(RunTimeoutMs, &loop, &QEventLoop::quit);
    const qint64 start = m_clock.nsecsElapsed();
    loop.exec();
    m_figures.WallSeconds = double(m_clock.nsecsElapsed() - start) / 1e9;
}

void WindowRun::collectMemoryAndLoad() {
    m_figures.IdleResidentMiB = double(m_idleKiB) / KiBPerMiB;
    m_figures.PeakResidentAboveIdleMiB = double(m_probe.PeakResidentKiB() - m_idleKiB) / KiBPerMiB;
    m_figures.PeakHwmAboveIdleMiB = double(ProcStats::PeakResidentKiB() - m_idleKiB) / KiBPerMiB;
    m_figures.CpuSeconds = ProcStats::OwnCpuSeconds() - m_cpuAtStart;
    m_figures.InvoluntarySwitches = ProcStats::InvoluntarySwitches() - m_switchesAtStart;
    const double busy = ProcStats::MachineBusySeconds() - m_busyAtStart;
    const double elapsed = double(m_clock.nsecsElapsed()) / 1e9;
    m_figures.OtherLoadCores = elapsed > 0 ? qMax(0.0, busy - m_figures.CpuSeconds) / elapsed : 0;
}

} // namespace

WindowFigures PackThroughWindow(const QString& Folder, const QString& OutputPath,
                                const QString& TimerType) {
    WindowRun run(Folder, OutputPath, TimerType);
    return run.Pack();
}

int WindowRunMain(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() != 4 && args.size() != 5) {
        QTextStream(stderr) << "usage: vendrel-bench --window-run FOLDER OUTPUT [TIMER]\n";
        return 2;
    }
    const WindowFigures figures = PackThroughWindow(args.at(2), args.at(3), args.value(4));
    QTextStream(stdout) << QJsonDocument(figures.ToJson()).toJson(QJsonDocument::Compact) << '\n';
    return figures.Succeeded ? 0 : 1;
}

WindowFigures RunWindowChild(const Tree& Tree, const QString& ArchivePath, const QString& TimerType,
                             QString& Error) {
    QFile::remove(ArchivePath);
    QProcess child;
    // Qt's own warnings go to the bench's error output; the figures come on standard output.
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QStringList arguments{QStringLiteral("--window-run"), Tree.Path, ArchivePath};
    if (!TimerType.isEmpty())
        arguments << TimerType;
    child.start(QCoreApplication::applicationFilePath(), arguments);
    child.waitForFinished(-1);
    const QList<QByteArray> lines = child.readAllStandardOutput().trimmed().split('\n');
    const QJsonDocument json = QJsonDocument::fromJson(lines.last());
    if (!json.isObject()) {
        Error = QStringLiteral("the window run printed no figures (exit code %1)")
                    .arg(child.exitCode());
        return {};
    }
    return WindowFigures::FromJson(json.object());
}
