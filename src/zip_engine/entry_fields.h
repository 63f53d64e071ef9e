#pragma once

#include <QByteArray>

#include <algorithm>

// What both archive writers share: their result codes and the rules for an entry's fields.
namespace EntryFields {

inline constexpr int IoFailed = -1;
inline constexpr int NothingOpen = -666;
inline constexpr int AlreadyOpen = -667;
// The DOS attributes an entry keeps: read-only, hidden, system and archive.
inline constexpr int AttrMask = 0x27;

// General purpose bit 11 (name and comment are UTF-8) where either holds a non-ASCII byte;
// all-ASCII entries get exactly what minizip's plain calls write.
inline quint32 NameFlags(const QByteArray& Name, const QByteArray& Comment) {
    const auto ascii = [](const QByteArray& Text) {
        return std::all_of(Text.begin(), Text.end(), [](char c) { return uchar(c) < 0x80; });
    };
    return ascii(Name) && ascii(Comment) ? 0 : 0x800;
}

} // namespace EntryFields
