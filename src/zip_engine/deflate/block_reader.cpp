#include "zip_engine/deflate/block_reader.h"

#include <QCoreApplication>

#include <algorithm>

namespace Deflate {

DeflateSources::State BlockReader::nextBlock(bool wait) {
    if (m_failed)
        return DeflateSources::State::Ended;
    // The rest of a file being read needs no look at the list.
    if (m_source.IsOpen())
        return DeflateSources::State::Known;
    return m_sources.At(m_index, m_path, wait);
}

JobPtr BlockReader::next() {
    auto job = std::make_shared<DeflateJob>();
    job->file = m_index;
    job->path = m_path;
    if (!m_source.IsOpen() && !openFile(*job))
        return failed(job);
    job->input = std::move(m_ahead);
    job->primeSize = m_aheadPrime;
    m_ahead = QByteArray();
    m_aheadPrime = 0;
    // Only a full block can have more data behind it.
    if (job->input.size() - job->primeSize == m_blockSize && !readAhead(*job))
        return failed(job);
    job->last = m_ahead.size() == m_aheadPrime;
    if (job->last) {
        m_source.Close();
        m_ahead = QByteArray();
        m_aheadPrime = 0;
        ++m_index;
    }
    return job;
}

bool BlockReader::openFile(DeflateJob& job) {
    const QString& path = m_path;
    // Opened without waiting and kept only when it is a regular file; a read that the file
    // system would not let wait makes the file's reads wait from then on, as they should.
    m_offset = 0;
    // A file the list holds open already is read through that open: one open per file.
    if (!m_sources.TakeOpened(m_index, m_source) && !m_source.Open(path)) {
        //: %1 is a file, %2 says why it could not be opened.
        job.readFailure = QCoreApplication::translate("BlockReader", "Cannot open \"%1\": %2")
                              .arg(path, m_source.Error());
        return false;
    }
    return readBlock(job);
}

// Starts the next block with the end of this one, which deflate may refer back into.
bool BlockReader::readAhead(DeflateJob& job) {
    m_ahead.reserve(DictionarySize + m_blockSize);
    m_ahead.append(job.input.right(DictionarySize));
    m_aheadPrime = m_ahead.size();
    return readBlock(job);
}

// Fills a whole block after what m_ahead holds unless the file ends first, so that blocks
// are cut at the same offsets however the system splits the reads. The buffer is sized by
// what the file held when it was opened, one byte more to notice growth: a small file costs
// a small allocation, not a whole block's, and a single read when it still holds those
// bytes. A file that grew is read on to a whole block.
bool BlockReader::readBlock(DeflateJob& job) {
    const qint64 start = m_ahead.size();
    const qint64 remaining = m_source.Size() - m_offset;
    const qint64 expected = std::clamp<qint64>(remaining + 1, 1, m_blockSize);
    qint64 got = readInto(start, expected, remaining);
    if (got == expected && expected < m_blockSize) {
        const qint64 more = readInto(start + got, m_blockSize - got, m_blockSize - got);
        got = more < 0 ? more : got + more;
    }
    if (got < 0) {
        //: %1 is a file, %2 says why it could not be read.
        job.readFailure = QCoreApplication::translate("BlockReader", "Cannot read \"%1\": %2")
                              .arg(m_path, m_source.Error());
        return false;
    }
    m_ahead.resize(start + got);
    m_offset += got;
    return true;
}

// Reads up to Size bytes into m_ahead at At, making room first, taking a short read after
// Expected bytes for the file's end; the bytes read or -1.
qint64 BlockReader::readInto(qint64 at, qint64 size, qint64 expected) {
    m_ahead.resize(at + size);
    return m_source.ReadExpecting(m_ahead.data() + at, size, expected);
}

JobPtr BlockReader::failed(const JobPtr& job) {
    m_failed = true;
    m_source.Close();
    m_ahead = QByteArray();
    m_aheadPrime = 0;
    job->input = QByteArray();
    job->done = true;
    return job;
}

} // namespace Deflate
