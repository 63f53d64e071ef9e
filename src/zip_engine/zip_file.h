#pragma once

#include <QString>

#include <optional>

class SourceReader;

// One file waiting to be packed, with the name its entry gets in the archive.
struct ZipFile {
    QString SourceFile;
    QString AsFile;
    int ZMethod = 8;
    int ZLevel = -1;
    int Attrs = 0;
    QString Comment;
    qint64 ByteCount = 0;
};

// The queue record for SourceFile, as AddFile makes it: AsFile defaults to the file's name,
// Attrs 0 takes the file's own attributes, ByteCount is its size now. Empty when SourceFile
// is not an ordinary file whose attributes can be read and that can be opened for reading.
std::optional<ZipFile> ZipFileFor(const QString& SourceFile, const QString& AsFile = {},
                                  int ZMethod = 8, int ZLevel = -1, int Attrs = 0,
                                  const QString& Comment = {});
// The same, opening SourceFile through Probe, which is left open for reading the file.
std::optional<ZipFile> ZipFileFor(SourceReader& Probe, const QString& SourceFile,
                                  const QString& AsFile = {}, int ZMethod = 8, int ZLevel = -1,
                                  int Attrs = 0, const QString& Comment = {});
