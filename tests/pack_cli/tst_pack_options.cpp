#include "pack_cli/pack_options.h"

#include <QTest>

// The command line: what each form asks for, and every way it can be wrong.
class TstPackOptions : public QObject {
    Q_OBJECT
  private Q_SLOTS:
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
}

void TstPackOptions::usageErrors() {
    QFETCH(QStringList, args);
    QFETCH(QString, error);
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
