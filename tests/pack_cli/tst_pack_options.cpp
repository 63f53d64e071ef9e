#include "pack_cli/pack_options.h"
#include "packing/package_date.h"

#include <QTest>

#include <limits>

// The command line: what each form asks for, and every way it can be wrong.
class TstPackOptions : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void cleanup() { qunsetenv(PackageDate::Variable); }
    void parse_data();
    void parse();
    void usageErrors_data();
    void usageErrors();
    void argumentsMustBeUtf8();
    void kindsListedInTableOrder();
    void versionIsTheProjects();
};

Q_DECLARE_METATYPE(PackAction)
Q_DECLARE_METATYPE(KindCode)

void TstPackOptions::parse_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<PackAction>("action");
    QTest::addColumn<KindCode>("kind");
    QTest::addColumn<QString>("project");
    QTest::addColumn<QString>("output");
    QTest::addColumn<bool>("quiet");
    QTest::addColumn<bool>("overwrite");
    QTest::addColumn<int>("level");
    QTest::addColumn<QString>("date");  // seconds since 1970, empty for none
    QTest::addColumn<QString>("epoch"); // SOURCE_DATE_EPOCH, or "unset"
    const auto pack = PackAction::Pack;
    QTest::newRow("lower-case kind")
        << QStringList{"--kind", "dzt", "Intro", "out/Intro"} << pack << KindCode::DZT << "Intro"
        << "out/Intro" << false << false << -1 << ""
        << "unset";
    QTest::newRow("kind= and upper case")
        << QStringList{"--kind=DZEP", "a", "b"} << pack << KindCode::DZEP << "a"
        << "b" << false << false << -1 << ""
        << "unset";
    QTest::newRow("mixed case") << QStringList{"--kind", "dZtR", "a", "b"} << pack << KindCode::DZTR
                                << "a"
                                << "b" << false << false << -1 << ""
                                << "unset";
    QTest::newRow("options after the paths")
        << QStringList{"a", "b", "--kind", "dzs", "--quiet", "--overwrite"} << pack << KindCode::DZS
        << "a"
        << "b" << true << true << -1 << ""
        << "unset";
    QTest::newRow("short quiet") << QStringList{"-q", "--kind", "dzm", "a", "b"} << pack
                                 << KindCode::DZM << "a"
                                 << "b" << true << false << -1 << ""
                                 << "unset";
    QTest::newRow("paths after --")
        << QStringList{"--kind", "dzp", "--", "-a", "--quiet"} << pack << KindCode::DZP << "-a"
        << "--quiet" << false << false << -1 << ""
        << "unset";
    QTest::newRow("lone dash is a path")
        << QStringList{"--kind", "dzp", "-", "b"} << pack << KindCode::DZP << "-"
        << "b" << false << false << -1 << ""
        << "unset";
    QTest::newRow("same kind twice")
        << QStringList{"--kind", "dzt", "--kind=DZT", "a", "b"} << pack << KindCode::DZT << "a"
        << "b" << false << false << -1 << ""
        << "unset";
    QTest::newRow("help alone") << QStringList{"--help"} << PackAction::Help << KindCode::DZT << ""
                                << "" << false << false << -1 << ""
                                << "unset";
    QTest::newRow("-h with paths")
        << QStringList{"-h", "a"} << PackAction::Help << KindCode::DZT << ""
        << "" << false << false << -1 << ""
        << "unset";
    QTest::newRow("version with extra arguments")
        << QStringList{"x", "--version", "y", "z"} << PackAction::Version << KindCode::DZT << ""
        << "" << false << false << -1 << ""
        << "unset";
    QTest::newRow("list kinds") << QStringList{"--list-kinds"} << PackAction::ListKinds
                                << KindCode::DZT << ""
                                << "" << false << false << -1 << ""
                                << "unset";
    QTest::newRow("help before version")
        << QStringList{"--version", "--help"} << PackAction::Help << KindCode::DZT << ""
        << "" << false << false << -1 << ""
        << "unset";
    const QStringList dzt{"--kind", "dzt", "a", "b"};
    QTest::newRow("--level 0") << (dzt + QStringList{"--level", "0"}) << pack << KindCode::DZT
                               << "a"
                               << "b" << false << false << 0 << ""
                               << "unset";
    QTest::newRow("--level=1") << (dzt + QStringList{"--level=1"}) << pack << KindCode::DZT << "a"
                               << "b" << false << false << 1 << ""
                               << "unset";
    QTest::newRow("-9") << (QStringList{"-9"} + dzt) << pack << KindCode::DZT << "a"
                        << "b" << false << false << 9 << ""
                        << "unset";
    QTest::newRow("the last level counts")
        << (dzt + QStringList{"-1", "--level", "6", "-0"}) << pack << KindCode::DZT << "a"
        << "b" << false << false << 0 << ""
        << "unset";
    QTest::newRow("--date in UTC")
        << (dzt + QStringList{"--date", "2024-05-01T12:00:00Z"}) << pack << KindCode::DZT << "a"
        << "b" << false << false << -1 << "1714564800"
        << "unset";
    QTest::newRow("--date= with an offset")
        << (dzt + QStringList{"--date=2024-05-01T12:00:00+02:00"}) << pack << KindCode::DZT << "a"
        << "b" << false << false << -1 << "1714557600"
        << "unset";
    QTest::newRow("--date without a zone is UTC")
        << (dzt + QStringList{"--date", "2024-05-01 12:00"}) << pack << KindCode::DZT << "a"
        << "b" << false << false << -1 << "1714564800"
        << "unset";
    QTest::newRow("--date with a fraction and a western offset")
        << (dzt + QStringList{"--date", "2024-05-01t12:00:00.75-0530"}) << pack << KindCode::DZT
        << "a"
        << "b" << false << false << -1 << "1714584600"
        << "unset";
    QTest::newRow("--date of a day alone")
        << (dzt + QStringList{"--date", "2024-05-01"}) << pack << KindCode::DZT << "a"
        << "b" << false << false << -1 << "1714521600"
        << "unset";
    QTest::newRow("--date @SECONDS")
        << (dzt + QStringList{"--date", "@-5"}) << pack << KindCode::DZT << "a"
        << "b" << false << false << -1 << "-5"
        << "unset";
    QTest::newRow("SOURCE_DATE_EPOCH") << dzt << pack << KindCode::DZT << "a"
                                       << "b" << false << false << -1 << "1700000000"
                                       << "1700000000";
    QTest::newRow("SOURCE_DATE_EPOCH beyond 64 bits")
        << dzt << pack << KindCode::DZT << "a"
        << "b" << false << false << -1 << QString::number(std::numeric_limits<qint64>::max())
        << "123456789012345678901234567890";
    QTest::newRow("--date wins over an unusable SOURCE_DATE_EPOCH")
        << (dzt + QStringList{"--date", "@5"}) << pack << KindCode::DZT << "a"
        << "b" << false << false << -1 << "5"
        << "soon";
    QTest::newRow("help with an unusable SOURCE_DATE_EPOCH")
        << QStringList{"--help"} << PackAction::Help << KindCode::DZT << ""
        << "" << false << false << -1 << ""
        << "soon";
}

