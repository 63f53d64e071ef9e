#include "pack_rig.h"

#include "os/temp_output.h"
#include "packing/folder_walk.h"
#include "packing/package_paths.h"
#include "zip_engine/test_faults.h"

#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include <sys/stat.h>

// The pack command of a Generate button, from the press to the start of the run, and what
// each way of ending it leaves in the window and on disk.
class tst_PackTemplate : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void init();
    void cleanup();
    void workedExampleByKind_data();
    void workedExampleByKind();
    void saveDialogTakesTheKindsFilterAndFolder();
    void saveDialogCancelled();
    void destinationIsTheProjectFolder_data();
    void destinationIsTheProjectFolder();
    void rootFileAgainstRootProject();
    void folderOfOutput_data();
    void folderOfOutput();
    void defaultExtension_data();
    void defaultExtension();
    void extensionOnDisk_data();
    void extensionOnDisk();
    void overwriteDeclined();
    void overwriteConfirmed_data();
    void overwriteConfirmed();
    void overwriteHiddenAsked();
    void oldPackageInsideTheProject();
    void walkFailed();
    void zipRefused();
    void runStarted();
    void generateDuringARunRefused();
    void noProjectFolder_data();
    void noProjectFolder();
    void failedWalkLeavesNothingQueued();
    void undeletableOutputNotPacked_data();
    void undeletableOutputNotPacked();
    void noLibraryFileInTheDestination();

  private:
    QString project() const { return m_dir->path() + QStringLiteral("/Intro"); }
    QString out() const { return m_dir->path() + QStringLiteral("/Out"); }
    void generate(KindCode Code, const QString& Answer);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<PackRig> m_rig;
};

void tst_PackTemplate::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QVERIFY(!m_dir->path().contains(QLatin1Char('.')));
    QVERIFY(MakeTree(project(),
                     {"readme.txt", "media/thumbs/t1.png", "project.xml", "media/clip.mp4"}));
    QVERIFY(QDir().mkpath(out()));
    m_rig = std::make_unique<PackRig>();
    m_rig->values.ProjectFolder = project();
}

void tst_PackTemplate::cleanup() {
    m_rig.reset();
    QVERIFY(RemoveTree(m_dir->path()));
    m_dir.reset();
}

void tst_PackTemplate::generate(KindCode Code, const QString& Answer) {
    m_rig->platform.SaveAnswers << Answer;
    m_rig->packer.Generate(Code);
}

void tst_PackTemplate::workedExampleByKind_data() {
    QTest::addColumn<KindCode>("Code");
    QTest::addColumn<QString>("Extension");
    QTest::addColumn<QString>("Filter");
    QTest::addColumn<QString>("Lead");   // what comes before the relative path in every name
    QTest::addColumn<QString>("Ignore"); // the project's .vendrelignore, none when empty

    QTest::newRow("DZEP") << KindCode::DZEP << ".dzep"
                          << "DZEP Files (*.dzep)|*.dzep"
                          << "Intro\\"
                          << "";
    QTest::newRow("DZT") << KindCode::DZT << ".dzt"
                         << "DZT Files (*.dzt)|*.dzt"
                         << ".\\"
                         << "";
    QTest::newRow("DZTR") << KindCode::DZTR << ".dztr"
                          << "DZTR Files (*.dztr)|*.dztr"
                          << ".\\"
                          << "";
    QTest::newRow("DZS") << KindCode::DZS << ".dzs"
                         << "DZS Files (*.dzs)|*.dzs"
                         << ""
                         << "";
    QTest::newRow("DZM") << KindCode::DZM << ".dzm"
                         << "DZM Files (*.dzm)|*.dzm"
                         << ".\\"
                         << "";
    QTest::newRow("DZP") << KindCode::DZP << ".dzp"
                         << "DZP Files (*.dzp)|*.dzp"
                         << ".\\"
                         << "";
    // Comments and a line the window cannot use skipped; an unreadable folder and one fuller
    // than a listing takes, both excluded, never listed.
    QTest::newRow("DZT, with a .vendrelignore") << KindCode::DZT << ".dzt"
                                                << "DZT Files (*.dzt)|*.dzt"
                                                << ".\\"
                                                << "# working files\n*.mp4\n[bad\nshut/\n/crowd\n";
}

