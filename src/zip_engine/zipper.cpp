#include "zip_engine/zipper.h"

#include "zip_engine/test_faults.h"

#include <utility>

namespace {

const QString ReadFileStep = QStringLiteral("ReadFile");
const QString CloseZipStep = QStringLiteral("CloseZip");
constexpr int ReadFailed = -1;
constexpr int PlaceFailed = -1;

// The part of Path after its last separator. Template paths use "\", the file system "/";
// either way the entry is named after the file, never after its whole path.
QString fileNameOf(const QString& Path) {
    const qsizetype cut = qMax(Path.lastIndexOf(QLatin1Char('\\')), Path.lastIndexOf('/'));
    return Path.mid(cut + 1);
}

} // namespace

Zipper::Zipper(QObject* parent) : QObject(parent), m_tmrNext(new QTimer(this)) {
    m_tmrNext->setObjectName(QStringLiteral("tmrNext"));
    m_tmrNext->setInterval(TickInterval);
    connect(m_tmrNext, &QTimer::timeout, this, &Zipper::onTick);
}

// The writer finishes an archive still open, keeping the entries written so far; an archive
// made in place of a package is then put in place as a completed run's would be.
Zipper::~Zipper() {
    if (!m_zipping || !m_output)
        return;
    m_source.Close();
    const bool failed = m_writer.CloseZip();
    if (!failed)
        putInPlace();
}

std::optional<ZipFile> ZipFileFor(const QString& SourceFile, const QString& AsFile, int ZMethod,
                                  int ZLevel, int Attrs, const QString& Comment) {
    SourceReader probe;
    return ZipFileFor(probe, SourceFile, AsFile, ZMethod, ZLevel, Attrs, Comment);
}

std::optional<ZipFile> ZipFileFor(SourceReader& probe, const QString& SourceFile,
                                  const QString& AsFile, int ZMethod, int ZLevel, int Attrs,
                                  const QString& Comment) {
    // One open tells all: only an ordinary file can be read front to back (a folder would
    // fail when its turn came, a device or pipe could block the window), and a file that
    // cannot be opened now would fail the run only when its turn came, after part of the
    // archive was written: refused here, the caller can name it before anything is written.
    if (!probe.Open(SourceFile))
        return std::nullopt;
    ZipFile file;
    file.SourceFile = SourceFile;
    file.AsFile = AsFile.isEmpty() ? fileNameOf(SourceFile) : AsFile;
    file.ZMethod = ZMethod;
    file.ZLevel = ZLevel;
    file.Attrs = Attrs != 0 ? Attrs : probe.Attrs();
    file.Comment = Comment;
    file.ByteCount = probe.Size();
    return file;
}

bool Zipper::AddFile(const QString& SourceFile, const QString& AsFile, int ZMethod, int ZLevel,
                     int Attrs, const QString& Comment) {
    std::optional<ZipFile> file = ZipFileFor(SourceFile, AsFile, ZMethod, ZLevel, Attrs, Comment);
    if (!file)
        return true;
    Queue(std::move(*file));
    return false;
}

void Zipper::Queue(ZipFile file) {
    m_bytesToZip += file.ByteCount;
    m_files.push_back(std::make_shared<ZipFile>(std::move(file)));
}

void Zipper::ClearFiles() {
    while (!m_files.empty()) {
        m_bytesToZip -= m_files.back()->ByteCount;
        m_files.pop_back();
    }
}

void Zipper::Cancel() {
    if (m_zipping)
        m_cancelRequested = true;
}

bool Zipper::Zip(const QString& FilePath, int AppendMode) {
    if (refuseWhileZipping())
        return true;
    m_bytesZipped = 0;
    const bool failed = m_writer.OpenZip(FilePath, AppendMode);
    return startRun(failed);
}

bool Zipper::ZipReplacing(std::unique_ptr<TempOutput> Output, bool Replace) {
    if (refuseWhileZipping())
        return true;
    m_bytesZipped = 0;
    const bool failed = m_writer.OpenZipIn(Output ? Output->Descriptor() : -1);
    m_output = std::move(Output);
    m_replaceOutput = Replace;
    return startRun(failed);
}

bool Zipper::refuseWhileZipping() {
    if (!m_zipping)
        return false;
    m_result = 0;
    m_failed = QStringLiteral("Already mZipping");
    return true;
}

// Starts the timer once the archive is open; true (refused) when opening it failed.
bool Zipper::startRun(bool openFailed) {
    m_detail = FailureDetail::None;
    if (openFailed) {
        m_failed = QStringLiteral("OpenZip");
        m_result = m_writer.Result();
        ClearFiles();
        m_output.reset();
        return true;
    }
    m_zipping = true;
    m_tmrNext->start();
    return false;
}

// One timer step: start the next file or finish the run, then move up to ten chunks.
void Zipper::onTick() {
    // Stopped for the whole step, so steps never overlap even when a handler lets the
    // event loop run; restarted only when the run goes on.
    m_tmrNext->stop();
    if (!m_source.IsOpen()) {
        if (m_files.empty()) {
            finishRun();
            return;
        }
        if (!startNextFile())
            return;
    }
    if (m_cancelRequested) {
        // The current entry ends with what has been written of it so far.
        ClearFiles();
        m_remaining = 0;
    }
    if (moveChunks())
        m_tmrNext->start();
}

