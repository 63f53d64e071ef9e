#include "zip_engine/entry_fields.h"

#include <algorithm>
#include <limits>

namespace EntryFields {

namespace {

QDateTime (*g_testClock)() = nullptr;

// The local time now, to the second. Each conversion to local time looks at the system's
// time zone file; as the answer cannot change within a second, it is kept for that second.
QDateTime localNow() {
    thread_local qint64 t_second = std::numeric_limits<qint64>::min();
    thread_local QDateTime t_local;
    const qint64 msecs = QDateTime::currentMSecsSinceEpoch();
    const qint64 second = msecs >= 0 ? msecs / 1000 : (msecs - 999) / 1000;
    if (second != t_second) {
        t_local = QDateTime::fromSecsSinceEpoch(second, Qt::LocalTime);
        t_second = second;
    }
    return t_local;
}

} // namespace

void SetTestClock(QDateTime (*Now)()) {
    g_testClock = Now;
}

QDateTime EntryTime() {
    return g_testClock ? g_testClock() : localNow();
}

QDateTime FixedEntryTime(qint64 SecsSinceEpoch) {
    const qint64 second = std::clamp(SecsSinceEpoch, FirstStampSecond, LastStampSecond);
    // A DOS stamp counts seconds in twos; both writers would drop an odd second anyway, and
    // rounding down here keeps the stamp within the range.
    return QDateTime::fromSecsSinceEpoch(second - second % 2, Qt::UTC);
}

QDateTime EntryTime(const std::optional<qint64>& FixedTime) {
    return FixedTime ? FixedEntryTime(*FixedTime) : EntryTime();
}

} // namespace EntryFields
