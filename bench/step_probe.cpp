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
            ++m_chunks.last();
    });
}

void StepProbe::Start() {
    m_steps.clear();
    m_gaps.clear();
    m_stepCpu.clear();
    m_chunks.clear();
    m_preemptions.clear();
    m_waits.clear();
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
    return QString::fromLatin1(
        QMetaEnum::fromType<Qt::TimerType>().valueToKey(m_timer->timerType()));
}

void StepProbe::SetTimerType(Qt::TimerType Type) {
    if (m_timer)
        m_timer->setTimerType(Type);
}

bool StepProbe::eventFilter(QObject* Watched, QEvent* Event) {
    if (Watched == m_timer && Event->type() == QEvent::Timer && m_clock.isValid()) {
        m_stepStart = m_clock.nsecsElapsed();
        m_stepCpuStart = threadCpuNanos();
        threadSwitches(m_preemptionsAtStart, m_waitsAtStart);
        m_gaps << m_stepStart - m_lastEnd;
        m_chunks << 0;
    }
    return false;
}

void StepProbe::stepEnded() {
    if (m_stepStart < 0)
        return;
    m_lastEnd = m_clock.nsecsElapsed();
    m_steps << m_lastEnd - m_stepStart;
    m_stepCpu << threadCpuNanos() - m_stepCpuStart;
    qint64 preemptions = 0;
    qint64 waits = 0;
    threadSwitches(preemptions, waits);
    m_preemptions << preemptions - m_preemptionsAtStart;
    m_waits << waits - m_waitsAtStart;
    m_stepStart = -1;
    // Sampled after the end was taken, so reading /proc does not count as the step's work;
    // the Zipper has already restarted its timer, so the run is not slowed either.
    m_peakResidentKiB = qMax(m_peakResidentKiB, ProcStats::ResidentKiB());
}

qint64 StepProbe::threadCpuNanos() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

void StepProbe::threadSwitches(qint64& Involuntary, qint64& Voluntary) {
    rusage usage{};
    if (getrusage(RUSAGE_THREAD, &usage) != 0)
        return;
    Involuntary = usage.ru_nivcsw;
    Voluntary = usage.ru_nvcsw;
}