void tst_PackTemplate::workedExampleByKind() {
    QFETCH(KindCode, Code);
    QFETCH(QString, Extension);
    QFETCH(QString, Filter);
    QFETCH(QString, Lead);
    QFETCH(QString, Ignore);
    if (!Ignore.isEmpty()) {
        QVERIFY(MakeFile(project() + "/.vendrelignore", Ignore.toUtf8()));
        for (int i = 0; i <= DefaultMaxFolderEntries; ++i)
            QVERIFY(MakeFile(project() + QStringLiteral("/crowd/f%1").arg(i)));
        QVERIFY(QDir().mkpath(project() + "/media/shut") &&
                QFile::setPermissions(project() + "/media/shut", {}));
    }

    generate(Code, out() + "/Intro");
    QCOMPARE(m_rig->platform.SaveCalls.size(), 1);
    QCOMPARE(m_rig->platform.SaveCalls.at(0).Filter, Filter);
    QVERIFY(WaitForRunEnd(m_rig->zipper));
    QCOMPARE(m_rig->view.StatusText, QStringLiteral("Success"));

    const CheckedArchive packed = CheckZip(out() + "/Intro" + Extension);
    QVERIFY2(packed.Ok, qPrintable(packed.Error));
    QStringList names{Lead + "project.xml", Lead + "readme.txt", Lead + "media\\clip.mp4",
                      Lead + "media\\thumbs\\t1.png"};
    if (!Ignore.isEmpty())
        names.removeAt(2);
    QCOMPARE(StoredNames(packed), names);
    if (Ignore.isEmpty())
        QCOMPARE(packed.Entries.at(2).Sha256, Sha256Of("media/clip.mp4"));
    QCOMPARE(m_rig->values.DestinationFolder, out());
    QCOMPARE(QDir(out()).entryList(QDir::Files), QStringList{"Intro" + Extension});
}

void tst_PackTemplate::saveDialogTakesTheKindsFilterAndFolder() {
    m_rig->packer.Generate(KindCode::DZTR);
    m_rig->packer.Generate(KindCode::DZEP);
    const auto& calls = m_rig->platform.SaveCalls;
    QCOMPARE(calls.size(), 2);
    QCOMPARE(calls.at(0).InitialFolder, QStringLiteral("C:\\MyStartFolder"));
    QCOMPARE(calls.at(0).Filter, QStringLiteral("DZTR Files (*.dztr)|*.dztr"));
    QCOMPARE(calls.at(1).InitialFolder, QString());
    QCOMPARE(calls.at(1).Filter, QStringLiteral("DZEP Files (*.dzep)|*.dzep"));
}

void tst_PackTemplate::saveDialogCancelled() {
    m_rig->values.DestinationFolder = QStringLiteral("/earlier");
    m_rig->packer.Generate(KindCode::DZT);

    const QStringList log{"cmdDZEP off", "cmdDZT off",  "cmdDZTR off", "cmdDZS off", "cmdDZM off",
                          "cmdDZP off",  "Command3 on", "cmdDZEP on",  "cmdDZT on",  "cmdDZTR on",
                          "cmdDZS on",   "cmdDZM on",   "cmdDZP on"};
    QCOMPARE(m_rig->view.Log, log);
    QCOMPARE(m_rig->values.DestinationFolder, QStringLiteral("/earlier"));
    QCOMPARE(m_rig->view.StatusText, QStringLiteral("before"));
    QVERIFY(m_rig->platform.Messages.isEmpty());
    QVERIFY(QDir(out()).isEmpty());
}

