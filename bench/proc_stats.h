#pragma once

#include <QtGlobal>

// What the kernel tells about this process and the machine, read from /proc.
namespace ProcStats {

// Resident memory of this process now (VmRSS), in KiB; -1 when it cannot be read.
qint64 ResidentKiB();
// Peak resident memory since start or the last ResetPeakResident (VmHWM), in KiB; -1 when
// it cannot be read.
qint64 PeakResidentKiB();
// Lowers VmHWM to the current VmRSS; false where the kernel refuses.
bool ResetPeakResident();
// CPU time this process has used, user plus system, in seconds.
double OwnCpuSeconds();
// CPU time of the child processes that have ended and been waited for, in seconds.
double ChildrenCpuSeconds();
// Times this process was preempted (involuntary context switches).
qint64 InvoluntarySwitches();
// CPU time all processors together have spent busy since boot, in seconds.
double MachineBusySeconds();
// Number of processors online.
int ProcessorCount();

} // namespace ProcStats
