#include "zip_engine/raw_zip_writer.h"

#include "zip_engine/entry_fields.h"
#include "zip_engine/test_faults.h"

#include <QDateTime>
#include <QFile>

#include <algorithm>

namespace {

using namespace EntryFields;

constexpr int Zip64LocalExtraSize = 20;
// minizip's central record has room for this much Zip64 data added at the entry's close.
constexpr int CentralExtraRoom = 32;

// Puts Value into Size (at most 8) bytes at At, least significant first.
void put(QByteArray& bytes, qsizetype at, quint64 value, int size) {
    for (int i = 0; i < size; ++i)
        bytes[at + i] = char((value >> (8 * i)) & 0xFF);
}

void append(QByteArray& bytes, quint64 value, int size) {
    const qsizetype at = bytes.size();
    bytes.resize(at + size);
    put(bytes, at, value, size);
}

// The stamp in DOS form as minizip computes it from the date and time: years from 1980 (a year
// before that counts from 80), the seconds halved.
quint32 dosDateOf(const QDateTime& time) {
    quint64 year = quint64(time.date().year());
    if (year >= 1980)
        year -= 1980;
    else if (year >= 80)
        year -= 80;
    const quint64 date =
        quint64(time.date().day()) + 32 * quint64(time.date().month()) + 512 * year;
    const quint64 clock = quint64(time.time().second() / 2) + 32 * quint64(time.time().minute()) +
                          2048 * quint64(time.time().hour());
    return quint32((date << 16) | clock);
}

// The level flags minizip sets for a deflated entry (bits 1 and 2).
quint32 levelFlags(int level) {
    if (level == 8 || level == 9)
        return 2;
    if (level == 2)
        return 4;
    if (level == 1)
        return 6;
    return 0;
}

} // namespace

RawZipWriter::~RawZipWriter() {
    if (m_sink == nullptr)
        return;
    // An entry left open has no size and CRC: the archive cannot be finished whole.
    bool whole = !m_entryOpen;
    m_entryOpen = false;
    whole = writeDirectory() && whole;
    whole = closeFile() && whole;
    if (!whole)
        m_file.removeIfOwned();
}

bool RawZipWriter::fail(int code) {
    m_result = code;
    return true;
}

// Success unless the file underneath failed on the way.
bool RawZipWriter::succeed() {
    m_result = m_file.error().failed ? IoFailed : 0;
    return m_result != 0;
}

bool RawZipWriter::OpenZip(const QString& FilePath) {
    return open(QFile::encodeName(FilePath).constData(), -1);
}

bool RawZipWriter::OpenZipIn(int Descriptor) {
    if (m_sink != nullptr)
        return fail(AlreadyOpen);
    if (Descriptor < 0)
        return fail(IoFailed);
    return open(nullptr, Descriptor);
}

bool RawZipWriter::open(const char* path, int descriptor) {
    if (m_sink != nullptr)
        return fail(AlreadyOpen);
    m_faultLayer.reset();
    m_file.reset(descriptor, m_largeBlocks);
    if (!m_file.open(path, ArchiveStream::OpenMode::Create))
        return fail(IoFailed);
    m_faultLayer = ZipFileIo::faultLayerOver(m_file);
    m_sink = m_faultLayer ? m_faultLayer.get() : &m_file;
    m_directory.clear();
    m_entries = 0;
    m_entryOpen = false;
    m_result = 0;
    return false;
}

bool RawZipWriter::write(const QByteArray& bytes) {
    return m_sink->write(bytes.constData(), bytes.size());
}

bool RawZipWriter::seek(qint64 offset) {
    return m_sink->seek(offset);
}

qint64 RawZipWriter::tell() {
    return m_sink->position();
}

