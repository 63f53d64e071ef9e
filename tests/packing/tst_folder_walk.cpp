#include "pack_rig.h"

#include "packing/entry_names.h"
#include "packing/folder_walk.h"

#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>

// The walk of a project tree, seen through what it queues: the queue is packed into an
// archive and read back by the independent reader.
class tst_FolderWalk : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void init();
    void cleanup();
    void workedExample_data();
    void workedExample();
    void subFolderBearingTheProjectName_data();
    void subFolderBearingTheProjectName();
    void emptyTrees_data();
    void emptyTrees();
    void hiddenEntriesLeftOut();
    void failureStopsEveryLevel();
    void entryLimit_data();
    void entryLimit();
    void tooManyEntriesNamesTheFolder();
    void unlistableFolderFails();
    void vanishedEntrySkipped();
    void unusableName_data();
    void unusableName();
    void projectNameWithBackslash_data();
    void projectNameWithBackslash();
    void onlyOrdinaryFilesPacked();
    void folderLinksFollowedWithoutLooping();
    void archiveNameForms_data();
    void archiveNameForms();
    void portableEntryName_data();
    void portableEntryName();

  private:
    QString project() const { return m_dir->path() + QStringLiteral("/Intro"); }
    QString archive() const { return m_dir->path() + QStringLiteral("/queued.zip"); }
    bool walk(ArchiveNaming Naming = ArchiveNaming::Relative);
    QStringList queuedNames();

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<PackRig> m_rig;
};

void tst_FolderWalk::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QVERIFY(QDir().mkpath(project()));
    m_rig = std::make_unique<PackRig>();
    m_rig->values.ProjectFolder = project();
}

void tst_FolderWalk::cleanup() {
    m_rig.reset();
    QVERIFY(RemoveTree(m_dir->path()));
    m_dir.reset();
}

bool tst_FolderWalk::walk(ArchiveNaming Naming) {
    return m_rig->packer.AddFolderFiles(project() + QLatin1Char('/'), QString(), Naming);
}

QStringList tst_FolderWalk::queuedNames() {
    const CheckedArchive packed = PackQueued(m_rig->zipper, archive());
    if (!packed.Ok)
        return {QStringLiteral("unreadable archive: ") + packed.Error};
    return StoredNames(packed);
}

void tst_FolderWalk::workedExample_data() {
    QTest::addColumn<ArchiveNaming>("Naming");
    QTest::addColumn<QStringList>("Names");

    QTest::newRow("FolderNamed") << ArchiveNaming::FolderNamed
                                 << QStringList{"Intro\\project.xml", "Intro\\readme.txt",
                                                "Intro\\media\\clip.mp4",
                                                "Intro\\media\\thumbs\\t1.png"};
    QTest::newRow("Relative") << ArchiveNaming::Relative
                              << QStringList{"project.xml", "readme.txt", "media\\clip.mp4",
                                             "media\\thumbs\\t1.png"};
    QTest::newRow("DotRelative") << ArchiveNaming::DotRelative
                                 << QStringList{".\\project.xml", ".\\readme.txt",
                                                ".\\media\\clip.mp4", ".\\media\\thumbs\\t1.png"};
}

void tst_FolderWalk::workedExample() {
    QFETCH(ArchiveNaming, Naming);
    QFETCH(QStringList, Names);
    const QStringList files{"readme.txt", "media/thumbs/t1.png", "project.xml", "media/clip.mp4"};
    QVERIFY(MakeTree(project(), files));

    QVERIFY(walk(Naming));
    QCOMPARE(m_rig->view.Statuses, QStringList{});
    const CheckedArchive packed = PackQueued(m_rig->zipper, archive());
    QVERIFY2(packed.Ok, qPrintable(packed.Error));
    QCOMPARE(StoredNames(packed), Names);
    // Each entry holds its own file: the content of each file is its relative path.
    const QStringList sources{"project.xml", "readme.txt", "media/clip.mp4", "media/thumbs/t1.png"};
    for (qsizetype i = 0; i < sources.size(); ++i)
        QCOMPARE(packed.Entries.at(i).Sha256, Sha256Of(sources.at(i).toUtf8()));
}

void tst_FolderWalk::subFolderBearingTheProjectName_data() {
    QTest::addColumn<ArchiveNaming>("Naming");
    QTest::addColumn<QString>("Name");
    QTest::newRow("FolderNamed") << ArchiveNaming::FolderNamed << "Intro\\Intro\\a.txt";
    QTest::newRow("Relative") << ArchiveNaming::Relative << "Intro\\a.txt";
    QTest::newRow("DotRelative") << ArchiveNaming::DotRelative << ".\\Intro\\a.txt";
}

