#include "fs_test_helpers.h"
#include "pack_cli_rig.h"

#include "packing/folder_walk.h"

#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <filesystem>
#include <memory>

#include <signal.h>
#include <sys/stat.h>

// The real vendrel-pack: its exit codes, what it prints in pipes and when quiet, overwriting,
// an interrupted run, and archives that independent readers accept.
class TstVendrelPack : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void exitCodes_data();
    void exitCodes();
    void check_data();
    void check();
    void helpVersionAndKinds();
    void pipeOutput();
    void quietOutput();
    void overwrite();
    void extensionAppended();
    void oldOutputInsideTheProjectIsNotPacked();
    void tooManyFilesRefusedBeforeWriting();
    void interrupted_data();
    void interrupted();
    void parallelArchiveVerified_data();
    void parallelArchiveVerified();
    void packageTest_data();
    void packageTest();

  private:
    QString project() const { return m_dir->path() + QStringLiteral("/Intro"); }
    QString out() const { return m_dir->path() + QStringLiteral("/out"); }
    void prepare(const QString& Setup);
    void makeVariedTree(const QString& Root, QHash<QString, QString>& SourceOf);
    void makeLattice(int SelfLinks);

    std::unique_ptr<QTemporaryDir> m_dir;
    QTemporaryDir m_shared; // fixtures made once: the large file and the varied tree
};

namespace {

const QByteArray OldBytes = "the previous package";

// True once the process Pid has a handler of its own for Signal.
bool catchesSignal(qint64 Pid, int Signal) {
    QFile status(QStringLiteral("/proc/%1/status").arg(Pid));
    if (!status.open(QIODevice::ReadOnly))
        return false;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("SigCgt:"))
            return (line.mid(7).trimmed().toULongLong(nullptr, 16) >> (Signal - 1)) & 1U;
    }
    return false;
}

QByteArray randomBytes(qint64 Size, quint32 Seed) {
    QByteArray data(Size, Qt::Uninitialized);
    QRandomGenerator rng(Seed);
    rng.fillRange(reinterpret_cast<quint32*>(data.data()), Size / 4);
    return data;
}

} // namespace

void TstVendrelPack::initTestCase() {
    QVERIFY(m_shared.isValid());
    // Big enough that compressing it takes seconds, so that a signal lands in the middle.
    QVERIFY(WritePatternFile(m_shared.filePath(QStringLiteral("big.bin")), qint64(192) << 20, 3));
}

void TstVendrelPack::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QVERIFY(!m_dir->path().contains(QLatin1Char('.')));
    QVERIFY(MakeTree(project(),
                     {"readme.txt", "media/thumbs/t1.png", "project.xml", "media/clip.mp4"}));
    QVERIFY(QDir().mkpath(out()));
}

void TstVendrelPack::cleanup() {
    QVERIFY(RemoveTree(m_dir->path()));
    m_dir.reset();
}

// Puts what a row of exitCodes needs in place.
void TstVendrelPack::prepare(const QString& Setup) {
    if (Setup == QLatin1String("exists"))
        QVERIFY(MakeFile(out() + QStringLiteral("/Intro.dzt"), OldBytes));
    if (Setup == QLatin1String("no project"))
        QVERIFY(RemoveTree(project()));
    if (Setup == QLatin1String("backslash"))
        QVERIFY(MakeFile(project() + QStringLiteral("/media/a\\b.txt")));
    if (Setup == QLatin1String("forged"))
        QVERIFY(MakeFile(project() + QStringLiteral("/media/\x1b]0;x\x07\nSuccess: forged")));
    if (Setup == QLatin1String("device"))
        QVERIFY(MakeTree(m_dir->path() + QStringLiteral("/Con"), {"a.txt"}));
    if (Setup == QLatin1String("crowded")) {
        for (int i = 0; i < 1999; ++i)
            QVERIFY(MakeFile(project() + QStringLiteral("/crowd/f%1").arg(i)));
    }
    if (Setup == QLatin1String("lattice"))
        makeLattice(0);
    // A .vendrelignore with a comment and a line it cannot use, leaving out a file, an
    // unreadable folder and a folder fuller than a listing takes.
    if (Setup == QLatin1String("excluded")) {
        QVERIFY(MakeFile(project() + QStringLiteral("/.vendrelignore"),
                         "# working files\n[bad\n*.mp4\nshut/\n/crowd\n"));
        for (int i = 0; i <= DefaultMaxFolderEntries; ++i)
            QVERIFY(MakeFile(project() + QStringLiteral("/crowd/f%1").arg(i)));
        QVERIFY(::mkdir(QFile::encodeName(project() + QStringLiteral("/media/shut")), 0) == 0);
    }
    if (Setup == QLatin1String("locked list")) {
        QVERIFY(MakeFile(project() + QStringLiteral("/.vendrelignore"), "*.mp4\n"));
        QVERIFY(::chmod(QFile::encodeName(project() + QStringLiteral("/.vendrelignore")), 0) == 0);
    }
    if (Setup == QLatin1String("pattern file"))
        QVERIFY(MakeFile(m_dir->path() + QStringLiteral("/patterns"), "# thumbnails\nthumbs/\n"));
    if (Setup == QLatin1String("case"))
        QVERIFY(MakeFile(project() + QStringLiteral("/media/Clip.mp4")));
    if (Setup == QLatin1String("case, folders"))
        QVERIFY(MakeFile(project() + QStringLiteral("/Media/thumbs/t1.png")));
    const QByteArray base = QFile::encodeName(project()) + "/";
    if (Setup == QLatin1String("dangling"))
        QVERIFY(::symlink("gone", base + "media/broken") == 0);
    if (Setup == QLatin1String("locked")) {
        QVERIFY(MakeRawFile(base + "media/locked.png") &&
                ::chmod(base + "media/locked.png", 0) == 0);
    }
    if (Setup == QLatin1String("locked folder"))
        QVERIFY(::mkdir(base + "shut", 0) == 0);
    if (Setup == QLatin1String("left out")) {
        QVERIFY(MakeRawFile(base + ".thumbs.db") && MakeRawFile(base + "media/.keep"));
        QVERIFY(::mkfifo(base + "pipe", 0644) == 0 && ::symlink("..", base + "media/up") == 0);
    }
    // Names that cannot go into a package, in walk order.
    if (Setup == QLatin1String("names")) {
        for (const QByteArray name :
             {"a:b.txt", "Aux.txt", "bad\xff", "ctl\x07", "dot.", "end ", "p\\q", "q?.txt"})
            QVERIFY(MakeRawFile(base + name));
    }
    if (Setup == QLatin1String("unreadable")) {
        // Opens, but reading it fails: the kernel has no memory at address 0 to give.
        QVERIFY(QFile::link(QStringLiteral("/proc/self/mem"),
                            project() + QStringLiteral("/media/mem.bin")));
        QVERIFY(MakeFile(out() + QStringLiteral("/Intro.dzt"), OldBytes));
    }
}

