#include "zip_engine/zip_writer.h"
// Placeholder until the writer is implemented.
ZipWriter::ZipWriter() = default;
ZipWriter::~ZipWriter() = default;
bool ZipWriter::OpenZip(const QString&, int) { return true; }
bool ZipWriter::OpenFileInZip(const QString&, int, int, int, const QString&) { return true; }
bool ZipWriter::WriteBytes(const QByteArray&) { return true; }
bool ZipWriter::CloseFileInZip() { return true; }
bool ZipWriter::CloseZip() { return true; }
