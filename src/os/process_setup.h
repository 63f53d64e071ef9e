#pragma once

#include <sys/types.h>

// Settings of the whole process that Vendrel makes once at start-up.
namespace ProcessSetup {

// The first call of every program, before it opens any file or starts any thread. Opens each
// of the standard streams that is closed on /dev/null: a program started with them closed
// would otherwise get its package file as descriptor 0, 1 or 2 and write its own report lines
// into the package. Also notes the file-creation mask while no other thread can see it change.
void Start();

// The process's file-creation mask, read without changing it: setting it to 0 to learn it would
// give every other thread a mask of 0 for a moment, so that a file one of them creates then
// is open to all.
mode_t FileCreationMask();

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

// How many processor cores this process may run on: the cores of its affinity mask (what
// taskset or a container's cpuset allows), else every core the system has; at least 1.
int UsableCores();

} // namespace ProcessSetup