void TstVendrelPack::exitCodes_data() {
    QTest::addColumn<QStringList>("args"); // "@" stands for the test's folder
    QTest::addColumn<QString>("setup");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("message");
    const QStringList pack{"--kind", "dzt", "@/Intro", "@/out/Intro"};
    QTest::newRow("success") << pack << "" << 0 << "";
    QTest::newRow("no arguments") << QStringList{} << "" << 2
                                  << "missing --kind (one of DZEP, DZT, DZTR, DZS, DZM, DZP)\n"
                                     "Try 'vendrel-pack --help' for more information.";
    QTest::newRow("unknown option")
        << (pack + QStringList{"--fast"}) << "" << 2 << "unknown option '--fast'";
    QTest::newRow("unknown kind") << QStringList{"--kind", "zip", "@/Intro", "@/out/x"} << "" << 2
                                  << "unknown kind 'zip'";
    QTest::newRow("destination is the project folder")
        << QStringList{"--kind", "DZT", "@/Intro", "@/Intro/x"} << "" << 3
        << "vendrel-pack: You cannot create the Installation File in the Project Folder!\n"
           "Please Choose Another Destination Folder\n";
    QTest::newRow("output exists")
        << pack << "exists" << 3 << "already exists; use --overwrite to replace it";
    QTest::newRow("project folder missing")
        << pack << "no project" << 4 << "Project folder not found";
    QTest::newRow("name with a backslash") << pack << "backslash" << 4
                                           << "failed in \"@/Intro/media/\": AddFile failed on "
                                              "a\\b.txt";
    QTest::newRow("name that forges a line, escaped")
        << pack << "forged" << 4
        << "failed in \"@/Intro/media/\": AddFile failed on \\x1b]0;x\\x07\\nSuccess: forged\n";
    QTest::newRow("project folder named for a device")
        << QStringList{"--kind", "dzep", "@/Con", "@/out/Con"} << "device" << 4
        << "failed in \"@/Con/\": AddFile failed on Con\n";
    QTest::newRow("folder with too many entries")
        << pack << "crowded" << 4 << "Too many entries in @/Intro/crowd/";
    QTest::newRow("names equal once case is folded")
        << pack << "case" << 4
        << "failed in \"@/Intro/media/\": AddFile failed on .\\media\\clip.mp4\n";
    QTest::newRow("folder links doubling at every level")
        << pack << "lattice" << 4 << "Too many folders in @/Intro/a/a/";
    QTest::newRow("unreadable file") << (pack + QStringList{"--overwrite"}) << "unreadable" << 5
                                     << "ReadFile failed: Cannot read \"@/Intro/media/mem.bin\"";
    QTest::newRow("excluded, a .vendrelignore line warned")
        << pack << "excluded" << 0
        << "vendrel-pack: .vendrelignore line 2: a \"[\" is never closed by \"]\"; the line "
           "is ignored\n";
    QTest::newRow("unreadable .vendrelignore")
        << pack << "locked list" << 5
        << "vendrel-pack: cannot read \"@/Intro/.vendrelignore\": Permission denied\n";
    QTest::newRow("--exclude, unusable pattern")
        << (pack + QStringList{"--exclude", "a/[b"}) << "" << 2
        << "vendrel-pack: --exclude 'a/[b': a \"[\" is never closed by \"]\"\n";
    QTest::newRow("--exclude-from, missing file")
        << (pack + QStringList{"--exclude-from=@/none"}) << "" << 2
        << "vendrel-pack: --exclude-from \"@/none\": No such file or directory\n";
    QTest::newRow("--exclude-from, unusable line")
        << (pack + QStringList{"--exclude-from", "@/Intro/.vendrelignore"}) << "excluded" << 2
        << "vendrel-pack: --exclude-from \"@/Intro/.vendrelignore\" line 2: a \"[\" is never "
           "closed by \"]\"\n";
    QTest::newRow("--exclude and --exclude-from")
        << (pack + QStringList{"--exclude=*.xml", "--exclude-from", "@/patterns"}) << "pattern file"
        << 0 << "";
}

