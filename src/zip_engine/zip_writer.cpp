#include "zip_engine/zip_writer.h"

#include "zip_engine/entry_fields.h"

#include <QFile>

#include <minizip/zip.h>

#include <limits>
#include <utility>

namespace {

using namespace EntryFields;

// What the plain zipOpenNewFileInZip passes on to minizip's full call.
constexpr uLong VersionMadeBy = 0;

QDateTime (*g_testClock)() = nullptr;

zipFile handle(void* Handle) {
    return static_cast<zipFile>(Handle);
}

// The local time now, to the second. Each conversion to local time looks at the system's
// time zone file; as the answer cannot change within a second, it is kept for that second.
QDateTime localNow() {
    thread_local qint64 t_second = std::numeric_limits<qint64>::min();
    thread_local QDateTime t_local;
    const qint64 msecs = QDateTime::currentMSecsSinceEpoch();
    const qint64 second = msecs >= 0 ? msecs / 1000 : (msecs - 999) / 1000;
    if (second != t_second) {
        t_local = QDateTime::fromSecsSinceEpoch(second, Qt::LocalTime);
        t_second = second;
    }
    return t_local;
}

// The local date and time in minizip's form: month 0-11 and the full year; minizip derives
// the stored DOS date and time from it because dosDate stays 0.
zip_fileinfo entryInfo(int Attrs, int InternalAttrs) {
    const QDateTime now = ZipWriter::EntryTime();
    zip_fileinfo info{};
    info.tmz_date.tm_sec = uInt(now.time().second());
    info.tmz_date.tm_min = uInt(now.time().minute());
    info.tmz_date.tm_hour = uInt(now.time().hour());
    info.tmz_date.tm_mday = uInt(now.date().day());
    info.tmz_date.tm_mon = uInt(now.date().month() - 1);
    info.tmz_date.tm_year = uInt(now.date().year());
    info.dosDate = 0;
    info.internal_fa = uLong(InternalAttrs);
    info.external_fa = uLong(Attrs & AttrMask);
    return info;
}

} // namespace

ZipWriter::ZipWriter() = default;

ZipWriter::~ZipWriter() {
    // Finish what the owner left open so the archive on disk is a complete zip file.
    if (m_zipHandle == nullptr)
        return;
    // A raw entry cannot be finished without its size and CRC: zipClose ends it as a broken
    // entry, and the archive goes like any other that could not be finished.
    bool failed = m_rawEntry || (m_entryOpen && zipCloseFileInZip(handle(m_zipHandle)) != ZIP_OK);
    failed = checked(zipClose(handle(m_zipHandle), nullptr)) != ZIP_OK || failed;
    // An archive that could not be finished (a write failed on the way) is no package: it
    // goes rather than stays behind broken.
    if (failed)
        m_archive.RemoveIfOwned();
}

void ZipWriter::SetTestClock(QDateTime (*Now)()) {
    g_testClock = Now;
}

QDateTime ZipWriter::EntryTime() {
    return g_testClock ? g_testClock() : localNow();
}

bool ZipWriter::fail(int Code) {
    m_result = Code;
    return true;
}

// minizip's code, or -1 when the file underneath failed although minizip reported success.
int ZipWriter::checked(int Code) const {
    return Code == ZIP_OK && m_archive.Failed() ? IoFailed : Code;
}

bool ZipWriter::OpenZip(const QString& FilePath, int AppendMode) {
    return open(QFile::encodeName(FilePath), AppendMode, -1);
}

bool ZipWriter::OpenZipIn(int Descriptor) {
    if (m_zipHandle != nullptr)
        return fail(AlreadyOpen);
    if (Descriptor < 0)
        return fail(IoFailed);
    // minizip wants a name to open; the file functions write into the descriptor instead.
    return open(QByteArrayLiteral("(open file)"), APPEND_STATUS_CREATE, Descriptor);
}

bool ZipWriter::open(const QByteArray& path, int appendMode, int descriptor) {
    if (m_zipHandle != nullptr)
        return fail(AlreadyOpen);
    zlib_filefunc64_def functions{};
    m_archive.Attach(functions, descriptor, m_largeBlocks);
    m_zipHandle = zipOpen2_64(path.constData(), appendMode, nullptr, &functions);
    if (m_zipHandle == nullptr)
        return fail(IoFailed);
    m_result = 0;
    return false;
}

