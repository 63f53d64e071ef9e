#include "bench_options.h"

#include "trees.h"

#include <QCommandLineParser>
#include <QFileInfo>

namespace {

const QString Description = QStringLiteral(
    "Packs template trees through Vendrel's window (offscreen, the real Zipper and its 16 ms "
    "timer) and measures the run: wall time against the timer floor, step lengths, resident "
    "memory; compares with zip -r -6 and vendrel-pack on the same trees.");

QString builtPackProgram() {
#ifdef VENDREL_BENCH_PACK
    return QStringLiteral(VENDREL_BENCH_PACK);
#else
    return {};
#endif
}

// "--tree NAME=PATH": NAME is packed from PATH; a new NAME joins the list of trees.
bool addGivenTrees(const QStringList& Values, BenchOptions& Options, QString& Error) {
    for (const QString& value : Values) {
        const qsizetype cut = value.indexOf(QLatin1Char('='));
        if (cut <= 0 || cut == value.size() - 1) {
            Error = QStringLiteral("--tree wants NAME=PATH, not ") + value;
            return false;
        }
        const QString name = value.left(cut);
        Options.Given.insert(name, value.mid(cut + 1));
        if (!Options.Trees.contains(name))
            Options.Trees << name;
    }
    return true;
}

// The benchmark's options, in the order --help lists them.
struct Switches {
    QCommandLineOption Only{QStringLiteral("only"),
                            QStringLiteral("Pack only these trees (comma-separated)."),
                            QStringLiteral("names")};
    QCommandLineOption Tree{QStringLiteral("tree"),
                            QStringLiteral("Pack the folder PATH as tree NAME."),
                            QStringLiteral("NAME=PATH")};
    QCommandLineOption Root{QStringLiteral("tree-root"),
                            QStringLiteral("Generate the trees into DIR and keep them; later "
                                           "runs reuse them."),
                            QStringLiteral("DIR")};
    QCommandLineOption Work{QStringLiteral("work"), QStringLiteral("Write the archives into DIR."),
                            QStringLiteral("DIR")};
    QCommandLineOption NoZip{QStringLiteral("no-zip"), QStringLiteral("Do not run zip.")};
    QCommandLineOption Pack{QStringLiteral("pack"),
                            QStringLiteral("The vendrel-pack executable to compare (default: "
                                           "the one built with the bench)."),
                            QStringLiteral("PATH")};
    QCommandLineOption Verify{QStringLiteral("verify"),
                              QStringLiteral("Test every archive with unzip -tq.")};
    QCommandLineOption NoWindow{QStringLiteral("no-window"),
                                QStringLiteral("Do not pack through the window, only with the "
                                               "command-line packers.")};
    QCommandLineOption Runs{QStringLiteral("runs"),
                            QStringLiteral("Run the command-line packers N rounds per tree, one "
                                           "after the other in each round; report medians and "
                                           "the medians of the paired ratios."),
                            QStringLiteral("N"), QStringLiteral("1")};
    QCommandLineOption Features{
        QStringLiteral("features"),
        QStringLiteral("Also time vendrel-pack --check against a pack's walk, --test against "
                       "unzip -tq and 7z t, and --level 1 and 9 against the default level and "
                       "zip -9, paired in every round.")};
    QCommandLineOption Timer{QStringLiteral("timer"),
                             QStringLiteral("Experiment: switch the window's timer to this type "
                                            "(precise or coarse) before each run."),
                             QStringLiteral("type")};
};

bool takeValues(const QCommandLineParser& Parser, const Switches& S, BenchOptions& Options,
                QString& Error) {
    Options.Trees = Parser.isSet(S.Only)
                        ? Parser.value(S.Only).split(QLatin1Char(','), Qt::SkipEmptyParts)
                        : TreeSet::GeneratedKinds();
    Options.TreeRoot = Parser.value(S.Root);
    Options.WorkFolder = Parser.value(S.Work);
    Options.Zip = !Parser.isSet(S.NoZip);
    Options.PackProgram = Parser.isSet(S.Pack) ? QFileInfo(Parser.value(S.Pack)).absoluteFilePath()
                                               : builtPackProgram();
    Options.Verify = Parser.isSet(S.Verify);
    Options.Window = !Parser.isSet(S.NoWindow);
    Options.Features = Parser.isSet(S.Features);
    bool number = false;
    Options.Runs = Parser.value(S.Runs).toInt(&number);
    if (!number || Options.Runs < 1 || Options.Runs > 99) {
        Error = QStringLiteral("--runs wants a number from 1 to 99");
        return false;
    }
    Options.Timer = Parser.value(S.Timer);
    const QStringList timerTypes{QStringLiteral("precise"), QStringLiteral("coarse")};
    if (Options.Timer.isEmpty() || timerTypes.contains(Options.Timer))
        return true;
    Error = QStringLiteral("--timer wants precise or coarse");
    return false;
}

} // namespace

bool ParseOptions(const QStringList& Arguments, BenchOptions& Options, QString& Error) {
    QCommandLineParser parser;
    parser.setApplicationDescription(Description);
    parser.addHelpOption();
    const Switches s;
    parser.addOptions({s.Only, s.Tree, s.Root, s.Work, s.NoZip, s.Pack, s.Verify, s.NoWindow,
                       s.Runs, s.Features, s.Timer});
    parser.process(Arguments);
    if (!parser.positionalArguments().isEmpty()) {
        Error = QStringLiteral("unexpected argument: ") + parser.positionalArguments().first();
        return false;
    }
    return takeValues(parser, s, Options, Error) &&
           addGivenTrees(parser.values(s.Tree), Options, Error);
}
