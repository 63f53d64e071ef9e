#include "packing/packer.h"

#include "os/file_info.h"
#include "os/folder_listing.h"
#include "packing/exclusions.h"
#include "packing/pack_job.h"
#include "packing/package_date.h"
#include "packing/package_paths.h"
#include "packing/platform.h"
#include "zip_engine/zip_limits.h"
#include "zip_engine/zipper.h"

#include <QFile>
#include <QFileInfo>

#include <utility>

#include <algorithm>

Packer::Packer(Zipper& Zipper, Platform& Platform, PackingView& View, WindowValues& Values,
               QObject* Parent)
    : QObject(Parent), m_zipper(Zipper), m_platform(Platform), m_view(View), m_values(Values) {
    connect(&m_zipper, &Zipper::StartFile, this, &Packer::OnStartFile);
    connect(&m_zipper, &Zipper::Progress, this, &Packer::OnProgress);
    connect(&m_zipper, &Zipper::EndFile, this, &Packer::OnEndFile);
    connect(&m_zipper, &Zipper::Error, this, &Packer::OnError);
    connect(&m_zipper, &Zipper::Complete, this, &Packer::OnComplete);
}

void Packer::Generate(KindCode Code) {
    setGenerateButtons(false);
    m_view.SetCancelEnabled(true);
    PackTemplate(KindOf(Code));
}

void Packer::PackTemplate(const TemplateKind& Kind) {
    if (!readyToPack())
        return;
    const QString chosen = askOutputPath(Kind);
    if (chosen.isEmpty()) {
        setGenerateButtons(true);
        return;
    }
    m_values.DestinationFolder = PackagePaths::FolderOfOutput(chosen);
    if (destinationIsProject()) {
        warnDestinationIsProject(Kind.Code);
        return;
    }
    // The compression library is linked into the program, so no library file is written
    // into (or loaded from) the destination folder here, and none is removed at Complete.
    const QString outputPath =
        PackagePaths::WithDefaultExtension(chosen, QString::fromLatin1(Kind.Extension));
    if (!prepareOutput(outputPath))
        return;
    // A failed walk leaves nothing queued, so none of its files reach a later archive.
    if (!AddFolderFiles(PackagePaths::WalkStartOf(m_values.ProjectFolder), QString(),
                        Kind.Naming)) {
        m_zipper.ClearFiles();
        m_output.reset();
        return;
    }
    startRun(outputPath);
}

bool Packer::AddFolderFiles(const QString& FolderPath, const QString& NamePrefix,
                            ArchiveNaming Naming) {
    PackJob job(m_values.ProjectFolder, Naming, m_values.MaxFolderEntries);
    job.LeaveOut(m_oldOutputPath);
    // The project's own list of what it leaves out; the lines the window cannot use are
    // skipped, but a list that cannot be read fails the run rather than pack what it names.
    Exclusions patterns;
    int error = 0;
    if (patterns.AddIgnoreFile(m_values.ProjectFolder, &error) == Exclusions::FileStatus::Failed) {
        //: Status line; %1 is the path of the project's .vendrelignore file, %2 the system's
        //: reason.
        m_view.SetStatus(
            tr("Cannot read %1: %2")
                .arg(PackagePaths::WalkStartOf(m_values.ProjectFolder) + IgnoreFileName,
                     qt_error_string(error)));
        return false;
    }
    job.Exclude(patterns);
    // The window reads each file at its turn, opening it anew: holding thousands of files
    // open until then would exhaust the process's descriptors.
    const auto queue = [this](ZipFile file, SourceReader&) { m_zipper.Queue(std::move(file)); };
    switch (job.Walk(FolderPath, NamePrefix, queue)) {
    case PackJob::Outcome::Walked:
        return true;
    case PackJob::Outcome::TooManyFiles:
        //: Status line. %1 is the number of files found so far, %2 the most a package holds.
        m_view.SetStatus(tr("Too many files: %1 (a package holds at most %2)")
                             .arg(job.FilesTaken() + 1)
                             .arg(job.MaxFiles()));
        return false;
    case PackJob::Outcome::WalkFailed:
    case PackJob::Outcome::Stopped:
        break;
    }
    m_view.SetStatus(job.Failure());
    return false;
}

