#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

// A source file opened once for reading. It is kept only when it is a regular file, and the
// same open gives its size and DOS attributes, so that a file is examined once before its
// bytes are read. Opening never waits: a FIFO that took a file's place is refused at once.
class SourceReader {
  public:
    SourceReader() = default;
    ~SourceReader() { Close(); }
    SourceReader(const SourceReader&) = delete;
    SourceReader& operator=(const SourceReader&) = delete;
    // Takes over other's open file, leaving other closed.
    SourceReader(SourceReader&& other) noexcept;
    SourceReader& operator=(SourceReader&& other) noexcept;

    // Opens path read-only; false, with Error() saying why, when it cannot be opened or is
    // not a regular file (a folder, a FIFO, a socket or a device).
    [[nodiscard]] bool Open(const QString& path);
    // Lets later reads wait for the disk, as reads of a file should; false when refused.
    // A read that the file system would not let wait does this itself and tries again.
    [[nodiscard]] bool SetBlocking();
    // Reads up to size bytes from the current position; fewer only where the file ends.
    // -1 on a read error, with Error() saying why.
    [[nodiscard]] qint64 ReadUpTo(char* data, qint64 size);
    // The same, but a read that comes back short once expected bytes are in is taken for
    // the end of the file without asking once more: a file that still holds the bytes it
    // was expected to costs a single read.
    [[nodiscard]] qint64 ReadExpecting(char* data, qint64 size, qint64 expected);
    // Fills the whole of buffer; false on a read error or when the file ends first.
    [[nodiscard]] bool ReadFully(QByteArray& buffer);
    // Closes the file; the size and attributes stay readable.
    void Close();

    // True while the file is open.
    bool IsOpen() const { return m_fd >= 0; }
    // The file's size when it was opened.
    qint64 Size() const { return m_size; }
    // The open file's size now, which may differ from Size() when it was written since;
    // -1 when the file is closed or cannot be asked.
    qint64 CurrentSize() const;
    // The file's DOS attributes, as FileInfo::ReadAttributes gives them.
    int Attrs() const { return m_attrs; }
    // Why the last Open, SetBlocking or read failed.
    QString Error() const { return m_error; }

  private:
    [[nodiscard]] bool refuse(const QString& why);

    int m_fd = -1;
    qint64 m_size = 0;
    int m_attrs = 0;
    QString m_error;
};
