#include "pack_cli_rig.h"

#include "packing/package_date.h"
#include "packing/package_paths.h"

#include <QDirIterator>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include <fcntl.h>
#include <sys/stat.h>

// For the same folder and kind, vendrel-pack's package holds the window's entries: in the
// same order, under the same names, with the same attributes, method and contents.
class TstPackIdentity : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();
    void sameAsTheWindow_data();
    void sameAsTheWindow();
    void oneDateGivesOneBytes();
    void emptyProject();
    void replacedOutputInsideTheProject();

  private:
    QString project() const { return m_tree.path() + QStringLiteral("/Intro"); }
    CheckedArchive windowPackage(KindCode Code, const QString& Output, bool ConfirmOverwrite);
    CheckedArchive commandPackage(KindCode Code, const QString& Output,
                                  const QStringList& Extra = {});

    QTemporaryDir m_tree;
    std::unique_ptr<QTemporaryDir> m_out;
};

namespace {

QByteArray randomBytes(qint64 Size) {
    QByteArray data(Size, Qt::Uninitialized);
    QRandomGenerator rng(17);
    rng.fillRange(reinterpret_cast<quint32*>(data.data()), Size / 4);
    return data;
}

QByteArray longText() {
    QByteArray text;
    for (int i = 0; text.size() < 3500000; ++i)
        text += "<clip start=\"" + QByteArray::number(i * 31 % 9973) + "\" track=\"2\"/>\n";
    return text;
}

// Sets (or, for a null Value, unsets) an environment variable for as long as it lives.
class ScopedVariable {
  public:
    ScopedVariable(const char* Name, const QByteArray& Value)
        : m_name(Name), m_old(qgetenv(Name)), m_wasSet(qEnvironmentVariableIsSet(Name)) {
        Value.isNull() ? qunsetenv(Name) : qputenv(Name, Value);
    }
    ~ScopedVariable() { m_wasSet ? qputenv(m_name, m_old) : qunsetenv(m_name); }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

  private:
    const char* m_name;
    QByteArray m_old;
    bool m_wasSet;
};

// Gives every file and folder below Root the modification time Seconds.
bool touchTree(const QString& Root, qint64 Seconds) {
    QDirIterator it(Root, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot | QDir::System,
                    QDirIterator::Subdirectories);
    const timespec times[2] = {{time_t(Seconds), 0}, {time_t(Seconds), 0}};
    while (it.hasNext()) {
        const QByteArray path = QFile::encodeName(it.next());
        if (::utimensat(AT_FDCWD, path.constData(), times, AT_SYMLINK_NOFOLLOW) != 0)
            return false;
    }
    return true;
}

} // namespace

// A template with what the walk treats specially: hidden entries, links, a pipe, a read-only
// file, a sub-folder bearing the project's name, names beyond ASCII, empty files and
// folders, and files of several deflate blocks.
void TstPackIdentity::initTestCase() {
    QVERIFY(m_tree.isValid());
    QVERIFY(MakeTree(project(), {"readme.txt", "project.xml", "media/clip.mp4",
                                 "media/thumbs/t1.png", "Intro/a.txt", "a/b/c/deep.txt",
                                 ".hidden.txt", ".cache/x.bin", "Títulos/ñandú.txt"}));
    QVERIFY(MakeFile(project() + QStringLiteral("/empty.txt")));
    QVERIFY(MakeFile(project() + QStringLiteral("/project/scene.xml"), longText()));
    QVERIFY(MakeFile(project() + QStringLiteral("/media/noise.bin"), randomBytes(3 << 20)));
    // So repetitive that deflate's first block takes in more than one parallel block.
    QVERIFY(MakeFile(project() + QStringLiteral("/media/silence.wav"), QByteArray(2 << 20, 0)));
    QVERIFY(MakeFile(project() + QStringLiteral("/project/ruler.txt"),
                     QByteArray("-----+----|\n").repeated(200000)));
    QVERIFY(MakeFile(project() + QStringLiteral("/locked.txt"), "read-only"));
    QCOMPARE(::chmod(QFile::encodeName(project() + "/locked.txt").constData(), 0444), 0);
    QVERIFY(QDir().mkpath(project() + QStringLiteral("/empty-folder")));
    QVERIFY(MakeFile(m_tree.path() + QStringLiteral("/Shared/logo.png"), "logo"));
    QVERIFY(QFile::link(project() + QStringLiteral("/readme.txt"),
                        project() + QStringLiteral("/link.txt")));
    QVERIFY(QFile::link(m_tree.path() + QStringLiteral("/Shared"),
                        project() + QStringLiteral("/shared")));
    QCOMPARE(::mkfifo(QFile::encodeName(project() + "/media/pipe").constData(), 0644), 0);
}

