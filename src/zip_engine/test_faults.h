#pragma once

#include "zip_engine/byte_sink.h"

#include <QByteArray>
#include <QtGlobal>

#include <memory>

class SourceReader;

// Faults that tests can inject into the zip engine's file access, and the counters they are
// aimed with. The program never sets any: then the writers write straight into their file
// and nothing here stands in the way.
namespace ZipFileIo {

// A number n makes the n-th call of that kind (counted from the last SetTestFaults, starting
// at 1) fail; 0 injects nothing. Process-wide and meant for tests only.
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

// Replaces the injected faults and restarts the counters below; from the first call on,
// every archive opened is written through the counting layer.
void SetTestFaults(const TestFaults& Faults);
// Archive writes, archive seeks and source chunk reads made since the last SetTestFaults.
qint64 WritesDone();
qint64 SeeksDone();
qint64 ReadsDone();

// The counting and failing layer over inner once a test has set faults, else nullptr: the
// writer then writes into inner itself.
std::unique_ptr<ByteSink> faultLayerOver(ByteSink& inner);

// Fills the whole of Buffer from the source's current position, counting the read for the
// test faults; false on a read error, an injected fault, or when the file ends first.
bool ReadSourceChunk(SourceReader& Source, QByteArray& Buffer);

} // namespace ZipFileIo
