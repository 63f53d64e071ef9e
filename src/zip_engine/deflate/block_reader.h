#pragma once

#include "os/source_reader.h"
#include "zip_engine/deflate/deflate_job.h"
#include "zip_engine/parallel_deflate.h"

namespace Deflate {

// Reads the files one after another, front to back, in blocks of a fixed size. One block
// is read ahead so that a file's last block is known as such when it is handed out. Each
// block after a file's first comes with the 32 KiB before it, read into the same buffer.
// Files become known through the sources as they are found; the reader only waits for one
// when asked to.
class BlockReader {
  public:
    BlockReader(DeflateSources& sources, qint64 blockSize)
        : m_sources(sources), m_blockSize(blockSize) {}
    BlockReader(const BlockReader&) = delete;
    BlockReader& operator=(const BlockReader&) = delete;

    // Whether there is a next block to read now (Known), none yet (Pending), or none at all
    // because every file has been read or reading stopped at a failure (Ended). With Wait,
    // waits rather than answer Pending.
    DeflateSources::State nextBlock(bool wait = false);
    // True when there is surely nothing more to read.
    bool atEnd() { return nextBlock() == DeflateSources::State::Ended; }
    // The next block in order, once nextBlock said Known; a job that is already done with
    // readFailure set when the file could not be opened or read (reading stops there).
    JobPtr next();

  private:
    bool openFile(DeflateJob& job);
    bool readAhead(DeflateJob& job);
    bool readBlock(DeflateJob& job);
    qint64 readInto(qint64 at, qint64 size, qint64 expected);
    JobPtr failed(const JobPtr& job);

    DeflateSources& m_sources;
    const qint64 m_blockSize;
    int m_index = 0;
    QString m_path; // the file at m_index, once known
    SourceReader m_source;
    QByteArray m_ahead;      // the next block, after the bytes that precede it
    qint64 m_aheadPrime = 0; // how many of m_ahead's bytes precede the block
    qint64 m_offset = 0;     // bytes of the current file read so far
    bool m_failed = false;
};

} // namespace Deflate
