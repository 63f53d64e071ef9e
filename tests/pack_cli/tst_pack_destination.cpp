#include "pack_cli/exit_codes.h"
#include "pack_cli/pack_destination.h"
#include "packing/package_paths.h"

#include "fs_test_helpers.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include <sys/stat.h>

// The window's destination rules applied to command-line paths, and the command's own
// refusals, with real folders. Relative paths are taken from the working folder.
class TstPackDestination : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void init();
    void cleanup();
    void extension_data();
    void extension();
    void refusals_data();
    void refusals();
    void overwriteAllowsAnExistingFile();
    void destinationInsideASubFolderAccepted();
    void rootProject();

  private:
    QString root() const { return m_dir->path(); }
    int resolve(const QString& Output, bool Overwrite = false, KindCode Kind = KindCode::DZT);

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_savedCurrent;
    PackDestination m_destination;
    QString m_error;
    int m_lastCode = 0;
};

void TstPackDestination::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    // The extension rule looks for a "." anywhere in the full path.
    QVERIFY(!root().contains(QLatin1Char('.')));
    for (const char* folder : {"Intro/media", "out", "my.out", "Intro/sub"})
        QVERIFY(QDir(root()).mkpath(QLatin1String(folder)));
    QVERIFY(QFile::link(root() + QStringLiteral("/Intro"), root() + QStringLiteral("/alias")));
    m_savedCurrent = QDir::currentPath();
    QVERIFY(QDir::setCurrent(root()));
}

void TstPackDestination::cleanup() {
    QDir::setCurrent(m_savedCurrent);
    QVERIFY(RemoveTree(root()));
    m_dir.reset();
}

int TstPackDestination::resolve(const QString& Output, bool Overwrite, KindCode Kind) {
    PackOptions options;
    options.Kind = Kind;
    options.ProjectFolder = QStringLiteral("Intro");
    options.Output = Output;
    options.Overwrite = Overwrite;
    m_error.clear();
    return ResolveDestination(options, m_destination, m_error);
}

void TstPackDestination::extension_data() {
    QTest::addColumn<QString>("output");
    QTest::addColumn<KindCode>("kind");
    QTest::addColumn<QString>("expected"); // below the temporary folder
    QTest::newRow("appended") << "out/clip" << KindCode::DZS << "/out/clip.dzs";
    QTest::newRow("another kind") << "out/clip" << KindCode::DZEP << "/out/clip.dzep";
    QTest::newRow("own extension kept") << "out/clip.zip" << KindCode::DZS << "/out/clip.zip";
    QTest::newRow("any case kept") << "out/clip.DZEP" << KindCode::DZS << "/out/clip.DZEP";
    QTest::newRow("dotted folder suppresses it")
        << "my.out/clip" << KindCode::DZS << "/my.out/clip";
    QTest::newRow("./ does not count") << "./out/clip" << KindCode::DZT << "/out/clip.dzt";
    QTest::newRow("../ resolved first") << "out/../out/clip" << KindCode::DZM << "/out/clip.dzm";
    QTest::newRow("absolute") << "@/out/clip" << KindCode::DZP << "/out/clip.dzp";
}

void TstPackDestination::extension() {
    QFETCH(QString, output);
    QFETCH(KindCode, kind);
    QFETCH(QString, expected);
    QCOMPARE(resolve(output.replace(QLatin1Char('@'), root()), false, kind), ExitCode::Success);
    QCOMPARE(m_destination.Output, root() + expected);
    QCOMPARE(m_destination.ProjectFolder, root() + QStringLiteral("/Intro"));
    QVERIFY(!m_destination.Replaces);
}

