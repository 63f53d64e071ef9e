#include "pack_cli/pack_options.h"

namespace {

const QString KindOption = QStringLiteral("--kind");

QString kindCodes() {
    QStringList codes;
    for (const TemplateKind& kind : TemplateKinds())
        codes << QString::fromLatin1(kind.CodeText);
    return codes.join(QStringLiteral(", "));
}

// The parse in progress: what has been seen so far.
struct ParseState {
    bool help = false;
    bool version = false;
    bool listKinds = false;
    bool kindSeen = false;
    bool onlyPaths = false;
    QStringList paths;
};

bool setFlag(bool& Flag) {
    Flag = true;
    return true;
}

bool takeKind(const QString& Value, PackOptions& Options, ParseState& State, QString& Error) {
    const std::optional<KindCode> kind = KindFromText(Value);
    if (!kind) {
        Error = QStringLiteral("unknown kind '%1' (one of %2)").arg(Value, kindCodes());
        return false;
    }
    if (State.kindSeen && *kind != Options.Kind) {
        Error = QStringLiteral("--kind given twice with different kinds");
        return false;
    }
    Options.Kind = *kind;
    State.kindSeen = true;
    return true;
}

// Takes the option at Args[Index] (and its value, moving Index past it).
bool takeOption(const QStringList& Args, qsizetype& Index, PackOptions& Options, ParseState& State,
                QString& Error) {
    const QString& arg = Args.at(Index);
    if (arg == QLatin1String("--help") || arg == QLatin1String("-h"))
        return setFlag(State.help);
    if (arg == QLatin1String("--version"))
        return setFlag(State.version);
    if (arg == QLatin1String("--list-kinds"))
        return setFlag(State.listKinds);
    if (arg == QLatin1String("--quiet") || arg == QLatin1String("-q"))
        return setFlag(Options.Quiet);
    if (arg == QLatin1String("--overwrite"))
        return setFlag(Options.Overwrite);
    if (arg.startsWith(KindOption + QLatin1Char('=')))
        return takeKind(arg.mid(KindOption.size() + 1), Options, State, Error);
    if (arg == KindOption) {
        if (++Index < Args.size())
            return takeKind(Args.at(Index), Options, State, Error);
        Error = QStringLiteral("--kind needs a kind code (one of %1)").arg(kindCodes());
        return false;
    }
    Error = QStringLiteral("unknown option '%1'").arg(arg);
    return false;
}

bool checkPack(const ParseState& State, PackOptions& Options, QString& Error) {
    if (!State.kindSeen) {
        Error = QStringLiteral("missing --kind (one of %1)").arg(kindCodes());
        return false;
    }
    if (State.paths.size() != 2) {
        Error = State.paths.size() < 2 ? QStringLiteral("expected PROJECT_FOLDER and OUTPUT")
                                       : QStringLiteral("too many arguments: '%1'")
                                             .arg(State.paths.mid(2).join(QLatin1Char(' ')));
        return false;
    }
    if (State.paths.contains(QString())) {
        Error = QStringLiteral("an empty path was given");
        return false;
    }
    Options.ProjectFolder = State.paths.at(0);
    Options.Output = State.paths.at(1);
    return true;
}

} // namespace

bool ParseOptions(const QStringList& Args, PackOptions& Options, QString& Error) {
    Options = PackOptions();
    ParseState state;
    for (qsizetype i = 0; i < Args.size(); ++i) {
        const QString& arg = Args.at(i);
        // "-" alone is a name; "--" makes every later argument a path.
        if (state.onlyPaths || !arg.startsWith(QLatin1Char('-')) || arg == QLatin1String("-"))
            state.paths << arg;
        else if (arg == QLatin1String("--"))
            state.onlyPaths = true;
        else if (!takeOption(Args, i, Options, state, Error))
            return false;
    }
    Options.Action = state.help        ? PackAction::Help
                     : state.version   ? PackAction::Version
                     : state.listKinds ? PackAction::ListKinds
                                       : PackAction::Pack;
    return Options.Action != PackAction::Pack || checkPack(state, Options, Error);
}

std::optional<KindCode> KindFromText(const QString& Text) {
    for (const TemplateKind& kind : TemplateKinds()) {
        if (Text.compare(QLatin1String(kind.CodeText), Qt::CaseInsensitive) == 0)
            return kind.Code;
    }
    return std::nullopt;
}

bool ArgumentsFromBytes(const QByteArrayList& Raw, QStringList& Args, QString& Error) {
    Args.clear();
    for (qsizetype i = 0; i < Raw.size(); ++i) {
        const QString text = QString::fromUtf8(Raw.at(i));
        // A path that does not survive the round trip would name another file, or none.
        if (text.toUtf8() != Raw.at(i)) {
            Error = QStringLiteral("argument %1 is not valid UTF-8: '%2'").arg(i + 1).arg(text);
            return false;
        }
        Args << text;
    }
    return true;
}

QString HelpText() {
    return QStringLiteral(
               "Usage: vendrel-pack --kind KIND [--overwrite] [--quiet] PROJECT_FOLDER OUTPUT\n"
               "       vendrel-pack --list-kinds | --help | --version\n"
               "\n"
               "Packs PROJECT_FOLDER, with all its sub-folders, into the template package OUTPUT,\n"
               "exactly as Vendrel's window does for the same folder and kind.\n"
               "\n"
               "  --kind KIND    package kind, one of %1 (any case)\n"
               "  --overwrite    replace OUTPUT if it exists (otherwise it is refused)\n"
               "  -q, --quiet    print nothing but errors\n"
               "  --list-kinds   list the kinds with their extensions and entry names\n"
               "  -h, --help     show this help\n"
               "  --version      show the version\n"
               "\n"
               "OUTPUT gets the kind's extension when its full path holds no '.' at all. It must\n"
               "not lie directly in PROJECT_FOLDER. The package is written beside OUTPUT under a\n"
               "temporary name and takes OUTPUT's place only when complete. On a terminal a\n"
               "progress bar shows on standard error; when standard output is not a terminal, a\n"
               "line per packed file goes there.\n"
               "\n"
               "Exit status: 0 success, 2 usage error, 3 destination refused, 4 project folder\n"
               "cannot be packed, 5 read or write failure, 130 interrupted.\n")
        .arg(kindCodes());
}

QString KindsText() {
    QString text;
    for (const TemplateKind& kind : TemplateKinds()) {
        const QString naming = kind.Naming == ArchiveNaming::FolderNamed
                                   ? QStringLiteral("FOLDER\\path")
                               : kind.Naming == ArchiveNaming::Relative ? QStringLiteral("path")
                                                                        : QStringLiteral(".\\path");
        text += QStringLiteral("%1 %2 %3 %4\n")
                    .arg(QString::fromLatin1(kind.CodeText), -5)
                    .arg(QString::fromLatin1(kind.Extension), -6)
                    .arg(naming, -12)
                    .arg(QString::fromLatin1(kind.FrameCaption));
    }
    return text;
}

QString VersionText() {
    return QStringLiteral("vendrel-pack " VENDREL_VERSION "\n");
}