void Packer::Cancel() {
    m_zipper.Cancel();
}

void Packer::OnStartFile() {
    //: Status line while a file is being packed; %1 is the file's path.
    showFileStatus(tr("Packing %1"));
}

void Packer::OnProgress() {
    // The Zipper reports progress only with bytes to pack; the guard and the clamp keep the
    // bar within its range should that ever not hold.
    const qint64 total = m_zipper.BytesToZip();
    if (total <= 0)
        return;
    const double share = double(m_zipper.BytesZipped()) / double(total) * 100.0;
    m_view.SetProgressValue(float(std::clamp(share, 0.0, 100.0)));
}

void Packer::OnEndFile() {
    //: Status line once a file is packed; %1 is the file's path.
    showFileStatus(tr("Packed %1"));
}

void Packer::OnError() {
    const ZipFile* file = m_zipper.CurrentFile();
    switch (m_zipper.Detail()) {
    case Zipper::FailureDetail::SizeChanged:
        if (!file)
            break;
        //: Status line of a run that failed because a file changed size while it was packed.
        //: "Err" is short for error; %1 is the result code, %2 the step that failed (a
        //: function name such as ReadFile: never translated), %3 the file's path.
        m_view.SetStatus(
            tr("Err %1 in %2: %3 changed while it was being packed")
                .arg(QString::number(m_zipper.Result()), m_zipper.Failed(), file->SourceFile));
        return;
    case Zipper::FailureDetail::OutputAppeared:
        //: Status line: a file was made at the package's path while packing, by another
        //: program, and was kept; %1 is its path.
        m_view.SetStatus(tr("%1 appeared while packing and was not replaced").arg(m_runOutput));
        return;
    case Zipper::FailureDetail::None:
        break;
    }
    m_view.SetStatus(ErrorText(m_zipper.Result(), m_zipper.Failed()));
}

void Packer::OnComplete(bool Canceled) {
    // No library file to release or delete: the compression library is linked in.
    //: Status line after the user stopped the packing.
    const QString canceled = tr("Canceled");
    //: Status line after a package was written.
    const QString success = tr("Success");
    m_view.SetStatus(Canceled ? canceled : success);
    m_view.SetCancelEnabled(false);
    setGenerateButtons(true);
}

QString Packer::ErrorText(int Result, const QString& Failed) {
    //: Status line of a failed run. "Err" is short for error; %1 is the result code, %2 the
    //: name of the step that failed (a function name such as WriteBytes: never translated).
    return tr("Err %1 in %2").arg(QString::number(Result), Failed);
}

bool Packer::readyToPack() {
    // A second run would pour its files into the running run's queue and archive.
    if (m_zipper.Zipping()) {
        m_view.SetStatus(ErrorText(0, QStringLiteral("Already mZipping")));
        return false;
    }
    // Without a project folder the walk would have nothing, or the wrong folder, to pack.
    if (m_values.ProjectFolder.isEmpty()) {
        //: Status line when a Generate button is pressed before a folder was chosen.
        m_view.SetStatus(tr("Please Choose a Project Folder First"));
        return false;
    }
    const auto kind = FolderListing::Classify(QFile::encodeName(m_values.ProjectFolder)).Kind;
    if (kind != FolderListing::EntryKind::Folder) {
        //: Status line; %1 is the chosen project folder, which is no longer there.
        m_view.SetStatus(tr("Project Folder Not Found: %1").arg(m_values.ProjectFolder));
        return false;
    }
    return true;
}

