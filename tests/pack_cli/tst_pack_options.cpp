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
    void levelAndDate_data();
    void levelAndDate();
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
    const auto pack = PackAction::Pack;
    QTest::newRow("lower-case kind")
        << QStringList{"--kind", "dzt", "Intro", "out/Intro"} << pack << KindCode::DZT << "Intro"
        << "out/Intro" << false << false;
    QTest::newRow("kind= and upper case")
        << QStringList{"--kind=DZEP", "a", "b"} << pack << KindCode::DZEP << "a"
        << "b" << false << false;
    QTest::newRow("mixed case") << QStringList{"--kind", "dZtR", "a", "b"} << pack << KindCode::DZTR
                                << "a"
                                << "b" << false << false;
    QTest::newRow("options after the paths")
        << QStringList{"a", "b", "--kind", "dzs", "--quiet", "--overwrite"} << pack << KindCode::DZS
        << "a"
        << "b" << true << true;
    QTest::newRow("short quiet") << QStringList{"-q", "--kind", "dzm", "a", "b"} << pack
                                 << KindCode::DZM << "a"
                                 << "b" << true << false;
    QTest::newRow("paths after --")
        << QStringList{"--kind", "dzp", "--", "-a", "--quiet"} << pack << KindCode::DZP << "-a"
        << "--quiet" << false << false;
    QTest::newRow("lone dash is a path")
        << QStringList{"--kind", "dzp", "-", "b"} << pack << KindCode::DZP << "-"
        << "b" << false << false;
    QTest::newRow("same kind twice")
        << QStringList{"--kind", "dzt", "--kind=DZT", "a", "b"} << pack << KindCode::DZT << "a"
        << "b" << false << false;
    QTest::newRow("help alone") << QStringList{"--help"} << PackAction::Help << KindCode::DZT << ""
                                << "" << false << false;
    QTest::newRow("-h with paths")
        << QStringList{"-h", "a"} << PackAction::Help << KindCode::DZT << ""
        << "" << false << false;
    QTest::newRow("version with extra arguments")
        << QStringList{"x", "--version", "y", "z"} << PackAction::Version << KindCode::DZT << ""
        << "" << false << false;
    QTest::newRow("list kinds") << QStringList{"--list-kinds"} << PackAction::ListKinds
                                << KindCode::DZT << ""
                                << "" << false << false;
    QTest::newRow("help before version")
        << QStringList{"--version", "--help"} << PackAction::Help << KindCode::DZT << ""
        << "" << false << false;
}

