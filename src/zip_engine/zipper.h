#pragma once

#include "os/source_reader.h"
#include "os/temp_output.h"
#include "zip_engine/zip_file.h"
#include "zip_engine/zip_writer.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <deque>
#include <memory>
#include <optional>

// Compresses a queue of files into one archive, a few chunks per 16 ms timer step,
// on the caller's thread. Reports through synchronous signals; never shows anything.
// Every run that Zip starts ends with exactly one Error or one Complete. A failed run leaves
// no archive open and deletes the incomplete archive file it created; a cancelled run, or
// one cut short by destroying the Zipper, keeps the entries written so far. A run started by
// ZipReplacing puts its archive in place only when it ends that way.
// The timer is a child QTimer named "tmrNext"; it is stopped for the whole of a step.
class Zipper : public QObject {
    Q_OBJECT
  public:
    static constexpr qint64 ChunkSize = 131072;
    static constexpr int ChunksPerTick = 10;
    static constexpr int TickInterval = 16;

    explicit Zipper(QObject* parent = nullptr);
    ~Zipper() override;

    // Queues SourceFile (an ordinary file that can be read) as entry AsFile (default: its name);
    // Attrs 0 takes the file's own attributes. True when the file cannot be queued.
    [[nodiscard]] bool AddFile(const QString& SourceFile, const QString& AsFile = {},
                               int ZMethod = 8, int ZLevel = -1, int Attrs = 0,
                               const QString& Comment = {});
    // Queues a file already examined (ZipFileFor's record of it), as AddFile does.
    void Queue(ZipFile file);
    // Empties the queue; the removed files no longer count in BytesToZip.
    void ClearFiles();
    // Asks the run in progress to stop at the next step; does nothing between runs.
    void Cancel();
    // Stamps the entries of the runs started from now on with the instant SecsSinceEpoch
    // (seconds since 1970 UTC) rather than the local time of each; none restores it.
    void SetEntryTime(std::optional<qint64> SecsSinceEpoch) {
        m_writer.SetEntryTime(SecsSinceEpoch);
    }
    // Opens the archive and starts the timer; true (with Failed and Result) when refused.
    [[nodiscard]] bool Zip(const QString& FilePath, int AppendMode = 0);
    // Like Zip, into the file of Output (created by its owner): when the run completes,
    // cancelled or not, or is cut short by destroying the Zipper, the file takes the place
    // of the package it was made for, replacing a file there only when Replace is true; when
    // that fails the run ends in an Error at "CloseZip". A run that fails removes the file
    // and leaves an old package untouched. Refused like Zip ("OpenZip", -1) when Output holds
    // no open file.
    [[nodiscard]] bool ZipReplacing(std::unique_ptr<TempOutput> Output, bool Replace = true);

    // Bytes of the files still queued plus those taken by the run in progress.
    qint64 BytesToZip() const { return m_bytesToZip; }
    // Number of files waiting in the queue.
    qsizetype FilesQueued() const { return qsizetype(m_files.size()); }
    // Bytes read and handed to the writer since the current run started.
    qint64 BytesZipped() const { return m_bytesZipped; }
    // The file being packed or last taken from the queue; null before the first.
    const ZipFile* CurrentFile() const { return m_currentFile.get(); }
    // Name of the step that failed last: "Already mZipping", "OpenZip", "OpenFileInZip",
    // "ReadFile", "WriteBytes", "CloseFileInZip" or "CloseZip".
    QString Failed() const { return m_failed; }
    // Result code of the last failure (the writer's codes; -1 for "ReadFile").
    int Result() const { return m_result; }
    // What more there is to say about the last failure than its step and code.
    enum class FailureDetail {
        None,
        SizeChanged,    // at "ReadFile": the current file grew or shrank while it was packed
        OutputAppeared, // at "CloseZip": a file took the package's path meanwhile, and
                        // replacing it was not allowed
    };
    FailureDetail Detail() const { return m_detail; }
    // True while a run is in progress.
    bool Zipping() const { return m_zipping; }

  Q_SIGNALS:
    void StartFile();
    void Progress();
    void EndFile();
    void Error();
    void Complete(bool Canceled);

  private:
    bool refuseWhileZipping();
    bool startRun(bool openFailed);
    void onTick();
    bool startNextFile();
    bool moveChunks();
    bool moveChunk();
    bool endFile();
    void finishRun();
    TempOutput::CommitResult putInPlace();
    bool failRun(const QString& Step, int Code, FailureDetail detail = FailureDetail::None);
    bool failRead();
    void endRun();

    // Declared before the writer, so that an archive still open is finished before its
    // file is closed.
    std::unique_ptr<TempOutput> m_output;
    ZipWriter m_writer;
    std::deque<std::shared_ptr<ZipFile>> m_files;
    std::shared_ptr<ZipFile> m_currentFile;
    SourceReader m_source;
    QByteArray m_buffer;
    QTimer* m_tmrNext = nullptr;
    qint64 m_bytesToZip = 0;
    qint64 m_bytesZipped = 0;
    qint64 m_remaining = 0;
    bool m_cancelRequested = false;
    bool m_zipping = false;
    QString m_failed;
    int m_result = 0;
    FailureDetail m_detail = FailureDetail::None;
    bool m_replaceOutput = true;
};