namespace {

// SOURCE_DATE_EPOCH as a row has it: "unset", or its value.
void setEpoch(const QString& Epoch) {
    if (Epoch == QLatin1String("unset"))
        qunsetenv(PackageDate::Variable);
    else
        qputenv(PackageDate::Variable, Epoch.toUtf8());
}

} // namespace

void TstPackOptions::parse() {
    QFETCH(QStringList, args);
    QFETCH(QString, epoch);
    setEpoch(epoch);
    PackOptions options;
    QString error;
    QVERIFY2(ParseOptions(args, options, error), qPrintable(error));
    QTEST(options.Action, "action");
    if (options.Action != PackAction::Pack)
        return;
    QTEST(options.Kind, "kind");
    QTEST(options.ProjectFolder, "project");
    QTEST(options.Output, "output");
    QTEST(options.Quiet, "quiet");
    QTEST(options.Overwrite, "overwrite");
    QTEST(options.Level, "level");
    QFETCH(QString, date);
    QCOMPARE(options.Date ? QString::number(*options.Date) : QString(), date);
}

void TstPackOptions::usageErrors_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("error");
    QTest::addColumn<QString>("epoch"); // SOURCE_DATE_EPOCH, or "unset"
    QTest::newRow("nothing") << QStringList{} << "missing --kind"
                             << "unset";
    QTest::newRow("no kind") << QStringList{"a", "b"} << "missing --kind"
                             << "unset";
    QTest::newRow("kind without value") << QStringList{"a", "b", "--kind"} << "--kind needs"
                                        << "unset";
    QTest::newRow("unknown kind") << QStringList{"--kind", "zip", "a", "b"} << "unknown kind 'zip'"
                                  << "unset";
    QTest::newRow("empty kind=") << QStringList{"--kind=", "a", "b"} << "unknown kind ''"
                                 << "unset";
    QTest::newRow("two kinds") << QStringList{"--kind", "dzt", "--kind", "dzs", "a", "b"}
                               << "given twice"
                               << "unset";
    QTest::newRow("one path") << QStringList{"--kind", "dzt", "a"}
                              << "expected PROJECT_FOLDER and OUTPUT"
                              << "unset";
    QTest::newRow("three paths") << QStringList{"--kind", "dzt", "a", "b", "c"}
                                 << "too many arguments: 'c'"
                                 << "unset";
    QTest::newRow("empty path") << QStringList{"--kind", "dzt", "", "b"} << "empty path"
                                << "unset";
    QTest::newRow("unknown option")
        << QStringList{"--kind", "dzt", "--fast", "a", "b"} << "unknown option '--fast'"
        << "unset";
    QTest::newRow("option with a value it takes none")
        << QStringList{"--quiet=yes", "--kind", "dzt", "a", "b"} << "unknown option '--quiet=yes'"
        << "unset";
    QTest::newRow("unknown option beats help")
        << QStringList{"--help", "-x"} << "unknown option '-x'"
        << "unset";
    const QStringList dzt{"--kind", "dzt", "a", "b"};
    const auto row = [&dzt](const char* Name, const QStringList& Args, const char* Error,
                            const char* Epoch = "unset") {
        QTest::newRow(Name) << (dzt + Args) << Error << Epoch;
    };
    row("level 10", {"--level", "10"}, "--level '10' is not a level from 0 to 9");
    row("empty --level=", {"--level="}, "--level '' is not a level");
    row("level without value", {"--level"}, "--level needs a level from 0 to 9");
    row("-10", {"-10"}, "unknown option '-10'");
    row("date in words", {"--date", "yesterday"},
        "--date 'yesterday' is not a date and time such as 2024-05-01T12:00:00Z, or @SECONDS");
    row("date without value", {"--date"}, "--date needs a date and time");
    row("date with a line end", {"--date", "2024-05-01\n"}, "is not a date and time");
    row("@ with a fraction", {"--date", "@1.5"}, "--date '@1.5' is not");
    row("30 February", {"--date", "2024-02-30T10:00"}, "--date '2024-02-30T10:00' names no such");
    row("hour 24", {"--date", "2024-05-01T24:00:00Z"}, "names no such date or time");
    row("offset of 24 hours", {"--date", "2024-05-01T12:00+24:00"}, "names no such");
    row("SOURCE_DATE_EPOCH with a fraction", {},
        "SOURCE_DATE_EPOCH '1700000000.5' is not a whole "
        "number of seconds since 1970-01-01 00:00:00 UTC; unset it or give --date",
        "1700000000.5");
    row("SOURCE_DATE_EPOCH empty", {}, "SOURCE_DATE_EPOCH '' is not", "");
    row("SOURCE_DATE_EPOCH with a space", {}, "SOURCE_DATE_EPOCH ' 1700000000' is not",
        " 1700000000");
    row("SOURCE_DATE_EPOCH as a date", {}, "is not a whole number", "2024-05-01");
}

