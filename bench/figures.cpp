#include "figures.h"

#include <QJsonValue>

#include <algorithm>
#include <cmath>
#include <type_traits>

namespace {

// Every number of WindowFigures with its JSON key, so both directions share one list.
template <typename F> void forEachNumber(F&& Visit, WindowFigures& Figures) {
    Visit("interval_ms", Figures.IntervalMs);
    Visit("files", Figures.Files);
    Visit("walk_s", Figures.WalkSeconds);
    Visit("wall_s", Figures.WallSeconds);
    Visit("steps", Figures.Steps);
    Visit("work_s", Figures.WorkSeconds);
    Visit("longest_step_ms", Figures.LongestStepMs);
    Visit("p99_step_ms", Figures.P99StepMs);
    Visit("mean_step_ms", Figures.MeanStepMs);
    Visit("longest_cpu_step_ms", Figures.LongestCpuStepMs);
    Visit("p99_cpu_step_ms", Figures.P99CpuStepMs);
    Visit("longest_step_index", Figures.LongestStepIndex);
    Visit("longest_step_chunks", Figures.LongestStepChunks);
    Visit("longest_step_cpu_ms", Figures.LongestStepCpuMs);
    Visit("longest_step_preemptions", Figures.LongestStepPreemptions);
    Visit("longest_step_sleeps", Figures.LongestStepSleeps);
    Visit("longest_step_major_faults", Figures.LongestStepMajorFaults);
    Visit("steps_preempted", Figures.StepsPreempted);
    Visit("steps_slept", Figures.StepsSlept);
    Visit("slow_steps", Figures.SlowSteps);
    Visit("slow_steps_max_cpu_ms", Figures.SlowStepsMaxCpuMs);
    Visit("slow_steps_preempted", Figures.SlowStepsPreempted);
    Visit("slow_steps_slept", Figures.SlowStepsSlept);
    Visit("slow_steps_faulted", Figures.SlowStepsFaulted);
    Visit("mean_gap_excess_ms", Figures.MeanGapExcessMs);
    Visit("longest_gap_excess_ms", Figures.LongestGapExcessMs);
    Visit("idle_rss_mib", Figures.IdleResidentMiB);
    Visit("peak_rss_above_idle_mib", Figures.PeakResidentAboveIdleMiB);
    Visit("peak_hwm_above_idle_mib", Figures.PeakHwmAboveIdleMiB);
    Visit("cpu_s", Figures.CpuSeconds);
    Visit("other_load_cores", Figures.OtherLoadCores);
    Visit("involuntary_switches", Figures.InvoluntarySwitches);
    Visit("archive_bytes", Figures.ArchiveBytes);
}

} // namespace

double WindowFigures::WallOverFloor() const {
    const double floor = FloorSeconds();
    return floor > 0 ? WallSeconds / floor : 0;
}

QJsonObject WindowFigures::ToJson() const {
    QJsonObject json{{"succeeded", Succeeded}, {"status", Status}, {"timer_type", TimerType}};
    WindowFigures copy = *this;
    forEachNumber([&json](const char* Key, auto& Value) { json.insert(Key, double(Value)); }, copy);
    return json;
}

WindowFigures WindowFigures::FromJson(const QJsonObject& Json) {
    WindowFigures figures;
    figures.Succeeded = Json.value("succeeded").toBool();
    figures.Status = Json.value("status").toString();
    figures.TimerType = Json.value("timer_type").toString();
    forEachNumber(
        [&Json](const char* Key, auto& Value) {
            Value =
                static_cast<std::remove_reference_t<decltype(Value)>>(Json.value(Key).toDouble());
        },
        figures);
    return figures;
}

double Percentile(QList<qint64> Values, double Percent) {
    if (Values.isEmpty())
        return 0;
    std::sort(Values.begin(), Values.end());
    const auto rank = qsizetype(std::ceil(Percent / 100.0 * double(Values.size())));
    return double(Values.at(std::clamp<qsizetype>(rank - 1, 0, Values.size() - 1)));
}
