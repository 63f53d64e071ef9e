#include "app/start_arguments.h"

#include "os/translations.h"

#include <QCoreApplication>

#include <cstdio>

namespace StartArguments {

namespace {

constexpr int UsageStatus = 2;

enum class Request { Window, Help, Version, UsageError };

// The command line read once: what it asks for, with the folder argument or the error.
struct Parsed {
    Request Asked = Request::Window;
    std::optional<QString> Folder;
    QString Error;
};

// Help comes before the version, and either before an error, whatever their order: an
// option Qt would take out later must not keep --help from answering.
Parsed parse(const QStringList& Args) {
    bool help = false;
    bool version = false;
    bool onlyPaths = false;
    QStringList paths;
    QString error;
    for (const QString& arg : Args) {
        // "-" alone is a name; "--" makes every later argument a path.
        if (onlyPaths || !arg.startsWith(QLatin1Char('-')) || arg == QLatin1String("-")) {
            paths << arg;
        } else if (arg == QLatin1String("--")) {
            onlyPaths = true;
        } else if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            help = true;
        } else if (arg == QLatin1String("--version")) {
            version = true;
        } else if (error.isEmpty()) {
            //: Error of the vendrel command; %1 is the option given.
            error = QCoreApplication::translate("StartArguments", "unknown option '%1'").arg(arg);
        }
    }
    if (error.isEmpty() && paths.size() > 1) {
        //: Error of the vendrel command, which takes one folder at most; %1 is the
        //: arguments left over.
        error = QCoreApplication::translate("StartArguments", "too many arguments: '%1'")
                    .arg(paths.mid(1).join(QLatin1Char(' ')));
    }
    Parsed parsed;
    parsed.Asked = help               ? Request::Help
                   : version          ? Request::Version
                   : !error.isEmpty() ? Request::UsageError
                                      : Request::Window;
    parsed.Error = error;
    if (!paths.isEmpty())
        parsed.Folder = paths.first();
    return parsed;
}

QString helpText() {
    //: The vendrel command's help. Keep the options (--help, -platform...) and the layout
    //: as they are, and lines under 80 columns. FOLDER may be translated; Generate is the
    //: window's buttons, use their translation.
    return QCoreApplication::translate(
        "StartArguments",
        "Usage: vendrel [FOLDER]\n"
        "       vendrel --help | --version\n"
        "\n"
        "Opens Vendrel's window. A template project FOLDER given here is taken as if it\n"
        "had been dropped on the window: it fills the folder field and enables the\n"
        "Generate buttons. A file, a missing path or a remote address leaves the window\n"
        "as it starts, with the reason in its status line.\n"
        "\n"
        "  -h, --help     show this help\n"
        "  --version      show the version\n"
        "\n"
        "The window also takes Qt's own options, such as -platform NAME or -style NAME.\n"
        "vendrel-pack makes the same packages from the command line, without a window.\n");
}

// Control characters would drive the terminal; they show as "?".
QString printable(QString Text) {
    for (QChar& c : Text) {
        if (c.category() == QChar::Other_Control)
            c = QLatin1Char('?');
    }
    return Text;
}

} // namespace

Outcome AnswerOnTerminal(int& Argc, char** Argv, int& ExitStatus) {
    QStringList args;
    for (int i = 1; i < Argc; ++i)
        args << QString::fromLocal8Bit(Argv[i]);
    const Request asked = parse(args).Asked;
    if (asked != Request::Help && asked != Request::Version)
        return Outcome::OpenWindow;
    // Only to carry the help's translation: no window system is asked for anything.
    const QCoreApplication app(Argc, Argv);
    Translations::Install();
    const QString text =
        asked == Request::Help ? helpText() : QStringLiteral("vendrel " VENDREL_VERSION "\n");
    std::fputs(text.toUtf8().constData(), stdout);
    ExitStatus = std::fflush(stdout) == 0 ? 0 : 1;
    return Outcome::Exit;
}

Outcome ReadFolderArgument(const QStringList& Arguments, std::optional<QString>& Folder,
                           int& ExitStatus) {
    const Parsed parsed = parse(Arguments.mid(1));
    if (parsed.Asked != Request::UsageError) {
        Folder = parsed.Folder;
        return Outcome::OpenWindow;
    }
    //: Second line of every usage error of the vendrel command; keep the command as it is.
    const QString hint =
        QCoreApplication::translate("StartArguments", "Try 'vendrel --help' for more information.");
    const QString text = QStringLiteral("vendrel: %1\n%2\n").arg(printable(parsed.Error), hint);
    std::fputs(text.toUtf8().constData(), stderr);
    ExitStatus = UsageStatus;
    return Outcome::Exit;
}

} // namespace StartArguments