void tst_PackTemplate::destinationIsTheProjectFolder_data() {
    QTest::addColumn<KindCode>("Code");
    QTest::addColumn<QString>("Buttons");
    QTest::addColumn<bool>("ThroughLink"); // the project folder reached through a link to it
    QTest::newRow("DZEP") << KindCode::DZEP << "100000" << false;
    QTest::newRow("DZT") << KindCode::DZT << "010000" << false;
    QTest::newRow("DZTR") << KindCode::DZTR << "001000" << false;
    QTest::newRow("DZS") << KindCode::DZS << "000100" << false;
    QTest::newRow("DZM") << KindCode::DZM << "000010" << false;
    QTest::newRow("DZP") << KindCode::DZP << "000001" << false;
    QTest::newRow("DZT, through a link") << KindCode::DZT << "010000" << true;
}

void tst_PackTemplate::destinationIsTheProjectFolder() {
    QFETCH(KindCode, Code);
    QFETCH(QString, Buttons);
    QFETCH(bool, ThroughLink);
    const QString folder = ThroughLink ? m_dir->path() + "/IntroLink" : project();
    if (ThroughLink)
        QVERIFY(QFile::link(project(), folder));
    generate(Code, folder + "/package");

    QCOMPARE(m_rig->platform.Messages.size(), 1);
    const auto& message = m_rig->platform.Messages.at(0);
    QCOMPARE(message.Text, QStringLiteral("You cannot create the Installation File in the "
                                          "Project Folder!\r\nPlease Choose Another "
                                          "Destination Folder"));
    QCOMPARE(message.Icon, Platform::MsgIcon::Warning);
    QCOMPARE(message.Buttons, Platform::MsgButtons::Ok);
    QCOMPARE(m_rig->view.Buttons(), Buttons);
    QVERIFY(m_rig->view.CancelEnabled);
    QCOMPARE(m_rig->values.DestinationFolder, folder);
    QCOMPARE(m_rig->view.StatusText, QStringLiteral("before"));
    QVERIFY(!m_rig->zipper.Zipping());
    QCOMPARE(QDir(project()).entryList(QDir::Files), (QStringList{"project.xml", "readme.txt"}));
}

void tst_PackTemplate::rootFileAgainstRootProject() {
    // "/clip" lies in the root folder, which is the project folder here.
    m_rig->values.ProjectFolder = QStringLiteral("/");
    generate(KindCode::DZS, QStringLiteral("/clip"));
    QCOMPARE(m_rig->platform.Messages.size(), 1);
    QCOMPARE(m_rig->platform.Messages.at(0).Icon, Platform::MsgIcon::Warning);
    QCOMPARE(m_rig->view.Buttons(), QStringLiteral("000100"));
    QCOMPARE(m_rig->values.DestinationFolder, QString());
    QVERIFY(!m_rig->zipper.Zipping());
}

void tst_PackTemplate::folderOfOutput_data() {
    QTest::addColumn<QString>("Path");
    QTest::addColumn<QString>("Folder");
    QTest::newRow("ordinary") << "/Out/Intro"
                              << "/Out";
    QTest::newRow("root") << "/clip"
                          << "";
    QTest::newRow("folder named like the file") << "/clip/clip"
                                                << "/clip";
    QTest::newRow("only the last cut") << "/clipper/clip"
                                       << "/clipper";
    QTest::newRow("dots and spaces kept") << "/My Work.v2/a b.dzt"
                                          << "/My Work.v2";
}

void tst_PackTemplate::folderOfOutput() {
    QFETCH(QString, Path);
    QFETCH(QString, Folder);
    QCOMPARE(PackagePaths::FolderOfOutput(Path), Folder);
}

