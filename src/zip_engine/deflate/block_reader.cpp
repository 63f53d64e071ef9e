#include "zip_engine/deflate/block_reader.h"

namespace Deflate {

JobPtr BlockReader::next() {
    auto job = std::make_shared<DeflateJob>();
    job->file = m_index;
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
    const QString& path = m_files.at(m_index);
    // Opened without waiting and kept only when it is a regular file; from then on reads
    // may wait, as they should on a slow disk.
    if (!m_source.Open(path) || !m_source.SetBlocking()) {
        job.readFailure = QStringLiteral("Cannot open \"%1\": %2").arg(path, m_source.Error());
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
// are cut at the same offsets however the system splits the reads.
bool BlockReader::readBlock(DeflateJob& job) {
    const qint64 start = m_ahead.size();
    m_ahead.resize(start + m_blockSize);
    const qint64 got = m_source.ReadUpTo(m_ahead.data() + start, m_blockSize);
    if (got < 0) {
        job.readFailure =
            QStringLiteral("Cannot read \"%1\": %2").arg(m_files.at(m_index), m_source.Error());
        return false;
    }
    m_ahead.resize(start + got);
    return true;
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
