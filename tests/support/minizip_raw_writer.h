#pragma once

#include <QByteArray>
#include <QString>

// The reference the raw writer is held against: entries whose data arrives already
// compressed, written by minizip 1.1's own raw calls (through its own stdio file functions)
// with the entry fields the program's writers give. Like the writers' calls, each returns true
// when it failed.
class MinizipRawWriter {
  public:
    MinizipRawWriter() = default;
    // Closes an archive left open.
    ~MinizipRawWriter();
    MinizipRawWriter(const MinizipRawWriter&) = delete;
    MinizipRawWriter& operator=(const MinizipRawWriter&) = delete;

    // Opens the archive at FilePath: AppendMode 0 creates or replaces it, 1 writes a new
    // archive after the bytes the file holds already.
    bool OpenZip(const QString& FilePath, int AppendMode = 0);
    // Starts an entry whose data follows compressed by ZMethod, stamped with the entry clock;
    // InternalAttrs is stored as given, ExpectedSize decides Zip64 as in the writers.
    bool OpenRawFileInZip(const QString& FileName, int ZMethod = 8, int ZLevel = -1, int Attrs = 0,
                          const QString& Comment = {}, qint64 ExpectedSize = 0,
                          int InternalAttrs = 0);
    // Adds the next compressed bytes to the open entry.
    bool WriteBytes(const QByteArray& Bytes);
    // Ends the open entry with the size and CRC-32 of its uncompressed data.
    bool CloseRawFileInZip(qint64 UncompressedSize, quint32 Crc);
    // Writes the central directory and closes the archive.
    bool CloseZip();

  private:
    void* m_zip = nullptr;
};