void tst_FolderWalk::subFolderBearingTheProjectName() {
    QFETCH(ArchiveNaming, Naming);
    QFETCH(QString, Name);
    QVERIFY(MakeTree(project(), {"Intro/a.txt"}));
    QVERIFY(walk(Naming));
    QCOMPARE(queuedNames(), QStringList{Name});
}

void tst_FolderWalk::emptyTrees_data() {
    QTest::addColumn<QStringList>("Folders");
    QTest::newRow("empty project folder") << QStringList{};
    QTest::newRow("only empty sub-folders") << QStringList{"a", "b/c", "d"};
}

void tst_FolderWalk::emptyTrees() {
    QFETCH(QStringList, Folders);
    for (const QString& folder : Folders)
        QVERIFY(QDir(project()).mkpath(folder));
    QVERIFY(walk());
    QCOMPARE(queuedNames(), QStringList{});
}

void tst_FolderWalk::hiddenEntriesLeftOut() {
    QVERIFY(MakeTree(project(), {".hidden.txt", ".git/config", "media/.thumbs.db", "media/a.png",
                                 "shown.txt", ".settings/deep/x.txt"}));
    QVERIFY(walk(ArchiveNaming::DotRelative));
    QCOMPARE(queuedNames(), (QStringList{".\\shown.txt", ".\\media\\a.png"}));
}

void tst_FolderWalk::failureStopsEveryLevel() {
    QVERIFY(MakeTree(project(), {"top.txt", "a/a1.txt", "a/deep/d1.txt", "a/deep/d3.txt",
                                 "a/later/l.txt", "b/b1.txt", "z.txt"}));
    // A link that leads nowhere cannot be queued.
    QVERIFY(::symlink("gone", QFile::encodeName(project() + "/a/deep/d2").constData()) == 0);

    QVERIFY(!walk());
    QCOMPARE(m_rig->view.StatusText, QStringLiteral("AddFile failed on d2"));
    // The walk itself leaves what it queued before the failure; nothing after it.
    QCOMPARE(queuedNames(), (QStringList{"top.txt", "z.txt", "a\\a1.txt", "a\\deep\\d1.txt"}));
}

void tst_FolderWalk::entryLimit_data() {
    QTest::addColumn<int>("Files");
    QTest::addColumn<bool>("Walked");
    // With ".", ".." and the folder "sub", 7 files make 10 entries.
    QTest::newRow("at the limit") << 7 << true;
    QTest::newRow("one over the limit") << 8 << false;
}

void tst_FolderWalk::entryLimit() {
    QFETCH(int, Files);
    QFETCH(bool, Walked);
    m_rig->values.MaxFolderEntries = 10;
    QStringList files{"sub/s.txt"};
    for (int i = 0; i < Files; ++i)
        files << QStringLiteral("f%1").arg(i);
    QVERIFY(MakeTree(project(), files));

    QCOMPARE(walk(), Walked);
    const QString status = Walked ? QStringLiteral("before")
                                  : QStringLiteral("Too many entries in ") + project() + "/";
    QCOMPARE(m_rig->view.StatusText, status);
    QCOMPARE(queuedNames().size(), Walked ? Files + 1 : 0);
}

void tst_FolderWalk::tooManyEntriesNamesTheFolder() {
    QVERIFY(MakeTree(project(), {"first.txt", "zlast/z.txt"}));
    QStringList crowd;
    for (int i = 0; i < 2098; ++i)
        crowd << QStringLiteral("big/f%1").arg(i, 4, 10, QLatin1Char('0'));
    QVERIFY(MakeTree(project(), crowd));

    QVERIFY(!walk());
    QCOMPARE(m_rig->view.StatusText, QStringLiteral("Too many entries in ") + project() + "/big/");
    QCOMPARE(queuedNames(), QStringList{"first.txt"});
}

void tst_FolderWalk::unlistableFolderFails() {
    QVERIFY(MakeTree(project(), {"a.txt", "locked/secret.txt", "later/l.txt"}));
    QVERIFY(AsOrdinaryUser::OpenToOthers(m_dir->path()));
    const QByteArray locked = QFile::encodeName(project() + "/locked");
    QVERIFY(::chmod(locked.constData(), 0) == 0);
    bool walked = true;
    {
        AsOrdinaryUser user;
        if (!user.Active())
            QSKIP("permissions cannot be made to apply");
        walked = walk();
    }
    QVERIFY(::chmod(locked.constData(), 0755) == 0);
    QVERIFY(!walked);
    QCOMPARE(m_rig->view.StatusText, QStringLiteral("AddFile failed on locked"));
    QCOMPARE(queuedNames(), (QStringList{"a.txt", "later\\l.txt"}));
}

