#include "command_columns.h"

#include "packing/pack_job.h"
#include "packing/template_kind.h"
#include "proc_stats.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <memory>
#include <vector>

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

// A vendrel-pack column with Extra in front of its arguments, named Name.
CommandColumn packVariant(const QString& Program, const QString& Name, const QStringList& Extra) {
    CommandColumn column = packColumn(Program);
    column.Name = Name;
    const auto arguments = column.Arguments;
    column.Arguments = [arguments, Extra](const QString& TreePath, const QString& Archive) {
        return Extra + arguments(TreePath, Archive);
    };
    return column;
}

// A command that reads what the column InputOf wrote in the round and writes nothing.
CommandColumn readerColumn(const QString& Name, const QString& Program, const QString& Missing,
                           const QStringList& Front, const QStringList& Back = {}) {
    return {.Name = Name,
            .Program = Program,
            .Missing = Missing,
            .ArchiveSuffix = QString(),
            .WritesArchive = false,
            .InputOf = QStringLiteral("vendrel-pack"),
            .Arguments = [Front, Back](const QString&, const QString& Archive) {
                return Front + QStringList{Archive} + Back;
            }};
}

// Counts the problems a collecting walk tells, as --check does, without printing them.
class ProblemCount : public WalkObserver {
  public:
    void Problem(const WalkProblem&) override { ++m_problems; }
    void LeftOut(WalkNote, const QString&) override {}
    qsizetype Problems() const { return m_problems; }

  private:
    qsizetype m_problems = 0;
};

// --check's own walk: collecting, every open closed again at once (nothing is read).
bool checkWalk(const QString& TreePath) {
    PackJob job(TreePath, KindOf(KindCode::DZT).Naming);
    ProblemCount problems;
    job.Collect(&problems);
    return job.Walk([](ZipFile, SourceReader&) {}) == PackJob::Outcome::Walked &&
           problems.Problems() == 0;
}

// The walk of a vendrel-pack pack: stopping at the first problem, keeping the list of files
// and every open, which the pack hands on to its reading thread (that thread reads and closes
// them, so their closing is not the walk's work: they are closed once the clock has stopped).
CommandColumn packWalkColumn() {
    struct Kept {
        std::vector<ZipFile> Files;
        std::vector<SourceReader> Opened;
    };
    auto kept = std::make_shared<Kept>();
    return {.Name = QStringLiteral("pack walk"),
            .Program = QStringLiteral("(in process)"),
            .Missing = QString(),
            .ArchiveSuffix = QString(),
            .WritesArchive = false,
            .InProcess =
                [kept](const QString& TreePath) {
                    PackJob job(TreePath, KindOf(KindCode::DZT).Naming, DefaultMaxFolderEntries);
                    return job.Walk([&kept](ZipFile file, SourceReader& opened) {
                        kept->Files.push_back(std::move(file));
                        kept->Opened.push_back(std::move(opened));
                    }) == PackJob::Outcome::Walked;
                },
            .AfterClock = [kept] { *kept = Kept(); }};
}

CommandColumn checkWalkColumn() {
    return {.Name = QStringLiteral("check walk"),
            .Program = QStringLiteral("(in process)"),
            .Missing = QString(),
            .ArchiveSuffix = QString(),
            .WritesArchive = false,
            .InProcess = checkWalk};
}

// Times Column's in-process work like a command: wall, own CPU, the other processes' load.
CommandFigures runInProcess(const CommandColumn& Column, const Tree& Tree, CommandFigures Figures) {
    const double cpu = ProcStats::OwnCpuSeconds();
    const double busy = ProcStats::MachineBusySeconds();
    QElapsedTimer clock;
    clock.start();
    Figures.Succeeded = Column.InProcess(Tree.Path);
    Figures.WallSeconds = double(clock.nsecsElapsed()) / 1e9;
    Figures.CpuSeconds = ProcStats::OwnCpuSeconds() - cpu;
    const double others = ProcStats::MachineBusySeconds() - busy - Figures.CpuSeconds;
    if (Figures.WallSeconds > 0)
        Figures.OtherLoadCores =
            qBound(0.0, others / Figures.WallSeconds, double(ProcStats::ProcessorCount()));
    if (Column.AfterClock)
        Column.AfterClock();
    Figures.Ran = true;
    Figures.Note = Figures.Succeeded ? QString() : QStringLiteral("the walk failed");
    return Figures;
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
    if (!Options.Features)
        return columns;
    // The package vendrel-pack writes stays for --test and the others that read it.
    for (CommandColumn& column : columns)
        column.KeepArchive = column.Name == QLatin1String("vendrel-pack");
    return columns + FeatureColumns(Options);
}