void tst_PackTemplate::defaultExtension_data() {
    QTest::addColumn<QString>("Path");
    QTest::addColumn<QString>("Expected");
    QTest::newRow("no extension") << "/Out/clip"
                                  << "/Out/clip.dzs";
    QTest::newRow("extension of its own") << "/Out/clip.zip"
                                          << "/Out/clip.zip";
    QTest::newRow("kind's extension in capitals") << "/Out/clip.DZEP"
                                                  << "/Out/clip.DZEP";
    QTest::newRow("dotted folder") << "/My.Projects/clip"
                                   << "/My.Projects/clip";
    QTest::newRow("trailing space") << "/Out/clip "
                                    << "/Out/clip ";
    QTest::newRow("leading space") << " /Out/clip"
                                   << " /Out/clip";
    QTest::newRow("trailing dot") << "/Out/clip."
                                  << "/Out/clip.";
    QTest::newRow("space inside") << "/Out/my clip"
                                  << "/Out/my clip.dzs";
    QTest::newRow("tab is not a space") << "/Out/clip\t"
                                        << "/Out/clip\t.dzs";
    QTest::newRow("dot then spaces") << "/Out/a. "
                                     << "/Out/a. ";
}

void tst_PackTemplate::defaultExtension() {
    QFETCH(QString, Path);
    QFETCH(QString, Expected);
    QCOMPARE(PackagePaths::WithDefaultExtension(Path, QStringLiteral(".dzs")), Expected);
}

void tst_PackTemplate::extensionOnDisk_data() {
    QTest::addColumn<QString>("Chosen");
    QTest::addColumn<QString>("Written");
    QTest::newRow("clip") << "/Out/clip"
                          << "/Out/clip.dzs";
    QTest::newRow("clip.zip") << "/Out/clip.zip"
                              << "/Out/clip.zip";
    QTest::newRow("clip.DZEP") << "/Out/clip.DZEP"
                               << "/Out/clip.DZEP";
    QTest::newRow("dotted folder") << "/My.Projects/clip"
                                   << "/My.Projects/clip";
}

void tst_PackTemplate::extensionOnDisk() {
    QFETCH(QString, Chosen);
    QFETCH(QString, Written);
    QVERIFY(QDir().mkpath(m_dir->path() + "/My.Projects"));
    generate(KindCode::DZS, m_dir->path() + Chosen);
    QVERIFY(WaitForRunEnd(m_rig->zipper));
    QCOMPARE(m_rig->view.StatusText, QStringLiteral("Success"));
    const CheckedArchive packed = CheckZip(m_dir->path() + Written);
    QVERIFY2(packed.Ok, qPrintable(packed.Error));
    QCOMPARE(packed.Entries.size(), 4);
    QVERIFY(QFileInfo(QFileInfo(m_dir->path() + Written).path()).isDir());
    QCOMPARE(QDir(QFileInfo(m_dir->path() + Written).path()).entryList(QDir::Files).size(), 1);
}

void tst_PackTemplate::overwriteDeclined() {
    QVERIFY(MakeFile(out() + "/Intro.dzt", "old package"));
    m_rig->platform.MessageAnswers << Platform::MsgAnswer::Cancel;
    generate(KindCode::DZT, out() + "/Intro");

    QCOMPARE(m_rig->platform.Messages.size(), 1);
    const auto& question = m_rig->platform.Messages.at(0);
    QCOMPARE(question.Text, QStringLiteral("Overwrite Existing File?"));
    QCOMPARE(question.Icon, Platform::MsgIcon::None);
    QCOMPARE(question.Buttons, Platform::MsgButtons::OkCancel);
    QCOMPARE(m_rig->view.Buttons(), QStringLiteral("000000"));
    QVERIFY(m_rig->view.CancelEnabled);
    QCOMPARE(m_rig->view.StatusText, QStringLiteral("before"));
    QVERIFY(!m_rig->view.Log.contains("bar shown"));
    QVERIFY(!m_rig->zipper.Zipping());
    QCOMPARE(Sha256OfFile(out() + "/Intro.dzt"), Sha256Of("old package"));
}

