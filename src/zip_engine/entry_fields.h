#pragma once

#include <QByteArray>
#include <QDateTime>

#include <algorithm>
#include <optional>

// What both archive writers share: their result codes and the rules for an entry's fields.
namespace EntryFields {

inline constexpr int IoFailed = -1;
inline constexpr int ParamError = -102; // minizip's ZIP_PARAMERROR
inline constexpr int BadZipFile = -103; // minizip's ZIP_BADZIPFILE
inline constexpr int NothingOpen = -666;
inline constexpr int AlreadyOpen = -667;
// The DOS attributes an entry keeps: read-only, hidden, system and archive.
inline constexpr int AttrMask = 0x27;
// Entries expected to hold this many bytes or more get Zip64 fields; below it, deflate's
// worst-case growth cannot push the entry past 4 GiB.
inline constexpr qint64 Zip64Threshold = 0xF0000000LL;

// The records of the zip format, as the writer lays them out and the package test reads them
// back: each one's signature and fixed size (names, extra fields and comments follow it).
inline constexpr quint32 LocalHeaderSignature = 0x04034b50;
inline constexpr quint32 CentralHeaderSignature = 0x02014b50;
inline constexpr quint32 DataDescriptorSignature = 0x08074b50;
inline constexpr quint32 Zip64EndSignature = 0x06064b50;
inline constexpr quint32 Zip64LocatorSignature = 0x07064b50;
inline constexpr quint32 EndRecordSignature = 0x06054b50;
inline constexpr int LocalHeaderSize = 30;
inline constexpr int CentralHeaderSize = 46;
inline constexpr int Zip64EndSize = 56;
inline constexpr int Zip64LocatorSize = 20;
inline constexpr int EndRecordSize = 22;
// A 16- or 32-bit field at its largest: a value that does not fit is in the Zip64 fields.
inline constexpr quint64 Max16 = 0xFFFF;
inline constexpr quint64 Max32 = 0xFFFFFFFF;

// General purpose bit 11 (name and comment are UTF-8) where either holds a non-ASCII byte;
// all-ASCII entries get exactly what minizip's plain calls write.
inline quint32 NameFlags(const QByteArray& Name, const QByteArray& Comment) {
    const auto ascii = [](const QByteArray& Text) {
        return std::all_of(Text.begin(), Text.end(), [](char c) { return uchar(c) < 0x80; });
    };
    return ascii(Name) && ascii(Comment) ? 0 : 0x800;
}

// The first and the last instant a zip entry's DOS time stamp can hold, in seconds since
// 1970-01-01 00:00:00 UTC: 1980-01-01 00:00:00 and 2107-12-31 23:59:58.
inline constexpr qint64 FirstStampSecond = 315532800;
inline constexpr qint64 LastStampSecond = 4354819198;

// Test hook: the clock that stamps new entries (nullptr restores the local clock).
void SetTestClock(QDateTime (*Now)());
// The time a new entry is stamped with now: the local time, to the second, or the test
// clock's.
QDateTime EntryTime();
// The stamp of every entry of a package made at a fixed instant (SecsSinceEpoch, seconds
// since 1970 UTC): that instant in UTC, brought into the stamps' range and down to an even
// second, so that every time zone and every zip reader sees the same stamp.
QDateTime FixedEntryTime(qint64 SecsSinceEpoch);
// The time a new entry is stamped with: the fixed instant's when there is one, else now.
QDateTime EntryTime(const std::optional<qint64>& FixedTime);

} // namespace EntryFields
