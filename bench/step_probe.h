#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QObject>

class QTimer;
class Zipper;

// What the window's thread did in one timer step.
struct StepRecord {
    qint64 Nanos = 0;       // wall time of the step
    qint64 CpuNanos = 0;    // CPU time of the thread in it
    qint64 GapNanos = 0;    // time from the end of the step before (or the start) to this one
    int Chunks = 0;         // chunks (Progress events) it moved
    qint64 Preemptions = 0; // times the thread was preempted (involuntary switches)
    qint64 Sleeps = 0;      // times it slept on its own, e.g. waiting for the disk
    qint64 MajorFaults = 0; // page faults that had to read from the disk
};

// Times every step of a Zipper run from outside the engine. A step starts when the Zipper's
// timer "tmrNext" receives its timer event (an event filter sees it before the timer's
// timeout reaches the Zipper) and ends when a slot connected after the Zipper's own has run,
// so a step's time holds the engine's work and every event handler it raised. The thread's
// CPU time, preemptions, sleeps and page faults in each step tell work from waiting; resident
// memory is sampled at the end of each step.
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
    // The steps seen since Start, in order.
    const QList<StepRecord>& Steps() const { return m_steps; }
    // Highest resident memory sampled at the end of a step, in KiB (-1 before any step).
    qint64 PeakResidentKiB() const { return m_peakResidentKiB; }
    // The timer's interval in milliseconds.
    int IntervalMs() const;
    // The timer's type ("PreciseTimer", "CoarseTimer"...).
    QString TimerTypeName() const;
    // Switches the timer to another type (an experiment; the program keeps its own).
    void SetTimerType(Qt::TimerType Type);

  protected:
    // Notes the start of a step when the timer's event arrives.
    bool eventFilter(QObject* Watched, QEvent* Event) override;

  private:
    void stepEnded();
    // The thread's CPU time and switch and fault counts so far, in a StepRecord.
    static StepRecord threadCounters();

    QTimer* m_timer = nullptr;
    QElapsedTimer m_clock;
    qint64 m_stepStart = -1;
    qint64 m_lastEnd = 0;
    StepRecord m_atStart;
    QList<StepRecord> m_steps;
    qint64 m_peakResidentKiB = -1;
};