bool RawZipWriter::OpenRawFileInZip(const QString& FileName, int ZMethod, int ZLevel, int Attrs,
                                    const QString& Comment, qint64 ExpectedSize,
                                    int InternalAttrs) {
    if (m_sink == nullptr)
        return fail(NothingOpen);
    if (m_entryOpen)
        return fail(AlreadyOpen);
    if (m_file.error().failed)
        return fail(IoFailed);
    const QByteArray name = FileName.toUtf8();
    const QByteArray comment = Comment.toUtf8();
    if ((ZMethod != 0 && ZMethod != 8) || name.size() > qsizetype(Max16) ||
        comment.size() > qsizetype(Max16))
        return fail(ParamError);
    const bool zip64 = ExpectedSize >= Zip64Threshold;
    const quint32 flags = NameFlags(name, comment) | levelFlags(ZLevel);
    const quint32 dosDate = dosDateOf(EntryTime(m_fixedTime));
    m_headerAt = tell();

    // The central record, finished when the entry closes; made by version 0, as minizip's
    // plain calls have it.
    m_central.clear();
    m_central.reserve(CentralHeaderSize + name.size() + comment.size() + CentralExtraRoom);
    append(m_central, CentralHeaderSignature, 4);
    append(m_central, 0, 2);  // version made by
    append(m_central, 20, 2); // version needed
    append(m_central, flags, 2);
    append(m_central, quint64(ZMethod), 2);
    append(m_central, dosDate, 4);
    append(m_central, 0, 4); // CRC
    append(m_central, 0, 8); // sizes
    append(m_central, quint64(name.size()), 2);
    append(m_central, 0, 2); // extra field
    append(m_central, quint64(comment.size()), 2);
    append(m_central, 0, 2); // disk
    append(m_central, quint64(InternalAttrs) & 0xFFFF, 2);
    append(m_central, quint64(Attrs & AttrMask), 4);
    append(m_central, std::min<quint64>(quint64(m_headerAt), Max32), 4);
    m_central += name;
    m_central += comment;

    // The local header, CRC and sizes to be filled in at the close.
    QByteArray local;
    local.reserve(LocalHeaderSize + name.size() + Zip64LocalExtraSize);
    append(local, LocalHeaderSignature, 4);
    append(local, zip64 ? 45 : 20, 2);
    append(local, flags, 2);
    append(local, quint64(ZMethod), 2);
    append(local, dosDate, 4);
    append(local, 0, 4); // CRC
    append(local, zip64 ? Max32 : 0, 4);
    append(local, zip64 ? Max32 : 0, 4);
    append(local, quint64(name.size()), 2);
    append(local, zip64 ? Zip64LocalExtraSize : 0, 2);
    local += name;
    m_zip64ExtraAt = zip64 ? m_headerAt + local.size() : 0;
    if (zip64) {
        append(local, 0x0001, 2); // Zip64 field: sizes to come
        append(local, 16, 2);
        append(local, 0, 8);
        append(local, 0, 8);
    }
    m_written = 0;
    const bool written = write(local);
    m_entryOpen = written;
    if (!written)
        return fail(IoFailed);
    return succeed();
}

bool RawZipWriter::WriteBytes(const QByteArray& Bytes) {
    if (m_sink == nullptr || !m_entryOpen)
        return fail(NothingOpen);
    if (m_file.error().failed)
        return fail(IoFailed);
    if (!Bytes.isEmpty() && !write(Bytes))
        return fail(IoFailed);
    m_written += Bytes.size();
    return succeed();
}

bool RawZipWriter::CloseRawFileInZip(qint64 UncompressedSize, quint32 Crc) {
    if (!m_entryOpen)
        return fail(NothingOpen);
    m_entryOpen = false;
    const qint64 compressed = m_written;
    // Sizes of 4 GiB or more go into the Zip64 field, which only an entry opened for them has.
    const bool large = quint64(UncompressedSize) >= Max32 || quint64(compressed) >= Max32;
    if (large && m_zip64ExtraAt == 0)
        return fail(BadZipFile);
    addCentralRecord(UncompressedSize, compressed, Crc);
    // The local header's CRC and sizes: the sizes in its own fields where they fit, else in
    // its Zip64 field, where its own fields hold 0xFFFFFFFF since the open.
    const qint64 end = tell();
    QByteArray crc;
    append(crc, Crc, 4);
    QByteArray sizes;
    append(sizes, quint64(large ? UncompressedSize : compressed), large ? 8 : 4);
    append(sizes, quint64(large ? compressed : UncompressedSize), large ? 8 : 4);
    bool done = seek(m_headerAt + 14) && write(crc);
    done = done && (!large || seek(m_zip64ExtraAt + 4)) && write(sizes);
    done = seek(end) && done;
    ++m_entries;
    if (!done)
        return fail(IoFailed);
    return succeed();
}