void TstPackDestination::refusals_data() {
    QTest::addColumn<QString>("output");
    QTest::addColumn<QString>("prepare");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("error");
    const QString warning = PackagePaths::ProjectFolderWarningText().replace(QStringLiteral("\r\n"),
                                                                             QStringLiteral("\n"));
    const int refused = ExitCode::Refused;
    QTest::newRow("the project folder") << "Intro/x"
                                        << "" << refused << warning;
    QTest::newRow("the project folder, absolute") << "@/Intro/x.dzt"
                                                  << "" << refused << warning;
    QTest::newRow("the project folder through a link") << "alias/x"
                                                       << "" << refused << warning;
    QTest::newRow("exists") << "out/x"
                            << "file out/x.dzt" << refused << "already exists; use --overwrite";
    QTest::newRow("exists, hidden") << "out/.x"
                                    << "file out/.x" << refused << "already exists";
    QTest::newRow("a folder") << "out/x.dzt"
                              << "folder out/x.dzt" << refused << "is a folder";
    QTest::newRow("a path ending in /") << "out/new/"
                                        << "" << refused << "is a folder";
    QTest::newRow("a pipe") << "out/p.dzt"
                            << "fifo out/p.dzt" << refused << "is not an ordinary file";
    QTest::newRow("folder missing") << "nowhere/x"
                                    << "" << refused << "Destination folder not found";
    QTest::newRow("folder is a file") << "plain/x"
                                      << "file plain" << refused << "Destination folder not found";
    QTest::newRow("project missing")
        << "out/x"
        << "remove Intro" << int(ExitCode::WalkFailed) << "Project folder not found";
}

// Each refusal, with the same answer with --overwrite wherever replacing cannot help.
void TstPackDestination::refusals() {
    QFETCH(QString, output);
    QFETCH(QString, prepare);
    const QStringList step = prepare.split(QLatin1Char(' '));
    const QString path = root() + QLatin1Char('/') + step.value(1);
    if (step[0] == QLatin1String("file"))
        QVERIFY(QFile(path).open(QIODevice::WriteOnly));
    else if (step[0] == QLatin1String("folder"))
        QVERIFY(QDir().mkpath(path));
    else if (step[0] == QLatin1String("fifo"))
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
    else if (step[0] == QLatin1String("remove"))
        QVERIFY(RemoveTree(path));
    output.replace(QLatin1Char('@'), root());
    m_lastCode = resolve(output);
    QTEST(m_lastCode, "code");
    QFETCH(QString, error);
    QVERIFY2(m_error.contains(error), qPrintable(m_error));
    // Only an existing file is what --overwrite is for.
    const bool exists = QByteArray(QTest::currentDataTag()).startsWith("exists");
    QCOMPARE(resolve(output, true), exists ? int(ExitCode::Success) : m_lastCode);
}

void TstPackDestination::overwriteAllowsAnExistingFile() {
    QVERIFY(QFile(root() + QStringLiteral("/out/x.dzt")).open(QIODevice::WriteOnly));
    QVERIFY(
        QFile::link(root() + QStringLiteral("/out/x.dzt"), root() + QStringLiteral("/out/l.dzt")));
    QCOMPARE(resolve(QStringLiteral("out/x"), true), ExitCode::Success);
    QVERIFY(m_destination.Replaces);
    // A link is replaced itself, as the window deletes it.
    QCOMPARE(resolve(QStringLiteral("out/l.dzt"), true), ExitCode::Success);
    QVERIFY(m_destination.Replaces);
}

// As in the window: only the project folder itself is refused; its sub-folders are not.
void TstPackDestination::destinationInsideASubFolderAccepted() {
    QCOMPARE(resolve(QStringLiteral("Intro/sub/x")), ExitCode::Success);
    QCOMPARE(m_destination.Output, root() + QStringLiteral("/Intro/sub/x.dzt"));
}

// The root as project folder: an output directly in the root is refused, one below it is not.
void TstPackDestination::rootProject() {
    PackOptions options;
    options.ProjectFolder = QStringLiteral("/");
    options.Output = QStringLiteral("/x");
    QCOMPARE(ResolveDestination(options, m_destination, m_error), ExitCode::Refused);
    options.Output = root() + QStringLiteral("/out/x");
    QCOMPARE(ResolveDestination(options, m_destination, m_error), ExitCode::Success);
    QCOMPARE(m_destination.ProjectFolder, QStringLiteral("/"));
}

QTEST_GUILESS_MAIN(TstPackDestination)
#include "tst_pack_destination.moc"