bool ZipWriter::OpenFileInZip(const QString& FileName, int ZMethod, int ZLevel, int Attrs,
                              const QString& Comment, qint64 ExpectedSize) {
    return openEntry(FileName, ZMethod, ZLevel, Attrs, Comment, ExpectedSize, 0, false);
}

bool ZipWriter::OpenRawFileInZip(const QString& FileName, int ZMethod, int ZLevel, int Attrs,
                                 const QString& Comment, qint64 ExpectedSize, int InternalAttrs) {
    return openEntry(FileName, ZMethod, ZLevel, Attrs, Comment, ExpectedSize, InternalAttrs, true);
}

bool ZipWriter::openEntry(const QString& FileName, int ZMethod, int ZLevel, int Attrs,
                          const QString& Comment, qint64 ExpectedSize, int InternalAttrs,
                          bool Raw) {
    if (m_zipHandle == nullptr)
        return fail(NothingOpen);
    if (m_entryOpen)
        return fail(AlreadyOpen);
    // A damaged archive gets no further entries.
    if (m_archive.Failed())
        return fail(IoFailed);
    const zip_fileinfo info = entryInfo(Attrs, InternalAttrs);
    const QByteArray name = FileName.toUtf8();
    const QByteArray comment = Comment.toUtf8();
    const uLong flags = NameFlags(name, comment);
    const int zip64 = ExpectedSize >= Zip64Threshold ? 1 : 0;
    m_result = checked(zipOpenNewFileInZip4_64(
        handle(m_zipHandle), name.constData(), &info, nullptr, 0, nullptr, 0, comment.constData(),
        ZMethod, ZLevel, Raw ? 1 : 0, -MAX_WBITS, DEF_MEM_LEVEL, Z_DEFAULT_STRATEGY, nullptr, 0,
        VersionMadeBy, flags, zip64));
    m_entryOpen = m_result == ZIP_OK;
    m_rawEntry = m_entryOpen && Raw;
    return !m_entryOpen;
}

bool ZipWriter::WriteBytes(const QByteArray& Bytes) {
    if (m_zipHandle == nullptr || !m_entryOpen)
        return fail(NothingOpen);
    if (m_archive.Failed())
        return fail(IoFailed);
    m_result = checked(
        zipWriteInFileInZip(handle(m_zipHandle), Bytes.constData(), unsigned(Bytes.size())));
    return m_result != ZIP_OK;
}

bool ZipWriter::CloseFileInZip() {
    if (!m_entryOpen || m_rawEntry)
        return fail(NothingOpen);
    m_result = closeEntry(0, 0);
    return m_result != ZIP_OK;
}

bool ZipWriter::CloseRawFileInZip(qint64 UncompressedSize, quint32 Crc) {
    if (!m_entryOpen || !m_rawEntry)
        return fail(NothingOpen);
    m_result = closeEntry(UncompressedSize, Crc);
    return m_result != ZIP_OK;
}

// minizip ends the entry whatever it returns (a second close only gets its parameter error),
// so the entry counts as closed either way; the result says whether it is whole. Size and
// CRC are only given for a raw entry: minizip counts them itself for the others.
int ZipWriter::closeEntry(qint64 UncompressedSize, quint32 Crc) {
    const bool raw = std::exchange(m_rawEntry, false);
    m_entryOpen = false;
    if (!raw)
        return checked(zipCloseFileInZip(handle(m_zipHandle)));
    return checked(
        zipCloseFileInZipRaw64(handle(m_zipHandle), ZPOS64_T(UncompressedSize), uLong(Crc)));
}

bool ZipWriter::CloseZip() {
    if (m_zipHandle == nullptr)
        return fail(NothingOpen);
    if (m_entryOpen) {
        const bool failed = CloseFileInZip();
        if (failed)
            return true;
    }
    const int code = zipClose(handle(m_zipHandle), nullptr);
    // minizip has freed the handle whatever it returned: never pass it on again.
    m_zipHandle = nullptr;
    m_result = checked(code);
    if (m_result != ZIP_OK)
        return true;
    // A package whose file was removed or replaced while it was written is nowhere to be
    // found: that is no success.
    if (!m_archive.StillInPlace())
        return fail(IoFailed);
    m_archive.Disown();
    return false;
}

void ZipWriter::DiscardZip() {
    if (m_entryOpen)
        zipCloseFileInZip(handle(m_zipHandle));
    m_entryOpen = false;
    m_rawEntry = false;
    if (m_zipHandle != nullptr)
        zipClose(handle(m_zipHandle), nullptr);
    m_zipHandle = nullptr;
    m_archive.RemoveIfOwned();
}
