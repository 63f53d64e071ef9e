// vendrel-bench: packs template trees through Vendrel's window and compares the run with
// command-line packers. See `vendrel-bench --help` and the README's Performance section.

#include "bench_options.h"
#include "command_columns.h"
#include "report.h"
#include "trees.h"
#include "window_run.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

QTextStream& err() {
    static QTextStream stream(stderr);
    return stream;
}

bool allSucceeded(const TreeResult& Result) {
    if (Result.WindowRan && (!Result.WindowError.isEmpty() || !Result.Window.Succeeded))
        return false;
    for (const CommandFigures& command : Result.Commands) {
        if (command.Ran && !command.Succeeded)
            return false;
    }
    return true;
}

// Packs the tree through the window, when asked for, from a warm page cache.
void measureWindow(TreeResult& Result, const QString& OutputFolder, const BenchOptions& Options) {
    Result.WindowRan = Options.Window;
    if (!Options.Window)
        return;
    err() << "packing " << Result.Tree.Name << " through the window..." << Qt::endl;
    const QString archive =
        OutputFolder + QLatin1Char('/') + Result.Tree.Name + QStringLiteral(".dzt");
    Result.Window = RunWindowChild(Result.Tree, archive, Options.Timer, Result.WindowError);
    if (Options.Verify && Result.WindowError.isEmpty())
        Result.WindowCheck = VerifyArchive(archive);
    QFile::remove(archive);
}

// Packs one tree with the window and then with every command, round after round, each from
// a warm page cache, one after the other so that none competes with another for the cores.
TreeResult measureTree(const Tree& Tree, const QList<CommandColumn>& Columns,
                       const QString& OutputFolder, const BenchOptions& Options) {
    TreeSet::WarmCache(Tree);
    TreeResult result{Tree, {}, {}, {}, {}, true, Options.Runs, {}};
    measureWindow(result, OutputFolder, Options);
    QList<QList<CommandFigures>> rounds;
    for (int round = 1; round <= Options.Runs; ++round) {
        err() << "packing " << Tree.Name << " with the command-line packers, round " << round
              << " of " << Options.Runs << "..." << Qt::endl;
        rounds << QList<CommandFigures>();
        for (const CommandColumn& column : Columns)
            rounds.last() << RunCommand(column, Tree, OutputFolder, Options.Verify);
        for (const CommandColumn& column : Columns) {
            if (column.KeepArchive)
                QFile::remove(ArchivePath(column, Tree, OutputFolder));
        }
    }
    for (qsizetype i = 0; i < Columns.size(); ++i) {
        QList<CommandFigures> runs;
        for (const QList<CommandFigures>& round : std::as_const(rounds))
            runs << round.at(i);
        result.Commands << MedianFigures(runs);
    }
    result.Ratios = PairedRatios(Tree.Name, rounds);
    return result;
}

// Packs every tree of Options, printing each as it is done; Failed is set when a tree could
// not be had or a packer failed.
QList<TreeResult> measureTrees(const BenchOptions& Options, const QString& OutputFolder,
                               QTextStream& Out, bool& Failed) {
    TreeSet trees(Options.TreeRoot);
    const QList<CommandColumn> columns = CommandColumns(Options);
    QList<TreeResult> results;
    for (const QString& name : Options.Trees) {
        QString error;
        const Tree tree = trees.Prepare(name, Options.Given.value(name), error);
        if (tree.Path.isEmpty()) {
            err() << "tree " << name << ": " << error << Qt::endl;
            Failed = true;
            continue;
        }
        results << measureTree(tree, columns, OutputFolder, Options);
        PrintTree(Out, results.last());
        Failed = Failed || !allSucceeded(results.last());
    }
    return results;
}

int runBench(const BenchOptions& Options) {
    QTextStream out(stdout);
    PrintMachine(out);
    QTemporaryDir temporary(QDir::tempPath() + QStringLiteral("/vendrel-bench-out-XXXXXX"));
    const QString outputFolder =
        Options.WorkFolder.isEmpty() ? temporary.path() : Options.WorkFolder;
    QDir().mkpath(outputFolder);
    bool failed = false;
    PrintSummary(out, measureTrees(Options, outputFolder, out, failed));
    return failed ? 1 : 0;
}

} // namespace

int main(int argc, char** argv) {
    // The window is made offscreen unless the caller chose a platform; the window runs, in
    // child processes, inherit the choice.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc > 1 && qstrcmp(argv[1], "--window-run") == 0)
        return WindowRunMain(argc, argv);
    QCoreApplication app(argc, argv);
    BenchOptions options;
    QString error;
    if (!ParseOptions(QCoreApplication::arguments(), options, error)) {
        err() << "vendrel-bench: " << error << Qt::endl;
        return 2;
    }
    return runBench(options);
}
