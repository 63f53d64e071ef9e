#pragma once

#include "os/archive_stream.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

struct zlib_filefunc64_def_s;
class SourceReader;

// The zip engine's own file access: the archive file as minizip writes it, and the source
// files as the Zipper reads them.
namespace ZipFileIo {

// Faults that tests can inject into the engine's file access. A number n makes the n-th
// call of that kind (counted from the last SetTestFaults, starting at 1) fail; 0 injects
// nothing. Process-wide and meant for tests only; the program never sets them.
//   FailWriteNumber  an archive write fails as a full disk would (nothing is written)
//   FailSeekNumber   an archive seek fails
//   FailClose        closing the archive file reports failure (as a failed final flush)
//   FailReadNumber   a read of a source file chunk fails (as an I/O error mid-file)
//   FailSync         flushing a finished package to disk before it is put in place fails
//   NamedTempFile    a package's temporary file is a named one, as where the file system
//                    offers no unnamed file
//   ModeChangeErrno  setting a named temporary file's mode fails with this errno, as on a
//                    file system that keeps no Unix permissions (0: it does not)
//   FailBackgroundFlushNumber  the n-th flush of a package made while it is written fails
// Typical use: run once with SetTestFaults({}) and read WritesDone() to learn how many
// writes a run makes, then run again failing the first, a middle or the last of them.
struct TestFaults {
    qint64 FailWriteNumber = 0;
    qint64 FailSeekNumber = 0;
    bool FailClose = false;
    qint64 FailReadNumber = 0;
    bool FailSync = false;
    bool NamedTempFile = false;
    int ModeChangeErrno = 0;
    int FailBackgroundFlushNumber = 0;
};

// Replaces the injected faults and restarts the counters below.
void SetTestFaults(const TestFaults& Faults);
// Archive writes, archive seeks and source chunk reads made since the last SetTestFaults.
qint64 WritesDone();
qint64 SeeksDone();
qint64 ReadsDone();

struct ArchiveCallbacks;

// One archive file opened by minizip through our file functions. The first failed write,
// seek, flush or close is remembered: minizip 1.1 does not always look at the results, so
// the writer asks Failed() after every library call. After a failure nothing more is
// written to the file.
class ArchiveFile {
  public:
    // Points Def at our file functions with this object as their state; forgets the last file.
    // With a Descriptor (>= 0) the archive is written into that open file, whatever name
    // minizip opens: the file stays open and is never deleted here. With LargeBlocks a new
    // archive is written in blocks of 512 KiB (see ZipWriter).
    void Attach(zlib_filefunc64_def_s& Def, int Descriptor = -1, bool LargeBlocks = false);
    // True once any write, seek, flush or close of the current file has failed.
    bool Failed() const { return m_failed; }
    // The errno of the first failure (ENOSPC for an injected write fault), kept like the
    // failure itself; also the errno of a failed open. 0 when nothing failed.
    int ErrorNumber() const { return m_errorNumber; }
    // Deletes the file when this open created or truncated it as an ordinary file and it is
    // still the same file (the file itself when it was named through a link, never the link);
    // devices and archives opened for appending are never deleted.
    // Returns true when a file was deleted.
    bool RemoveIfOwned();
    // Gives up the right to delete the file (it has been finished successfully).
    void Disown() { m_owned = false; }
    // False when the ordinary file this open created is no longer at its path: removed, or
    // replaced by another file, as when its folder was deleted while it was written.
    bool StillInPlace() const;

  private:
    bool stillAtItsPath() const;
    bool writeBuffered(std::FILE* File, const void* Buffer, qint64 Size);
    bool seekBuffered(std::FILE* File, qint64 Offset, ArchiveStream::SeekFrom Origin);
    bool flushBuffer(std::FILE* File);

    friend struct ArchiveCallbacks;
    // A new archive may be written through a buffer of large blocks: minizip's many small
    // writes and its seeks back to patch an entry's header land in memory while they fall
    // within it.
    bool m_largeBlocks = false;
    bool m_buffered = false;
    QByteArray m_pending;      // bytes not yet written, from file offset m_pendingStart
    qint64 m_pendingStart = 0; // where the stream stands while bytes are pending
    qint64 m_position = 0;     // the position minizip sees
    QByteArray m_path;
    int m_descriptor = -1;
    bool m_failed = false;
    int m_errorNumber = 0;
    bool m_owned = false;
    ArchiveStream::Identity m_identity;
};

// Fills the whole of Buffer from the source's current position, counting the read for the
// test faults; false on a read error, an injected fault, or when the file ends first.
bool ReadSourceChunk(SourceReader& Source, QByteArray& Buffer);

} // namespace ZipFileIo