// Each exit code with its message on standard error; a failed run leaves the old output as
// it was and no temporary file.
void TstVendrelPack::exitCodes() {
    QFETCH(QStringList, args);
    QFETCH(QString, setup);
    QFETCH(QString, message);
    prepare(setup);
    QVERIFY(AsOrdinaryUser::OpenToOthers(m_dir->path()));
    args.replaceInStrings(QStringLiteral("@"), m_dir->path());
    // As an ordinary user where a row locks a file or folder away, for whom the permission
    // bits stop a read.
    const bool locked = setup == QLatin1String("excluded") || setup == QLatin1String("locked list");
    if (locked)
        QVERIFY(::chmod(QFile::encodeName(out()).constData(), 0777) == 0);
    const PackResult result = RunPack(args, 300000, locked);
    QVERIFY(result.Finished);
    QTEST(result.ExitCode, "code");
    QVERIFY2(result.Err.contains(message.replace(QLatin1Char('@'), m_dir->path())),
             qPrintable(result.Err));
    const QString output = out() + QStringLiteral("/Intro.dzt");
    // What the patterns leave out of the package, of the four files the tree holds.
    const QHash<QString, QStringList> excludedBy{
        {QStringLiteral("excluded"), {".\\media\\clip.mp4"}},
        {QStringLiteral("pattern file"), {".\\project.xml", ".\\media\\thumbs\\t1.png"}}};
    if (result.ExitCode == 0) {
        const CheckedArchive packed = CheckZip(output);
        QVERIFY2(packed.Ok, qPrintable(packed.Error));
        QStringList names{".\\project.xml", ".\\readme.txt", ".\\media\\clip.mp4",
                          ".\\media\\thumbs\\t1.png"};
        for (const QString& name : excludedBy.value(setup))
            names.removeOne(name);
        QCOMPARE(StoredNames(packed), names);
    } else if (setup == QLatin1String("exists") || setup == QLatin1String("unreadable"))
        QCOMPARE(FileBytes(output), OldBytes);
    else
        QVERIFY(!QFile::exists(output));
    QCOMPARE(TempFilesIn(out()), QStringList());
}

