#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

class SourceReader;

// How a ParallelDeflate compresses; values out of range are brought into range by the
// constructor (the level excepted: zlib itself refuses a bad level, and the run reports it).
struct DeflateSettings {
    int Level = 6;              // zlib level: -1 (zlib's default) or 0 to 9
    bool Store = false;         // the pieces are the files' bytes as they are (stored entries);
                                // Level is then unused
    int Threads = 0;            // compression workers; 0 = one per core the process may use
    qint64 BlockSize = 1 << 20; // input bytes per independently compressed block
    int MaxBlocksInFlight = 0;  // blocks read but not yet delivered; 0 = automatic
};

// The next piece of one file's raw deflate stream, as the sink receives it.
struct DeflatePiece {
    int File = 0;              // index of the file in the list given to Run
    QByteArray Data;           // the stream's next bytes
    bool First = false;        // the first piece of this file
    bool Last = false;         // the file's stream ends with this piece
    quint32 Crc = 0;           // CRC-32 of the file's bytes covered so far
    qint64 Size = 0;           // file bytes covered so far
    qint64 CompressedSize = 0; // stream bytes delivered so far, this piece included
    bool Text = false;         // zlib judged the file's first block to be text
};

// Receives the pieces in order on the thread that called Run; returning false stops the run.
using DeflateSink = std::function<bool(const DeflatePiece& Piece)>;

// The files a run compresses, in order, as they become known: another thread may still be
// finding them while the first are compressed.
class DeflateSources {
  public:
    enum class State {
        Known,   // the file is there
        Pending, // not known yet: the list goes on growing
        Ended,   // the list ended before it
    };
    virtual ~DeflateSources() = default;
    // What is known of file Index, with its path when Known; with Wait, does not return
    // Pending but waits until the file is known or the list has ended.
    virtual State At(int Index, QString& Path, bool Wait) const = 0;
    // Moves file Index, known already, into Reader when the list holds it open (its size
    // then is the size it had when opened); false when the reader is to open it by its path.
    virtual bool TakeOpened(int Index, SourceReader& Reader);
};

// Compresses files into raw deflate streams (no zlib or gzip wrapper, as a zip entry holds
// them) on a pool of worker threads, and hands the results to a sink strictly in order.
// A large file is cut into blocks that are deflated independently, each primed with the
// 32 KiB before it, and joined into one stream; small files are compressed side by side.
// Stretches that deflate could not shrink (already-compressed media) are written as stored
// deflate blocks without running deflate over them. Only regular files are read: anything
// else in the list (a folder, a FIFO, a device) fails the run at once, without waiting.
// With Store set, the pieces are the files' bytes as they are, for stored entries.
// The output depends only on the input, the level and the block size, never on the number
// of threads or their timing. Memory stays within MemoryBudget whatever the file sizes.
// One object serves one thread; Run may be called any number of times, never re-entered.
class ParallelDeflate {
  public:
    static constexpr qint64 MemoryBudget = qint64(32) << 20;

    // Takes the settings, brought into range; starts no thread yet.
    explicit ParallelDeflate(const DeflateSettings& Settings = {});

    // Compresses SourceFiles in order, each file read front to back once; true when the run
    // completed, false after a failure (see Error) or a stop asked for by the sink (see
    // Canceled). Every worker has finished when it returns.
    [[nodiscard]] bool Run(const QStringList& SourceFiles, const DeflateSink& Sink);
    // The same for a list that may still grow while the run goes on; it ends when Sources
    // says the list has ended (or at a failure or a stop, as above).
    [[nodiscard]] bool Run(DeflateSources& Sources, const DeflateSink& Sink);
    // Compresses one file; the same as Run with a list of one.
    [[nodiscard]] bool CompressFile(const QString& SourceFile, const DeflateSink& Sink);

    // True when the last run ended because the sink returned false.
    bool Canceled() const { return m_canceled; }
    // What made the last run fail, naming the file; empty after success or cancel.
    QString Error() const { return m_error; }
    // True when the last run failed compressing rather than reading a source file.
    bool CompressionFailed() const { return m_compressionFailed; }
    // Index of the file the last run failed on, or -1.
    int FailedFile() const { return m_failedFile; }
    // The most blocks the last run held at once between reading and delivery; four batches
    // of small files count as one block.
    int PeakBlocksInFlight() const { return m_peakBlocksInFlight; }

    // The settings in effect.
    const DeflateSettings& Settings() const { return m_settings; }

  private:
    DeflateSettings m_settings;
    bool m_running = false;
    bool m_canceled = false;
    QString m_error;
    bool m_compressionFailed = false;
    int m_failedFile = -1;
    int m_peakBlocksInFlight = 0;
};