bool Zipper::startNextFile() {
    // Taken off the queue before StartFile, so a handler's ClearFiles cannot remove the file
    // being started; its bytes stay counted as taken by this run.
    m_currentFile = m_files.front();
    m_files.pop_front();
    Q_EMIT StartFile();
    const ZipFile& file = *m_currentFile;
    const bool failed = m_writer.OpenFileInZip(file.AsFile, file.ZMethod, file.ZLevel, file.Attrs,
                                               file.Comment, file.ByteCount);
    if (failed)
        return failRun(QStringLiteral("OpenFileInZip"), m_writer.Result());
    // A cancelled run gives this file an empty entry: its source is not read, so a source
    // that has gone meanwhile cannot turn the cancel into an error.
    if (m_cancelRequested)
        return true;
    if (!m_source.Open(file.SourceFile))
        return failRun(ReadFileStep, ReadFailed);
    // Opened anew at its turn: a file replaced since it was queued is packed as it is now,
    // provided it still holds the bytes it was queued with.
    if (m_source.Size() != file.ByteCount)
        return failRead();
    m_remaining = file.ByteCount;
    // Sized once per file; it only shrinks for the last, shorter chunk.
    m_buffer.resize(qMin(m_remaining, ChunkSize));
    return true;
}

// Moves up to ChunksPerTick chunks; closing the entry counts as one of them and ends the step.
bool Zipper::moveChunks() {
    for (int i = 0; i < ChunksPerTick; ++i) {
        if (m_remaining == 0)
            return endFile();
        if (!moveChunk())
            return false;
        Q_EMIT Progress();
    }
    return true;
}

bool Zipper::moveChunk() {
    const qint64 chunk = qMin(m_remaining, ChunkSize);
    if (m_buffer.size() != chunk)
        m_buffer.resize(chunk);
    m_bytesZipped += chunk;
    m_remaining -= chunk;
    // A file that vanished, failed or shrank since it was queued must not be padded out
    // with stale buffer bytes: the run fails instead.
    if (!ZipFileIo::ReadSourceChunk(m_source, m_buffer))
        return failRead();
    const bool failed = m_writer.WriteBytes(m_buffer);
    if (failed)
        return failRun(QStringLiteral("WriteBytes"), m_writer.Result());
    return true;
}

bool Zipper::endFile() {
    // A file that grew while it was read would go in without its new end: the run fails
    // instead. A cancelled run's entry ends where it stands, its source unread.
    if (m_source.IsOpen() && !m_cancelRequested &&
        m_source.CurrentSize() != m_currentFile->ByteCount)
        return failRead();
    m_source.Close();
    const bool failed = m_writer.CloseFileInZip();
    if (failed)
        return failRun(QStringLiteral("CloseFileInZip"), m_writer.Result());
    Q_EMIT EndFile();
    return true;
}

void Zipper::finishRun() {
    const bool failed = m_writer.CloseZip();
    if (failed) {
        failRun(CloseZipStep, m_writer.Result());
        return;
    }
    // A package made in place of another takes its place only now, whole and on disk.
    if (m_output) {
        switch (putInPlace()) {
        case TempOutput::CommitResult::Done:
            break;
        case TempOutput::CommitResult::Occupied:
            failRun(CloseZipStep, PlaceFailed, FailureDetail::OutputAppeared);
            return;
        case TempOutput::CommitResult::Failed:
            failRun(CloseZipStep, PlaceFailed);
            return;
        }
    }
    endRun();
    // Reset before the event, so that a run started from a handler starts uncancelled.
    const bool canceled = std::exchange(m_cancelRequested, false);
    Q_EMIT Complete(canceled);
}

// Flushes the finished archive to disk and renames it over the package it replaces, or to a
// path where no file is, when no file there may be replaced.
TempOutput::CommitResult Zipper::putInPlace() {
    const TempOutput::CommitResult result = m_output->Commit(m_replaceOutput);
    m_output.reset();
    return result;
}

// A failed read of the current file, told apart from a file whose size has changed.
bool Zipper::failRead() {
    const qint64 now = m_source.CurrentSize();
    const bool changed = now >= 0 && now != m_currentFile->ByteCount;
    return failRun(ReadFileStep, ReadFailed,
                   changed ? FailureDetail::SizeChanged : FailureDetail::None);
}

bool Zipper::failRun(const QString& Step, int Code, FailureDetail detail) {
    m_detail = detail;
    m_failed = Step;
    m_result = Code;
    m_source.Close();
    // A failed run leaves nothing open in the writer, so the next Zip can succeed, and no
    // half-written archive that could pass for a finished package.
    m_writer.DiscardZip();
    m_output.reset();
    ClearFiles();
    endRun();
    // A cancel belongs to the run it was asked for; it must not stop the next one.
    m_cancelRequested = false;
    Q_EMIT Error();
    return false;
}

void Zipper::endRun() {
    m_buffer = QByteArray();
    m_remaining = 0;
    m_bytesToZip = 0;
    m_zipping = false;
}
