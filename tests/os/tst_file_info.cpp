#include "os/file_info.h"
#include "os/source_reader.h"
#include "os/temp_output.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

class TstFileInfo : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        QDir dir(m_dir.path());
        for (const char* name : {"plain.txt", ".hidden.txt", "locked.txt", ".locked"})
            QVERIFY(touch(m_dir.filePath(QString::fromLatin1(name))));
        QVERIFY(::chmod(QFile::encodeName(m_dir.filePath("locked.txt")).constData(), 0444) == 0);
        QVERIFY(::chmod(QFile::encodeName(m_dir.filePath(".locked")).constData(), 0555) == 0);
        QVERIFY(dir.mkdir(QStringLiteral("folder")));
        QVERIFY(dir.mkdir(QStringLiteral(".git")));
        QVERIFY(QFile::link(m_dir.filePath("plain.txt"), m_dir.filePath("link-to-file")));
        QVERIFY(QFile::link(m_dir.filePath("folder"), m_dir.filePath("link-to-folder")));
        QVERIFY(QFile::link(m_dir.filePath("gone"), m_dir.filePath("dangling")));
        QVERIFY(QFile::link(m_dir.filePath("plain.txt"), m_dir.filePath(".hidden-link")));
        QVERIFY(::mkfifo(QFile::encodeName(m_dir.filePath("pipe")).constData(), 0644) == 0);
        QVERIFY(QFile::link(QStringLiteral("/dev/null"), m_dir.filePath("link-to-device")));
        QVERIFY(bindSocket(m_dir.filePath("socket")));
    }

    void cleanupTestCase() {
        if (m_socket >= 0)
            ::close(m_socket);
    }

    void readAttributes_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("reached");
        QTest::addColumn<int>("attrs");
        QTest::addColumn<bool>("exists");
        QTest::newRow("ordinary file") << "plain.txt" << true << 0x20 << true;
        QTest::newRow("hidden file") << ".hidden.txt" << true << 0x22 << false;
        QTest::newRow("read-only file") << "locked.txt" << true << 0x21 << true;
        QTest::newRow("hidden read-only file") << ".locked" << true << 0x23 << false;
        QTest::newRow("folder") << "folder" << true << 0x10 << false;
        QTest::newRow("folder with trailing slash") << "folder/" << true << 0x10 << false;
        QTest::newRow("hidden folder") << ".git" << true << 0x12 << false;
        QTest::newRow("hidden folder with trailing slash") << ".git/" << true << 0x12 << false;
        QTest::newRow("link to a file") << "link-to-file" << true << 0x20 << true;
        QTest::newRow("hidden link to a file") << ".hidden-link" << true << 0x22 << false;
        QTest::newRow("link to a folder") << "link-to-folder" << true << 0x10 << false;
        QTest::newRow("dangling link") << "dangling" << false << 0 << false;
        QTest::newRow("pipe") << "pipe" << true << 0x04 << false;
        QTest::newRow("socket") << "socket" << true << 0x04 << false;
        QTest::newRow("link to a device") << "link-to-device" << true << 0x04 << false;
        QTest::newRow("missing") << "missing.txt" << false << 0 << false;
        QTest::newRow("file inside a hidden folder") << ".git/../plain.txt" << true << 0x20 << true;
    }
    void readAttributes() {
        QFETCH(QString, name);
        QFETCH(bool, reached);
        QFETCH(int, attrs);
        QFETCH(bool, exists);
        const QString path = m_dir.path() + QLatin1Char('/') + name;
        int read = -1;
        QCOMPARE(FileInfo::ReadAttributes(path, read), reached);
        if (reached)
            QCOMPARE(read, attrs);
        else
            QCOMPARE(read, -1);
        QCOMPARE(FileInfo::FileExists(path), exists);
        // The source reader opens what can be packed, with the same attributes, and refuses
        // the rest without waiting (a pipe with no writer included).
        SourceReader reader;
        const bool packable =
            reached && (attrs & (FileInfo::AttrDirectory | FileInfo::AttrSystem)) == 0;
        QCOMPARE(reader.Open(path), packable);
        QCOMPARE(reader.IsOpen(), packable);
        QCOMPARE(reader.Error().isEmpty(), packable);
        if (packable)
            QCOMPARE(QPair(reader.Attrs(), reader.Size()), QPair(attrs, qint64(1)));
    }

    void emptyPath() {
        int attrs = -1;
        QVERIFY(!FileInfo::ReadAttributes(QString(), attrs));
        QVERIFY(!FileInfo::FileExists(QString()));
        SourceReader reader;
        QVERIFY(!reader.Open(QString()));
    }

  private:
    static bool touch(const QString& Path) {
        QFile f(Path);
        return f.open(QIODevice::WriteOnly) && f.write("x") == 1;
    }

    bool bindSocket(const QString& Path) {
        m_socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const QByteArray path = QFile::encodeName(Path);
        if (m_socket < 0 || size_t(path.size()) >= sizeof address.sun_path)
            return false;
        std::copy(path.begin(), path.end(), address.sun_path);
        return ::bind(m_socket, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    }

    QTemporaryDir m_dir;
    int m_socket = -1;

    // Commit's outcomes, and the errno that goes with each, for both kinds of temporary file.
    void commit_data() {
        QTest::addColumn<bool>("namedOnly");
        QTest::addColumn<bool>("failSync");
        QTest::addColumn<bool>("replace");
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("errorNumber");
        QTest::addColumn<QByteArray>("kept");
        const auto done = int(TempOutput::CommitResult::Done);
        const auto occupied = int(TempOutput::CommitResult::Occupied);
        const auto failed = int(TempOutput::CommitResult::Failed);
        for (const bool named : {false, true}) {
            const QByteArray kind = named ? "named: " : "unnamed: ";
            QTest::newRow(kind + "appeared, not replaced")
                << named << false << false << occupied << EEXIST << QByteArray("old");
            QTest::newRow(kind + "appeared, replaced")
                << named << false << true << done << 0 << QByteArray("new");
            QTest::newRow(kind + "flush fails")
                << named << true << true << failed << EIO << QByteArray("old");
        }
    }
    void commit() {
        QFETCH(bool, namedOnly);
        QFETCH(bool, failSync);
        QFETCH(bool, replace);
        QFETCH(int, result);
        QFETCH(int, errorNumber);
        QFETCH(QByteArray, kept);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const auto noFaults = qScopeGuard([] { TempOutput::SetTestFaults({}); });
        const QString output = dir.filePath(QStringLiteral("Intro.dzt"));
        TempOutput::TestFaults faults;
        faults.NamedOnly = namedOnly;
        faults.FailSync = failSync;
        TempOutput::SetTestFaults(faults);
        TempOutput temp(output);
        QVERIFY(temp.Create());
        QCOMPARE(::write(temp.Descriptor(), "new", 3), ssize_t(3));
        // The output appears while the package is written.
        QFile old(output);
        QVERIFY(old.open(QIODevice::WriteOnly));
        QCOMPARE(old.write("old"), qint64(3));
        old.close();
        QCOMPARE(int(temp.Commit(replace)), result);
        QCOMPARE(temp.ErrorNumber(), errorNumber);
        QCOMPARE(temp.Error().isEmpty(), errorNumber == 0);
        QFile package(output);
        QVERIFY(package.open(QIODevice::ReadOnly));
        QCOMPARE(package.readAll(), kept);
    }
};

QTEST_GUILESS_MAIN(TstFileInfo)
#include "tst_file_info.moc"
