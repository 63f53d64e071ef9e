#include "step_stats.h"

#include <algorithm>
#include <numeric>

namespace {

constexpr double NanosPerMs = 1e6;

QList<qint64> column(const QList<StepRecord>& Steps, qint64 StepRecord::*Field) {
    QList<qint64> values;
    values.reserve(Steps.size());
    for (const StepRecord& step : Steps)
        values << step.*Field;
    return values;
}

qint64 sum(const QList<qint64>& Values) {
    return std::accumulate(Values.begin(), Values.end(), qint64(0));
}

int countIf(const QList<StepRecord>& Steps, qint64 StepRecord::*Field) {
    return int(std::ranges::count_if(Steps, [Field](const StepRecord& S) { return S.*Field > 0; }));
}

void summariseTimes(const QList<StepRecord>& Steps, WindowFigures& F) {
    const QList<qint64> wall = column(Steps, &StepRecord::Nanos);
    const QList<qint64> cpu = column(Steps, &StepRecord::CpuNanos);
    F.Steps = int(Steps.size());
    F.WorkSeconds = double(sum(wall)) / 1e9;
    F.LongestStepMs = Percentile(wall, 100) / NanosPerMs;
    F.P99StepMs = Percentile(wall, 99) / NanosPerMs;
    F.MeanStepMs = Steps.isEmpty() ? 0 : double(sum(wall)) / double(Steps.size()) / NanosPerMs;
    F.LongestCpuStepMs = Percentile(cpu, 100) / NanosPerMs;
    F.P99CpuStepMs = Percentile(cpu, 99) / NanosPerMs;
    F.StepsPreempted = countIf(Steps, &StepRecord::Preemptions);
    F.StepsSlept = countIf(Steps, &StepRecord::Sleeps);
}

void summariseLongest(const QList<StepRecord>& Steps, WindowFigures& F) {
    const auto longest = std::ranges::max_element(
        Steps, [](const StepRecord& A, const StepRecord& B) { return A.Nanos < B.Nanos; });
    if (longest == Steps.end())
        return;
    F.LongestStepIndex = int(longest - Steps.begin()) + 1;
    F.LongestStepChunks = longest->Chunks;
    F.LongestStepCpuMs = double(longest->CpuNanos) / NanosPerMs;
    F.LongestStepPreemptions = int(longest->Preemptions);
    F.LongestStepSleeps = int(longest->Sleeps);
    F.LongestStepMajorFaults = int(longest->MajorFaults);
}

// Whether the slow steps were slow through their own work or through waiting.
void summariseSlowSteps(const QList<StepRecord>& Steps, WindowFigures& F) {
    QList<StepRecord> slow;
    std::ranges::copy_if(Steps, std::back_inserter(slow), [](const StepRecord& S) {
        return double(S.Nanos) >= SlowStepMs * NanosPerMs;
    });
    F.SlowSteps = int(slow.size());
    F.SlowStepsMaxCpuMs = Percentile(column(slow, &StepRecord::CpuNanos), 100) / NanosPerMs;
    F.SlowStepsPreempted = countIf(slow, &StepRecord::Preemptions);
    F.SlowStepsSlept = countIf(slow, &StepRecord::Sleeps);
    F.SlowStepsFaulted = countIf(slow, &StepRecord::MajorFaults);
}

void summariseGaps(const QList<StepRecord>& Steps, int IntervalMs, WindowFigures& F) {
    if (Steps.isEmpty())
        return;
    const QList<qint64> gaps = column(Steps, &StepRecord::GapNanos);
    const double interval = IntervalMs * NanosPerMs;
    F.MeanGapExcessMs = (double(sum(gaps)) / double(gaps.size()) - interval) / NanosPerMs;
    F.LongestGapExcessMs = (Percentile(gaps, 100) - interval) / NanosPerMs;
}

} // namespace

void SummariseSteps(const QList<StepRecord>& Steps, int IntervalMs, WindowFigures& Figures) {
    summariseTimes(Steps, Figures);
    summariseLongest(Steps, Figures);
    summariseSlowSteps(Steps, Figures);
    summariseGaps(Steps, IntervalMs, Figures);
}
