#pragma once

#include <QString>

// What Vendrel needs to know about a single path in the file system.
// Attribute values follow the DOS bit layout that zip entries carry.
namespace FileInfo {

constexpr int AttrReadOnly = 0x01;
constexpr int AttrHidden = 0x02;
constexpr int AttrSystem = 0x04;
constexpr int AttrDirectory = 0x10;
constexpr int AttrArchive = 0x20;

// Reads the DOS-style attributes of path; false when the path cannot be reached.
// An ordinary file reads 0x20, plus 0x01 when its owner may not write it, plus 0x02 when
// its name begins with "."; a folder reads 0x10 (plus 0x02 when hidden); a device, pipe or
// socket reads 0x04 (system, plus 0x02 when hidden). Links are followed.
[[nodiscard]] bool ReadAttributes(const QString& path, int& attrs);

// The attributes of the ordinary file at path: 0x20, plus 0x01 unless its owner may write
// it, plus 0x02 when its name begins with ".".
int RegularFileAttributes(const QString& path, bool ownerMayWrite);

// True when path names an existing ordinary file (links followed) that is not hidden.
bool FileExists(const QString& path);

} // namespace FileInfo
