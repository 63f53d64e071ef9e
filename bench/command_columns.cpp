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

// Column run on one core only, through taskset; missing when taskset is not installed.
CommandColumn pinned(CommandColumn Column) {
    const QString taskset = QStandardPaths::findExecutable(QStringLiteral("taskset"));
    const QString core = QString::number(qMax(0, ProcStats::ProcessorCount() - 1));
    const QString program = Column.Program;
    const auto arguments = Column.Arguments;
    Column.Name += QStringLiteral(" 1 core");
    Column.Reference = false;
    Column.Program = taskset.isEmpty() || program.isEmpty() ? QString() : taskset;
    Column.Missing =
        taskset.isEmpty() ? QStringLiteral("taskset is not installed") : Column.Missing;
    Column.Arguments = [program, arguments, core](const QString& TreePath, const QString& Archive) {
        return QStringList{QStringLiteral("-c"), core, program} + arguments(TreePath, Archive);
    };
    return Column;
}

// The floor any packer stands on: reading every file of the tree once, as tar does.
CommandColumn readColumn() {
    return {
        .Name = QStringLiteral("read tree"),
        .Program = QStandardPaths::findExecutable(QStringLiteral("sh")),
        .Missing = QStringLiteral("sh is not installed"),
        .ArchiveSuffix = QString(),
        .Reference = false,
        .WritesArchive = false,
        .Arguments = [](const QString&, const QString&) {
            return QStringList{QStringLiteral("-c"), QStringLiteral("tar cf - . | cat >/dev/null")};
        }};
}

CommandColumn sevenZipColumn() {
    return {.Name = QStringLiteral("7z"),
            .Program = QStandardPaths::findExecutable(QStringLiteral("7z")),
            .Missing = QStringLiteral("7z is not installed"),
            .ArchiveSuffix = QStringLiteral(".zip"),
            .Reference = false,
            .WritesArchive = true,
            .Arguments = [](const QString&, const QString& Archive) {
                return QStringList{QStringLiteral("a"),
                                   QStringLiteral("-tzip"),
                                   QStringLiteral("-mx=5"),
                                   QStringLiteral("-bd"),
                                   Archive,
                                   QStringLiteral(".")};
            }};
}

CommandColumn bsdtarColumn() {
    return {.Name = QStringLiteral("bsdtar"),
            .Program = QStandardPaths::findExecutable(QStringLiteral("bsdtar")),
            .Missing = QStringLiteral("bsdtar is not installed"),
            .ArchiveSuffix = QStringLiteral(".zip"),
            .Reference = false,
            .WritesArchive = true,
            .Arguments = [](const QString&, const QString& Archive) {
                return QStringList{QStringLiteral("--format"), QStringLiteral("zip"),
                                   QStringLiteral("-cf"), Archive, QStringLiteral(".")};
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
    if (Options.Zip)
        columns << pinned(zipColumn());
    columns << pinned(packColumn(Options.PackProgram)) << readColumn() << sevenZipColumn()
            << bsdtarColumn();
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
    const QString archive = OutputFolder + QLatin1Char('/') + Tree.Name + QLatin1Char('-') +
                            QString(Column.Name).replace(QLatin1Char(' '), QLatin1Char('-')) +
                            Column.ArchiveSuffix;
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
                        process.exitCode() == 0 &&
                        (figures.ArchiveBytes > 0 || !Column.WritesArchive);
    figures.Note = QString::fromLocal8Bit(process.readAllStandardError()).trimmed().left(300);
    if (figures.Succeeded)
        figures.Note = Verify && Column.WritesArchive ? VerifyArchive(archive) : QString();
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