// The new package replaces the old one only when the run completes; a failed run, also one
// whose package cannot be flushed to disk, leaves the old one as it was and nothing beside it.
// The new package gets the mode any new file would get under the umask, unless the file
// system keeps no modes (a refused mode change), where it keeps the one it was created with.
void tst_PackTemplate::overwriteConfirmed_data() {
    QTest::addColumn<QString>("fault");
    QTest::addColumn<int>("mask");
    QTest::addColumn<QString>("status");
    QTest::addColumn<int>("mode");
    QTest::newRow("completed") << "" << 022 << "Success" << 0644;
    QTest::newRow("completed, umask 077") << "" << 077 << "Success" << 0600;
    QTest::newRow("completed, named temporary file, umask 002")
        << "named" << 002 << "Success" << 0664;
    QTest::newRow("completed, named temporary file, umask 077")
        << "named" << 077 << "Success" << 0600;
    QTest::newRow("completed, mode change not implemented")
        << "named mode ENOSYS" << 002 << "Success" << 0600;
    QTest::newRow("a write fails") << "write" << 022 << "Err -1 in OpenFileInZip" << 0;
    QTest::newRow("a write fails, mode change not permitted")
        << "write named mode EPERM" << 022 << "Err -1 in OpenFileInZip" << 0;
    QTest::newRow("the flush fails") << "sync" << 022 << "Err -1 in CloseZip" << 0;
    QTest::newRow("the flush fails, named temporary file")
        << "sync named" << 022 << "Err -1 in CloseZip" << 0;
    QTest::newRow("a flush while writing fails")
        << "flush large" << 022 << "Err -1 in CloseZip" << 0;
    // Without an old package nothing was agreed to be replaced: another program's file
    // made at the path meanwhile is kept.
    QTest::newRow("a file appears at the output meanwhile")
        << "appears" << 022 << "@/Intro.dzt appeared while packing and was not replaced" << 0;
}

void tst_PackTemplate::overwriteConfirmed() {
    QFETCH(QString, fault);
    QFETCH(int, mask);
    QFETCH(QString, status);
    QFETCH(int, mode);
    ZipFileIo::TestFaults faults;
    faults.FailWriteNumber = fault.startsWith(QLatin1String("write")) ? 1 : 0;
    faults.FailSync = fault.startsWith(QLatin1String("sync"));
    faults.NamedTempFile = fault.contains(QLatin1String("named"));
    faults.FailBackgroundFlushNumber = fault.startsWith(QLatin1String("flush")) ? 1 : 0;
    // Large enough that it is flushed while it is written.
    if (fault.endsWith(QLatin1String("large")))
        QVERIFY(WritePatternFile(project() + "/media/large.bin", 3 << 20));
    faults.ModeChangeErrno = fault.endsWith(QLatin1String("ENOSYS"))  ? ENOSYS
                             : fault.endsWith(QLatin1String("EPERM")) ? EPERM
                                                                      : 0;
    ZipFileIo::SetTestFaults(faults);
    const mode_t oldMask = ::umask(mode_t(mask));
    const bool appears = fault == QLatin1String("appears");
    if (appears) {
        connect(
            &m_rig->zipper, &Zipper::StartFile, this,
            [this] { QVERIFY(MakeFile(out() + "/Intro.dzt", "old package")); },
            Qt::SingleShotConnection);
    } else {
        QVERIFY(MakeFile(out() + "/Intro.dzt", "old package"));
        m_rig->platform.MessageAnswers << Platform::MsgAnswer::Ok;
    }
    generate(KindCode::DZT, out() + "/Intro");
    QVERIFY(WaitForRunEnd(m_rig->zipper));
    ::umask(oldMask);
    const int flushes = TempOutput::FlushesBeforePlacing();
    ZipFileIo::SetTestFaults({});

    QCOMPARE(m_rig->platform.Messages.size(), appears ? 0 : 1);
    QCOMPARE(m_rig->view.StatusText, QString(status).replace("@", out()));
    QCOMPARE(QDir(out()).entryList(QDir::Files | QDir::Hidden), QStringList{"Intro.dzt"});
    if (mode == 0) {
        QCOMPARE(Sha256OfFile(out() + "/Intro.dzt"), Sha256Of("old package"));
        return;
    }
    // Flushed to disk before it took the old package's place.
    QCOMPARE(flushes, 1);
    const CheckedArchive packed = CheckZip(out() + "/Intro.dzt");
    QVERIFY2(packed.Ok, qPrintable(packed.Error));
    QCOMPARE(packed.Entries.size(), 4);
    struct stat info {};
    QCOMPARE(::stat(QFile::encodeName(out() + "/Intro.dzt").constData(), &info), 0);
    QCOMPARE(int(info.st_mode & 07777), mode);
}

