#pragma once

#include "zip_engine/file_sink.h"

#include <QByteArray>
#include <QString>

#include <memory>
#include <optional>

// Writes a zip archive whose entries all arrive already compressed (raw deflate streams, or
// stored bytes), laid out byte for byte as minizip 1.1 lays out the same raw entries with
// ZipWriter's entry fields. It writes each piece into its sink as it comes, where minizip
// copies every byte into a buffer of its own and runs a CRC over the compressed data that
// nothing reads. Result codes, time stamps and failure rules are ZipWriter's: every operation
// returns true when it failed and Result() says why (-1 I/O failure, -666 nothing open,
// -667 already open, -102 a name or comment longer than 65535 bytes or a method other than
// 0 and 8, -103 sizes that no longer fit the entry's header).
class RawZipWriter {
  public:
    RawZipWriter() = default;
    // Finishes an archive left open; one that cannot be finished (an entry is still open,
    // or a write failed) is deleted when this writer created it.
    ~RawZipWriter();
    RawZipWriter(const RawZipWriter&) = delete;
    RawZipWriter& operator=(const RawZipWriter&) = delete;

    // Makes the next archive this writer creates go out in blocks of 512 KiB (see ZipWriter).
    void SetLargeBlocks(bool On) { m_largeBlocks = On; }
    // Stamps the entries opened from now on with the instant SecsSinceEpoch (seconds since
    // 1970 UTC, see EntryFields::FixedEntryTime) rather than the local time; none restores it.
    void SetEntryTime(std::optional<qint64> SecsSinceEpoch) { m_fixedTime = SecsSinceEpoch; }
    // Opens a new archive at FilePath, creating or replacing the file.
    [[nodiscard]] bool OpenZip(const QString& FilePath);
    // Opens a new archive in the file open as Descriptor, from its offset on (what follows is
    // cut off first); the file stays open and is never deleted by the writer.
    [[nodiscard]] bool OpenZipIn(int Descriptor);
    // Starts an entry whose data follows already compressed by ZMethod (8 deflate, 0 stored),
    // stamped with the local time now (or the instant SetEntryTime gave). ZLevel only sets the
    // header's level flags; Attrs & 0x27 are the external attributes, InternalAttrs is stored as
    // given (1: text). ExpectedSize of EntryFields::Zip64Threshold or more gives the entry Zip64
    // fields.
    [[nodiscard]] bool OpenRawFileInZip(const QString& FileName, int ZMethod = 8, int ZLevel = -1,
                                        int Attrs = 0, const QString& Comment = {},
                                        qint64 ExpectedSize = 0, int InternalAttrs = 0);
    // Adds the next compressed bytes to the open entry.
    [[nodiscard]] bool WriteBytes(const QByteArray& Bytes);
    // Ends the open entry with the size and CRC-32 of its uncompressed data; it counts as
    // closed even when this fails.
    [[nodiscard]] bool CloseRawFileInZip(qint64 UncompressedSize, quint32 Crc);
    // Writes the central directory and closes the archive; fails with -666 while an entry is
    // open, and with -1 when the file was removed or replaced while it was written.
    [[nodiscard]] bool CloseZip();
    // Abandons the archive after a failure and deletes the file if this writer created it.
    void DiscardZip();
    // Result code of the last operation that reached a decision.
    int Result() const { return m_result; }
    // The errno of the archive file's first failed open, write, seek, flush or close.
    int ErrorNumber() const { return m_file.error().errorNumber; }

  private:
    bool open(const char* path, int descriptor);
    bool fail(int code);
    bool succeed();
    bool write(const QByteArray& bytes);
    bool seek(qint64 offset);
    qint64 tell();
    void addCentralRecord(qint64 uncompressed, qint64 compressed, quint32 crc);
    bool writeDirectory();
    bool closeFile();

    FileSink m_file;
    std::unique_ptr<ByteSink> m_faultLayer;
    ByteSink* m_sink = nullptr; // the file or the test faults' layer over it; null when closed
    bool m_largeBlocks = false;
    std::optional<qint64> m_fixedTime;
    int m_result = 0;
    QByteArray m_directory; // the central directory's records, in entry order
    qint64 m_entries = 0;
    // The entry being written.
    bool m_entryOpen = false;
    QByteArray m_central;      // its central directory record, sizes and CRC still open
    qint64 m_headerAt = 0;     // where its local header starts
    qint64 m_zip64ExtraAt = 0; // where its local Zip64 field starts; 0 for none
    qint64 m_written = 0;      // compressed bytes written into it
};