void TstPackIdentity::cleanupTestCase() {
    QVERIFY(RemoveTree(m_tree.path()));
}

void TstPackIdentity::init() {
    m_out = std::make_unique<QTemporaryDir>();
    QVERIFY(m_out->isValid());
}

void TstPackIdentity::cleanup() {
    m_out.reset();
}

// The window's package: a Generate press answered with Output, run to its end.
CheckedArchive TstPackIdentity::windowPackage(KindCode Code, const QString& Output,
                                              bool ConfirmOverwrite) {
    PackRig rig;
    rig.values.ProjectFolder = project();
    rig.platform.SaveAnswers << Output;
    if (ConfirmOverwrite)
        rig.platform.MessageAnswers << Platform::MsgAnswer::Ok;
    rig.packer.Generate(Code);
    if (!WaitForRunEnd(rig.zipper) || rig.view.Status() != QLatin1String("Success"))
        return {false, QStringLiteral("window run: ") + rig.view.Status(), {}};
    return CheckZip(PackagePaths::WithDefaultExtension(Output, KindOf(Code).Extension));
}

CheckedArchive TstPackIdentity::commandPackage(KindCode Code, const QString& Output,
                                               const QStringList& Extra) {
    const PackResult result =
        RunPack(Extra + QStringList{"--quiet", "--kind", KindOf(Code).CodeText, project(), Output});
    if (result.ExitCode != 0)
        return {false, QStringLiteral("vendrel-pack: ") + result.Err, {}};
    return CheckZip(PackagePaths::WithDefaultExtension(Output, KindOf(Code).Extension));
}

void TstPackIdentity::sameAsTheWindow_data() {
    QTest::addColumn<KindCode>("code");
    for (const TemplateKind& kind : TemplateKinds())
        QTest::newRow(kind.CodeText) << kind.Code;
}

void TstPackIdentity::sameAsTheWindow() {
    QFETCH(KindCode, code);
    const QString ext = QString::fromLatin1(KindOf(code).Extension);
    const CheckedArchive window = windowPackage(code, m_out->filePath("window"), false);
    const CheckedArchive command = commandPackage(code, m_out->filePath("command"));
    QVERIFY2(window.Ok, qPrintable(window.Error));
    QVERIFY2(command.Ok, qPrintable(command.Error));
    const QString difference = EntryDifference(window, command);
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
    // The tree's special cases are really in there, so the comparison covers them.
    const QStringList names = StoredNames(command);
    QCOMPARE(names.size(), 15);
    QVERIFY(names.last().endsWith(QStringLiteral("Títulos\\ñandú.txt")));
    QVERIFY(!names.join(QLatin1Char(' ')).contains(QLatin1String("hidden")));
    int text = 0, readOnly = 0;
    for (const CheckedEntry& entry : command.Entries) {
        text += entry.InternalAttr;
        readOnly += entry.ExternalAttr & 1;
    }
    QVERIFY(text > 0 && text < names.size());
    QCOMPARE(readOnly, 1);
    QVERIFY(QFile::exists(m_out->filePath("command") + ext));
}