// A file hidden only by its leading "." is still asked about before it is replaced.
void tst_PackTemplate::overwriteHiddenAsked() {
    QVERIFY(MakeFile(out() + "/.Intro.dzt", "old package"));
    m_rig->platform.MessageAnswers << Platform::MsgAnswer::Cancel;
    generate(KindCode::DZT, out() + "/.Intro.dzt");

    QCOMPARE(m_rig->platform.Messages.size(), 1);
    QCOMPARE(m_rig->platform.Messages.at(0).Text, QStringLiteral("Overwrite Existing File?"));
    QVERIFY(!m_rig->zipper.Zipping());
    QCOMPARE(Sha256OfFile(out() + "/.Intro.dzt"), Sha256Of("old package"));
}

// An old package inside the project is left out by its own path; a hard link to it is packed.
void tst_PackTemplate::oldPackageInsideTheProject() {
    const QString output = project() + "/media/Intro.dzs";
    QVERIFY(MakeFile(output, "old package"));
    QVERIFY(::link(QFile::encodeName(output).constData(),
                   QFile::encodeName(project() + "/hard.dzs").constData()) == 0);
    m_rig->platform.MessageAnswers << Platform::MsgAnswer::Ok;
    generate(KindCode::DZS, output);
    QVERIFY(WaitForRunEnd(m_rig->zipper));
    QCOMPARE(m_rig->view.StatusText, QStringLiteral("Success"));
    const CheckedArchive packed = CheckZip(output);
    QVERIFY2(packed.Ok, qPrintable(packed.Error));
    QCOMPARE(StoredNames(packed), (QStringList{"hard.dzs", "project.xml", "readme.txt",
                                               "media\\clip.mp4", "media\\thumbs\\t1.png"}));
    QCOMPARE(packed.Entries.at(0).Sha256, Sha256Of("old package"));
}

void tst_PackTemplate::walkFailed() {
    QVERIFY(::symlink("gone", QFile::encodeName(project() + "/broken").constData()) == 0);
    QVERIFY(MakeFile(out() + "/Intro.dzt", "old package"));
    m_rig->platform.MessageAnswers << Platform::MsgAnswer::Ok;
    generate(KindCode::DZT, out() + "/Intro");

    QCOMPARE(m_rig->view.Buttons(), QStringLiteral("000000"));
    QVERIFY(m_rig->view.CancelEnabled);
    QVERIFY(m_rig->view.ProgressVisible);
    QVERIFY(!m_rig->view.Log.contains("bar shown"));
    QCOMPARE(m_rig->view.StatusText, QStringLiteral("AddFile failed on broken"));
    QVERIFY(!m_rig->zipper.Zipping());
    QCOMPARE(Sha256OfFile(out() + "/Intro.dzt"), Sha256Of("old package"));
    QCOMPARE(QDir(out()).entryList(QDir::Files | QDir::Hidden), QStringList{"Intro.dzt"});
}

void tst_PackTemplate::zipRefused() {
    generate(KindCode::DZT, out() + "/missing/Intro");
    QCOMPARE(m_rig->view.Buttons(), QStringLiteral("000000"));
    QVERIFY(m_rig->view.CancelEnabled);
    QVERIFY(!m_rig->view.ProgressVisible);
    QCOMPARE(m_rig->view.Log.mid(m_rig->view.Log.size() - 3),
             (QStringList{"bar shown", "bar hidden", "status Err -1 in OpenZip"}));
    QVERIFY(!m_rig->zipper.Zipping());
}