void TstPackOptions::parse() {
    QFETCH(QStringList, args);
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

void TstPackOptions::levelAndDate_data() {
    QTest::addColumn<QStringList>("args"); // after --kind dzt a b
    QTest::addColumn<QString>("epoch");    // SOURCE_DATE_EPOCH, or "unset"
    QTest::addColumn<int>("level");
    QTest::addColumn<QString>("date"); // seconds since 1970, empty for none
    const auto row = [](const char* Name, const QStringList& Args, const char* Epoch, int Level,
                        const QString& Date) {
        QTest::newRow(Name) << Args << Epoch << Level << Date;
    };
    row("neither", {}, "unset", -1, "");
    row("--level 0", {"--level", "0"}, "unset", 0, "");
    row("--level=1", {"--level=1"}, "unset", 1, "");
    row("the last level counts", {"-1", "--level", "6", "-9"}, "unset", 9, "");
    row("--date in UTC", {"--date", "2024-05-01T12:00:00Z"}, "unset", -1, "1714564800");
    row("--date= with an offset", {"--date=2024-05-01T12:00:00+02:00"}, "unset", -1, "1714557600");
    row("--date without a zone is UTC", {"--date", "2024-05-01 12:00"}, "unset", -1, "1714564800");
    row("--date with a fraction, western", {"--date", "2024-05-01t12:00:00.75-0530"}, "unset", -1,
        "1714584600");
    row("--date of a day alone", {"--date", "2024-05-01"}, "unset", -1, "1714521600");
    row("--date @SECONDS", {"--date", "@-5"}, "unset", -1, "-5");
    row("SOURCE_DATE_EPOCH", {}, "1700000000", -1, "1700000000");
    row("SOURCE_DATE_EPOCH beyond 64 bits", {}, "123456789012345678901234567890", -1,
        QString::number(std::numeric_limits<qint64>::max()));
    row("--date wins over an unusable SOURCE_DATE_EPOCH", {"--date", "@5"}, "soon", -1, "5");
}

void TstPackOptions::levelAndDate() {
    QFETCH(QStringList, args);
    QFETCH(QString, epoch);
    QFETCH(QString, date);
    setEpoch(epoch);
    PackOptions options;
    QString error;
    QVERIFY2(ParseOptions(QStringList{"--kind", "dzt", "a", "b"} + args, options, error),
             qPrintable(error));
    QTEST(options.Level, "level");
    QCOMPARE(options.Date ? QString::number(*options.Date) : QString(), date);
    // The help needs no usable date.
    QVERIFY(ParseOptions({"--help"}, options, error));
}

void TstPackOptions::usageErrors_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("error");
    QTest::newRow("nothing") << QStringList{} << "missing --kind";
    QTest::newRow("no kind") << QStringList{"a", "b"} << "missing --kind";
    QTest::newRow("kind without value") << QStringList{"a", "b", "--kind"} << "--kind needs";
    QTest::newRow("unknown kind") << QStringList{"--kind", "zip", "a", "b"} << "unknown kind 'zip'";
    QTest::newRow("empty kind=") << QStringList{"--kind=", "a", "b"} << "unknown kind ''";
    QTest::newRow("two kinds") << QStringList{"--kind", "dzt", "--kind", "dzs", "a", "b"}
                               << "given twice";
    QTest::newRow("one path") << QStringList{"--kind", "dzt", "a"}
                              << "expected PROJECT_FOLDER and OUTPUT";
    QTest::newRow("three paths") << QStringList{"--kind", "dzt", "a", "b", "c"}
                                 << "too many arguments: 'c'";
    QTest::newRow("empty path") << QStringList{"--kind", "dzt", "", "b"} << "empty path";
    QTest::newRow("unknown option")
        << QStringList{"--kind", "dzt", "--fast", "a", "b"} << "unknown option '--fast'";
    QTest::newRow("option with a value it takes none")
        << QStringList{"--quiet=yes", "--kind", "dzt", "a", "b"} << "unknown option '--quiet=yes'";
    QTest::newRow("unknown option beats help")
        << QStringList{"--help", "-x"} << "unknown option '-x'";
    const QStringList dzt{"--kind", "dzt", "a", "b"};
    QTest::newRow("level 10") << (dzt + QStringList{"--level", "10"})
                              << "--level '10' is not a level from 0 to 9";
    QTest::newRow("level without value")
        << (dzt + QStringList{"--level"}) << "--level needs a level from 0 to 9";
    QTest::newRow("-10") << (dzt + QStringList{"-10"}) << "unknown option '-10'";
    QTest::newRow("date in words") << (dzt + QStringList{"--date", "yesterday"})
                                   << "--date 'yesterday' is not a date and time such as "
                                      "2024-05-01T12:00:00Z, or @SECONDS";
    QTest::newRow("date without value") << (dzt + QStringList{"--date"}) << "--date needs a date";
    QTest::newRow("date with a line end")
        << (dzt + QStringList{"--date", "2024-05-01\n"}) << "is not a date and time";
    QTest::newRow("@ with a fraction") << (dzt + QStringList{"--date=@1.5"}) << "'@1.5' is not";
    QTest::newRow("30 February") << (dzt + QStringList{"--date", "2024-02-30T10:00"})
                                 << "--date '2024-02-30T10:00' names no such date or time";
    QTest::newRow("hour 24") << (dzt + QStringList{"--date", "2024-05-01T24:00Z"}) << "no such";
    QTest::newRow("offset of 24 hours")
        << (dzt + QStringList{"--date", "2024-05-01T12:00+24:00"}) << "no such";
    // SOURCE_DATE_EPOCH's value follows "=" in the row's name.
    for (const char* epoch : {"1700000000.5", "", " 1700000000", "2024-05-01"})
        QTest::newRow(qPrintable(QStringLiteral("SOURCE_DATE_EPOCH=") + epoch))
            << dzt
            << QStringLiteral("SOURCE_DATE_EPOCH '%1' is not a whole number of seconds "
                              "since 1970-01-01 00:00:00 UTC; unset it or give --date")
                   .arg(QLatin1String(epoch));
}

void TstPackOptions::usageErrors() {
    QFETCH(QStringList, args);
    QFETCH(QString, error);
    const QString name = QString::fromLatin1(QTest::currentDataTag());
    setEpoch(name.startsWith(QLatin1String("SOURCE_DATE_EPOCH="))
                 ? name.mid(name.indexOf(QLatin1Char('=')) + 1)
                 : QStringLiteral("unset"));
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
