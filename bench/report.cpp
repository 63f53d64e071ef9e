#include "report.h"

#include "proc_stats.h"

#include <QFile>
#include <QSysInfo>
#include <QtGlobal>

#include <algorithm>

namespace {

constexpr double MB = 1000.0 * 1000.0;

QString fixed(double Value, int Decimals) {
    return QString::number(Value, 'f', Decimals);
}

QString verdict(bool Met) {
    return Met ? QStringLiteral("met") : QStringLiteral("MISSED");
}

// The first line of /proc/cpuinfo that starts with Key, without the key.
QString cpuInfo(const QByteArray& Key) {
    QFile info(QStringLiteral("/proc/cpuinfo"));
    if (!info.open(QIODevice::ReadOnly))
        return {};
    for (QByteArray line = info.readLine(); !line.isEmpty(); line = info.readLine()) {
        if (line.startsWith(Key))
            return QString::fromLatin1(line.mid(line.indexOf(':') + 1)).trimmed();
    }
    return {};
}

QString firstLineOf(const QString& Path) {
    QFile file(Path);
    return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readLine()).trimmed()
                                          : QString();
}

bool isMemoryTree(const TreeResult& Result) {
    return Result.Tree.Name == Targets::MemoryTree;
}

bool memoryMet(const WindowFigures& Window) {
    return qMax(Window.PeakResidentAboveIdleMiB, Window.PeakHwmAboveIdleMiB) <=
           Targets::ResidentAboveIdleMiB;
}

// The reference command (zip) of a tree, or null when it did not run.
const CommandFigures* reference(const TreeResult& Result) {
    for (const CommandFigures& command : Result.Commands) {
        if (command.Reference)
            return command.Succeeded ? &command : nullptr;
    }
    return nullptr;
}

// The name of the reference command, for headings.
QString referenceName(const QList<CommandFigures>& Commands) {
    for (const CommandFigures& command : Commands) {
        if (command.Reference)
            return command.Name;
    }
    return QStringLiteral("zip");
}

void printWindowRun(QTextStream& Out, const WindowFigures& W) {
    Out << "  wall           " << fixed(W.WallSeconds, 2) << " s (walk before the run "
        << fixed(W.WalkSeconds, 3) << " s)\n";
    Out << "  floor          " << W.Steps << " steps x " << W.IntervalMs
        << " ms = " << fixed(W.Steps * W.IntervalMs / 1000.0, 2) << " s + work "
        << fixed(W.WorkSeconds, 2) << " s = " << fixed(W.FloorSeconds(), 2) << " s\n";
    Out << "  wall/floor     " << fixed(W.WallOverFloor(), 3)
        << "   [target <= " << Targets::WallOverFloor << ": "
        << verdict(W.WallOverFloor() <= Targets::WallOverFloor) << "]\n";
    Out << "  steps          longest " << fixed(W.LongestStepMs, 1) << " ms, p99 "
        << fixed(W.P99StepMs, 1) << " ms, mean " << fixed(W.MeanStepMs, 2) << " ms   [target "
        << "longest < " << Targets::LongestStepMs
        << " ms: " << verdict(W.LongestStepMs < Targets::LongestStepMs) << "]\n";
}

// What the steps did with their time: CPU, preemptions, sleeps, and the slow ones.
void printStepDetail(QTextStream& Out, const WindowFigures& W) {
    Out << "  step CPU       longest " << fixed(W.LongestCpuStepMs, 1) << " ms, p99 "
        << fixed(W.P99CpuStepMs, 1) << " ms\n";
    Out << "  longest step   #" << W.LongestStepIndex << ", " << W.LongestStepChunks << " chunks, "
        << fixed(W.LongestStepCpuMs, 1) << " ms of CPU; preempted " << W.LongestStepPreemptions
        << "x, slept " << W.LongestStepSleeps << "x, " << W.LongestStepMajorFaults
        << " major page faults\n";
    Out << "  interrupted    " << W.StepsPreempted << " steps preempted, " << W.StepsSlept
        << " steps slept (of " << W.Steps << ")\n";
    if (W.SlowSteps > 0)
        Out << "  slow steps     " << W.SlowSteps << " of " << SlowStepMs << " ms or more, at most "
            << fixed(W.SlowStepsMaxCpuMs, 1) << " ms of CPU each; " << W.SlowStepsPreempted
            << " preempted, " << W.SlowStepsSlept << " slept, " << W.SlowStepsFaulted
            << " faulted\n";
}

void printWaits(QTextStream& Out, const WindowFigures& W) {
    Out << "  between steps  " << W.IntervalMs << " ms + mean " << fixed(W.MeanGapExcessMs, 3)
        << " ms (longest +" << fixed(W.LongestGapExcessMs, 2) << " ms)\n";
}