QString Packer::askOutputPath(const TemplateKind& Kind) {
    const QString filter = KindText(Kind.FilterDescription) + QLatin1Char('|') +
                           QString::fromLatin1(Kind.FilterPattern);
    return m_platform.ShowSaveDialog(QString::fromLatin1(Kind.InitialFolder), filter);
}

bool Packer::destinationIsProject() const {
    return PackagePaths::DestinationIsProject(m_values.DestinationFolder, m_values.ProjectFolder);
}

void Packer::warnDestinationIsProject(KindCode Code) {
    m_platform.MessageBox(PackagePaths::ProjectFolderWarningText(), Platform::MsgIcon::Warning,
                          Platform::MsgButtons::Ok);
    m_view.SetGenerateEnabled(Code, true);
}

bool Packer::prepareOutput(const QString& outputPath) {
    m_output.reset();
    m_oldOutputPath = outputPath;
    // Hidden files are asked about too: on this system a name beginning with "." is all
    // that hides a file, and packing over it without a word would lose it.
    const QFileInfo existing(outputPath);
    const bool oldPackage =
        FileInfo::FileExists(outputPath) || (existing.exists() && existing.isFile());
    // Only the package the user agreed to replace is replaced: a file another program makes
    // at the path during the run is kept.
    m_replaceOld = oldPackage;
    if (oldPackage) {
        //: Question in a message box with OK and Cancel, when the chosen package exists.
        const auto answer =
            m_platform.MessageBox(tr("Overwrite Existing File?"), Platform::MsgIcon::None,
                                  Platform::MsgButtons::OkCancel);
        if (answer != Platform::MsgAnswer::Ok)
            return false;
    } else if (existing.isDir()) {
        return refuseReplacing(outputPath);
    } else if (existing.exists()) {
        // A device or pipe is written into, as ever; there is no package to replace.
        return true;
    }
    // A link that leads nowhere gets the package where it leads, as a file created through it
    // would; a link to an old package is replaced itself, as deleting it would.
    const bool danglingLink = !oldPackage && existing.isSymLink();
    m_output = std::make_unique<TempOutput>(danglingLink ? existing.symLinkTarget() : outputPath);
    // Without an old package a file that cannot be created fails the run at "OpenZip".
    const bool created = m_output->Create();
    if (!oldPackage || (created && m_output->MayReplaceOutput()))
        return true;
    return refuseReplacing(outputPath);
}

// An old package that could not be replaced at the end (a folder of its name, a folder that
// takes no new file, another user's file in a sticky folder) is refused before anything is
// packed.
bool Packer::refuseReplacing(const QString& outputPath) {
    m_output.reset();
    //: Status line; %1 is the path of the old package that cannot be replaced.
    m_view.SetStatus(tr("Cannot Delete Existing File %1").arg(outputPath));
    return false;
}

void Packer::startRun(const QString& outputPath) {
    m_runOutput = outputPath;
    m_view.SetProgressVisible(true);
    // Read at each run: SOURCE_DATE_EPOCH fixes every entry's stamp; a value that is no
    // number of seconds is ignored, and the entries get the time of the run as ever.
    m_zipper.SetEntryTime(PackageDate::UsableFromEnvironment());
    const bool failed = m_output ? m_zipper.ZipReplacing(std::move(m_output), m_replaceOld)
                                 : m_zipper.Zip(outputPath);
    m_oldOutputPath.clear();
    if (!failed)
        return;
    m_view.SetProgressVisible(false);
    m_view.SetStatus(ErrorText(m_zipper.Result(), m_zipper.Failed()));
}

void Packer::showFileStatus(const QString& text) {
    const ZipFile* file = m_zipper.CurrentFile();
    if (!file)
        return;
    m_view.SetStatus(text.arg(file->SourceFile));
    m_view.RepaintStatus();
}

void Packer::setGenerateButtons(bool enabled) {
    for (const TemplateKind& kind : TemplateKinds())
        m_view.SetGenerateEnabled(kind.Code, enabled);
}