void TstVendrelPack::check_data() {
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QStringList>("args"); // "@" stands for the test's folder
    QTest::addColumn<int>("code");
    QTest::addColumn<QStringList>("lines"); // before the closing line
    QTest::addColumn<QString>("ending");    // of the closing line
    const QStringList intro{"--check", "@/Intro"};
    const QString problem = QStringLiteral("\"@/Intro/%1\": %2");
    QTest::newRow("clean")
        << "" << intro << 0 << QStringList{}
        << "4 files found; the package would hold 4 entries (54 B); ready to pack";
    QTest::newRow("every unusable name, one line each, in walk order")
        << "names" << intro << 4
        << QStringList{problem.arg("a:b.txt", "holds \":\", which names a drive or a stream on the "
                                              "installing desktop"),
                       problem.arg("Aux.txt", "device name AUX on the installing desktop"),
                       problem.arg(QString::fromUtf8("bad\uFFFD"), "not UTF-8"),
                       problem.arg("ctl\\x07", "holds the control character U+0007"),
                       problem.arg("dot.", "ends in a dot, which the installing desktop drops"),
                       problem.arg("end ", "ends in a space, which the installing desktop drops"),
                       problem.arg("p\\q",
                                   "holds \"\\\", which separates folders inside a package"),
                       problem.arg(
                           "q?.txt",
                           "holds \"?\", which the installing desktop does not allow in names")}
        << "12 files found; the package would hold 4 entries (54 B); 8 problems";
    QTest::newRow("names equal once case is folded")
        << "case" << intro << 4
        << QStringList{problem.arg("media/clip.mp4",
                                   "has the same name as \"@/Intro/media/Clip.mp4\" once case "
                                   "is ignored; the installing desktop would unpack them as one")}
        << "5 files found; the package would hold 4 entries (40 B); 1 problem";
    QTest::newRow("folders equal once case is folded")
        << "case, folders" << intro << 4
        << QStringList{problem.arg("media/thumbs/t1.png",
                                   "has the same name as \"@/Intro/Media/thumbs/t1.png\" once "
                                   "case is ignored; the installing desktop would unpack them "
                                   "as one")}
        << "5 files found; the package would hold 4 entries (35 B); 1 problem";
    QTest::newRow("dangling link")
        << "dangling" << intro << 4
        << QStringList{problem.arg("media/broken", "is a link to a file or folder that is not "
                                                   "there")}
        << "4 files found; the package would hold 4 entries (54 B); 1 problem";
    QTest::newRow("unreadable file")
        << "locked" << intro << 4
        << QStringList{problem.arg("media/locked.png", "cannot be read: Permission denied")}
        << "5 files found; the package would hold 4 entries (54 B); 1 problem";
    QTest::newRow("unreadable folder")
        << "locked folder" << intro << 4
        << QStringList{problem.arg("shut/", "cannot be read: Permission denied")}
        << "4 files found; the package would hold 4 entries (54 B); 1 problem";
    QTest::newRow("folder with too many entries")
        << "crowded" << intro << 4
        << QStringList{problem.arg("crowd/", "holds more than 1998 files and folders, the most "
                                             "a package takes from one folder")}
        << "4 files found; the package would hold 4 entries (54 B); 1 problem";
    QTest::newRow("more sub-folders than a walk takes")
        << "lattice" << intro << 4
        << QStringList{problem.arg("a/a/a/a/a/c/d/d/d/d/c/d/c/",
                                   "is one sub-folder more than the 65535 a package takes; the "
                                   "check stopped here")}
        << "2 files found; the package would hold 2 entries (21 B); 1 problem";
    QTest::newRow("project folder named for a device, every kind")
        << "device" << QStringList{"--check", "@/Con"} << 4
        << QStringList{"\"@/Con/\": device name CON on the installing desktop (only for DZEP "
                       "packages, whose entries begin with the folder's name)"}
        << "1 file found; the package would hold 1 entry (5 B); 1 problem";
    QTest::newRow("project folder named for a device, DZT")
        << "device" << QStringList{"--check", "--kind", "dzt", "@/Con"} << 0 << QStringList{}
        << "1 file found; the package would hold 1 entry (5 B); ready to pack";
    QTest::newRow("what a pack leaves out, verbose")
        << "left out" << QStringList{"--check", "--verbose", "@/Intro"} << 0
        << QStringList{"Note: 2 hidden entries (names that begin with \".\") left out",
                       "  \"@/Intro/.thumbs.db\"",
                       "  \"@/Intro/media/.keep\"",
                       "Note: 1 named pipe, socket or device skipped",
                       "  \"@/Intro/pipe\"",
                       "Note: 1 link back into a folder being walked not followed",
                       "  \"@/Intro/media/up/\""}
        << "4 files found; the package would hold 4 entries (54 B); ready to pack";
    QTest::newRow("exclusions, verbose")
        << "excluded" << QStringList{"--check", "--verbose", "@/Intro"} << 0
        << QStringList{"Note: .vendrelignore line 2: a \"[\" is never closed by \"]\"; the "
                       "line is ignored",
                       "Note: 3 entries left out by exclusion patterns",
                       "  \"@/Intro/crowd/\"",
                       "  \"@/Intro/media/clip.mp4\"",
                       "  \"@/Intro/media/shut/\"",
                       "Note: 1 hidden entry (a name that begins with \".\") left out",
                       "  \"@/Intro/.vendrelignore\""}
        << "3 files found; the package would hold 3 entries (40 B); ready to pack";
    QTest::newRow("--exclude and --exclude-from")
        << "pattern file"
        << QStringList{"--check", "--exclude", "*.xml", "--exclude-from", "@/patterns", "@/Intro"}
        << 0 << QStringList{"Note: 2 entries left out by exclusion patterns"}
        << "2 files found; the package would hold 2 entries (24 B); ready to pack";
}

// A check lists every problem a pack would stop at, one line each, then what a pack leaves
// out and a closing line; it exits as the pack's walk would, and writes nothing.
void TstVendrelPack::check() {
    QFETCH(QString, setup);
    QFETCH(QStringList, args);
    QFETCH(QStringList, lines);
    QFETCH(QString, ending);
    QFETCH(int, code);
    prepare(setup);
    QVERIFY(AsOrdinaryUser::OpenToOthers(m_dir->path()));
    args.replaceInStrings(QStringLiteral("@"), m_dir->path());
    // As an ordinary user, for whom the permission bits stop a read.
    const PackResult result = RunPack(args, 300000, true);
    QVERIFY(result.Finished);
    QVERIFY2(result.ExitCode == code, qPrintable(result.Out + result.Err));
    QStringList printed = result.Out.split(QLatin1Char('\n'));
    QCOMPARE(printed.takeLast(), QString());
    const QString folder = args.last();
    QCOMPARE(printed.takeLast(), QStringLiteral("Checked \"%1\": %2").arg(folder, ending));
    lines.replaceInStrings(QStringLiteral("@"), m_dir->path());
    QCOMPARE(printed, lines);
    QCOMPARE(result.Err, QString());
    QCOMPARE(QDir(out()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList());
}

void TstVendrelPack::helpVersionAndKinds() {
    const PackResult help = RunPack({QStringLiteral("--help")});
    QCOMPARE(help.ExitCode, 0);
    QVERIFY(help.Out.startsWith(QLatin1String("Usage: vendrel-pack --kind KIND")));
    QVERIFY(help.Out.contains(
        QLatin1String("Exit status: 0 success, 2 usage error, 3 destination "
                      "refused, 4 project folder\ncannot be packed, 5 read "
                      "or write failure, 130 interrupted; --test: 0 intact\n(and matching), "
                      "6 damaged, unsafe or different, 5 package "
                      "unreadable.\n")));
    const PackResult version = RunPack({QStringLiteral("--version")});
    QCOMPARE(version.ExitCode, 0);
    QCOMPARE(version.Out, QStringLiteral("vendrel-pack " VENDREL_VERSION "\n"));
    const PackResult kinds = RunPack({QStringLiteral("--list-kinds")});
    QCOMPARE(kinds.ExitCode, 0);
    QCOMPARE(kinds.Out.count(QLatin1Char('\n')), 6);
    QVERIFY(kinds.Out.startsWith(QLatin1String("DZEP  .dzep  FOLDER\\path  Express Project")));
    QCOMPARE(help.Err + version.Err + kinds.Err, QString());
}

// In a pipe: one line per file, in the package's order, then the closing line; no bar.
void TstVendrelPack::pipeOutput() {
    const PackResult result =
        RunPack({QStringLiteral("--kind=dzs"), project(), out() + QStringLiteral("/Intro")});
    QCOMPARE(result.ExitCode, 0);
    const QStringList lines = result.Out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 5);
    const QString p = project();
    QCOMPARE(lines.mid(0, 4),
             (QStringList{"Packed " + p + "/project.xml as project.xml",
                          "Packed " + p + "/readme.txt as readme.txt",
                          "Packed " + p + "/media/clip.mp4 as media\\clip.mp4",
                          "Packed " + p + "/media/thumbs/t1.png as media\\thumbs\\t1.png"}));
    QVERIFY2(lines[4].startsWith("Success: 4 files (54 B) packed into " + out() + "/Intro.dzs ("),
             qPrintable(lines[4]));
    QCOMPARE(result.Err, QString());
    QCOMPARE(
        StoredNames(CheckZip(out() + QStringLiteral("/Intro.dzs"))),
        (QStringList{"project.xml", "readme.txt", "media\\clip.mp4", "media\\thumbs\\t1.png"}));
    // English counts one file in the singular.
    const PackResult one =
        RunPack({QStringLiteral("--kind=dzs"), p + QStringLiteral("/media/thumbs"),
                 out() + QStringLiteral("/One")});
    QCOMPARE(one.ExitCode, 0);
    QVERIFY2(one.Out.contains("\nSuccess: 1 file (19 B) packed into " + out() + "/One.dzs ("),
             qPrintable(one.Out));
    QCOMPARE(StoredNames(CheckZip(out() + QStringLiteral("/One.dzs"))), QStringList{"t1.png"});
}

