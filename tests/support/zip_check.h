#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// An archive as Python's zipfile reads it: a reader independent of minizip.
struct CheckedEntry {
    QString Name;         // as zipfile decodes it
    QByteArray NameBytes; // the bytes stored in the archive
    int FlagBits = 0;
    quint32 ExternalAttr = 0;
    int InternalAttr = 0; // 1: the writer judged the data to be text
    int Year = 0, Month = 0, Day = 0, Hour = 0, Minute = 0, Second = 0;
    qint64 FileSize = 0;
    qint64 CompressSize = 0;
    int CompressType = 0;
    quint32 Crc = 0;
    QByteArray Comment;
    QByteArray Sha256; // hex digest of the data zipfile read back (CRC checked)
    QByteArray Extra;
};

struct CheckedArchive {
    bool Ok = false; // zipfile opened it and read every entry without error
    QString Error;
    QList<CheckedEntry> Entries;
    QStringList Names() const;
};

// Reads Path with Python's zipfile (tests/support/zipcheck.py).
CheckedArchive CheckZip(const QString& Path);

// The bytes of the file at Path (empty when it cannot be read).
QByteArray FileBytes(const QString& Path);

// Hex SHA-256 of a file's bytes, to compare with CheckedEntry::Sha256.
QByteArray Sha256OfFile(const QString& Path);
QByteArray Sha256Of(const QByteArray& Bytes);

// Writes Size bytes of a repeatable pattern (seeded) to Path; true on success.
bool WritePatternFile(const QString& Path, qint64 Size, quint32 Seed = 1);
