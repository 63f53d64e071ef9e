#include "pack_cli/pack_run.h"

#include "pack_cli/exit_codes.h"
#include "pack_cli/pack_report.h"
#include "packing/package_paths.h"
#include "packing/template_kind.h"
#include "platform/interrupt.h"
#include "platform/temp_output.h"
#include "zip_engine/parallel_deflate.h"
#include "zip_engine/zip_limits.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringList>

namespace {

// Internal attributes of an entry whose data zlib judged to be text, as minizip marks it.
constexpr int TextAttr = 1;

QString quoted(const QString& Path) {
    return QLatin1Char('"') + Path + QLatin1Char('"');
}

// "<step> failed: <why>", the step being a function name.
QString stepFailed(const QString& Step, const QString& Why) {
    //: vendrel-pack error. %1 is the name of the step that failed (a function name such as
    //: OpenZip or Rename: never translated), %2 says why.
    return QCoreApplication::translate("PackRun", "%1 failed: %2").arg(Step, Why);
}

} // namespace

PackRun::PackRun(const PackDestination& Destination, const TemplateKind& Kind, PackReport& Report)
    : m_destination(Destination), m_kind(Kind), m_report(Report) {}

int PackRun::Run() {
    const int walked = walk();
    return walked != ExitCode::Success ? walked : write();
}

int PackRun::walk() {
    // Only the old package's own path is left out: other names of it are packed as they are.
    if (m_destination.Replaces)
        m_oldOutput = OutputEntry(m_destination.Output);
    const QString project = m_destination.ProjectFolder;
    FolderWalk walk(
        [this](const QString& Source, const QString& As) { return takeFile(Source, As); },
        m_kind.Naming, ProjectFolderName(project), MaxFolderEntries,
        [] { return Interrupt::Requested(); });
    const bool walked = walk.Run(PackagePaths::WalkStartOf(project), QString());
    if (Interrupt::Requested())
        return interrupted();
    if (m_tooManyFiles)
        return fail(ExitCode::WalkFailed,
                    //: vendrel-pack error; %1 is the project folder, %2 the most files a
                    //: package holds.
                    QCoreApplication::translate(
                        "PackRun", "Too many files for one package in %1: more than %2")
                        .arg(quoted(project), QString::number(MaxPackageFiles)));
    if (!walked)
        return fail(
            ExitCode::WalkFailed,
            //: vendrel-pack error; %1 is a folder, %2 says what failed there.
            QCoreApplication::translate("PackRun", "Walking the project folder failed in %1: %2")
                .arg(quoted(walk.FailedFolder()), walk.Failure()));
    return ExitCode::Success;
}

// The walk's file sink: false refuses the file, which ends the walk.
bool PackRun::takeFile(const QString& sourceFile, const QString& asFile) {
    if (Interrupt::Requested())
        return false;
    // The package being replaced is no part of the template, as in the window.
    if (m_oldOutput.Is(sourceFile))
        return true;
    std::optional<ZipFile> file = ZipFileFor(sourceFile, asFile);
    if (!file)
        return false;
    // minizip 1.1 records a wrong entry count beyond the limit; the walk stops at once.
    if (qsizetype(m_files.size()) >= MaxPackageFiles) {
        m_tooManyFiles = true;
        return false;
    }
    m_totalBytes += file->ByteCount;
    m_files.push_back(std::move(*file));
    return true;
}

int PackRun::write() {
    m_report.Started(int(m_files.size()), m_totalBytes);
    TempOutput temp(m_destination.Output);
    if (!temp.Create())
        return fail(ExitCode::IoFailed, stepFailed(QStringLiteral("OpenZip"), temp.Error()));
    // An unnamed temporary file is named after the package it becomes.
    m_tempPath = temp.Path().isEmpty() ? m_destination.Output : temp.Path();
    // Many small entries cost far fewer system calls when the package goes out in blocks.
    m_writer.SetLargeBlocks(true);
    const bool openFailed = m_writer.OpenZipIn(temp.Descriptor());
    if (openFailed)
        return fail(ExitCode::IoFailed, writeFailure(QStringLiteral("OpenZip")));
    const int written = writeEntries();
    if (written != ExitCode::Success) {
        m_writer.DiscardZip();
        return written;
    }
    return commit(temp);
}

int PackRun::writeEntries() {
    QStringList sources;
    sources.reserve(qsizetype(m_files.size()));
    for (const ZipFile& file : m_files)
        sources << file.SourceFile;
    DeflateSettings settings;
    // zlib's default level, as the window's entries get it.
    settings.Level = -1;
    ParallelDeflate deflate(settings);
    const bool completed =
        deflate.Run(sources, [this](const DeflatePiece& Piece) { return onPiece(Piece); });
    if (Interrupt::Requested())
        return interrupted();
    if (!m_failure.isEmpty())
        return fail(ExitCode::IoFailed, m_failure);
    if (!completed)
        return fail(ExitCode::IoFailed, deflateFailure(deflate));
    const bool closeFailed = m_writer.CloseZip();
    if (closeFailed)
        return fail(ExitCode::IoFailed, writeFailure(QStringLiteral("CloseZip")));
    return ExitCode::Success;
}