void TstVendrelPack::quietOutput() {
    const QString output = out() + QStringLiteral("/Intro.dzt");
    PackResult result = RunPack({"-q", "--kind", "dzt", project(), output});
    QCOMPARE(result.ExitCode, 0);
    QCOMPARE(result.Out + result.Err, QString());
    QVERIFY(CheckZip(output).Ok);
    // Errors still show.
    result = RunPack({"--quiet", "--kind", "dzt", project(), output});
    QCOMPARE(result.ExitCode, 3);
    QCOMPARE(result.Out, QString());
    QCOMPARE(result.Err.count(QLatin1Char('\n')), 1);
    QVERIFY(result.Err.startsWith(QLatin1String("vendrel-pack: \"") + output));
}

void TstVendrelPack::overwrite() {
    const QString output = out() + QStringLiteral("/Intro.dzt");
    QVERIFY(MakeFile(output, OldBytes));
    const PackResult result = RunPack({"--overwrite", "--kind", "dzt", project(), output});
    QCOMPARE(result.ExitCode, 0);
    const CheckedArchive archive = CheckZip(output);
    QVERIFY2(archive.Ok, qPrintable(archive.Error));
    QCOMPARE(archive.Entries.size(), 4);
    QCOMPARE(TempFilesIn(out()), QStringList());
}

void TstVendrelPack::extensionAppended() {
    QCOMPARE(RunPack({"--kind", "DzS", project(), out() + QStringLiteral("/clip")}).ExitCode, 0);
    QCOMPARE(RunPack({"--kind", "dzs", project(), out() + QStringLiteral("/clip.zip")}).ExitCode,
             0);
    QCOMPARE(QDir(out()).entryList(QDir::Files), (QStringList{"clip.dzs", "clip.zip"}));
}

// The window deletes the old package before it walks; the command must not pack it either.
void TstVendrelPack::oldOutputInsideTheProjectIsNotPacked() {
    const QString output = project() + QStringLiteral("/media/x.dzt");
    QVERIFY(MakeFile(output, OldBytes));
    // Other names of the old package are files of the project like any other.
    QVERIFY(::link(QFile::encodeName(output).constData(),
                   QFile::encodeName(project() + "/hard.dzt").constData()) == 0);
    QVERIFY(QFile::link(QStringLiteral("x.dzt"), project() + QStringLiteral("/media/alias.dzt")));
    const PackResult result = RunPack({"--overwrite", "--kind", "dzt", project(), output});
    QCOMPARE(result.ExitCode, 0);
    const CheckedArchive packed = CheckZip(output);
    QCOMPARE(StoredNames(packed),
             (QStringList{".\\hard.dzt", ".\\project.xml", ".\\readme.txt", ".\\media\\alias.dzt",
                          ".\\media\\clip.mp4", ".\\media\\thumbs\\t1.png"}));
    QCOMPARE(packed.Entries.at(0).Sha256, Sha256Of(OldBytes));
    QCOMPARE(packed.Entries.at(3).Sha256, Sha256Of(OldBytes));
}