void tst_FolderWalk::vanishedEntrySkipped() {
    // The listing of /proc/self/fd shows the descriptor the listing itself holds open; it is
    // gone by the time the entry is read, and must be passed over, not fail the walk.
    QVERIFY(m_rig->packer.AddFolderFiles(QStringLiteral("/proc/self/fd/"), QString(),
                                         ArchiveNaming::Relative));
    QCOMPARE(m_rig->view.Statuses, QStringList{});
    m_rig->zipper.ClearFiles();
}

void tst_FolderWalk::unusableName_data() {
    QTest::addColumn<QByteArray>("Bad");
    QTest::addColumn<bool>("IsFolder");
    QTest::addColumn<QString>("Shown");
    QTest::newRow("not UTF-8") << QByteArray("m\xff"
                                             "de.txt")
                               << false << QString::fromUtf8("m\uFFFDde.txt");
    QTest::newRow("not UTF-8 folder")
        << QByteArray("m\xff") << true << QString::fromUtf8("m\uFFFD");
    QTest::newRow("backslash climbing out")
        << QByteArray("up\\..\\..\\x.txt") << false << "up\\..\\..\\x.txt";
    QTest::newRow("backslash in a folder name") << QByteArray("n\\o") << true << "n\\o";
}

void tst_FolderWalk::unusableName() {
    QFETCH(QByteArray, Bad);
    QFETCH(bool, IsFolder);
    QFETCH(QString, Shown);
    QVERIFY(MakeTree(project(), {"a.txt", "sub/s.txt"}));
    const QByteArray bad = QFile::encodeName(project()) + "/" + Bad;
    if (IsFolder)
        QVERIFY(::mkdir(bad.constData(), 0755) == 0 && MakeRawFile(bad + "/in.txt"));
    else
        QVERIFY(MakeRawFile(bad));

    QVERIFY(!walk());
    QCOMPARE(m_rig->view.StatusText, QStringLiteral("AddFile failed on ") + Shown);
    QCOMPARE(queuedNames(), QStringList{"a.txt"});
}

