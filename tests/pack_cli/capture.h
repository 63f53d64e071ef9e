#pragma once

#include "zip_check.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <cstdio>
#include <memory>

// Stand-ins for standard output and error, and reading back what was written.
using ScratchFile = std::unique_ptr<FILE, int (*)(FILE*)>;

// An anonymous temporary file to hand to the code under test as a stream.
inline ScratchFile MakeScratchFile() {
    return ScratchFile(std::tmpfile(), &std::fclose);
}

// Everything written to File so far, as UTF-8 text.
inline QString Contents(FILE* File) {
    std::fflush(File);
    std::rewind(File);
    QByteArray bytes;
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, File)) > 0;)
        bytes.append(buffer, qsizetype(n));
    return QString::fromUtf8(bytes);
}
