#pragma once

#include <QString>
#include <QStringView>

#include <optional>

// The instant a package's entries are stamped with instead of the time of the run, so that
// packing the same project again gives the same bytes: SOURCE_DATE_EPOCH, the convention of
// reproducible builds, in both front ends, and vendrel-pack's --date. The stamp itself (UTC,
// the zip range, even seconds) is the zip engine's (EntryFields::FixedEntryTime).
namespace PackageDate {

// The environment variable that fixes the date of every package.
inline constexpr char Variable[] = "SOURCE_DATE_EPOCH";

// What a text gave.
enum class Reading {
    Usable,     // Seconds holds the instant
    Unset,      // the variable is not set
    Malformed,  // not in the form asked for
    NoSuchDate, // in that form, but no date or time of the calendar (2024-02-30, 25:00)
};

// Reads a whole number of seconds since 1970-01-01 00:00:00 UTC, as `date +%s` prints it:
// ASCII digits with an optional leading '-', nothing else. A number too large for the type
// gives its sign's extreme, which the stamp brings into range like any other.
[[nodiscard]] Reading ReadSeconds(QStringView Text, qint64& Seconds);
// Reads an ISO 8601 date and time, YYYY-MM-DD[(T| )hh:mm[:ss[.fraction]][Z|+hh[:mm]|-hh[:mm]]],
// UTC unless it names its offset (a fraction of a second is dropped), or @ and seconds as
// ReadSeconds takes them.
[[nodiscard]] Reading ReadDate(QStringView Text, qint64& Seconds);
// Reads SOURCE_DATE_EPOCH as the environment holds it now; set but empty is Malformed.
[[nodiscard]] Reading FromEnvironment(qint64& Seconds);
// SOURCE_DATE_EPOCH's instant when it is usable, else none: the window ignores any other
// value and stamps its entries with the time of the run.
std::optional<qint64> UsableFromEnvironment();

} // namespace PackageDate
