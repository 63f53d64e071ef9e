#pragma once

#include "os/archive_stream.h"
#include "zip_engine/byte_sink.h"

#include <QByteArray>

#include <cstdio>

// An archive file as a byte sink: a path opened here, or a file handed over open. A new
// archive may go out through a buffer of large blocks, where the writers' many small writes
// and their seeks back to patch an entry's header land in memory while they fall within it.
// The sink also knows whether it created the file, so that a failed run can remove it.
class FileSink final : public ByteSink {
  public:
    FileSink() = default;
    // Closes a file still open, without writing out what is pending.
    ~FileSink() override;
    FileSink(const FileSink&) = delete;
    FileSink& operator=(const FileSink&) = delete;

    // Forgets the last file and sets how the next one is opened. With descriptor >= 0 the
    // archive goes into that open file, whatever path open() is given: the file stays open
    // and is never deleted here. With largeBlocks a new archive goes out in blocks of 512 KiB.
    void reset(int descriptor = -1, bool largeBlocks = false);
    // Opens the file at path (or the descriptor) in mode; false with the errno kept. A new
    // archive in a descriptor starts at its offset, what follows being cut off.
    [[nodiscard]] bool open(const char* path, ArchiveStream::OpenMode mode);
    // True between a successful open() and close().
    bool isOpen() const { return m_file != nullptr; }
    // Reads up to size bytes of a file opened to read or update (never a buffered one); the
    // number read, a read error being kept as the failure.
    qint64 read(void* data, qint64 size);
    // True once the stream itself has seen a read or write error, or the sink has failed.
    bool streamFailed() const;

    // Writes the bytes, into the pending block while large blocks are on.
    bool write(const void* data, qint64 size) override;
    // Moves the position, within the pending block without touching the file.
    bool seek(qint64 offset, Origin origin = Origin::Start) override;
    // The position the next write starts at, pending bytes counted.
    qint64 position() override;
    // Writes out the pending block and closes the file.
    bool close() override;
    // The first failure of the current file, its open included.
    SinkError error() const override { return m_error; }
    // Keeps errorNumber as the failure unless one came first.
    void fail(int errorNumber) override;

    // Deletes the file when this open created or truncated it as an ordinary file and it is
    // still the same file (the file itself when it was named through a link, never the link);
    // devices, descriptors and files opened to update are never deleted. True when a file
    // was deleted.
    bool removeIfOwned();
    // Gives up the right to delete the file (it has been finished successfully).
    void disown() { m_owned = false; }
    // False when the ordinary file this open created is no longer at its path: removed, or
    // replaced by another file, as when its folder was deleted while it was written.
    bool stillInPlace() const;

  private:
    bool stillAtItsPath() const;
    bool writeBuffered(const void* data, qint64 size);
    bool seekBuffered(qint64 offset, ArchiveStream::SeekFrom origin);
    bool flushBuffer();

    std::FILE* m_file = nullptr;
    bool m_largeBlocks = false;
    bool m_buffered = false;
    QByteArray m_pending;      // bytes not yet written, from file offset m_pendingStart
    qint64 m_pendingStart = 0; // where the stream stands while bytes are pending
    qint64 m_position = 0;     // the position the writer sees
    QByteArray m_path;
    int m_descriptor = -1;
    SinkError m_error;
    bool m_owned = false;
    ArchiveStream::Identity m_identity;
};