// More files than minizip 1.1 can count: refused once the walk finds one too many, which is
// never opened (the last file cannot be read, and is not what the run fails on). Packing has
// begun meanwhile, but nothing of it is left, and no file is reported packed.
void TstVendrelPack::tooManyFilesRefusedBeforeWriting() {
    for (int folder = 0; folder < 34; ++folder) {
        const QByteArray path =
            QFile::encodeName(project()) + "/many/f" + QByteArray::number(folder);
        QVERIFY(QDir().mkpath(QFile::decodeName(path)));
        // With the four files of the fixture, exactly as many as a package holds.
        for (int i = 0; i < (folder < 33 ? 1985 : 26); ++i)
            QVERIFY(MakeRawFile(path + "/" + QByteArray::number(i)));
    }
    const QByteArray locked = QFile::encodeName(project()) + "/zz/locked";
    QVERIFY(QDir().mkpath(project() + QStringLiteral("/zz")) && MakeRawFile(locked));
    QVERIFY(::chmod(locked.constData(), 0) == 0);
    QVERIFY(AsOrdinaryUser::OpenToOthers(m_dir->path()) &&
            ::chmod(QFile::encodeName(out()).constData(), 0777) == 0);
    const QString output = out() + QStringLiteral("/Intro.dzt");
    const PackResult result = RunPack({"--kind", "dzt", project(), output}, 300000, true);
    QVERIFY2(result.ExitCode == 4, qPrintable(result.Err));
    QVERIFY2(result.Err.contains("Too many files for one package in \"" + project() +
                                 "\": more than 65535"),
             qPrintable(result.Err));
    QCOMPARE(result.Out, QString());
    QVERIFY(!QFile::exists(output));
    QCOMPARE(TempFilesIn(out()), QStringList());
    // A check names the file one too many, which it does not open either.
    const PackResult checked = RunPack({"--check", "--kind", "dzt", project()}, 300000, true);
    QCOMPARE(checked.ExitCode, 4);
    QCOMPARE(checked.Out,
             QStringLiteral("\"%1/zz/locked\": is one file more than the 65535 a package holds; "
                            "later files are not counted\nChecked \"%1\": 65536 files found; the "
                            "package would hold 65535 entries (54 B); 1 problem\n")
                 .arg(project()));
}

// Links that lead to the same folders over and over: "a" to "d" in the project folder and in
// each of 13 folders lead to the next one (4^13 paths, each through at most 14 links); with
// SelfLinks, "w" in each leads to a folder holding that many links to itself.
void TstVendrelPack::makeLattice(int SelfLinks) {
    namespace fs = std::filesystem;
    const fs::path root(QFile::encodeName(m_dir->path()).toStdString());
    fs::create_directories(root / "wide");
    for (int i = 0; i < SelfLinks; ++i)
        fs::create_directory_symlink(".", root / "wide" / std::to_string(i));
    for (int level = 0; level <= 13; ++level) {
        const fs::path folder = level ? root / "lat" / std::to_string(level) : root / "Intro";
        const fs::path next = (level ? ".." : "../lat") / fs::path(std::to_string(level + 1));
        fs::create_directories(folder);
        for (const char* name : {"a", "b", "c", "d"}) {
            if (level < 13)
                fs::create_directory_symlink(next, folder / name);
        }
        if (SelfLinks > 0)
            fs::create_directory_symlink(fs::relative(root / "wide", folder), folder / "w");
    }
}

void TstVendrelPack::interrupted_data() {
    QTest::addColumn<int>("signal");
    QTest::addColumn<bool>("duringWalk");
    QTest::newRow("SIGINT") << SIGINT << false;
    QTest::newRow("SIGTERM") << SIGTERM << false;
    QTest::newRow("SIGKILL") << SIGKILL << false;
    QTest::newRow("SIGINT during the walk") << SIGINT << true;
}

// A signal during a large file, or during a walk that would take minutes: exit 130, the old
// package as it was, no temporary file; a process killed outright leaves nothing behind
// either.
void TstVendrelPack::interrupted() {
    QFETCH(int, signal);
    QFETCH(bool, duringWalk);
    // A project of folder links and no file at all: only the walk's own look for a signal
    // can stop it, as the packing's never gets a file to look from.
    if (duringWalk) {
        QVERIFY(RemoveTree(project()));
        makeLattice(1997);
    } else
        QVERIFY(QFile::link(m_shared.filePath(QStringLiteral("big.bin")),
                            project() + QStringLiteral("/media/big.bin")));
    const QString output = out() + QStringLiteral("/Intro.dzt");
    QVERIFY(MakeFile(output, OldBytes));
    QProcess process;
    process.start(QStringLiteral(VENDREL_PACK_EXE),
                  {"--overwrite", "--kind", "dzt", project(), output});
    // The big file is the first of media/, right after the project folder's own files; the
    // walk starts as soon as the signals are caught.
    QVERIFY(process.waitForStarted());
    const QByteArray before = "as .\\readme.txt\n";
    QVERIFY(QTest::qWaitFor(
        [&] {
            return duringWalk ? catchesSignal(process.processId(), signal)
                              : process.peek(1 << 16).contains(before);
        },
        60000));
    QCOMPARE(process.state(), QProcess::Running);
    QCOMPARE(::kill(pid_t(process.processId()), signal), 0);
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(FileBytes(output), OldBytes);
    QCOMPARE(QDir(out()).entryList(QDir::Files | QDir::Hidden | QDir::System),
             QStringList{"Intro.dzt"});
    if (signal == SIGKILL)
        return;
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 130);
    const QString err = QString::fromUtf8(process.readAllStandardError());
    QVERIFY2(err.contains("Canceled; \"" + output + "\" was left as it was"), qPrintable(err));
    QVERIFY(!process.readAllStandardOutput().contains("big.bin"));
}