void tst_FolderWalk::onlyOrdinaryFilesPacked() {
    QVERIFY(MakeTree(project(), {"real.txt"}));
    const QByteArray base = QFile::encodeName(project()) + "/";
    QVERIFY(::mkfifo((base + "pipe").constData(), 0644) == 0);
    QVERIFY(::symlink("/dev/null", (base + "device").constData()) == 0);
    QVERIFY(::symlink("real.txt", (base + "link.txt").constData()) == 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray socketPath = base + "sock";
    QVERIFY(std::size_t(socketPath.size()) < sizeof(address.sun_path));
    qstrcpy(address.sun_path, socketPath.constData());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    QVERIFY(fd >= 0);
    QVERIFY(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0);
    ::close(fd);

    // Were the FIFO queued, packing it would block the run for ever.
    QVERIFY(walk());
    const CheckedArchive packed = PackQueued(m_rig->zipper, archive());
    QVERIFY2(packed.Ok, qPrintable(packed.Error));
    QCOMPARE(StoredNames(packed), (QStringList{"link.txt", "real.txt"}));
    QCOMPARE(packed.Entries.at(0).Sha256, Sha256Of("real.txt"));
}

void tst_FolderWalk::folderLinksFollowedWithoutLooping() {
    QVERIFY(MakeTree(m_dir->path(), {"shared/logo.png"}));
    QVERIFY(MakeTree(project(), {"sub/a.txt"}));
    const QByteArray base = QFile::encodeName(project()) + "/";
    QVERIFY(::symlink("../shared", (base + "assets").constData()) == 0);
    QVERIFY(::symlink("..", (base + "sub/up").constData()) == 0);
    QVERIFY(::symlink(".", (base + "sub/here").constData()) == 0);

    QVERIFY(walk());
    QCOMPARE(queuedNames(), (QStringList{"assets\\logo.png", "sub\\a.txt"}));
}

void tst_FolderWalk::archiveNameForms_data() {
    QTest::addColumn<ArchiveNaming>("Naming");
    QTest::addColumn<QString>("ProjectName");
    QTest::addColumn<QString>("Name");
    QTest::newRow("FolderNamed three deep") << ArchiveNaming::FolderNamed << "Intro"
                                            << "Intro\\a\\b\\c\\f.txt";
    QTest::newRow("Relative three deep") << ArchiveNaming::Relative << "Intro"
                                         << "a\\b\\c\\f.txt";
    QTest::newRow("DotRelative three deep") << ArchiveNaming::DotRelative << "Intro"
                                            << ".\\a\\b\\c\\f.txt";
    QTest::newRow("FolderNamed at the root") << ArchiveNaming::FolderNamed << ""
                                             << "a\\b\\c\\f.txt";
}

void tst_FolderWalk::archiveNameForms() {
    QFETCH(ArchiveNaming, Naming);
    QFETCH(QString, ProjectName);
    QFETCH(QString, Name);
    QCOMPARE(ArchiveName(Naming, ProjectName, QStringLiteral("a\\b\\c\\"), QStringLiteral("f.txt")),
             Name);
    const QString projectFolder =
        ProjectName.isEmpty() ? QStringLiteral("/") : QStringLiteral("/work/") + ProjectName;
    QCOMPARE(ProjectFolderName(projectFolder), ProjectName);
}

void tst_FolderWalk::projectNameWithBackslash_data() {
    QTest::addColumn<ArchiveNaming>("naming");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("FolderNamed") << ArchiveNaming::FolderNamed << false;
    QTest::newRow("Relative") << ArchiveNaming::Relative << true;
    QTest::newRow("DotRelative") << ArchiveNaming::DotRelative << true;
}

// Only folder-named packages carry the project folder's own name, where a "\" would split it
// into two folders inside the package.
void tst_FolderWalk::projectNameWithBackslash() {
    QFETCH(ArchiveNaming, naming);
    QFETCH(bool, accepted);
    const QString folder = m_dir->path() + QStringLiteral("/Intro\\2024");
    QVERIFY(MakeTree(folder, {QStringLiteral("a.txt")}));
    m_rig->values.ProjectFolder = folder;
    const bool walked = m_rig->packer.AddFolderFiles(folder + QLatin1Char('/'), QString(), naming);
    QCOMPARE(walked, accepted);
    if (!accepted)
        QCOMPARE(m_rig->view.StatusText, QStringLiteral("AddFile failed on Intro\\2024"));
    m_rig->zipper.ClearFiles();
}

void tst_FolderWalk::portableEntryName_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("portable");
    QTest::newRow("a drive") << "C:" << false;
    QTest::newRow("drive-relative") << "D:x.txt" << false;
    QTest::newRow("backslash") << "a\\b.txt" << false;
    for (const char* bad : {"<", ">", "\"", "|", "?", "*"})
        QTest::addRow("holding %s", bad)
            << QStringLiteral("a%1b.txt").arg(QLatin1String(bad)) << false;
    QTest::newRow("newline") << "x\nSuccess: forged" << false;
    QTest::newRow("escape") << "\x1b]0;x\x07" << false;
    QTest::newRow("ends in a dot") << "notes." << false;
    QTest::newRow("ends in a space") << "notes " << false;
    QTest::newRow("CON") << "CON" << false;
    QTest::newRow("nul with two extensions") << "nul.tar.gz" << false;
    QTest::newRow("prn, spaces before the extension") << "prn  .log" << false;
    QTest::newRow("COM1") << "COM1" << false;
    QTest::newRow("lpt9.bin") << "lpt9.bin" << false;
    QTest::newRow("spaces inside") << "My Title 2.png" << true;
    QTest::newRow("non-ASCII") << "Grüße ñandú 日本語.txt" << true;
    QTest::newRow("255 bytes") << QString(251, QLatin1Char('n')) + ".txt" << true;
    QTest::newRow("DEL is no control for Windows names") << "a\x7f" << true;
    QTest::newRow("COM0") << "COM0" << true;
    QTest::newRow("COM10") << "COM10" << true;
    QTest::newRow("device name inside a longer one") << "CONSOLE.txt" << true;
    QTest::newRow("device name after a dot") << "x.CON" << true;
}

// The rule every file and folder name of a package meets, and the project folder's name in
// folder-named packages.
void tst_FolderWalk::portableEntryName() {
    QFETCH(QString, name);
    QTEST(IsPortableEntryName(name), "portable");
}

QTEST_GUILESS_MAIN(tst_FolderWalk)
#include "tst_folder_walk.moc"
