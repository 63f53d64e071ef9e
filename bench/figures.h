#pragma once

#include <QJsonObject>
#include <QList>
#include <QString>

// A step this long keeps the window from repainting noticeably.
constexpr double SlowStepMs = 50;

// What one packing run through the window measured. Times in seconds unless named _ms,
// memory in MiB. The window run happens in a child process, which hands these figures back
// as JSON.
struct WindowFigures {
    bool Succeeded = false;
    QString Status; // the window's status line at the end ("Success" when all went well)
    QString TimerType;
    int IntervalMs = 0;
    int Files = 0; // files the walk queued
    double WalkSeconds = 0;
    double WallSeconds = 0;
    int Steps = 0;
    double WorkSeconds = 0; // time spent inside the steps
    double LongestStepMs = 0;
    double P99StepMs = 0;
    double MeanStepMs = 0;
    double LongestCpuStepMs = 0; // the most CPU time any one step used
    double P99CpuStepMs = 0;
    // The longest (wall) step: its place in the run (from 1), chunks, CPU time, and how often
    // it was preempted, slept on its own (disk, locks) or waited for a page from the disk.
    int LongestStepIndex = 0;
    int LongestStepChunks = 0;
    double LongestStepCpuMs = 0;
    int LongestStepPreemptions = 0;
    int LongestStepSleeps = 0;
    int LongestStepMajorFaults = 0;
    int StepsPreempted = 0; // steps preempted at least once
    int StepsSlept = 0;     // steps that slept at least once
    // Steps of SlowStepMs or longer: how many, the most CPU any of them used, and how many of
    // them were preempted, slept or faulted.
    int SlowSteps = 0;
    double SlowStepsMaxCpuMs = 0;
    int SlowStepsPreempted = 0;
    int SlowStepsSlept = 0;
    int SlowStepsFaulted = 0;
    double MeanGapExcessMs = 0;    // mean wait between steps beyond the interval
    double LongestGapExcessMs = 0; // longest such wait
    double IdleResidentMiB = 0;
    double PeakResidentAboveIdleMiB = 0; // highest VmRSS sampled at a step's end, above idle
    double PeakHwmAboveIdleMiB = 0;      // VmHWM after the run (reset at idle), above idle
    double CpuSeconds = 0;
    double OtherLoadCores = 0;      // CPU used by other processes during the run, in cores
    qint64 InvoluntarySwitches = 0; // times the run was preempted
    qint64 ArchiveBytes = 0;

    // The wall time the timer rules allow at best: one interval per step plus the work.
    double FloorSeconds() const { return Steps * IntervalMs / 1000.0 + WorkSeconds; }
    // Wall time over the floor; 1.0 means the run lost nothing to the event loop.
    double WallOverFloor() const;

    // Converts to and from the JSON the child process prints.
    QJsonObject ToJson() const;
    static WindowFigures FromJson(const QJsonObject& Json);
};

// One run of a command-line packer (zip, vendrel-pack) over a tree.
struct CommandFigures {
    QString Name;
    bool Reference = false; // the packer the others are compared with (zip)
    bool Ran = false;       // false when the command is not available
    bool Succeeded = false; // exit code 0 and an archive written
    double WallSeconds = 0;
    double CpuSeconds = 0;     // CPU time of the command and its children
    double OtherLoadCores = 0; // CPU used by other processes meanwhile, in cores
    qint64 ArchiveBytes = 0;
    QString Note; // why it did not run or failed
};

// Nearest-rank percentile (0 to 100) of Values, which need not be sorted; 0 when empty.
double Percentile(QList<qint64> Values, double Percent);
