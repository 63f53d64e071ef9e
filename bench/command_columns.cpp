#include "command_columns.h"

#include "proc_stats.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace {

CommandColumn zipColumn() {
    return {.Name = QStringLiteral("zip"),
            .Program = QStandardPaths::findExecutable(QStringLiteral("zip")),
            .Missing = QStringLiteral("zip is not installed"),
            .ArchiveSuffix = QStringLiteral(".zip"),
            .Reference = true,
            .Arguments = [](const QString&, const QString& Archive) {
                return QStringList{QStringLiteral("-r"), QStringLiteral("-6"), QStringLiteral("-q"),
                                   Archive, QStringLiteral(".")};
            }};
}

CommandColumn packColumn(const QString& Program) {
    const bool found = !Program.isEmpty() && QFileInfo(Program).isExecutable();
    return {.Name = QStringLiteral("vendrel-pack"),
            .Program = found ? Program : QString(),
            .Missing = QStringLiteral("vendrel-pack is not built"),
            .ArchiveSuffix = QStringLiteral(".dzt"),
            .Reference = false,
            .Arguments = [](const QString& TreePath, const QString& Archive) {
                return QStringList{QStringLiteral("--kind"),
                                   QStringLiteral("dzt"),
                                   QStringLiteral("--quiet"),
                                   QStringLiteral("--overwrite"),
                                   TreePath,
                                   Archive};
            }};
}

// Runs Program to its end and notes its wall time, its CPU time and what the other processes
// of the machine used meanwhile.
bool runTimed(QProcess& Process, const QString& Program, const QStringList& Arguments,
              CommandFigures& Figures) {
    const double childrenCpu = ProcStats::ChildrenCpuSeconds();
    const double busy = ProcStats::MachineBusySeconds();
    QElapsedTimer clock;
    clock.start();
    Process.start(Program, Arguments);
    const bool finished = Process.waitForFinished(-1);
    Figures.WallSeconds = double(clock.nsecsElapsed()) / 1e9;
    Figures.CpuSeconds = ProcStats::ChildrenCpuSeconds() - childrenCpu;
    const double others = ProcStats::MachineBusySeconds() - busy - Figures.CpuSeconds;
    if (Figures.WallSeconds > 0)
        Figures.OtherLoadCores =
            qBound(0.0, others / Figures.WallSeconds, double(ProcStats::ProcessorCount()));
    return finished;
}

} // namespace

QList<CommandColumn> CommandColumns(const BenchOptions& Options) {
    QList<CommandColumn> columns;
    if (Options.Zip)
        columns << zipColumn();
    columns << packColumn(Options.PackProgram);
    return columns;
}

CommandFigures RunCommand(const CommandColumn& Column, const Tree& Tree,
                          const QString& OutputFolder, bool Verify) {
    CommandFigures figures;
    figures.Name = Column.Name;
    figures.Reference = Column.Reference;
    figures.Note = Column.Missing;
    if (Column.Program.isEmpty())
        return figures;
    const QString archive = OutputFolder + QLatin1Char('/') + Tree.Name + Column.ArchiveSuffix;
    QFile::remove(archive);
    QProcess process;
    process.setWorkingDirectory(Tree.Path);
    // Its output is not wanted, and a terminal or a full pipe would only slow it down.
    process.setStandardOutputFile(QProcess::nullDevice());
    const bool finished =
        runTimed(process, Column.Program, Column.Arguments(Tree.Path, archive), figures);
    figures.Ran = true;
    figures.ArchiveBytes = QFileInfo(archive).size();
    figures.Succeeded = finished && process.exitStatus() == QProcess::NormalExit &&
                        process.exitCode() == 0 && figures.ArchiveBytes > 0;
    figures.Note = QString::fromLocal8Bit(process.readAllStandardError()).trimmed().left(300);
    if (figures.Succeeded)
        figures.Note = Verify ? VerifyArchive(archive) : QString();
    QFile::remove(archive);
    return figures;
}

QString VerifyArchive(const QString& Archive) {
    const QString unzip = QStandardPaths::findExecutable(QStringLiteral("unzip"));
    if (unzip.isEmpty())
        return QStringLiteral("no unzip");
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(unzip, {QStringLiteral("-tq"), Archive});
    process.waitForFinished(-1);
    if (process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0)
        return QStringLiteral("unzip -t ok");
    return QStringLiteral("unzip -t FAILED: ") +
           QString::fromLocal8Bit(process.readAll()).trimmed().left(300);
}
