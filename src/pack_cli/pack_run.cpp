#include "pack_cli/pack_run.h"

#include "os/interrupt.h"
#include "os/process_setup.h"
#include "os/temp_output.h"
#include "pack_cli/exit_codes.h"
#include "pack_cli/pack_report.h"
#include "packing/pack_job.h"
#include "packing/template_kind.h"
#include "zip_engine/parallel_deflate.h"
#include "zip_engine/zip_limits.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringList>

#include <algorithm>
#include <system_error>

namespace {

// Internal attributes of an entry whose data zlib judged to be text, as minizip marks it.
constexpr int TextAttr = 1;
// The zip method of an entry that holds its file's bytes as they are.
constexpr int StoredMethod = 0;

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

DeflateSources::State FoundFiles::At(int Index, QString& Path, bool Wait) const {
    std::unique_lock lock(m_mutex);
    if (Wait)
        m_changed.wait(lock, [&] { return Index < int(m_files.size()) || m_ended; });
    if (Index < int(m_files.size())) {
        Path = m_files[size_t(Index)].SourceFile;
        return State::Known;
    }
    return m_ended ? State::Ended : State::Pending;
}

void FoundFiles::HoldAtMost(int Files) {
    std::lock_guard lock(m_mutex);
    m_maxHeld = std::clamp(Files, 0, MaxHeldOpen);
    m_holding = m_maxHeld > 0;
}

bool FoundFiles::TakeOpened(int Index, SourceReader& Reader) {
    bool wake = false;
    {
        std::lock_guard lock(m_mutex);
        if (Index >= int(m_opened.size()) || !m_opened[size_t(Index)].IsOpen())
            return false;
        Reader = std::move(m_opened[size_t(Index)]);
        // The walk waits for half of the held files to be taken: one wake per many files.
        wake = --m_held == m_maxHeld / 2;
    }
    if (wake)
        m_taken.notify_one();
    return true;
}

void FoundFiles::Add(ZipFile File, SourceReader& Opened) {
    {
        std::unique_lock lock(m_mutex);
        if (m_holding && m_held >= m_maxHeld) {
            m_addWaiting = true;
            m_taken.wait(lock, [this] { return m_held <= m_maxHeld / 2 || !m_holding; });
            m_addWaiting = false;
        }
        // The reader's place first: the file must never be known without it.
        m_opened.emplace_back();
        m_files.push_back(std::move(File));
        if (m_holding && Opened.IsOpen()) {
            m_opened.back() = std::move(Opened);
            ++m_held;
        }
    }
    m_changed.notify_all();
}

void FoundFiles::StopHolding() {
    {
        std::lock_guard lock(m_mutex);
        m_holding = false;
        for (SourceReader& opened : m_opened)
            opened.Close();
        m_held = 0;
    }
    m_taken.notify_all();
}

void FoundFiles::End(bool Whole) {
    {
        std::lock_guard lock(m_mutex);
        m_ended = true;
        m_whole = Whole;
    }
    m_changed.notify_all();
}

bool FoundFiles::Ended(bool& Whole) const {
    std::lock_guard lock(m_mutex);
    Whole = m_whole;
    return m_ended;
}

const ZipFile& FoundFiles::File(int Index) const {
    std::lock_guard lock(m_mutex);
    return m_files[size_t(Index)];
}

int FoundFiles::Count() const {
    std::lock_guard lock(m_mutex);
    return int(m_files.size());
}

bool FoundFiles::AddWaiting() const {
    std::lock_guard lock(m_mutex);
    return m_addWaiting;
}

PackRun::PackRun(const PackDestination& Destination, const TemplateKind& Kind, PackReport& Report)
    : m_destination(Destination), m_kind(Kind), m_report(Report) {}

PackRun::~PackRun() {
    m_found.StopHolding();
    if (m_walker.joinable())
        m_walker.join();
}

int PackRun::Run() {
    // The package is written while the walk goes on, into a file that becomes the package
    // only once all is well; whatever the outcome, the walk's failures are told first. A
    // named temporary file is hidden, and the walk leaves hidden files out, so a package
    // written inside the project folder never finds itself.
    TempOutput temp(m_destination.Output);
    const bool created = temp.Create();
    // Files held open between the walk and the packing take at most a quarter of the files
    // the process may still open: the walk's folders, the package and the reader need some,
    // and a low limit on open files must not make the walk fail.
    m_found.HoldAtMost(ProcessSetup::OpenFilesLeft() / 4);
    bool opened = false;
    if (created) {
        // An unnamed temporary file is named after the package it becomes.
        m_tempPath = temp.Path().isEmpty() ? m_destination.Output : temp.Path();
        // Many small entries cost far fewer system calls when the package goes out in blocks.
        m_writer.SetLargeBlocks(true);
        opened = !m_writer.OpenZipIn(temp.Descriptor());
    }
    startWalk();
    const int written = opened ? writeEntries() : ExitCode::Success;
    // Nothing more is read: a walk still going on holds no file open for it.
    m_found.StopHolding();
    const int walked = walkOutcome();
    if (walked != ExitCode::Success || written != ExitCode::Success || !opened)
        m_writer.DiscardZip();
    if (walked != ExitCode::Success)
        return walked;
    catchUpReport();
    if (!created)
        return fail(ExitCode::IoFailed, stepFailed(QStringLiteral("OpenZip"), temp.Error()));
    if (!opened)
        return fail(ExitCode::IoFailed, writeFailure(QStringLiteral("OpenZip")));
    if (written != ExitCode::Success)
        return fail(written, m_held);
    return commit(temp);
}

// Walks in a thread of its own; where the system gives no thread, before packing.
void PackRun::startWalk() {
    try {
        m_walker = std::thread([this] { walk(); });
    } catch (const std::system_error&) {
        // Nothing is read before the walk ends, so it must not wait for files to be taken.
        m_found.StopHolding();
        walk();
    }
}

// The walking thread: hands the files it finds to the packing thread one by one.
void PackRun::walk() {
    bool whole = false;
    try {
        PackJob job(m_destination.ProjectFolder, m_kind.Naming, MaxFolderEntries);
        // Only the old package's own path is left out: other names of it are packed as they are.
        if (m_destination.Replaces)
            job.LeaveOut(m_destination.Output);
        job.SetStopCheck([] { return Interrupt::Requested(); });
        job.Exclude(m_exclusions);
        const PackJob::Outcome outcome = job.Walk(
            [this](ZipFile file, SourceReader& opened) { m_found.Add(std::move(file), opened); });
        whole = outcome == PackJob::Outcome::Walked;
        m_tooManyFiles = outcome == PackJob::Outcome::TooManyFiles;
        m_totalBytes = job.BytesTaken();
        m_failedFolder = job.FailedFolder();
        m_walkFailure = job.Failure();
    } catch (const std::exception& e) {
        // An allocation failure: the walk failed, and says why, like any other failure.
        m_failedFolder = m_destination.ProjectFolder;
        m_walkFailure = QString::fromLocal8Bit(e.what());
    }
    m_found.End(whole);
}

// Waits for the walk to end and reports what stopped it, if anything.
int PackRun::walkOutcome() {
    if (m_walker.joinable())
        m_walker.join();
    bool whole = false;
    const bool ended = m_found.Ended(whole);
    if (Interrupt::Requested()) {
        // The lines of the files already written, as when the walk came first.
        if (ended && whole)
            catchUpReport();
        return interrupted();
    }
    if (m_tooManyFiles)
        return fail(
            ExitCode::WalkFailed,
            //: vendrel-pack error; %1 is the project folder, %2 the most files a
            //: package holds.
            QCoreApplication::translate("PackRun",
                                        "Too many files for one package in %1: more than %2")
                .arg(quoted(m_destination.ProjectFolder), QString::number(MaxPackageFiles)));
    if (!ended || !whole)
        return fail(
            ExitCode::WalkFailed,
            //: vendrel-pack error; %1 is a folder, %2 says what failed there.
            QCoreApplication::translate("PackRun", "Walking the project folder failed in %1: %2")
                .arg(quoted(m_failedFolder), m_walkFailure));
    return ExitCode::Success;
}

// Once the walk is through, starts the report and prints the lines of the files packed
// meanwhile; false when the walk has ended without going through.
bool PackRun::catchUpReport() {
    if (m_reporting)
        return true;
    bool whole = false;
    if (!m_found.Ended(whole))
        return true;
    if (!whole)
        return false;
    m_report.Started(m_found.Count(), m_totalBytes);
    for (; m_filesReported < m_filesDone; ++m_filesReported)
        m_report.FileDone(m_found.File(m_filesReported));
    m_report.Progress(m_bytesBefore);
    m_reporting = true;
    return true;
}

int PackRun::writeEntries() {
    DeflateSettings settings;
    // zlib's default level unless asked otherwise, as the window's entries get it; level 0
    // stores the files' bytes as they are, in entries of method 0.
    settings.Level = m_level;
    settings.Store = m_level == 0;
    ParallelDeflate deflate(settings);
    const bool completed =
        deflate.Run(m_found, [this](const DeflatePiece& Piece) { return onPiece(Piece); });
    // An interrupt or a failed walk is told once the walk has ended.
    bool whole = true;
    if (Interrupt::Requested() || (m_found.Ended(whole) && !whole))
        return ExitCode::Interrupted;
    if (!m_failure.isEmpty())
        return hold(ExitCode::IoFailed, m_failure);
    if (!completed)
        return hold(ExitCode::IoFailed, deflateFailure(deflate));
    const bool closeFailed = m_writer.CloseZip();
    if (closeFailed)
        return hold(ExitCode::IoFailed, writeFailure(QStringLiteral("CloseZip")));
    return ExitCode::Success;
}

// Keeps a failure of the packing to be told once the walk is known to have gone through.
int PackRun::hold(int code, const QString& text) {
    m_held = text;
    return code;
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
    if (Interrupt::Requested() || !catchUpReport())
        return false;
    const ZipFile& file = m_found.File(piece.File);
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
    if (m_reporting)
        m_report.Progress(m_bytesBefore + piece.Size);
    return !piece.Last || closeEntry(file, piece);
}

bool PackRun::openEntry(const ZipFile& file, bool text) {
    if (m_reporting)
        m_report.FileStarted(file);
    // The window's method and level (deflate, zlib's default) unless a level was asked for;
    // the level also sets the header's level flags as minizip sets them.
    const int method = m_level == 0 ? StoredMethod : file.ZMethod;
    const int level = m_level == -1 ? file.ZLevel : m_level;
    const bool failed = m_writer.OpenRawFileInZip(
        file.AsFile, method, level, file.Attrs, file.Comment, file.ByteCount, text ? TextAttr : 0);
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
    ++m_filesDone;
    if (m_reporting) {
        m_report.FileDone(file);
        m_filesReported = m_filesDone;
    }
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
