#pragma once

// Settings of the whole process that Vendrel makes once at start-up.
namespace ProcessSetup {

// Ignores SIGXFSZ, so that writing an archive past the file-size limit (RLIMIT_FSIZE) makes
// the write fail with EFBIG, which the zip engine reports as a failed run, instead of the
// signal killing the program and leaving a truncated archive behind.
void IgnoreFileSizeSignal();

// Has every thread allocate from one heap. Worker threads that take turns with large
// buffers would otherwise each keep a heap of their own, each holding freed buffers that the
// others cannot use, which adds megabytes to the peak; the buffers are few, so sharing costs
// nothing measurable.
void ShareOneHeap();

// How many more files this process may open now: its limit on open files less those it has
// open; a large number where there is no limit.
int OpenFilesLeft();

} // namespace ProcessSetup