void printWindowCost(QTextStream& Out, const TreeResult& Result) {
    const WindowFigures& w = Result.Window;
    Out << "  memory         idle window " << fixed(w.IdleResidentMiB, 1)
        << " MiB; peak VmRSS at step ends +" << fixed(w.PeakResidentAboveIdleMiB, 2)
        << " MiB, VmHWM +" << fixed(w.PeakHwmAboveIdleMiB, 2) << " MiB";
    if (isMemoryTree(Result))
        Out << "   [target <= " << Targets::ResidentAboveIdleMiB
            << " MiB: " << verdict(memoryMet(w)) << "]";
    Out << "\n  load           own CPU " << fixed(w.CpuSeconds, 2) << " s; other processes "
        << fixed(w.OtherLoadCores, 2) << " cores; preempted " << w.InvoluntarySwitches
        << " times\n";
}

void printWindow(QTextStream& Out, const TreeResult& Result) {
    const WindowFigures& w = Result.Window;
    Out << "window (Generate pressed in an offscreen Form1; tmrNext " << w.IntervalMs << " ms, "
        << w.TimerType << ")\n";
    Out << "  status         " << w.Status << ", " << w.Files << " files, archive "
        << fixed(double(w.ArchiveBytes) / MB, 1) << " MB";
    if (!Result.WindowCheck.isEmpty())
        Out << ", " << Result.WindowCheck;
    Out << "\n";
    printWindowRun(Out, w);
    printStepDetail(Out, w);
    printWaits(Out, w);
    printWindowCost(Out, Result);
}

void printCommand(QTextStream& Out, const CommandFigures& C, const TreeResult& Result) {
    Out << C.Name.leftJustified(15) << ' ';
    if (!C.Ran || !C.Succeeded) {
        Out << (C.Ran ? "FAILED: " : "not run: ") << C.Note << "\n";
        return;
    }
    Out << fixed(C.WallSeconds, 2) << " s";
    if (C.ArchiveBytes > 0)
        Out << ", archive " << fixed(double(C.ArchiveBytes) / MB, 1) << " MB";
    const CommandFigures* zip = reference(Result);
    if (zip == &C && Result.WindowRan)
        Out << "; window/" << C.Name << " " << fixed(Result.Window.WallSeconds / C.WallSeconds, 2);
    else if (zip && zip != &C)
        Out << "; " << C.Name << "/" << zip->Name << " "
            << fixed(C.WallSeconds / zip->WallSeconds, 2);
    if (!C.Note.isEmpty())
        Out << ", " << C.Note;
    Out << "\n";
    // /proc/stat counts in clock ticks: over less than a second the other load is noise.
    if (C.WallSeconds >= 1)
        Out << QString(16, QLatin1Char(' ')) << "CPU " << fixed(C.CpuSeconds, 2)
            << " s; other processes " << fixed(C.OtherLoadCores, 2) << " cores\n";
}

// A command's time and its ratio: the window over zip for zip itself, the command over zip
// for every other command.
void addCommandCells(QStringList& Cells, const CommandFigures& C, const TreeResult& Result) {
    const CommandFigures* zip = reference(Result);
    if (!C.Succeeded) {
        Cells << QStringLiteral("-") << QStringLiteral("-");
        return;
    }
    Cells << fixed(C.WallSeconds, 2);
    if (zip == &C)
        Cells << fixed(Result.Window.WallSeconds / C.WallSeconds, 2);
    else
        Cells << (zip ? fixed(C.WallSeconds / zip->WallSeconds, 2) : QStringLiteral("-"));
}

QStringList summaryHeader(const QList<TreeResult>& Results) {
    QStringList cells{"tree",       "files",      "MB",     "wall s",   "floor s",
                      "wall/floor", "longest ms", "p99 ms", "RSS+ MiB", "HWM+ MiB"};
    const QString zip = referenceName(Results.first().Commands);
    for (const CommandFigures& command : Results.first().Commands) {
        cells << command.Name + QStringLiteral(" s");
        cells << (command.Reference ? QStringLiteral("window/") + command.Name
                                    : command.Name + QLatin1Char('/') + zip);
    }
    return cells;
}

QStringList summaryRow(const TreeResult& R) {
    const WindowFigures& w = R.Window;
    QStringList cells{R.Tree.Name, QString::number(R.Tree.Files),
                      fixed(double(R.Tree.Bytes) / MB, 1)};
    cells << fixed(w.WallSeconds, 2) << fixed(w.FloorSeconds(), 2) << fixed(w.WallOverFloor(), 3)
          << fixed(w.LongestStepMs, 1) << fixed(w.P99StepMs, 1)
          << fixed(w.PeakResidentAboveIdleMiB, 2) << fixed(w.PeakHwmAboveIdleMiB, 2);
    for (const CommandFigures& command : R.Commands)
        addCommandCells(cells, command, R);
    return cells;
}

void printCells(QTextStream& Out, const QStringList& Cells, const QList<qsizetype>& Widths) {
    for (qsizetype i = 0; i < Cells.size(); ++i)
        Out << (i == 0 ? Cells.at(i).leftJustified(Widths.at(i))
                       : Cells.at(i).rightJustified(Widths.at(i)))
            << "  ";
    Out << "\n";
}

bool ratioMet(const PairedRatio& Ratio) {
    return Ratio.Target <= 0 || Ratio.Median <= Ratio.Target;
}

