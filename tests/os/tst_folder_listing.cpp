#include "os/folder_listing.h"

#include "fs_test_helpers.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cstring>
#include <memory>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

using namespace FolderListing;

namespace {

bool touch(const QByteArray& Path) {
    const int fd = ::open(Path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    return fd >= 0 && ::close(fd) == 0;
}

// Binds a Unix socket at Path and closes the descriptor; the socket entry stays.
bool makeSocket(const QByteArray& Path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (std::size_t(Path.size()) >= sizeof(address.sun_path))
        return false;
    std::memcpy(address.sun_path, Path.constData(), std::size_t(Path.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    const bool bound =
        fd >= 0 && ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0;
    if (fd >= 0)
        ::close(fd);
    return bound;
}

QList<QByteArray> bytesList(const QStringList& Names) {
    QList<QByteArray> list;
    for (const QString& name : Names)
        list << name.toUtf8();
    return list;
}

} // namespace

class tst_FolderListing : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void init();
    void cleanup();
    void order_data();
    void order();
    void nonUtf8NameKeepsItsBytes();
    void entryLimit_data();
    void entryLimit();
    void missingFolder();
    void unreadableFolder();
    void folderIdentity();
    void classify_data();
    void classify();

  private:
    QByteArray path(const char* Name) const {
        return QFile::encodeName(m_dir->path()) + '/' + Name;
    }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void tst_FolderListing::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void tst_FolderListing::cleanup() {
    QVERIFY(RemoveTree(m_dir->path()));
    m_dir.reset();
}

void tst_FolderListing::order_data() {
    QTest::addColumn<QStringList>("Files");
    QTest::addColumn<QStringList>("Folders");
    QTest::addColumn<QStringList>("Expected");

    QTest::newRow("empty folder") << QStringList{} << QStringList{} << QStringList{".", ".."};
    QTest::newRow("case-insensitive") << QStringList{"b.txt", "C.txt", "a.txt"} << QStringList{}
                                      << QStringList{".", "..", "a.txt", "b.txt", "C.txt"};
    QTest::newRow("ties broken by bytes")
        << QStringList{"a", "A", "b"} << QStringList{} << QStringList{".", "..", "A", "a", "b"};
    QTest::newRow("folded before compared")
        << QStringList{"B", "_", "a"} << QStringList{} << QStringList{".", "..", "_", "a", "B"};
    QTest::newRow("folders among files")
        << QStringList{"project.xml", "readme.txt"} << QStringList{"media"}
        << QStringList{".", "..", "media", "project.xml", "readme.txt"};
    QTest::newRow("hidden left out")
        << QStringList{".hidden", "...", "shown", ".a.b"} << QStringList{".git", "dir"}
        << QStringList{".", "..", "dir", "shown"};
    QTest::newRow("non-ASCII folded") << QStringList{"Ärger", "zebra", "äpfel"} << QStringList{}
                                      << QStringList{".", "..", "zebra", "äpfel", "Ärger"};
}

void tst_FolderListing::order() {
    QFETCH(QStringList, Files);
    QFETCH(QStringList, Folders);
    QFETCH(QStringList, Expected);
    QDir dir(m_dir->path());
    for (const QString& name : Files)
        QVERIFY(touch(QFile::encodeName(dir.filePath(name))));
    for (const QString& name : Folders)
        QVERIFY(dir.mkdir(name));

    QList<QByteArray> names;
    FolderId id;
    QCOMPARE(ListFolder(QFile::encodeName(m_dir->path()), 2000, names, id), ListStatus::Listed);
    QCOMPARE(names, bytesList(Expected));
}

void tst_FolderListing::nonUtf8NameKeepsItsBytes() {
    QVERIFY(touch(path("bad\xff\xfe.txt")));
    QVERIFY(touch(path("good.txt")));
    QList<QByteArray> names;
    FolderId id;
    QCOMPARE(ListFolder(QFile::encodeName(m_dir->path()), 2000, names, id), ListStatus::Listed);
    const QList<QByteArray> expected{".", "..", QByteArray("bad\xff\xfe.txt"), "good.txt"};
    QCOMPARE(names, expected);
}

void tst_FolderListing::entryLimit_data() {
    QTest::addColumn<int>("Files");
    QTest::addColumn<int>("MaxEntries");
    QTest::addColumn<ListStatus>("Expected");
    QTest::addColumn<int>("Names");

    QTest::newRow("exactly at the limit") << 5 << 7 << ListStatus::Listed << 7;
    QTest::newRow("one over the limit") << 6 << 7 << ListStatus::TooManyEntries << 0;
    QTest::newRow("dot entries alone exceed it") << 0 << 1 << ListStatus::TooManyEntries << 0;
    QTest::newRow("2100 entries against 2000") << 2098 << 2000 << ListStatus::TooManyEntries << 0;
}

void tst_FolderListing::entryLimit() {
    QFETCH(int, Files);
    QFETCH(int, MaxEntries);
    QFETCH(ListStatus, Expected);
    QFETCH(int, Names);
    for (int i = 0; i < Files; ++i)
        QVERIFY(touch(path(QByteArray::number(i).constData())));
    QVERIFY(touch(path(".hidden-does-not-count")));

    QList<QByteArray> names{"stale"};
    FolderId id;
    QCOMPARE(ListFolder(QFile::encodeName(m_dir->path()), MaxEntries, names, id), Expected);
    QCOMPARE(names.size(), Names);
}

void tst_FolderListing::missingFolder() {
    QVERIFY(touch(path("plain")));
    QList<QByteArray> names;
    FolderId id;
    QCOMPARE(ListFolder(path("nowhere"), 2000, names, id), ListStatus::Missing);
    QCOMPARE(ListFolder(path("plain"), 2000, names, id), ListStatus::Missing);
    QVERIFY(names.isEmpty());
}

void tst_FolderListing::unreadableFolder() {
    QVERIFY(AsOrdinaryUser::OpenToOthers(m_dir->path()));
    QVERIFY(QDir(m_dir->path()).mkdir("locked"));
    QVERIFY(touch(path("locked/inside")));
    QVERIFY(::chmod(path("locked").constData(), 0) == 0);

    ListStatus status = ListStatus::Listed;
    QList<QByteArray> names;
    FolderId id;
    {
        AsOrdinaryUser user;
        if (!user.Active())
            QSKIP("permissions cannot be made to apply");
        status = ListFolder(path("locked"), 2000, names, id);
    }
    QVERIFY(::chmod(path("locked").constData(), 0755) == 0);
    QCOMPARE(status, ListStatus::Unlistable);
    QVERIFY(names.isEmpty());
}

void tst_FolderListing::folderIdentity() {
    QVERIFY(QDir(m_dir->path()).mkpath("real/sub"));
    QVERIFY(::symlink("real", path("link").constData()) == 0);
    QList<QByteArray> names;
    FolderId listed;
    QCOMPARE(ListFolder(path("real"), 2000, names, listed), ListStatus::Listed);

    const Entry viaFolder = Classify(path("real"));
    const Entry viaLink = Classify(path("link"));
    QCOMPARE(viaFolder.Kind, EntryKind::Folder);
    QCOMPARE(viaLink.Kind, EntryKind::Folder);
    QVERIFY(!viaFolder.IsLink);
    QVERIFY(viaLink.IsLink);
    QVERIFY(viaFolder.Id == listed);
    QVERIFY(viaLink.Id == listed);
    QVERIFY(!(Classify(path("real/sub")).Id == listed));
    // A file has an identity too, shared by every name and link that reaches it.
    for (const char* name : {"real/a", "real/c"})
        QVERIFY(::close(::open(path(name).constData(), O_CREAT | O_WRONLY, 0644)) == 0);
    QVERIFY(::link(path("real/a").constData(), path("real/b").constData()) == 0);
    QVERIFY(Classify(path("real/a")).Id == Classify(path("link/b")).Id);
    QVERIFY(!(Classify(path("real/a")).Id == Classify(path("real/c")).Id));
}

void tst_FolderListing::classify_data() {
    QTest::addColumn<QString>("Setup");
    QTest::addColumn<EntryKind>("Kind");
    QTest::addColumn<bool>("IsLink");

    QTest::newRow("ordinary file") << "file" << EntryKind::File << false;
    QTest::newRow("folder") << "folder" << EntryKind::Folder << false;
    QTest::newRow("link to a file") << "file link" << EntryKind::File << true;
    QTest::newRow("link leading nowhere") << "dangling link" << EntryKind::Unreachable << true;
    QTest::newRow("FIFO") << "fifo" << EntryKind::Special << false;
    QTest::newRow("socket") << "socket" << EntryKind::Special << false;
    QTest::newRow("link to a device") << "device link" << EntryKind::Special << true;
    QTest::newRow("gone") << "nothing" << EntryKind::Missing << false;
    QTest::newRow("below a file") << "below file" << EntryKind::Missing << false;
}

void tst_FolderListing::classify() {
    QFETCH(QString, Setup);
    QFETCH(EntryKind, Kind);
    QFETCH(bool, IsLink);
    const QByteArray target = path("entry");
    QByteArray probe = target;
    if (Setup == "file")
        QVERIFY(touch(target));
    else if (Setup == "folder")
        QVERIFY(::mkdir(target.constData(), 0755) == 0);
    else if (Setup == "file link")
        QVERIFY(touch(path("real")) && ::symlink("real", target.constData()) == 0);
    else if (Setup == "dangling link")
        QVERIFY(::symlink("no-such-thing", target.constData()) == 0);
    else if (Setup == "fifo")
        QVERIFY(::mkfifo(target.constData(), 0644) == 0);
    else if (Setup == "socket")
        QVERIFY(makeSocket(target));
    else if (Setup == "device link")
        QVERIFY(::symlink("/dev/null", target.constData()) == 0);
    else if (Setup == "below file") {
        QVERIFY(touch(target));
        probe = target + "/inside";
    }

    const Entry entry = Classify(probe);
    QCOMPARE(entry.Kind, Kind);
    QCOMPARE(entry.IsLink, IsLink);
}

QTEST_GUILESS_MAIN(tst_FolderListing)
#include "tst_folder_listing.moc"