void tst_PackTemplate::runStarted() {
    QVERIFY(MakeFile(out() + "/Intro.dzt", "old package"));
    m_rig->platform.MessageAnswers << Platform::MsgAnswer::Ok;
    m_rig->view.ProgressVisible = false;
    generate(KindCode::DZT, out() + "/Intro");

    // The command has returned; the run goes on from the Zipper's timer.
    QVERIFY(m_rig->zipper.Zipping());
    QCOMPARE(m_rig->view.Buttons(), QStringLiteral("000000"));
    QVERIFY(m_rig->view.CancelEnabled);
    QVERIFY(m_rig->view.ProgressVisible);
    QCOMPARE(m_rig->view.StatusText, QStringLiteral("before"));

    QVERIFY(WaitForRunEnd(m_rig->zipper));
    QCOMPARE(m_rig->view.StatusText, QStringLiteral("Success"));
    QCOMPARE(m_rig->view.Buttons(), QStringLiteral("111111"));
    QVERIFY(!m_rig->view.CancelEnabled);
    QVERIFY(m_rig->view.ProgressVisible);
    QVERIFY(CheckZip(out() + "/Intro.dzt").Ok);
}

void tst_PackTemplate::generateDuringARunRefused() {
    // Large enough that the run spans many timer steps.
    QVERIFY(
        WritePatternFile(project() + "/big.bin", 8 * Zipper::ChunkSize * Zipper::ChunksPerTick));
    generate(KindCode::DZT, out() + "/First");
    QVERIFY(m_rig->zipper.Zipping());
    const qint64 queuedBytes = m_rig->zipper.BytesToZip();

    generate(KindCode::DZS, out() + "/Second");
    QCOMPARE(m_rig->view.StatusText, QStringLiteral("Err 0 in Already mZipping"));
    QCOMPARE(m_rig->platform.SaveCalls.size(), 1);
    QCOMPARE(m_rig->platform.SaveAnswers, QStringList{out() + "/Second"});
    QCOMPARE(m_rig->values.DestinationFolder, out());
    QCOMPARE(m_rig->zipper.BytesToZip(), queuedBytes);

    QVERIFY(WaitForRunEnd(m_rig->zipper));
    QCOMPARE(m_rig->view.StatusText, QStringLiteral("Success"));
    const CheckedArchive packed = CheckZip(out() + "/First.dzt");
    QVERIFY2(packed.Ok, qPrintable(packed.Error));
    QCOMPARE(packed.Entries.size(), 5);
    QCOMPARE(QDir(out()).entryList(QDir::Files), QStringList{"First.dzt"});
}

void tst_PackTemplate::noProjectFolder_data() {
    QTest::addColumn<QString>("Folder");
    QTest::addColumn<QString>("Status");
    QTest::newRow("none chosen") << ""
                                 << "Please Choose a Project Folder First";
    QTest::newRow("removed since") << "/no/such/folder"
                                   << "Project Folder Not Found: /no/such/folder";
}

void tst_PackTemplate::noProjectFolder() {
    QFETCH(QString, Folder);
    QFETCH(QString, Status);
    m_rig->values.ProjectFolder = Folder;
    generate(KindCode::DZS, out() + "/clip");
    QCOMPARE(m_rig->view.StatusText, Status);
    QVERIFY(m_rig->platform.SaveCalls.isEmpty());
    QVERIFY(!m_rig->zipper.Zipping());
    QVERIFY(QDir(out()).isEmpty());
}

