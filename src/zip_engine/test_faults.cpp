#include "zip_engine/test_faults.h"

#include "os/source_reader.h"
#include "os/temp_output.h"

#include <cerrno>

namespace ZipFileIo {

namespace {

TestFaults g_faults;
bool g_armed = false;
qint64 g_writes = 0;
qint64 g_seeks = 0;
qint64 g_reads = 0;

// Counts one call and says whether the test asked for this one to fail.
bool countAndInject(qint64& counter, qint64 failNumber) {
    ++counter;
    return failNumber != 0 && counter == failNumber;
}

// A sink that counts the writes and seeks made through it and fails the ones the test asked
// for, as the file underneath would; the failure is kept by that file, so nothing more is
// written into it.
class FaultySink final : public ByteSink {
  public:
    // Counts and fails the calls made to inner.
    explicit FaultySink(ByteSink& inner) : m_inner(inner) {}

    // Fails the write the test asked for as a full disk would, else passes it on.
    bool write(const void* data, qint64 size) override {
        if (countAndInject(g_writes, g_faults.FailWriteNumber)) {
            m_inner.fail(ENOSPC);
            return false;
        }
        return m_inner.write(data, size);
    }
    // Fails the seek the test asked for, else passes it on.
    bool seek(qint64 offset, Origin origin) override {
        if (countAndInject(g_seeks, g_faults.FailSeekNumber)) {
            m_inner.fail(EIO);
            return false;
        }
        return m_inner.seek(offset, origin);
    }
    // The inner sink's position: asking is never counted.
    qint64 position() override { return m_inner.position(); }
    // Closes the inner sink; with FailClose the close fails as a failed final flush would,
    // the file being closed all the same.
    bool close() override {
        const bool closed = m_inner.close();
        if (g_faults.FailClose)
            m_inner.fail(EIO);
        return closed && !g_faults.FailClose;
    }
    // The inner sink's first failure, where the injected ones are kept too.
    SinkError error() const override { return m_inner.error(); }
    // Marks the inner sink failed.
    void fail(int errorNumber) override { m_inner.fail(errorNumber); }

  private:
    ByteSink& m_inner;
};

} // namespace

void SetTestFaults(const TestFaults& Faults) {
    g_faults = Faults;
    g_armed = true;
    g_writes = g_seeks = g_reads = 0;
    TempOutput::SetTestFaults({Faults.FailSync, Faults.NamedTempFile, Faults.ModeChangeErrno,
                               Faults.FailBackgroundFlushNumber});
}

qint64 WritesDone() {
    return g_writes;
}
qint64 SeeksDone() {
    return g_seeks;
}
qint64 ReadsDone() {
    return g_reads;
}

std::unique_ptr<ByteSink> faultLayerOver(ByteSink& inner) {
    if (!g_armed)
        return nullptr;
    return std::make_unique<FaultySink>(inner);
}

bool ReadSourceChunk(SourceReader& Source, QByteArray& Buffer) {
    if (!Source.IsOpen() || countAndInject(g_reads, g_faults.FailReadNumber))
        return false;
    return Source.ReadFully(Buffer);
}

} // namespace ZipFileIo
