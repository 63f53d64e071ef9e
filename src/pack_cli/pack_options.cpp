#include "pack_cli/pack_options.h"

#include "packing/exclusions.h"
#include "packing/package_date.h"

#include <QCoreApplication>

namespace {

const QString KindOption = QStringLiteral("--kind");
const QString LevelOption = QStringLiteral("--level");
const QString DateOption = QStringLiteral("--date");
const QString ExcludeOption = QStringLiteral("--exclude");
const QString ExcludeFromOption = QStringLiteral("--exclude-from");

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
    bool check = false;
    bool test = false;
    bool kindSeen = false;
    bool onlyPaths = false;
    QStringList paths;
};

// Whether Args[Index] is the option Name with a value ("--name VALUE" or "--name=VALUE");
// the value goes into Value, and Index past it. Missing is set when none follows.
bool takesValue(const QStringList& Args, qsizetype& Index, const QString& Name, QString& Value,
                bool& Missing) {
    const QString& arg = Args.at(Index);
    Missing = false;
    if (arg.startsWith(Name + QLatin1Char('='))) {
        Value = arg.mid(Name.size() + 1);
        return true;
    }
    if (arg != Name)
        return false;
    Missing = ++Index >= Args.size();
    if (!Missing)
        Value = Args.at(Index);
    return true;
}

// A level as zip users give it, 0 to 9; the last one given counts.
bool takeLevel(const QString& Value, PackOptions& Options, QString& Error) {
    const bool digit =
        Value.size() == 1 && Value.at(0) >= QLatin1Char('0') && Value.at(0) <= QLatin1Char('9');
    if (!digit) {
        //: vendrel-pack error. --level is an option, never translated; %1 is what was given.
        Error =
            QCoreApplication::translate("PackOptions", "--level '%1' is not a level from 0 to 9")
                .arg(Value);
        return false;
    }
    Options.Level = Value.at(0).unicode() - '0';
    return true;
}

// The instant of --date; the last one given counts.
bool takeDate(const QString& Value, PackOptions& Options, QString& Error) {
    qint64 seconds = 0;
    switch (PackageDate::ReadDate(Value, seconds)) {
    case PackageDate::Reading::Usable:
        Options.Date = seconds;
        return true;
    case PackageDate::Reading::NoSuchDate:
        //: vendrel-pack error. --date is an option, never translated; %1 is what was given,
        //: in the right form but a day or time that does not exist (2024-02-30, 25:00).
        Error = QCoreApplication::translate("PackOptions", "--date '%1' names no such date or time")
                    .arg(Value);
        return false;
    case PackageDate::Reading::Malformed:
    case PackageDate::Reading::Unset:
        break;
    }
    //: vendrel-pack error. --date is an option, never translated; %1 is what was given. Keep
    //: the example and @SECONDS as they are (SECONDS may be translated as in the help).
    Error = QCoreApplication::translate("PackOptions", "--date '%1' is not a date and time such "
                                                       "as 2024-05-01T12:00:00Z, or @SECONDS")
                .arg(Value);
    return false;
}

// The short level options of zip: -0 to -9.
bool isShortLevel(const QString& Arg) {
    return Arg.size() == 2 && Arg.at(1) >= QLatin1Char('0') && Arg.at(1) <= QLatin1Char('9');
}

bool setFlag(bool& Flag) {
    Flag = true;
    return true;
}

bool takeKind(const QString& Value, PackOptions& Options, ParseState& State, QString& Error) {
    const std::optional<KindCode> kind = KindFromText(Value);
    if (!kind) {
        //: vendrel-pack error; %1 is what was given, %2 the list of kind codes (DZEP, DZT...).
        Error = QCoreApplication::translate("PackOptions", "unknown kind '%1' (one of %2)")
                    .arg(Value, kindCodes());
        return false;
    }
    if (State.kindSeen && *kind != Options.Kind) {
        //: vendrel-pack error. --kind is an option, never translated.
        Error =
            QCoreApplication::translate("PackOptions", "--kind given twice with different kinds");
        return false;
    }
    Options.Kind = *kind;
    State.kindSeen = true;
    return true;
}

bool takeExclude(const QString& Pattern, PackOptions& Options, QString& Error) {
    QString reason;
    Exclusions check;
    if (!check.Add(Pattern, &reason)) {
        //: vendrel-pack error. --exclude is an option, never translated; %1 is the pattern
        //: given, %2 why it cannot be used.
        Error =
            QCoreApplication::translate("PackOptions", "--exclude '%1': %2").arg(Pattern, reason);
        return false;
    }
    Options.Excludes << Pattern;
    return true;
}