// Files of many blocks (text, random, zeros), many small files (random and text), an empty
// file and names beyond ASCII, compressed in parallel.
void TstVendrelPack::makeVariedTree(const QString& Root, QHash<QString, QString>& SourceOf) {
    const auto add = [&](const QString& Rel, const QByteArray& Bytes) {
        QVERIFY(MakeFile(Root + QLatin1Char('/') + Rel, Bytes));
        SourceOf.insert(QStringLiteral(".\\") + QString(Rel).replace(QLatin1Char('/'), "\\"),
                        Root + QLatin1Char('/') + Rel);
    };
    QByteArray text;
    for (int i = 0; text.size() < 3500000; ++i)
        text += "<keyframe id=\"" + QByteArray::number(i * 7919 % 100003) + "\" value=\"fade\"/>\n";
    add(QStringLiteral("project/scene.xml"), text);
    add(QStringLiteral("media/noise.bin"), randomBytes(5 << 20, 5));
    add(QStringLiteral("media/silence.wav"), QByteArray(2 << 20, '\0'));
    add(QStringLiteral("empty.txt"), QByteArray());
    add(QStringLiteral("Títulos/ñandú.txt"), "título");
    for (int i = 0; i < 300; ++i)
        add(QStringLiteral("frames/f%1.png").arg(i, 3, 10, QLatin1Char('0')),
            randomBytes(1000 + i * 37, quint32(i)));
    for (int i = 0; i < 100; ++i)
        add(QStringLiteral("titles/t%1.xml").arg(i), text.mid(i * 4099, 200 + i * 41));
}

void TstVendrelPack::parallelArchiveVerified_data() {
    QTest::addColumn<QString>("reader");
    // Started with standard input, output and error closed, as by a job runner or a service:
    // the report the run would print must not end up in the package.
    QTest::addColumn<bool>("streamsClosed");
    // A level option, checked to give the same bytes on one core as on all of them.
    QTest::addColumn<QString>("level");
    QTest::newRow("zipfile") << "" << false << "";
    QTest::newRow("unzip -t") << "unzip" << false << "";
    QTest::newRow("7z t") << "7z" << false << "";
    QTest::newRow("zipfile, standard streams closed") << "" << true << "";
    QTest::newRow("unzip -t, standard streams closed") << "unzip" << true << "";
    QTest::newRow("zipfile, level 0: every entry stored") << "" << false << "--level=0";
    QTest::newRow("zipfile, level 1") << "" << false << "-1";
    QTest::newRow("zipfile, level 9") << "" << false << "--level=9";
    QTest::newRow("unzip -t, level 0") << "unzip" << false << "-0";
}

void TstVendrelPack::parallelArchiveVerified() {
    QFETCH(QString, reader);
    QFETCH(bool, streamsClosed);
    QFETCH(QString, level);
    const QString tool = QStandardPaths::findExecutable(reader);
    if (!reader.isEmpty() && tool.isEmpty())
        QSKIP("this reader is not installed");
    QHash<QString, QString> sourceOf;
    makeVariedTree(m_dir->path() + QStringLiteral("/Varied"), sourceOf);
    const QString output = out() + QStringLiteral("/varied.dzt");
    const QStringList args =
        QStringList{"--kind", "dzt", m_dir->path() + "/Varied", output} +
        (level.isEmpty() ? QStringList() : QStringList{level, "--date", "@1700000000"});
    if (streamsClosed) {
        QProcess pack;
        pack.start(QStringLiteral("/bin/sh"),
                   QStringList{"-c", R"(exec "$0" "$@" <&- >&- 2>&-)", VENDREL_PACK_EXE} + args);
        QVERIFY(pack.waitForFinished(300000));
        QCOMPARE(pack.exitCode(), 0);
    } else {
        QCOMPARE(RunPack(QStringList{"-q"} + args).ExitCode, 0);
    }
    if (reader.isEmpty()) {
        const CheckedArchive archive = CheckZip(output);
        QVERIFY2(archive.Ok, qPrintable(archive.Error));
        QCOMPARE(archive.Entries.size(), sourceOf.size());
        const int method = level.endsWith(QLatin1Char('0')) ? 0 : 8;
        for (const CheckedEntry& entry : archive.Entries) {
            QCOMPARE(entry.Sha256,
                     Sha256OfFile(sourceOf.value(QString::fromUtf8(entry.NameBytes))));
            QCOMPARE(entry.CompressType, method);
            if (method == 0)
                QCOMPARE(entry.CompressSize, entry.FileSize);
        }
        if (level.isEmpty())
            return;
        // The same level and date on one core give the same bytes.
        const QString again = out() + QStringLiteral("/again.dzt");
        const QStringList oneCore{"-q",
                                  "--kind",
                                  "dzt",
                                  m_dir->path() + "/Varied",
                                  again,
                                  level,
                                  "--date=2023-11-14T23:13:20+01:00"};
        QCOMPARE(RunPack(oneCore, 300000, false, OnOneCore).ExitCode, 0);
        QVERIFY(CheckZip(again).Ok);
        QCOMPARE(Sha256OfFile(again), Sha256OfFile(output));
        return;
    }
    QProcess check;
    check.setProcessChannelMode(QProcess::MergedChannels);
    check.start(
        tool,
        {reader == QLatin1String("unzip") ? QStringLiteral("-t") : QStringLiteral("t"), output});
    QVERIFY(check.waitForFinished(120000));
    const QByteArray said = check.readAll();
    QVERIFY2(check.exitCode() == 0 && !said.contains("warning"), said.constData());
}

