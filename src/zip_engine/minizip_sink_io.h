#pragma once

#include "zip_engine/file_sink.h"

#include <memory>

struct zlib_filefunc64_def_s;

// minizip's file functions over the archive's FileSink: minizip opens, writes, seeks, reads
// (to add to an existing archive) and closes through them. The first failure is kept by the
// sink: minizip 1.1 does not always look at the results, so the writer asks error() after
// every library call.
class MinizipSinkIo {
  public:
    MinizipSinkIo() = default;
    MinizipSinkIo(const MinizipSinkIo&) = delete;
    MinizipSinkIo& operator=(const MinizipSinkIo&) = delete;

    // Points def at the file functions with this object as their state and forgets the last
    // file; descriptor and largeBlocks say how minizip's open opens it (see FileSink::reset).
    void attach(zlib_filefunc64_def_s& def, int descriptor = -1, bool largeBlocks = false);
    // The file minizip writes, for its failure and its removal.
    FileSink& file() { return m_file; }
    const FileSink& file() const { return m_file; }

  private:
    struct Callbacks;

    FileSink m_file;
    std::unique_ptr<ByteSink> m_faultLayer;
    ByteSink* m_sink = &m_file; // the file, or the test faults' layer over it
};