//: vendrel-pack error.
QString emptyPathError() {
    return QCoreApplication::translate("PackOptions", "an empty path was given");
}

bool takeExcludeFrom(const QString& File, PackOptions& Options, QString& Error) {
    if (File.isEmpty()) {
        Error = emptyPathError();
        return false;
    }
    Options.ExcludeFrom << File;
    return true;
}

// The value of an option that takes one, given as "--option=VALUE" or as the next argument;
// false when there is none.
bool optionValue(const QStringList& Args, qsizetype& Index, const QString& Option, QString& Value) {
    const QString& arg = Args.at(Index);
    if (arg.startsWith(Option + QLatin1Char('='))) {
        Value = arg.mid(Option.size() + 1);
        return true;
    }
    if (++Index >= Args.size())
        return false;
    Value = Args.at(Index);
    return true;
}

bool isOption(const QString& Arg, const QString& Option) {
    return Arg == Option || Arg.startsWith(Option + QLatin1Char('='));
}

// Takes --exclude or --exclude-from at Args[Index]; false with Error when its value is
// missing or unusable.
bool takeExclusion(const QStringList& Args, qsizetype& Index, PackOptions& Options,
                   QString& Error) {
    const bool fromFile = isOption(Args.at(Index), ExcludeFromOption);
    QString value;
    if (!optionValue(Args, Index, fromFile ? ExcludeFromOption : ExcludeOption, value)) {
        //: vendrel-pack error. --exclude-from is an option, never translated.
        const QString noFile =
            QCoreApplication::translate("PackOptions", "--exclude-from needs a file");
        //: vendrel-pack error. --exclude is an option, never translated.
        const QString noPattern =
            QCoreApplication::translate("PackOptions", "--exclude needs a pattern");
        Error = fromFile ? noFile : noPattern;
        return false;
    }
    return fromFile ? takeExcludeFrom(value, Options, Error) : takeExclude(value, Options, Error);
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
    if (arg == QLatin1String("--test"))
        return setFlag(State.test);
    if (arg == QLatin1String("--quiet") || arg == QLatin1String("-q"))
        return setFlag(Options.Quiet);
    if (arg == QLatin1String("--overwrite"))
        return setFlag(Options.Overwrite);
    if (arg == QLatin1String("--check"))
        return setFlag(State.check);
    if (arg == QLatin1String("--verbose"))
        return setFlag(Options.Verbose);
    if (isOption(arg, ExcludeOption) || isOption(arg, ExcludeFromOption))
        return takeExclusion(Args, Index, Options, Error);
    if (arg.startsWith(KindOption + QLatin1Char('=')))
        return takeKind(arg.mid(KindOption.size() + 1), Options, State, Error);
    if (arg == KindOption) {
        if (++Index < Args.size())
            return takeKind(Args.at(Index), Options, State, Error);
        //: vendrel-pack error. --kind is an option, never translated; %1 lists the kind codes.
        Error = QCoreApplication::translate("PackOptions", "--kind needs a kind code (one of %1)")
                    .arg(kindCodes());
        return false;
    }
    if (isShortLevel(arg))
        return takeLevel(arg.mid(1), Options, Error);
    QString value;
    bool missing = false;
    if (takesValue(Args, Index, LevelOption, value, missing)) {
        if (!missing)
            return takeLevel(value, Options, Error);
        //: vendrel-pack error. --level is an option, never translated.
        Error = QCoreApplication::translate("PackOptions", "--level needs a level from 0 to 9");
        return false;
    }
    if (takesValue(Args, Index, DateOption, value, missing)) {
        if (!missing)
            return takeDate(value, Options, Error);
        //: vendrel-pack error. --date is an option, never translated. Keep the example and
        //: @SECONDS as they are (SECONDS may be translated as in the help).
        Error = QCoreApplication::translate(
            "PackOptions",
            "--date needs a date and time such as 2024-05-01T12:00:00Z, or @SECONDS");
        return false;
    }
    //: vendrel-pack error; %1 is the option given.
    Error = QCoreApplication::translate("PackOptions", "unknown option '%1'").arg(arg);
    return false;
}

// The paths fit when there are least to most of them and none is empty. Otherwise Error is
// wrongCount, or with sayTooMany the paths beyond most for too many.
bool pathsFit(const ParseState& State, qsizetype least, qsizetype most, const QString& wrongCount,
              bool sayTooMany, QString& Error) {
    const qsizetype count = State.paths.size();
    if (count < least || count > most) {
        //: vendrel-pack error; %1 is the arguments left over.
        const QString tooMany =
            QCoreApplication::translate("PackOptions", "too many arguments: '%1'");
        Error = sayTooMany && count > most
                    ? tooMany.arg(State.paths.mid(most).join(QLatin1Char(' ')))
                    : wrongCount;
        return false;
    }
    if (State.paths.contains(QString())) {
        Error = emptyPathError();
        return false;
    }
    return true;
}