// With SOURCE_DATE_EPOCH set, vendrel-pack gives the same bytes in any time zone, on one core
// or two, whatever the files' times; the window's package too, and its entries are
// vendrel-pack's, time stamps included. An unusable value leaves the window's stamps as ever.
void TstPackIdentity::oneDateGivesOneBytes() {
    const ScopedVariable date(PackageDate::Variable, "1700000001");
    const QStringList args{"--quiet", "--kind", "dzt", project()};
    const QString first = m_out->filePath("first.dzt");
    const QString second = m_out->filePath("second.dzt");
    QVERIFY(touchTree(project(), 1600000000));
    {
        const ScopedVariable zone("TZ", "UTC");
        QCOMPARE(RunPack(args + QStringList{first}, 300000, false, OnOneCore).ExitCode, 0);
    }
    QVERIFY(touchTree(project(), 1650000001));
    {
        const ScopedVariable zone("TZ", "Pacific/Chatham");
        QCOMPARE(RunPack(args + QStringList{second}).ExitCode, 0);
    }
    QCOMPARE(Sha256OfFile(first), Sha256OfFile(second));
    const CheckedArchive command = CheckZip(first);
    QVERIFY2(command.Ok, qPrintable(command.Error));
    CheckedArchive window[2];
    const QByteArray zones[2] = {"America/St_Johns", "Asia/Kathmandu"};
    for (int i = 0; i < 2; ++i) {
        const ScopedVariable zone("TZ", zones[i]);
        window[i] =
            windowPackage(KindCode::DZT, m_out->filePath(QStringLiteral("w%1").arg(i)), false);
        QVERIFY2(window[i].Ok, qPrintable(window[i].Error));
    }
    QCOMPARE(Sha256OfFile(m_out->filePath("w0.dzt")), Sha256OfFile(m_out->filePath("w1.dzt")));
    QCOMPARE(EntryDifference(window[0], command), QString());
    QCOMPARE(command.Entries.size(), 15);
    for (qsizetype i = 0; i < command.Entries.size(); ++i) {
        for (const CheckedEntry& e : {command.Entries[i], window[0].Entries[i]})
            QCOMPARE((QList<int>{e.Year, e.Month, e.Day, e.Hour, e.Minute, e.Second}),
                     (QList<int>{2023, 11, 14, 22, 13, 20}));
    }
    const ScopedVariable unusable(PackageDate::Variable, "1700000001 ");
    const int yearBefore = QDate::currentDate().year();
    const CheckedArchive now = windowPackage(KindCode::DZT, m_out->filePath("now"), false);
    QVERIFY2(now.Ok, qPrintable(now.Error));
    QVERIFY(now.Entries.first().Year >= yearBefore &&
            now.Entries.first().Year <= QDate::currentDate().year());
}

void TstPackIdentity::emptyProject() {
    QTemporaryDir empty;
    QVERIFY(QDir().mkpath(empty.path() + QStringLiteral("/Intro")));
    PackRig rig;
    rig.values.ProjectFolder = empty.path() + QStringLiteral("/Intro");
    rig.platform.SaveAnswers << m_out->filePath("window.dzt");
    rig.packer.Generate(KindCode::DZT);
    QVERIFY(WaitForRunEnd(rig.zipper));
    const PackResult result =
        RunPack({"--kind", "dzt", rig.values.ProjectFolder, m_out->filePath("command.dzt")});
    QCOMPARE(result.ExitCode, 0);
    const CheckedArchive window = CheckZip(m_out->filePath("window.dzt"));
    const CheckedArchive command = CheckZip(m_out->filePath("command.dzt"));
    QVERIFY(window.Ok && command.Ok);
    QCOMPARE(command.Entries.size(), 0);
    QCOMPARE(EntryDifference(window, command), QString());
}

// An old package inside the project tree is deleted by the window before its walk; the
// command, which keeps it until the new one is complete, leaves it out the same way.
void TstPackIdentity::replacedOutputInsideTheProject() {
    const QString output = project() + QStringLiteral("/media/old.dzt");
    QVERIFY(MakeFile(output, "old"));
    const CheckedArchive fromWindow = windowPackage(KindCode::DZT, output, true);
    QVERIFY(QFile::remove(output));
    QVERIFY(MakeFile(output, "old"));
    const CheckedArchive fromCommand =
        commandPackage(KindCode::DZT, output, {QStringLiteral("--overwrite")});
    QVERIFY(QFile::remove(output));
    QVERIFY2(fromWindow.Ok, qPrintable(fromWindow.Error));
    QCOMPARE(EntryDifference(fromWindow, fromCommand), QString());
    QCOMPARE(fromCommand.Entries.size(), 15);
}

QTEST_GUILESS_MAIN(TstPackIdentity)
#include "tst_pack_identity.moc"