// The entry's central record with its CRC and sizes; sizes and a header offset of 4 GiB or
// more go into a Zip64 field at the record's end, as minizip adds it.
void RawZipWriter::addCentralRecord(qint64 uncompressed, qint64 compressed, quint32 crc) {
    const auto sizeIn = quint64(uncompressed);
    const auto sizeOut = quint64(compressed);
    const auto offset = quint64(m_headerAt);
    if (sizeIn >= Max32 || sizeOut >= Max32 || offset >= Max32) {
        put(m_central, 4, 45, 2); // version made by
        put(m_central, 6, 45, 2); // version needed
    }
    put(m_central, 16, crc, 4);
    put(m_central, 20, std::min(sizeOut, Max32), 4);
    put(m_central, 24, std::min(sizeIn, Max32), 4);
    QByteArray zip64;
    for (const quint64 value : {sizeIn, sizeOut, offset}) {
        if (value >= Max32)
            append(zip64, value, 8);
    }
    if (!zip64.isEmpty()) {
        append(m_central, 0x0001, 2);
        append(m_central, quint64(zip64.size()), 2);
        m_central += zip64;
        put(m_central, 30, quint64(zip64.size()) + 4, 2);
    }
    m_directory += m_central;
    m_central.clear();
}

// The central directory and its end records (Zip64 ones first where the directory starts at
// 4 GiB or more), without an archive comment; true when all was written.
bool RawZipWriter::writeDirectory() {
    const auto at = quint64(tell());
    const auto size = quint64(m_directory.size());
    const auto entries = quint64(m_entries);
    QByteArray end;
    if (at >= Max32) {
        const auto recordAt = at + size;
        append(end, Zip64EndSignature, 4);
        append(end, 44, 8); // size of the rest of the record
        append(end, 45, 2); // version made by
        append(end, 45, 2); // version needed
        append(end, 0, 8);  // disks
        append(end, entries, 8);
        append(end, entries, 8);
        append(end, size, 8);
        append(end, at, 8);
        append(end, Zip64LocatorSignature, 4);
        append(end, 0, 4);
        append(end, recordAt, 8);
        append(end, 1, 4); // disks in all
    }
    append(end, EndRecordSignature, 4);
    append(end, 0, 4); // disks
    append(end, std::min<quint64>(entries, 0xFFFF), 2);
    append(end, std::min<quint64>(entries, 0xFFFF), 2);
    append(end, size, 4);
    append(end, std::min(at, Max32), 4);
    append(end, 0, 2); // comment length
    const bool written = (m_directory.isEmpty() || write(m_directory)) && write(end);
    m_directory.clear();
    return written;
}

// Closes the archive file, flushing what is pending; true when the file is whole.
bool RawZipWriter::closeFile() {
    const bool closed = m_sink->close();
    m_sink = nullptr;
    return closed;
}

bool RawZipWriter::CloseZip() {
    if (m_sink == nullptr || m_entryOpen)
        return fail(NothingOpen);
    bool whole = writeDirectory();
    whole = closeFile() && whole;
    if (!whole)
        return fail(IoFailed);
    // A package whose file was removed or replaced while it was written is nowhere to be
    // found: that is no success.
    if (!m_file.stillInPlace())
        return fail(IoFailed);
    m_file.disown();
    m_result = 0;
    return false;
}

void RawZipWriter::DiscardZip() {
    m_entryOpen = false;
    if (m_sink != nullptr)
        closeFile();
    m_directory.clear();
    m_file.removeIfOwned();
}