QList<CommandColumn> FeatureColumns(const BenchOptions& Options) {
    const QString pack = packColumn(Options.PackProgram).Program;
    const QString missing = QStringLiteral("vendrel-pack is not built");
    const QString sevenZip = QStandardPaths::findExecutable(QStringLiteral("7z"));
    CommandColumn zip9 = zipColumn();
    zip9.Name = QStringLiteral("zip -9");
    zip9.Reference = false;
    zip9.Arguments = [](const QString&, const QString& Archive) {
        return QStringList{QStringLiteral("-9"), QStringLiteral("-r"), QStringLiteral("-q"),
                           Archive, QStringLiteral(".")};
    };
    CommandColumn startUp =
        readerColumn(QStringLiteral("pack start-up"), pack, missing, {QStringLiteral("--version")});
    startUp.InputOf.clear();
    startUp.Arguments = [](const QString&, const QString&) {
        return QStringList{QStringLiteral("--version")};
    };
    CommandColumn check = startUp;
    check.Name = QStringLiteral("check");
    check.Arguments = [](const QString& TreePath, const QString&) {
        return QStringList{QStringLiteral("--check"), QStringLiteral("--kind"),
                           QStringLiteral("dzt"), QStringLiteral("--quiet"), TreePath};
    };
    return {startUp,
            check,
            checkWalkColumn(),
            packWalkColumn(),
            readerColumn(QStringLiteral("test"), pack, missing, {QStringLiteral("--test")}),
            readerColumn(QStringLiteral("unzip -t"),
                         QStandardPaths::findExecutable(QStringLiteral("unzip")),
                         QStringLiteral("unzip is not installed"), {QStringLiteral("-tq")}),
            readerColumn(QStringLiteral("7z t"), sevenZip, QStringLiteral("7z is not installed"),
                         {QStringLiteral("t"), QStringLiteral("-bd")}),
            packVariant(Options.PackProgram, QStringLiteral("level 1"),
                        {QStringLiteral("--level"), QStringLiteral("1")}),
            packVariant(Options.PackProgram, QStringLiteral("level 9"),
                        {QStringLiteral("--level"), QStringLiteral("9")}),
            zip9};
}

QString ArchivePath(const CommandColumn& Column, const Tree& Tree, const QString& OutputFolder) {
    return OutputFolder + QLatin1Char('/') + Tree.Name + QLatin1Char('-') +
           QString(Column.Name).replace(QLatin1Char(' '), QLatin1Char('-')) + Column.ArchiveSuffix;
}

CommandFigures RunCommand(const CommandColumn& Column, const Tree& Tree,
                          const QString& OutputFolder, bool Verify) {
    CommandFigures figures;
    figures.Name = Column.Name;
    figures.Reference = Column.Reference;
    figures.Note = Column.Missing;
    if (Column.InProcess)
        return runInProcess(Column, Tree, figures);
    if (Column.Program.isEmpty())
        return figures;
    // A reader's archive is the package its input column wrote earlier in the round.
    const QString archive =
        Column.InputOf.isEmpty()
            ? ArchivePath(Column, Tree, OutputFolder)
            : OutputFolder + QLatin1Char('/') + Tree.Name + QLatin1Char('-') +
                  QString(Column.InputOf).replace(QLatin1Char(' '), QLatin1Char('-')) +
                  QStringLiteral(".dzt");
    if (Column.InputOf.isEmpty())
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
    if (Column.InputOf.isEmpty() && !Column.KeepArchive)
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
