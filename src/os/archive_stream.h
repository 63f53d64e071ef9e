#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <cstdio>
#include <optional>

// The archive file as the zip writer reads and writes it: a buffered stream over a file that
// is opened without ever waiting, with the checks that tell whether the file at a path is
// still the one that was created.
namespace ArchiveStream {

enum class OpenMode {
    Read,   // read an existing file
    Update, // read and write an existing file
    Create, // create the file, or empty an existing one, and write it
};

enum class SeekFrom { Start, Current, End };

// Which file on which device an open file or a path is.
struct Identity {
    quint64 Device = 0;
    quint64 Inode = 0;
};

// Opens Path in Mode, as fopen would, but never waits: a FIFO or socket at the path is
// refused, as opening a FIFO for writing blocks until a reader comes. Writes to what is left
// (files and devices such as /dev/full) are ordinary blocking ones. nullptr when refused.
std::FILE* Open(const char* Path, OpenMode Mode);
// A stream of its own over the file open as Fd (which stays open), at Fd's offset; for Create
// the file is cut off at that offset first. nullptr when that failed.
std::FILE* OpenDescriptor(int Fd, OpenMode Mode);
// Makes the stream's writes go straight to the file, for a caller that buffers them in large
// blocks itself; false when that could not be arranged.
bool Unbuffer(std::FILE* File);
// Reads up to Size bytes; the number read.
size_t Read(std::FILE* File, void* Buffer, size_t Size);
// Writes Size bytes; the number written.
size_t Write(std::FILE* File, const void* Buffer, size_t Size);
// The current position, or -1.
qint64 Tell(std::FILE* File);
// Moves the position (flushing what is buffered); false when that failed.
bool Seek(std::FILE* File, qint64 Offset, SeekFrom Origin);
// Flushes and closes the stream; false when either failed (both are always attempted).
bool Close(std::FILE* File);
// True once a read or write of the stream has failed.
bool HasError(std::FILE* File);

// The identity of the open file when it is a regular file.
std::optional<Identity> RegularFileIdentity(std::FILE* File);
// The file a path leads to, links followed; Path itself when it cannot be resolved.
QByteArray ResolvedPath(const char* Path);
// True when Path itself (a link is not followed) is the regular file with that identity.
bool PathIsFile(const QByteArray& Path, const Identity& File);
// Removes the file at Path; true when it was removed.
bool Remove(const QByteArray& Path);

} // namespace ArchiveStream
