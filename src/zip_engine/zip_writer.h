#pragma once

#include "zip_engine/minizip_sink_io.h"

#include <QByteArray>
#include <QString>

#include <optional>

// Writes one zip archive at a time through minizip, checking the calling order.
// Every operation returns true when it failed; Result() then says why:
//   0 success, -1 archive not opened / I/O failure, -666 nothing open, -667 already open,
//   any other value minizip's own.
// Entry names are stored exactly as given ("\" stays "\"); text goes to minizip as UTF-8.
// Once a write, seek or close of the archive file has failed, every later operation on that
// archive fails with -1, even where minizip itself reports success.
class ZipWriter {
  public:
    ZipWriter();
    // Finishes an archive left open: closes the entry, then writes the central directory.
    // An archive this writer created that cannot be finished is deleted.
    ~ZipWriter();
    ZipWriter(const ZipWriter&) = delete;
    ZipWriter& operator=(const ZipWriter&) = delete;

    // Makes the next OpenZip that creates an archive write it in blocks of 512 KiB rather
    // than entry by entry: far fewer system calls for many small entries, but a failing disk
    // then shows at the call that writes the block out (a later entry's, or CloseZip).
    void SetLargeBlocks(bool On) { m_largeBlocks = On; }
    // Stamps the entries opened from now on with the instant SecsSinceEpoch (seconds since
    // 1970 UTC, see EntryFields::FixedEntryTime) rather than the local time; none restores it.
    void SetEntryTime(std::optional<qint64> SecsSinceEpoch) { m_fixedTime = SecsSinceEpoch; }
    // Opens (AppendMode 0: creates or replaces) the archive at FilePath.
    [[nodiscard]] bool OpenZip(const QString& FilePath, int AppendMode = 0);
    // Opens a new archive in the file open as Descriptor, from its offset on (what follows is
    // cut off first); the file stays open and is never deleted by the writer (its owner puts
    // it in place or removes it).
    [[nodiscard]] bool OpenZipIn(int Descriptor);
    // Starts an entry stamped with the local time now (or the instant SetEntryTime gave); external
    // attributes are Attrs & 0x27. ExpectedSize, the number of bytes the entry will hold, decides
    // whether it needs Zip64.
    [[nodiscard]] bool OpenFileInZip(const QString& FileName, int ZMethod = 8, int ZLevel = -1,
                                     int Attrs = 0, const QString& Comment = {},
                                     qint64 ExpectedSize = 0);
    // Adds Bytes to the open entry.
    [[nodiscard]] bool WriteBytes(const QByteArray& Bytes);
    // Ends the open entry; it counts as closed even when the library reports a failure.
    [[nodiscard]] bool CloseFileInZip();
    // Ends the open entry, if any, and finishes the archive. After the library's close has
    // been called the archive counts as closed, whatever it returned. Fails with -1 when the
    // archive file was removed or replaced while it was written.
    [[nodiscard]] bool CloseZip();
    // Abandons the archive after a failure: closes whatever is open without looking at the
    // results, then deletes the archive file if this writer created or truncated it as an
    // ordinary file and has not finished it. Result() is left unchanged.
    void DiscardZip();
    // Result code of the last operation that reached a decision.
    int Result() const { return m_result; }
    // The errno of the archive file's first failed open, write, seek, flush or close (0 when
    // none failed, as when minizip itself refused an operation).
    int ErrorNumber() const { return m_io.file().error().errorNumber; }

  private:
    bool fail(int Code);
    bool open(const QByteArray& path, int appendMode, int descriptor);
    int checked(int Code) const;
    bool sinkFailed() const { return m_io.file().error().failed; }

    void* m_zipHandle = nullptr;
    bool m_entryOpen = false;
    bool m_largeBlocks = false;
    std::optional<qint64> m_fixedTime;
    int m_result = 0;
    MinizipSinkIo m_io;
};
