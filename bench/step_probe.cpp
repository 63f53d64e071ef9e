#include "step_probe.h"

#include "proc_stats.h"
#include "zip_engine/zipper.h"

#include <QEvent>
#include <QMetaEnum>
#include <QTimer>

#include <ctime>
#include <sys/resource.h>

StepProbe::StepProbe(Zipper& Zipper)
    : m_timer(Zipper.findChild<QTimer*>(QStringLiteral("tmrNext"))) {
    if (!m_timer)
        return;
    m_timer->installEventFilter(this);
    // Connected after the Zipper's own connection (made when the Zipper was built), so it
    // runs once the step and every handler it raised have returned.
    connect(m_timer, &QTimer::timeout, this, &StepProbe::stepEnded);
    connect(&Zipper, &Zipper::Progress, this, [this] {
        if (m_stepStart >= 0)
            ++m_steps.last().Chunks;
    });
}

void StepProbe::Start() {
    m_steps.clear();
    m_peakResidentKiB = -1;
    m_stepStart = -1;
    m_clock.start();
    m_lastEnd = 0;
}

int StepProbe::IntervalMs() const {
    return m_timer ? m_timer->interval() : 0;
}

QString StepProbe::TimerTypeName() const {
    if (!m_timer)
        return {};
    const auto types = QMetaEnum::fromType<Qt::TimerType>();
    return QString::fromLatin1(types.valueToKey(m_timer->timerType()));
}

void StepProbe::SetTimerType(Qt::TimerType Type) {
    if (m_timer)
        m_timer->setTimerType(Type);
}

bool StepProbe::eventFilter(QObject* Watched, QEvent* Event) {
    if (Watched != m_timer || Event->type() != QEvent::Timer || !m_clock.isValid())
        return false;
    m_stepStart = m_clock.nsecsElapsed();
    m_atStart = threadCounters();
    StepRecord step;
    step.GapNanos = m_stepStart - m_lastEnd;
    m_steps << step;
    return false;
}

void StepProbe::stepEnded() {
    if (m_stepStart < 0)
        return;
    m_lastEnd = m_clock.nsecsElapsed();
    const StepRecord now = threadCounters();
    StepRecord& step = m_steps.last();
    step.Nanos = m_lastEnd - m_stepStart;
    step.CpuNanos = now.CpuNanos - m_atStart.CpuNanos;
    step.Preemptions = now.Preemptions - m_atStart.Preemptions;
    step.Sleeps = now.Sleeps - m_atStart.Sleeps;
    step.MajorFaults = now.MajorFaults - m_atStart.MajorFaults;
    m_stepStart = -1;
    // Sampled after the end was taken, so reading /proc does not count as the step's work;
    // the Zipper has already restarted its timer, so the run is not slowed either.
    m_peakResidentKiB = qMax(m_peakResidentKiB, ProcStats::ResidentKiB());
}

StepRecord StepProbe::threadCounters() {
    StepRecord counters;
    timespec cpu{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &cpu);
    counters.CpuNanos = qint64(cpu.tv_sec) * 1000000000 + cpu.tv_nsec;
    rusage usage{};
    if (getrusage(RUSAGE_THREAD, &usage) != 0)
        return counters;
    counters.Preemptions = usage.ru_nivcsw;
    counters.Sleeps = usage.ru_nvcsw;
    counters.MajorFaults = usage.ru_majflt;
    return counters;
}
