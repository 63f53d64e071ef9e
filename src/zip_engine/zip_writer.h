#pragma once

#include <QByteArray>
#include <QString>

// Writes one zip archive at a time through minizip, checking the calling order.
// Every operation returns true when it failed; Result() then says why:
//   0 success, -1 archive not opened / I/O failure, -666 nothing open, -667 already open,
//   any other value minizip's own.
// Entry names are stored exactly as given ("\" stays "\"); text goes to minizip as UTF-8.
class ZipWriter {
public:
    ZipWriter();
    // Finishes an archive left open: closes the entry, then writes the central directory.
    ~ZipWriter();
    ZipWriter(const ZipWriter&) = delete;
    ZipWriter& operator=(const ZipWriter&) = delete;

    bool OpenZip(const QString& FilePath, int AppendMode = 0);
    bool OpenFileInZip(const QString& FileName, int ZMethod = 8, int ZLevel = -1, int Attrs = 0,
                       const QString& Comment = {});
    bool WriteBytes(const QByteArray& Bytes);
    bool CloseFileInZip();
    bool CloseZip();
    int Result() const { return m_result; }

private:
    void* m_zipHandle = nullptr;
    bool m_entryOpen = false;
    int m_result = 0;
};
