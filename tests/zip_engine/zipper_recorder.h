#pragma once

#include "zip_engine/zipper.h"

#include <QStringList>
#include <QTimer>

#include <functional>

// Records a Zipper's events, each with the number of the timer step that raised it:
// "1:StartFile", "1:Progress 131072", "1:EndFile", "2:Complete false", "3:Error".
// Steps are counted on tmrNext's timeout; the Zipper's own step is connected first, so the
// count goes up after each step.
struct ZipperRecorder {
    explicit ZipperRecorder(Zipper& Z)
        : Z(Z), Timer(Z.findChild<QTimer*>(QStringLiteral("tmrNext"))) {
        QObject::connect(Timer, &QTimer::timeout, &Z, [this] { ++Steps; });
        QObject::connect(&Z, &Zipper::StartFile, &Z,
                         [this] { record(QStringLiteral("StartFile")); });
        QObject::connect(&Z, &Zipper::Progress, &Z, [this] {
            record(QStringLiteral("Progress %1").arg(this->Z.BytesZipped()));
        });
        QObject::connect(&Z, &Zipper::EndFile, &Z, [this] { record(QStringLiteral("EndFile")); });
        QObject::connect(&Z, &Zipper::Error, &Z,
                         [this] { ++Ends, record(QStringLiteral("Error")); });
        QObject::connect(&Z, &Zipper::Complete, &Z, [this](bool Canceled) {
            ++Ends;
            record(QStringLiteral("Complete %1").arg(Canceled ? "true" : "false"));
        });
    }

    // Makes steps follow each other without the 16 ms pause, for tests about content only.
    void Fast() { Timer->setInterval(0); }

    Zipper& Z;
    QTimer* Timer;
    QStringList Events;
    int Steps = 0;
    int Ends = 0;                // Error and Complete events seen
    bool TimerRanInStep = false; // tmrNext was active while an event was raised
    // Called after each event is recorded, with its name, to act from inside a handler.
    std::function<void(const QString&)> OnEvent;

  private:
    void record(const QString& Event) {
        TimerRanInStep = TimerRanInStep || Timer->isActive();
        Events << QStringLiteral("%1:%2").arg(Steps + 1).arg(Event);
        if (OnEvent)
            OnEvent(Event.section(QLatin1Char(' '), 0, 0));
    }
};