void TstVendrelPack::packageTest_data() {
    QTest::addColumn<QString>("damage"); // as tests/support/zipdamage.py makes it
    QTest::addColumn<QString>("extension");
    QTest::addColumn<bool>("withFolder");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("code");
    const QString bad = QStringLiteral("problems found: 1\n");
    QTest::newRow("intact") << "intact"
                            << ".dzt" << false << QStringList{"\" is intact\n"} << 0;
    QTest::newRow("intact, matches its folder")
        << "intact"
        << ".dzt" << true << QStringList{"\" is intact and matches \"@/Intro\"\n"} << 0;
    QTest::newRow("plain zip")
        << "intact"
        << ".zip" << true
        << QStringList{"as a plain zip archive: its extension names no package kind\n",
                       "is intact and matches"}
        << 0;
    QTest::newRow("truncated") << "truncated"
                               << ".dzt" << false
                               << QStringList{"\nno end record: the package was cut short", bad}
                               << 6;
    QTest::newRow("flipped byte in data")
        << "flipped"
        << ".dzt" << false << QStringList{"\n.\\project.xml: the data's CRC is ", bad} << 6;
    QTest::newRow("wrong CRC in the central directory")
        << "central crc"
        << ".dzt" << false
        << QStringList{"\n.\\project.xml: the local header's CRC differs from the central "
                       "directory's\n",
                       "\n.\\project.xml: the data's CRC is ", "problems found: 2\n"}
        << 6;
    QTest::newRow("local header disagrees")
        << "local name"
        << ".dzt" << false << QStringList{"\n.\\project.xml: the local header's name differs", bad}
        << 6;
    QTest::newRow("entry ..\\x") << "dotdot"
                                 << ".dzs" << false
                                 << QStringList{"\n..\\x: unsafe name: \"..\" leads out of the "
                                                "install folder\n",
                                                bad}
                                 << 6;
    QTest::newRow("entry C:\\x") << "drive"
                                 << ".dzs" << false
                                 << QStringList{"\nC:\\x: unsafe name: \"C:\" names a drive\n", bad}
                                 << 6;
    QTest::newRow("names that fold together")
        << "fold"
        << ".dzs" << false
        << QStringList{"\nMedia\\A.PNG: unpacks as one file with media\\a.png", bad} << 6;
    QTest::newRow("65536 entries")
        << "many"
        << ".dzs" << false << QStringList{"\n65536 entries: a package holds at most 65535\n", bad}
        << 6;
    QTest::newRow("folder changed, added to and removed from")
        << "edited"
        << ".dzt" << true
        << QStringList{"\n.\\new.txt: in the project folder, missing from the package\n"
                       ".\\readme.txt: changed (4 B in the package, 9 B in the project folder)\n"
                       ".\\project.xml: in the package, not in the project folder\n",
                       "problems found: 3\n"}
        << 6;
}

// --test reads a package as an installer would: each damage gets its line and exit 6, and
// Python's zipfile (or its Windows path rules) finds a fault in every damaged package too.
void TstVendrelPack::packageTest() {
    QFETCH(QString, damage);
    QFETCH(QString, extension);
    QFETCH(bool, withFolder);
    QFETCH(QStringList, lines);
    QVERIFY(MakeFile(project() + QStringLiteral("/readme.txt"), "text"));
    const QString source = out() + QStringLiteral("/Intro.dzt");
    QCOMPARE(RunPack({"--kind", "DZT", "-q", project(), source}).ExitCode, 0);
    const QString package = out() + QStringLiteral("/tested") + extension;
    const auto python = [](const QStringList& Args) {
        QProcess process;
        process.start(QStringLiteral("python3"),
                      QStringList{QStringLiteral(VENDREL_ZIPDAMAGE_PY)} + Args);
        return process.waitForFinished(120000) && process.exitCode() == 0
                   ? QString::fromUtf8(process.readAllStandardOutput())
                   : QStringLiteral("failed");
    };
    const bool edited = damage == QLatin1String("edited");
    QCOMPARE(python({"make", edited ? QStringLiteral("intact") : damage, source, package}),
             QString());
    const QString judged = python({"judge", package});
    QVERIFY2(judged.isEmpty() == (damage == QLatin1String("intact") || edited), qPrintable(judged));
    if (edited) {
        QVERIFY(MakeFile(project() + QStringLiteral("/readme.txt"), "new text!"));
        QVERIFY(MakeFile(project() + QStringLiteral("/new.txt"), "added"));
        QVERIFY(QFile::remove(project() + QStringLiteral("/project.xml")));
    }
    QStringList args{QStringLiteral("--test"), package};
    if (withFolder)
        args << project();
    const PackResult result = RunPack(args);
    QVERIFY(result.Finished);
    for (const QString& line : lines)
        QVERIFY2(result.Out.contains(QString(line).replace(QLatin1Char('@'), m_dir->path())),
                 qPrintable(result.Out));
    QTEST(result.ExitCode, "code");
    QCOMPARE(result.Err, QString());
}

QTEST_GUILESS_MAIN(TstVendrelPack)
#include "tst_vendrel_pack.moc"
