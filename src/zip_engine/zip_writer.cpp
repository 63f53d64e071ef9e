#include "zip_engine/zip_writer.h"

#include "zip_engine/entry_fields.h"

#include <QFile>

#include <minizip/zip.h>

namespace {

using namespace EntryFields;

// What the plain zipOpenNewFileInZip passes on to minizip's full call.
constexpr uLong VersionMadeBy = 0;

zipFile handle(void* Handle) {
    return static_cast<zipFile>(Handle);
}

// The entry's date and time in minizip's form: month 0-11 and the full year; minizip derives
// the stored DOS date and time from it because dosDate stays 0.
zip_fileinfo entryInfo(int Attrs, const std::optional<qint64>& fixedTime) {
    const QDateTime now = EntryTime(fixedTime);
    zip_fileinfo info{};
    info.tmz_date.tm_sec = uInt(now.time().second());
    info.tmz_date.tm_min = uInt(now.time().minute());
    info.tmz_date.tm_hour = uInt(now.time().hour());
    info.tmz_date.tm_mday = uInt(now.date().day());
    info.tmz_date.tm_mon = uInt(now.date().month() - 1);
    info.tmz_date.tm_year = uInt(now.date().year());
    info.dosDate = 0;
    info.internal_fa = 0;
    info.external_fa = uLong(Attrs & AttrMask);
    return info;
}

} // namespace

ZipWriter::ZipWriter() = default;

ZipWriter::~ZipWriter() {
    // Finish what the owner left open so the archive on disk is a complete zip file.
    if (m_zipHandle == nullptr)
        return;
    bool failed = m_entryOpen && zipCloseFileInZip(handle(m_zipHandle)) != ZIP_OK;
    failed = checked(zipClose(handle(m_zipHandle), nullptr)) != ZIP_OK || failed;
    // An archive that could not be finished (a write failed on the way) is no package: it
    // goes rather than stays behind broken.
    if (failed)
        m_io.file().removeIfOwned();
}

bool ZipWriter::fail(int Code) {
    m_result = Code;
    return true;
}

// minizip's code, or -1 when the file underneath failed although minizip reported success.
int ZipWriter::checked(int Code) const {
    return Code == ZIP_OK && sinkFailed() ? IoFailed : Code;
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
    m_io.attach(functions, descriptor, m_largeBlocks);
    m_zipHandle = zipOpen2_64(path.constData(), appendMode, nullptr, &functions);
    if (m_zipHandle == nullptr)
        return fail(IoFailed);
    m_result = 0;
    return false;
}

bool ZipWriter::OpenFileInZip(const QString& FileName, int ZMethod, int ZLevel, int Attrs,
                              const QString& Comment, qint64 ExpectedSize) {
    if (m_zipHandle == nullptr)
        return fail(NothingOpen);
    if (m_entryOpen)
        return fail(AlreadyOpen);
    // A damaged archive gets no further entries.
    if (sinkFailed())
        return fail(IoFailed);
    const zip_fileinfo info = entryInfo(Attrs, m_fixedTime);
    const QByteArray name = FileName.toUtf8();
    const QByteArray comment = Comment.toUtf8();
    const uLong flags = NameFlags(name, comment);
    const int zip64 = ExpectedSize >= Zip64Threshold ? 1 : 0;
    m_result = checked(zipOpenNewFileInZip4_64(
        handle(m_zipHandle), name.constData(), &info, nullptr, 0, nullptr, 0, comment.constData(),
        ZMethod, ZLevel, 0, -MAX_WBITS, DEF_MEM_LEVEL, Z_DEFAULT_STRATEGY, nullptr, 0,
        VersionMadeBy, flags, zip64));
    m_entryOpen = m_result == ZIP_OK;
    return !m_entryOpen;
}

bool ZipWriter::WriteBytes(const QByteArray& Bytes) {
    if (m_zipHandle == nullptr || !m_entryOpen)
        return fail(NothingOpen);
    if (sinkFailed())
        return fail(IoFailed);
    m_result = checked(
        zipWriteInFileInZip(handle(m_zipHandle), Bytes.constData(), unsigned(Bytes.size())));
    return m_result != ZIP_OK;
}

// minizip ends the entry whatever it returns (a second close only gets its parameter error),
// so the entry counts as closed either way; the result says whether it is whole.
bool ZipWriter::CloseFileInZip() {
    if (!m_entryOpen)
        return fail(NothingOpen);
    m_entryOpen = false;
    m_result = checked(zipCloseFileInZip(handle(m_zipHandle)));
    return m_result != ZIP_OK;
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
    if (!m_io.file().stillInPlace())
        return fail(IoFailed);
    m_io.file().disown();
    return false;
}

void ZipWriter::DiscardZip() {
    if (m_entryOpen)
        zipCloseFileInZip(handle(m_zipHandle));
    m_entryOpen = false;
    if (m_zipHandle != nullptr)
        zipClose(handle(m_zipHandle), nullptr);
    m_zipHandle = nullptr;
    m_io.file().removeIfOwned();
}