// A check takes one path and no output; the kind is optional.
bool checkCheck(const ParseState& State, PackOptions& Options, QString& Error) {
    Options.KindGiven = State.kindSeen;
    //: vendrel-pack error. --check is an option, never translated; PROJECT_FOLDER is the
    //: name the help gives the path: use the same word as its translation.
    const QString wrongCount = QCoreApplication::translate(
        "PackOptions", "--check expects one PROJECT_FOLDER and no OUTPUT");
    if (!pathsFit(State, 1, 1, wrongCount, false, Error))
        return false;
    Options.ProjectFolder = State.paths.at(0);
    return true;
}

// Without --date, SOURCE_DATE_EPOCH fixes the entries' stamp; a value that is no number of
// seconds is refused rather than silently giving a package that differs on every run.
bool takeEnvironmentDate(PackOptions& Options, QString& Error) {
    if (Options.Date)
        return true;
    qint64 seconds = 0;
    switch (PackageDate::FromEnvironment(seconds)) {
    case PackageDate::Reading::Usable:
        Options.Date = seconds;
        return true;
    case PackageDate::Reading::Unset:
        return true;
    case PackageDate::Reading::Malformed:
    case PackageDate::Reading::NoSuchDate:
        break;
    }
    //: vendrel-pack error. SOURCE_DATE_EPOCH is an environment variable and --date an option,
    //: never translated; %1 is the variable's value.
    Error = QCoreApplication::translate("PackOptions",
                                        "SOURCE_DATE_EPOCH '%1' is not a whole number of seconds "
                                        "since 1970-01-01 00:00:00 UTC; unset it or give --date")
                .arg(qEnvironmentVariable(PackageDate::Variable));
    return false;
}

bool checkPack(const ParseState& State, PackOptions& Options, QString& Error) {
    if (Options.Verbose) {
        //: vendrel-pack error. --verbose and --check are options, never translated.
        Error = QCoreApplication::translate("PackOptions", "--verbose goes only with --check");
        return false;
    }
    if (!State.kindSeen) {
        //: vendrel-pack error. --kind is an option, never translated; %1 lists the kind codes.
        Error = QCoreApplication::translate("PackOptions", "missing --kind (one of %1)")
                    .arg(kindCodes());
        return false;
    }
    //: vendrel-pack error. PROJECT_FOLDER and OUTPUT are the names the help gives the two
    //: paths: use the same words as its translation.
    const QString tooFew =
        QCoreApplication::translate("PackOptions", "expected PROJECT_FOLDER and OUTPUT");
    if (!pathsFit(State, 2, 2, tooFew, true, Error))
        return false;
    Options.ProjectFolder = State.paths.at(0);
    Options.Output = State.paths.at(1);
    return takeEnvironmentDate(Options, Error);
}

// --test PACKAGE [PROJECT_FOLDER]: --kind, when given, names the naming to test against.
bool checkTest(const ParseState& State, PackOptions& Options, QString& Error) {
    if (Options.Verbose) {
        Error = QCoreApplication::translate("PackOptions", "--verbose goes only with --check");
        return false;
    }
    //: vendrel-pack error. --test is an option, never translated; PACKAGE and
    //: PROJECT_FOLDER are the names the help gives the paths: use the same words.
    const QString tooFew =
        QCoreApplication::translate("PackOptions", "--test expects PACKAGE [PROJECT_FOLDER]");
    if (!pathsFit(State, 1, 2, tooFew, true, Error))
        return false;
    // Patterns decide which of the folder's files a package should hold: without a folder
    // there is nothing for them to decide.
    if (State.paths.size() == 1 && !(Options.Excludes.isEmpty() && Options.ExcludeFrom.isEmpty())) {
        //: vendrel-pack error. --exclude, --exclude-from and --test are options, never
        //: translated; PROJECT_FOLDER is the name the help gives the path.
        Error = QCoreApplication::translate(
            "PackOptions",
            "--exclude and --exclude-from go with --test only with a PROJECT_FOLDER");
        return false;
    }
    Options.Package = State.paths.at(0);
    Options.ProjectFolder = State.paths.value(1);
    Options.KindGiven = State.kindSeen;
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
                     : state.check     ? PackAction::Check
                     : state.test      ? PackAction::Test
                                       : PackAction::Pack;
    if (state.check && state.test) {
        //: Usage error of vendrel-pack; keep the options as they are.
        Error = QCoreApplication::translate("PackOptions",
                                            "--check and --test cannot be given together");
        return false;
    }
    if (Options.Action == PackAction::Check)
        return checkCheck(state, Options, Error);
    if (Options.Action == PackAction::Test)
        return checkTest(state, Options, Error);
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
            //: vendrel-pack error; %1 is the argument's number, %2 the argument as read.
            Error =
                QCoreApplication::translate("PackOptions", "argument %1 is not valid UTF-8: '%2'")
                    .arg(QString::number(i + 1), text);
            return false;
        }
        Args << text;
    }
    return true;
}

