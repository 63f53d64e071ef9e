#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

// One entry as the package's central directory records it.
struct PackageEntry {
    QByteArray Name;
    quint32 Flags = 0;
    quint32 Method = 0;
    quint32 Crc = 0;
    quint64 CompressedSize = 0;
    quint64 Size = 0;
    quint64 HeaderOffset = 0;
};

// Something wrong with a package's bytes. Entry is the entry's index in the central directory
// (-1 for the archive as a whole); At, Expected and Found are offsets, sizes or checksums as
// the kind says.
struct PackageProblem {
    enum class Kind {
        NoEndRecord,    // no end record: the file was cut short (or is no zip)
        BadEndRecord,   // the end records contradict each other or the file's size
        BadDirectory,   // a central record is malformed, or the directory ends off its size
        DataBefore,     // Found bytes before the first entry
        DataBetween,    // Found bytes at At that belong to no entry nor the directory
        DataAfter,      // Found bytes after the end record
        Overlap,        // the entry's bytes run into the next entry or the directory (At)
        BadLocalHeader, // no local header at the entry's offset
        LocalDiffers,   // the local header's Field differs from the central record
        Unsupported,    // encrypted, or a method (Found) other than stored and deflate
        BadData,        // the compressed data does not inflate to one whole stream
        SizeDiffers,    // Found bytes inflated, Expected recorded
        CrcDiffers,     // CRC Found of the inflated data, Expected recorded
    };
    Kind What = Kind::BadDirectory;
    qsizetype Entry = -1;
    quint64 At = 0;
    quint64 Expected = 0;
    quint64 Found = 0;
    QByteArray Field; // for LocalDiffers: "name", "method", "flags", "CRC", "sizes"
};

// What reading a whole package found.
struct PackageVerdict {
    enum class Status {
        Read,       // the package was read; Problems lists what is wrong with it
        CannotOpen, // the file cannot be opened or read; ErrorNumber says why
        NotZip,     // the file holds no zip archive at all
    };
    Status Outcome = Status::CannotOpen;
    int ErrorNumber = 0;
    QList<PackageEntry> Entries; // in central directory order
    QList<PackageProblem> Problems;
};

// Reads the package at Path as an installer would and checks every byte of it: the end
// records (Zip64 too), each central record against its local header, every entry inflated
// with its size and CRC-32 checked, and that no bytes lie before, between or after the
// entries. Entries are inflated on Threads threads (0: one per core), each with buffers of
// its own, so memory stays the same whatever the package's size.
[[nodiscard]] PackageVerdict VerifyPackage(const QString& Path, int Threads = 0);

// The CRC-32 of each file of Paths, computed on Threads threads (0: one per core); false
// for a file that cannot be read (its CRC is then 0).
[[nodiscard]] QList<bool> FileCrcs(const QStringList& Paths, QList<quint32>& Crcs, int Threads = 0);
