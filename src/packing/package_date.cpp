#include "packing/package_date.h"

#include <QDateTime>
#include <QRegularExpression>

#include <algorithm>
#include <limits>

namespace PackageDate {

namespace {

// Decimal digits beyond this many may not fit a qint64; they lie far outside the stamps'
// range whatever they are.
constexpr qsizetype MaxExactDigits = 18;

bool allDigits(QStringView text) {
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) {
        return c >= QLatin1Char('0') && c <= QLatin1Char('9');
    });
}

// The offset of a zone text ("Z", "+02", "+0530", "-05:00") in seconds east of UTC; false
// when its hours or minutes are out of range.
bool zoneOffset(const QString& zone, int& seconds) {
    seconds = 0;
    if (zone.isEmpty() || zone.compare(QLatin1String("Z"), Qt::CaseInsensitive) == 0)
        return true;
    const QString digits = zone.mid(1).remove(QLatin1Char(':'));
    const int hours = digits.left(2).toInt();
    const int minutes = digits.size() > 2 ? digits.mid(2).toInt() : 0;
    if (hours > 23 || minutes > 59)
        return false;
    seconds = (hours * 3600 + minutes * 60) * (zone.startsWith(QLatin1Char('-')) ? -1 : 1);
    return true;
}

} // namespace

Reading ReadSeconds(QStringView Text, qint64& Seconds) {
    const bool negative = Text.startsWith(QLatin1Char('-'));
    const QStringView digits = negative ? Text.mid(1) : Text;
    if (!allDigits(digits))
        return Reading::Malformed;
    if (digits.size() > MaxExactDigits) {
        Seconds =
            negative ? std::numeric_limits<qint64>::min() : std::numeric_limits<qint64>::max();
        return Reading::Usable;
    }
    const qint64 value = digits.toLongLong();
    Seconds = negative ? -value : value;
    return Reading::Usable;
}

Reading ReadDate(QStringView Text, qint64& Seconds) {
    if (Text.startsWith(QLatin1Char('@')))
        return ReadSeconds(Text.mid(1), Seconds);
    static const QRegularExpression iso(
        QStringLiteral("^([0-9]{4})-([0-9]{2})-([0-9]{2})"
                       "(?:[T ]([0-9]{2}):([0-9]{2})(?::([0-9]{2})(?:[.,][0-9]+)?)?"
                       "(Z|[+-][0-9]{2}(?::?[0-9]{2})?)?)?\\z"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = iso.match(Text.toString());
    if (!match.hasMatch())
        return Reading::Malformed;
    const auto number = [&match](int group) { return match.capturedView(group).toInt(); };
    const QDate date(number(1), number(2), number(3));
    const QTime time(number(4), number(5), number(6));
    int offset = 0;
    if (!date.isValid() || !time.isValid() || !zoneOffset(match.captured(7), offset))
        return Reading::NoSuchDate;
    Seconds = QDateTime(date, time, Qt::UTC).toSecsSinceEpoch() - offset;
    return Reading::Usable;
}

Reading FromEnvironment(qint64& Seconds) {
    if (!qEnvironmentVariableIsSet(Variable))
        return Reading::Unset;
    return ReadSeconds(qEnvironmentVariable(Variable), Seconds);
}

std::optional<qint64> UsableFromEnvironment() {
    qint64 seconds = 0;
    if (FromEnvironment(seconds) != Reading::Usable)
        return std::nullopt;
    return seconds;
}

} // namespace PackageDate