QString HelpText() {
    //: vendrel-pack's help. Keep the options (--kind, -q...), SOURCE_DATE_EPOCH, the example
    //: date and the layout as they are, and lines under 80 columns. KIND, PROJECT_FOLDER,
    //: OUTPUT, PACKAGE, N, WHEN and SECONDS may be translated, the same way everywhere (the
    //: errors use them too). %1 is the list of kind codes.
    return QCoreApplication::translate(
               "PackOptions",
               "Usage: vendrel-pack --kind KIND [--overwrite] [--quiet] [--level N]\n"
               "                    [--date WHEN] [--exclude PATTERN] PROJECT_FOLDER OUTPUT\n"
               "       vendrel-pack --check [--kind KIND] [--verbose] PROJECT_FOLDER\n"
               "       vendrel-pack --test [--kind KIND] PACKAGE [PROJECT_FOLDER]\n"
               "       vendrel-pack --list-kinds | --help | --version\n"
               "\n"
               "Packs PROJECT_FOLDER, with all its sub-folders, into the template package OUTPUT,\n"
               "exactly as Vendrel's window does for the same folder and kind.\n"
               "\n"
               "  --kind KIND    package kind, one of %1 (any case)\n"
               "  --overwrite    replace OUTPUT if it exists (otherwise it is refused)\n"
               "  -q, --quiet    print nothing but errors\n"
               "  --level N, -N  compression level: 0 stores every file, 1 is the fastest and\n"
               "                 9 the smallest (default: zlib's default level)\n"
               "  --date WHEN    stamp every entry with WHEN: an ISO 8601 date and time, UTC\n"
               "                 unless it names its zone (2024-05-01T12:00:00+02:00), or\n"
               "                 @SECONDS since 1970; wins over SOURCE_DATE_EPOCH\n"
               "  --exclude PATTERN, --exclude-from FILE\n"
               "                 leave out what PATTERN, or a pattern of FILE, matches\n"
               "  --check        write nothing; list every problem a pack of PROJECT_FOLDER\n"
               "                 would meet, what it leaves out, and whether it is ready\n"
               "  --verbose      with --check, also list the paths a pack leaves out\n"
               "  --test         verify PACKAGE as an installer reads it (every header, entry,\n"
               "                 CRC and name), and compare it with PROJECT_FOLDER when given\n"
               "  --list-kinds   list the kinds with their extensions and entry names\n"
               "  -h, --help     show this help\n"
               "  --version      show the version\n"
               "\n"
               "OUTPUT gets the kind's extension when its full path holds no '.' at all. It must\n"
               "not lie directly in PROJECT_FOLDER. The package is written beside OUTPUT under a\n"
               "temporary name and takes OUTPUT's place only when complete. On a terminal a\n"
               "progress bar shows on standard error; when standard output is not a terminal, a\n"
               "line per packed file goes there. --check without --kind checks for every kind.\n"
               "\n"
               "Patterns are shell-style (*, ?, [...], ** for any folders), matched below\n"
               "PROJECT_FOLDER with / between folders; a .vendrelignore file at its top holds\n"
               "more, one a line.\n"
               "\n"
               "With SOURCE_DATE_EPOCH set to a number of seconds since 1970 (or with --date),\n"
               "every entry carries that instant in UTC instead of the time of the run, so the\n"
               "same folder gives the same package, byte for byte, wherever it is packed.\n"
               "\n"
               "Exit status: 0 success, 2 usage error, 3 destination refused, 4 project folder\n"
               "cannot be packed, 5 read or write failure, 130 interrupted; --test: 0 intact\n"
               "(and matching), 6 damaged, unsafe or different, 5 package unreadable.\n")
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
                    .arg(KindText(kind.FrameCaption));
    }
    return text;
}

QString VersionText() {
    return QStringLiteral("vendrel-pack " VENDREL_VERSION "\n");
}