int missedRatios(const TreeResult& R) {
    return int(std::count_if(R.Ratios.begin(), R.Ratios.end(),
                             [](const PairedRatio& Ratio) { return !ratioMet(Ratio); }));
}

// "0.42 (0.38-0.47), other load 0.31 cores [target <= 0.6: met]"
QString ratioText(const PairedRatio& Ratio) {
    QString text = fixed(Ratio.Median, 2) + QStringLiteral(" (") + fixed(Ratio.Low, 2) +
                   QLatin1Char('-') + fixed(Ratio.High, 2) + QStringLiteral(", ") +
                   QString::number(Ratio.Pairs) + QStringLiteral(" pairs), other load ") +
                   fixed(Ratio.OtherLoad, 2) + QStringLiteral(" cores");
    if (Ratio.Target > 0)
        text += QStringLiteral("   [target <= %1: %2]")
                    .arg(fixed(Ratio.Target, 2), verdict(ratioMet(Ratio)));
    return text;
}

void printRatios(QTextStream& Out, const TreeResult& Result) {
    if (Result.Ratios.isEmpty())
        return;
    Out << "paired ratios  wall time, median of " << Result.Rounds << " rounds (range)\n";
    for (const PairedRatio& ratio : Result.Ratios)
        Out << "  " << ratio.Name.leftJustified(34) << ' ' << ratioText(ratio) << "\n";
}

// One line per tree and ratio, for the closing summary.
void printRatioSummary(QTextStream& Out, const QList<TreeResult>& Results) {
    Out << "\npaired ratios (wall time; median of the rounds, range; other processes' load)\n";
    for (const TreeResult& result : Results) {
        for (const PairedRatio& ratio : result.Ratios)
            Out << result.Tree.Name.leftJustified(10) << ' ' << ratio.Name.leftJustified(34) << ' '
                << ratioText(ratio) << "\n";
    }
}

int missedTargets(const TreeResult& R) {
    if (!R.WindowRan)
        return missedRatios(R);
    if (!R.WindowError.isEmpty() || !R.Window.Succeeded)
        return 1 + missedRatios(R);
    const WindowFigures& w = R.Window;
    int missed = w.WallOverFloor() > Targets::WallOverFloor ? 1 : 0;
    missed += w.LongestStepMs >= Targets::LongestStepMs ? 1 : 0;
    return missed + (isMemoryTree(R) && !memoryMet(w) ? 1 : 0) + missedRatios(R);
}

void printWindowSummary(QTextStream& Out, const QList<TreeResult>& Results) {
    QList<QStringList> rows{summaryHeader(Results)};
    for (const TreeResult& result : Results)
        rows << summaryRow(result);
    QList<qsizetype> widths(rows.first().size(), 0);
    for (const QStringList& row : rows) {
        for (qsizetype i = 0; i < row.size() && i < widths.size(); ++i)
            widths[i] = qMax(widths.at(i), row.at(i).size());
    }
    Out << "\nsummary (window = Vendrel's window, 16 ms timer; times in seconds)\n";
    for (const QStringList& row : rows)
        printCells(Out, row, widths);
}

} // namespace

void PrintMachine(QTextStream& Out) {
    Out << "machine   " << ProcStats::ProcessorCount() << " cores, " << cpuInfo("model name")
        << ", " << QSysInfo::prettyProductName() << ", kernel " << QSysInfo::kernelVersion()
        << "\n";
    Out << "memory    " << firstLineOf(QStringLiteral("/proc/meminfo")).simplified() << "\n";
    Out << "software  Qt " << qVersion() << "; load average at start "
        << firstLineOf(QStringLiteral("/proc/loadavg")).section(QLatin1Char(' '), 0, 2) << "\n";
    Out.flush();
}

void PrintTree(QTextStream& Out, const TreeResult& Result) {
    const ::Tree& tree = Result.Tree;
    Out << "\n== " << tree.Name << ": " << tree.Files << " files, "
        << fixed(double(tree.Bytes) / MB, 1) << " MB (" << tree.Origin << ", " << tree.Path
        << ") ==\n";
    if (!Result.WindowRan)
        Out << "window         not run (--no-window)\n";
    else if (Result.WindowError.isEmpty())
        printWindow(Out, Result);
    else
        Out << "window         FAILED: " << Result.WindowError << "\n";
    if (Result.Rounds > 1)
        Out << "commands       medians of " << Result.Rounds << " rounds\n";
    for (const CommandFigures& command : Result.Commands)
        printCommand(Out, command, Result);
    printRatios(Out, Result);
    Out.flush();
}

int PrintSummary(QTextStream& Out, const QList<TreeResult>& Results) {
    if (Results.isEmpty())
        return 0;
    int missed = 0;
    for (const TreeResult& result : Results)
        missed += missedTargets(result);
    if (Results.first().WindowRan)
        printWindowSummary(Out, Results);
    printRatioSummary(Out, Results);
    Out << (missed ? QStringLiteral("%1 target(s) missed").arg(missed)
                   : QStringLiteral("all targets met"))
        << "\n";
    Out.flush();
    return missed;
}
