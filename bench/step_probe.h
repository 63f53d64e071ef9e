#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QObject>

class QTimer;
class Zipper;

// Times every step of a Zipper run from outside the engine. A step starts when the Zipper's
// timer "tmrNext" receives its timer event (an event filter sees it before the timer's
// timeout reaches the Zipper) and ends when a slot connected after the Zipper's own has run,
// so a step's time holds the engine's work and every event handler it raised. The thread's
// CPU time in each step tells work from time lost to other processes; the chunks each step
// moved, the gap before it and the resident memory at its end are noted too.
class StepProbe : public QObject {
    Q_OBJECT
  public:
    // Watches Zipper's timer; the Zipper must outlive the probe.
    explicit StepProbe(Zipper& Zipper);

    // True when the Zipper's timer was found.
    bool IsAttached() const { return m_timer != nullptr; }
    // Forgets earlier steps; the run starts now (the gap before the first step counts from
    // here).
    void Start();
    // Durations of the steps seen since Start, in nanoseconds, in order.
    const QList<qint64>& StepNanos() const { return m_steps; }
    // CPU time of this thread in each step, in nanoseconds.
    const QList<qint64>& StepCpuNanos() const { return m_stepCpu; }
    // Times the window's thread was preempted (involuntary) and went to sleep on its own
    // (voluntary, e.g. waiting for the disk) within each step.
    const QList<qint64>& StepPreemptions() const { return m_preemptions; }
    const QList<qint64>& StepWaits() const { return m_waits; }
    // Chunks (Progress events) each step moved.
    const QList<int>& StepChunks() const { return m_chunks; }
    // Time from the end of each step (or Start) to the start of the next, in nanoseconds.
    const QList<qint64>& GapNanos() const { return m_gaps; }
    // Highest resident memory sampled at the end of a step, in KiB (-1 before any step).
    qint64 PeakResidentKiB() const { return m_peakResidentKiB; }
    // The timer's interval in milliseconds and its type ("PreciseTimer", "CoarseTimer"...).
    int IntervalMs() const;
    QString TimerTypeName() const;
    // Switches the timer to another type (an experiment; the program keeps its own).
    void SetTimerType(Qt::TimerType Type);

  protected:
    // Notes the start of a step when the timer's event arrives.
    bool eventFilter(QObject* Watched, QEvent* Event) override;

  private:
    void stepEnded();
    static qint64 threadCpuNanos();
    static void threadSwitches(qint64& Involuntary, qint64& Voluntary);

    QTimer* m_timer = nullptr;
    QElapsedTimer m_clock;
    qint64 m_stepStart = -1;
    qint64 m_stepCpuStart = 0;
    qint64 m_preemptionsAtStart = 0;
    qint64 m_waitsAtStart = 0;
    qint64 m_lastEnd = 0;
    QList<qint64> m_steps;
    QList<qint64> m_gaps;
    QList<qint64> m_stepCpu;
    QList<int> m_chunks;
    QList<qint64> m_preemptions;
    QList<qint64> m_waits;
    qint64 m_peakResidentKiB = -1;
};
