// Entries of a project that are not plain files and names that are not plain names: what is
// skipped, what fails the walk (named in the status line, nothing written), what is packed,
// and that the next run succeeds. Each run ends within its own time limit: nothing blocks.
#include "fault_rig.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#include <algorithm>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

bool makeLink(const QByteArray& Target, const QString& Path) {
    return ::symlink(Target.constData(), QFile::encodeName(Path).constData()) == 0;
}

// Leaves a socket file at Path, as a program that listens there would.
bool makeSocket(const QString& Path) {
    const QByteArray path = QFile::encodeName(Path);
    sockaddr_un address{};
    if (path.size() >= qsizetype(sizeof(address.sun_path)))
        return false;
    address.sun_family = AF_UNIX;
    memcpy(address.sun_path, path.constData(), size_t(path.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    const bool bound =
        fd >= 0 && ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0;
    return ::close(fd) == 0 && bound;
}

// Creates Depth folders, each named Name with its level in front, below Root, with the file
// "deep.txt" in the last; works past PATH_MAX by going one folder at a time.
bool makeDeepTree(const QString& Root, const QByteArray& Name, int Depth) {
    int fd = ::open(QFile::encodeName(Root).constData(), O_RDONLY | O_DIRECTORY);
    for (int level = 0; fd >= 0 && level < Depth; ++level) {
        const QByteArray folder = QByteArray::number(level + 10) + Name;
        const int next = ::mkdirat(fd, folder.constData(), 0755) == 0
                             ? ::openat(fd, folder.constData(), O_RDONLY | O_DIRECTORY)
                             : -1;
        ::close(fd);
        fd = next;
    }
    if (fd < 0)
        return false;
    const int file = ::openat(fd, "deep.txt", O_WRONLY | O_CREAT, 0644);
    ::close(fd);
    return file >= 0 && ::close(file) == 0;
}

bool isAscii(const QByteArray& Bytes) {
    return std::all_of(Bytes.begin(), Bytes.end(), [](char c) { return uchar(c) < 0x80; });
}

// Entry names as an outside archiver lists them.
QStringList listedBy(const QString& Reader, const QString& Archive) {
    QProcess lister;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    lister.setProcessEnvironment(environment);
    if (Reader == QLatin1String("7z"))
        lister.start(Reader, {"l", "-slt", "-sccUTF-8", Archive});
    else
        lister.start(Reader, {"-tf", Archive});
    if (!lister.waitForFinished(30000) || lister.exitCode() != 0)
        return {QStringLiteral("%1 failed: ").arg(Reader) + lister.readAllStandardError()};
    QStringList names;
    for (const QString& line : QString::fromUtf8(lister.readAllStandardOutput()).split('\n')) {
        if (Reader != QLatin1String("7z"))
            names << line;
        else if (line.startsWith(QLatin1String("Path = ")) && !line.endsWith(Archive))
            names << line.mid(7);
    }
    names.removeAll(QString());
    return names;
}

} // namespace

class tst_FaultEntries : public QObject, FaultFixture {
    Q_OBJECT

    QString path(const QString& Relative) const { return project() + '/' + Relative; }
    QList<ExpectedEntry> plain() const {
        return {{"a.txt", path("a.txt")}, {"sub\\c.txt", path("sub/c.txt")}};
    }

  private Q_SLOTS:
    void init() {
        FAULT_VERIFY(setUpFixture());
        QVERIFY(MakeFile(path("a.txt"), "a"));
        QVERIFY(MakeFile(path("sub/c.txt"), "c"));
    }
    void cleanup() { QVERIFY(tearDownFixture()); }

    // A FIFO (opening it would block the window for ever), a socket and a link to a device
    // are no template files: skipped without being opened.
    void specialEntriesSkipped() {
        QVERIFY(::mkfifo(QFile::encodeName(path("pipe")).constData(), 0644) == 0);
        QVERIFY(makeSocket(path("sock")));
        QVERIFY(makeLink("/dev/zero", path("sub/zero")));
        const RunRecord run = PackWith(*m_rig, KindCode::DZS, out() + "/special.dzs", 10000);
        FAULT_VERIFY(Succeeded(*m_rig, run));
        FAULT_VERIFY(PackageHolds(out() + "/special.dzs", plain()));
    }

    void brokenLink_data() {
        QTest::addColumn<QByteArray>("target");
        QTest::newRow("dangling") << QByteArray("nowhere.txt");
        QTest::newRow("leading to itself") << QByteArray("loop.txt");
    }
    // A link that leads nowhere would drop the file it stood for without a word: the walk
    // fails and names it.
    void brokenLink() {
        QFETCH(QByteArray, target);
        QVERIFY(makeLink(target, path("sub/loop.txt")));
        const RunRecord run = PackWith(*m_rig, KindCode::DZS, out() + "/broken.dzs");
        FAULT_VERIFY(FailedAs(*m_rig, run, QStringLiteral("AddFile failed on loop\\.txt")));
        QVERIFY(!QFileInfo::exists(out() + "/broken.dzs"));

        QVERIFY(QFile::remove(path("sub/loop.txt")));
        FAULT_VERIFY(Succeeded(*m_rig, PackWith(*m_rig, KindCode::DZS, out() + "/fixed.dzs")));
        FAULT_VERIFY(PackageHolds(out() + "/fixed.dzs", plain()));
    }

    // Links back to a folder being walked (the project itself, or the folder holding them)
    // are not followed again: the walk ends and each file is packed once.
    void linkLoopsNotFollowed() {
        QVERIFY(makeLink("..", path("sub/up")));
        QVERIFY(makeLink(".", path("sub/here")));
        QVERIFY(QDir().mkpath(path("sub/deeper")));
        QVERIFY(makeLink(QFile::encodeName(project()), path("sub/deeper/home")));
        const RunRecord run = PackWith(*m_rig, KindCode::DZS, out() + "/loops.dzs", 10000);
        FAULT_VERIFY(Succeeded(*m_rig, run));
        FAULT_VERIFY(PackageHolds(out() + "/loops.dzs", plain()));
    }

    // A link to a folder outside the project is followed: its files are part of the template.
    void linkToAFolderOutside() {
        const QString shared = m_dir->path() + "/shared";
        QVERIFY(MakeFile(shared + "/x.txt", "x"));
        QVERIFY(MakeFile(shared + "/y/z.txt", "z"));
        QVERIFY(makeLink("../../shared", path("sub/library")));
        const RunRecord run = PackWith(*m_rig, KindCode::DZS, out() + "/outside.dzs");
        FAULT_VERIFY(Succeeded(*m_rig, run));
        FAULT_VERIFY(
            PackageHolds(out() + "/outside.dzs",
                         plain() << ExpectedEntry{"sub\\library\\x.txt", shared + "/x.txt"}
                                 << ExpectedEntry{"sub\\library\\y\\z.txt", shared + "/y/z.txt"}));
    }

    void unusableName_data() {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<bool>("folder");
        QTest::addColumn<QString>("shown");
        QTest::newRow("not UTF-8")
            << QByteArray("caf\xe9.txt") << false << QStringLiteral("caf\uFFFD.txt");
        QTest::newRow("not UTF-8, a folder")
            << QByteArray("m\xff\xfe") << true << QStringLiteral("m\uFFFD\uFFFD");
        QTest::newRow("backslash") << QByteArray("a\\b.txt") << false << QStringLiteral("a\\b.txt");
        QTest::newRow("climbing backslashes")
            << QByteArray("x\\..\\..\\evil.txt") << false << QStringLiteral("x\\..\\..\\evil.txt");
        QTest::newRow("backslash, a folder")
            << QByteArray("x\\y") << true << QStringLiteral("x\\y");
        QTest::newRow("a drive, a folder") << QByteArray("C:") << true << QStringLiteral("C:");
        // Shown by its name in the package: the later of the two, "C.TXT" sorting first.
        QTest::newRow("equal to another once case is folded")
            << QByteArray("C.TXT") << false << QStringLiteral("sub\\c.txt");
    }
    // A name that cannot go into a package as it stands fails the walk, shown as best it can
    // be; nothing is written, and without that entry the project packs.
    void unusableName() {
        QFETCH(QByteArray, name);
        QFETCH(bool, folder);
        QFETCH(QString, shown);
        const QByteArray bad = QFile::encodeName(path("sub/")) + name;
        QVERIFY(folder ? ::mkdir(bad.constData(), 0755) == 0 : MakeRawFile(bad));
        if (folder)
            QVERIFY(MakeRawFile(bad + "/inside.txt"));
        const RunRecord run = PackWith(*m_rig, KindCode::DZS, out() + "/names.dzs");
        FAULT_VERIFY(
            FailedAs(*m_rig, run, QRegularExpression::escape("AddFile failed on " + shown)));
        QVERIFY(!QFileInfo::exists(out() + "/names.dzs"));

        QVERIFY(folder ? ::unlink(bad + "/inside.txt") == 0 && ::rmdir(bad) == 0
                       : ::unlink(bad) == 0);
        FAULT_VERIFY(Succeeded(*m_rig, PackWith(*m_rig, KindCode::DZS, out() + "/fixed.dzs")));
        FAULT_VERIFY(PackageHolds(out() + "/fixed.dzs", plain()));
    }

    // Names far past 255 bytes, in a deep tree and in one 255-byte file name, are stored
    // byte for byte.
    void longNames() {
        const QString component = QString(200, 'd');
        QString folder;
        for (int level = 0; level < 10; ++level)
            folder += component + QString::number(level) + '/';
        const QString longFile = QString(251, 'f') + ".txt";
        QVERIFY(MakeFile(path(folder + "deep.txt"), "deep"));
        QVERIFY(MakeFile(path(longFile), "long"));
        QString inArchive = folder;
        inArchive.replace('/', '\\');
        const RunRecord run = PackWith(*m_rig, KindCode::DZS, out() + "/long.dzs");
        FAULT_VERIFY(Succeeded(*m_rig, run));
        FAULT_VERIFY(
            PackageHolds(out() + "/long.dzs", {{"a.txt", path("a.txt")},
                                               {longFile, path(longFile)},
                                               {inArchive + "deep.txt", path(folder + "deep.txt")},
                                               {"sub\\c.txt", path("sub/c.txt")}}));
    }

    // A tree deeper than any path the system can name: the walk fails at the folder it
    // cannot reach, named in the status line, instead of leaving its files out.
    void pathBeyondTheSystemLimit() {
        QVERIFY(makeDeepTree(path("sub"), QByteArray(240, 'p'), 20));
        const RunRecord run = PackWith(*m_rig, KindCode::DZS, out() + "/deep.dzs");
        FAULT_VERIFY(FailedAs(*m_rig, run, QStringLiteral("AddFile failed on [0-9]{2}p{240}")));
        QVERIFY(!QFileInfo::exists(out() + "/deep.dzs"));

        QVERIFY(RemoveAnyTree(path("sub/10") + QString(240, 'p')));
        FAULT_VERIFY(Succeeded(*m_rig, PackWith(*m_rig, KindCode::DZS, out() + "/fixed.dzs")));
        FAULT_VERIFY(PackageHolds(out() + "/fixed.dzs", plain()));
    }

    void nonAsciiNames_data() {
        QTest::addColumn<QString>("reader");
        QTest::newRow("Python zipfile") << QString();
        QTest::newRow("7z") << QStringLiteral("7z");
        QTest::newRow("bsdtar") << QStringLiteral("bsdtar");
    }
    // Non-ASCII names go in as UTF-8 with the language encoding flag (bit 11), so that
    // readers show them as they were; all-ASCII names go in without it.
    void nonAsciiNames() {
        QFETCH(QString, reader);
        if (!reader.isEmpty() && QStandardPaths::findExecutable(reader).isEmpty())
            QSKIP(qPrintable(reader + QStringLiteral(" is not installed")));
        const QStringList files = {"Grüße.txt", "日本語/データ.bin", "café/ñandú €.txt"};
        for (const QString& file : files)
            QVERIFY(MakeFile(path(file), file.toUtf8()));
        const QString output = out() + "/names.dzs";
        FAULT_VERIFY(Succeeded(*m_rig, PackWith(*m_rig, KindCode::DZS, output)));
        const QStringList names = {"a.txt", "Grüße.txt", "café\\ñandú €.txt", "sub\\c.txt",
                                   "日本語\\データ.bin"};
        if (reader.isEmpty()) {
            const CheckedArchive archive = CheckZip(output);
            QVERIFY2(archive.Ok, qPrintable(archive.Error));
            QCOMPARE(archive.Names(), names);
            QCOMPARE(StoredNames(archive), names);
            for (const CheckedEntry& entry : archive.Entries)
                QCOMPARE(bool(entry.FlagBits & 0x800), !isAscii(entry.NameBytes));
            return;
        }
        QStringList expected = names;
        // bsdtar shows a "\" between folders as "/".
        if (reader == QLatin1String("bsdtar"))
            expected.replaceInStrings(QStringLiteral("\\"), QStringLiteral("/"));
        QCOMPARE(listedBy(reader, output), expected);
    }
};

QTEST_GUILESS_MAIN(tst_FaultEntries)
#include "tst_fault_entries.moc"
