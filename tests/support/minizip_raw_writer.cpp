#include "minizip_raw_writer.h"

#include "zip_engine/entry_fields.h"

#include <QFile>

#include <minizip/zip.h>

namespace {

zipFile handle(void* zip) {
    return static_cast<zipFile>(zip);
}

} // namespace

MinizipRawWriter::~MinizipRawWriter() {
    if (m_zip != nullptr)
        zipClose(handle(m_zip), nullptr);
}

bool MinizipRawWriter::OpenZip(const QString& FilePath, int AppendMode) {
    if (m_zip != nullptr)
        return true;
    m_zip = zipOpen64(QFile::encodeName(FilePath).constData(),
                      AppendMode == 0 ? APPEND_STATUS_CREATE : APPEND_STATUS_CREATEAFTER);
    return m_zip == nullptr;
}

bool MinizipRawWriter::OpenRawFileInZip(const QString& FileName, int ZMethod, int ZLevel, int Attrs,
                                        const QString& Comment, qint64 ExpectedSize,
                                        int InternalAttrs) {
    if (m_zip == nullptr)
        return true;
    // minizip derives the DOS date and time from these fields while dosDate stays 0.
    const QDateTime now = EntryFields::EntryTime();
    zip_fileinfo info{};
    info.tmz_date.tm_sec = uInt(now.time().second());
    info.tmz_date.tm_min = uInt(now.time().minute());
    info.tmz_date.tm_hour = uInt(now.time().hour());
    info.tmz_date.tm_mday = uInt(now.date().day());
    info.tmz_date.tm_mon = uInt(now.date().month() - 1);
    info.tmz_date.tm_year = uInt(now.date().year());
    info.internal_fa = uLong(InternalAttrs);
    info.external_fa = uLong(Attrs & EntryFields::AttrMask);
    const QByteArray name = FileName.toUtf8();
    const QByteArray comment = Comment.toUtf8();
    const int zip64 = ExpectedSize >= EntryFields::Zip64Threshold ? 1 : 0;
    // Made by version 0, as the writers' plain entries are.
    return zipOpenNewFileInZip4_64(handle(m_zip), name.constData(), &info, nullptr, 0, nullptr, 0,
                                   comment.constData(), ZMethod, ZLevel, 1, -MAX_WBITS,
                                   DEF_MEM_LEVEL, Z_DEFAULT_STRATEGY, nullptr, 0, 0,
                                   EntryFields::NameFlags(name, comment), zip64) != ZIP_OK;
}

bool MinizipRawWriter::WriteBytes(const QByteArray& Bytes) {
    return m_zip == nullptr ||
           zipWriteInFileInZip(handle(m_zip), Bytes.constData(), unsigned(Bytes.size())) != ZIP_OK;
}

bool MinizipRawWriter::CloseRawFileInZip(qint64 UncompressedSize, quint32 Crc) {
    return m_zip == nullptr ||
           zipCloseFileInZipRaw64(handle(m_zip), ZPOS64_T(UncompressedSize), uLong(Crc)) != ZIP_OK;
}

bool MinizipRawWriter::CloseZip() {
    if (m_zip == nullptr)
        return true;
    const int code = zipClose(handle(m_zip), nullptr);
    m_zip = nullptr;
    return code != ZIP_OK;
}