void tst_PackTemplate::failedWalkLeavesNothingQueued() {
    const QByteArray broken = QFile::encodeName(project() + "/z-broken");
    QVERIFY(::symlink("gone", broken.constData()) == 0);
    generate(KindCode::DZS, out() + "/clip");
    QCOMPARE(m_rig->view.StatusText, QStringLiteral("AddFile failed on z-broken"));

    QVERIFY(::unlink(broken.constData()) == 0);
    generate(KindCode::DZS, out() + "/clip");
    QVERIFY(WaitForRunEnd(m_rig->zipper));
    QCOMPARE(m_rig->view.StatusText, QStringLiteral("Success"));
    const CheckedArchive packed = CheckZip(out() + "/clip.dzs");
    QVERIFY2(packed.Ok, qPrintable(packed.Error));
    QCOMPARE(StoredNames(packed), (QStringList{"project.xml", "readme.txt", "media\\clip.mp4",
                                               "media\\thumbs\\t1.png"}));
    QCOMPARE(m_rig->view.ProgressValues.last(), 100.0f);
}

void tst_PackTemplate::undeletableOutputNotPacked_data() {
    QTest::addColumn<QString>("setup");
    QTest::newRow("folder without write permission") << "read-only";
    QTest::newRow("another user's package in a sticky folder") << "sticky";
    QTest::newRow("a folder of that name") << "folder";
}

void tst_PackTemplate::undeletableOutputNotPacked() {
    QFETCH(QString, setup);
    const QString output = out() + "/Intro.dzt";
    const bool folder = setup == QLatin1String("folder");
    QVERIFY(folder ? QDir().mkpath(output) : MakeFile(output, "old package"));
    if (setup == QLatin1String("sticky") && ::geteuid() != 0)
        QSKIP("the package cannot be made another user's");
    const mode_t mode = setup == QLatin1String("sticky") ? 01777 : folder ? 0755 : 0555;
    QVERIFY(AsOrdinaryUser::OpenToOthers(m_dir->path()));
    QVERIFY(::chmod(QFile::encodeName(out()).constData(), mode) == 0);
    m_rig->platform.MessageAnswers << Platform::MsgAnswer::Ok;
    {
        AsOrdinaryUser user;
        if (!user.Active())
            QSKIP("permissions cannot be made to apply");
        generate(KindCode::DZT, out() + "/Intro");
    }
    QVERIFY(::chmod(QFile::encodeName(out()).constData(), 0755) == 0);

    QCOMPARE(m_rig->platform.Messages.size(), folder ? 0 : 1);
    QCOMPARE(m_rig->view.StatusText, QStringLiteral("Cannot Delete Existing File ") + output);
    QVERIFY(!m_rig->zipper.Zipping());
    QVERIFY(!m_rig->view.Log.contains("bar shown"));
    QCOMPARE(QDir(out()).entryList(QDir::Files | QDir::Hidden),
             folder ? QStringList() : QStringList{"Intro.dzt"});
    if (!folder)
        QCOMPARE(Sha256OfFile(output), Sha256Of("old package"));
}

void tst_PackTemplate::noLibraryFileInTheDestination() {
    // The compression library is linked in: nothing is written beside the package, and a
    // file of the library's old name that is already there is not touched.
    QVERIFY(MakeFile(out() + "/kvd.dll", "someone else's file"));
    const QDateTime stamp = QFileInfo(out() + "/kvd.dll").lastModified();
    generate(KindCode::DZT, out() + "/Intro");
    QVERIFY(WaitForRunEnd(m_rig->zipper));
    QCOMPARE(m_rig->view.StatusText, QStringLiteral("Success"));
    QCOMPARE(Sha256OfFile(out() + "/kvd.dll"), Sha256Of("someone else's file"));
    QCOMPARE(QFileInfo(out() + "/kvd.dll").lastModified(), stamp);

    const QString fresh = m_dir->path() + "/Fresh";
    QVERIFY(QDir().mkpath(fresh));
    generate(KindCode::DZS, fresh + "/Intro");
    // Mid-run the package has no name yet.
    QCOMPARE(QDir(fresh).entryList(QDir::Files | QDir::Hidden), QStringList());
    QVERIFY(WaitForRunEnd(m_rig->zipper));
    QCOMPARE(QDir(fresh).entryList(QDir::Files), QStringList{"Intro.dzs"});
}

QTEST_GUILESS_MAIN(tst_PackTemplate)
#include "tst_pack_template.moc"