void TstPackOptions::usageErrors() {
    QFETCH(QStringList, args);
    QFETCH(QString, error);
    QFETCH(QString, epoch);
    setEpoch(epoch);
    PackOptions options;
    QString text;
    QVERIFY(!ParseOptions(args, options, text));
    QVERIFY2(text.contains(error), qPrintable(text));
}

// A path that is not valid UTF-8 cannot be named again once it is text: refused, by number.
void TstPackOptions::argumentsMustBeUtf8() {
    QStringList args;
    QString error;
    QVERIFY(ArgumentsFromBytes({"--kind", "dzt", "Títulos", "out"}, args, error));
    QCOMPARE(args, (QStringList{"--kind", "dzt", QStringLiteral("Títulos"), "out"}));
    QVERIFY(!ArgumentsFromBytes({"--kind", "dzt", "bad\xff", "out"}, args, error));
    QVERIFY2(error.contains(QLatin1String("argument 3")), qPrintable(error));
}

void TstPackOptions::kindsListedInTableOrder() {
    const QStringList lines = KindsText().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 6);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const TemplateKind& kind = TemplateKinds()[size_t(i)];
        const QStringList fields = lines[i].split(QLatin1Char(' '), Qt::SkipEmptyParts);
        QCOMPARE(fields.value(0), QString::fromLatin1(kind.CodeText));
        QCOMPARE(fields.value(1), QString::fromLatin1(kind.Extension));
        QVERIFY(lines[i].endsWith(QLatin1String(kind.FrameCaption)));
        QCOMPARE(KindFromText(fields.value(0).toLower()), std::optional<KindCode>(kind.Code));
    }
}

void TstPackOptions::versionIsTheProjects() {
    QCOMPARE(VersionText(), QStringLiteral("vendrel-pack " VENDREL_VERSION "\n"));
}

QTEST_GUILESS_MAIN(TstPackOptions)
#include "tst_pack_options.moc"