int PackRun::commit(TempOutput& temp) {
    if (Interrupt::Requested())
        return interrupted();
    switch (temp.Commit(m_destination.Replaces)) {
    case TempOutput::CommitResult::Done:
        m_report.Finished(m_destination.Output);
        return ExitCode::Success;
    case TempOutput::CommitResult::Occupied:
        //: vendrel-pack error; %1 is the output path. --overwrite is an option, never
        //: translated.
        return fail(ExitCode::Refused,
                    QCoreApplication::translate("PackRun", "%1 appeared while packing and was not "
                                                           "replaced; use --overwrite to "
                                                           "replace it")
                        .arg(quoted(m_destination.Output)));
    case TempOutput::CommitResult::Failed:
        break;
    }
    return fail(ExitCode::IoFailed, stepFailed(QStringLiteral("Rename"), temp.Error()));
}

// The sink of the parallel deflate: one piece of one file's stream, in walk order.
bool PackRun::onPiece(const DeflatePiece& piece) {
    if (Interrupt::Requested())
        return false;
    const ZipFile& file = m_files.at(size_t(piece.File));
    if (piece.First && !openEntry(file, piece.Text))
        return false;
    // More bytes than listed would no longer fit the entry's Zip64 decision.
    if (piece.Size > file.ByteCount)
        //: vendrel-pack error, after "ReadFile failed on FILE: ".
        return failFile(
            QStringLiteral("ReadFile"), file,
            QCoreApplication::translate("PackRun", "the file grew while it was being packed"));
    const bool writeFailed = m_writer.WriteBytes(piece.Data);
    if (writeFailed)
        return failWrite(QStringLiteral("WriteBytes"));
    m_report.Progress(m_bytesBefore + piece.Size);
    return !piece.Last || closeEntry(file, piece);
}

bool PackRun::openEntry(const ZipFile& file, bool text) {
    m_report.FileStarted(file);
    const bool failed =
        m_writer.OpenRawFileInZip(file.AsFile, file.ZMethod, file.ZLevel, file.Attrs, file.Comment,
                                  file.ByteCount, text ? TextAttr : 0);
    if (!failed)
        return true;
    return failWrite(QStringLiteral("OpenFileInZip"));
}

bool PackRun::closeEntry(const ZipFile& file, const DeflatePiece& piece) {
    // A file that shrank while it was read must not go in cut short.
    if (piece.Size != file.ByteCount)
        //: vendrel-pack error, after "ReadFile failed on FILE: "; %1 and %2 are byte counts.
        return failFile(
            QStringLiteral("ReadFile"), file,
            QCoreApplication::translate("PackRun", "the file changed while it was being packed (%1 "
                                                   "bytes listed, %2 read)")
                .arg(QString::number(file.ByteCount), QString::number(piece.Size)));
    const bool closeFailed = m_writer.CloseRawFileInZip(piece.Size, piece.Crc);
    if (closeFailed)
        return failWrite(QStringLiteral("CloseFileInZip"));
    m_bytesBefore += piece.Size;
    m_report.FileDone(file);
    return true;
}

bool PackRun::failFile(const QString& step, const ZipFile& file, const QString& detail) {
    //: vendrel-pack error. %1 is the name of the step that failed (a function name such as
    //: ReadFile: never translated), %2 the file, %3 says why.
    m_failure = QCoreApplication::translate("PackRun", "%1 failed on %2: %3")
                    .arg(step, quoted(file.SourceFile), detail);
    return false;
}

bool PackRun::failWrite(const QString& step) {
    m_failure = writeFailure(step);
    return false;
}

// A failed write is the package's, whichever source file was being read: it names the
// package and says why the system refused it ("No space left on device").
QString PackRun::writeFailure(const QString& step) const {
    const int errorNumber = m_writer.ErrorNumber();
    const QString why =
        errorNumber != 0 ? qt_error_string(errorNumber) + QLatin1Char(' ') : QString();
    //: vendrel-pack error. %1 is the name of the step that failed (a function name such as
    //: WriteBytes: never translated), %2 the package, %3 the system's reason followed by a
    //: space (or nothing), %4 the error code, %5 the file being written.
    return QCoreApplication::translate("PackRun", "%1 failed on %2: %3(error %4 writing %5)")
        .arg(step, quoted(m_destination.Output), why, QString::number(m_writer.Result()),
             quoted(m_tempPath));
}

QString PackRun::deflateFailure(const ParallelDeflate& deflate) const {
    return stepFailed(deflate.CompressionFailed() ? QStringLiteral("Deflate")
                                                  : QStringLiteral("ReadFile"),
                      deflate.Error());
}

int PackRun::interrupted() {
    const QString output = quoted(m_destination.Output);
    //: vendrel-pack after Ctrl-C; %1 is the old package, kept unchanged.
    const QString kept = QCoreApplication::translate("PackRun", "Canceled; %1 was left as it was");
    //: vendrel-pack after Ctrl-C; %1 is the package that was not made.
    const QString notWritten =
        QCoreApplication::translate("PackRun", "Canceled; %1 was not written");
    return fail(ExitCode::Interrupted, (m_destination.Replaces ? kept : notWritten).arg(output));
}

int PackRun::fail(int code, const QString& text) {
    // Every message of a run is one line; the names in it must not break it.
    m_report.Error(Printable(text));
    return code;
}
