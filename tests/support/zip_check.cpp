#include "zip_check.h"

#include <QCryptographicHash>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#ifndef VENDREL_ZIPCHECK_PY
#error "VENDREL_ZIPCHECK_PY must name tests/support/zipcheck.py"
#endif

QStringList CheckedArchive::Names() const {
    QStringList names;
    for (const auto& e : Entries)
        names << e.Name;
    return names;
}

static CheckedEntry entryFromJson(const QJsonObject& o) {
    CheckedEntry e;
    e.Name = o.value(QStringLiteral("name")).toString();
    e.NameBytes = QByteArray::fromHex(o.value(QStringLiteral("name_hex")).toString().toLatin1());
    e.FlagBits = o.value(QStringLiteral("flag_bits")).toInt();
    e.ExternalAttr = quint32(o.value(QStringLiteral("external_attr")).toDouble());
    e.InternalAttr = o.value(QStringLiteral("internal_attr")).toInt();
    const QJsonArray dt = o.value(QStringLiteral("date_time")).toArray();
    if (dt.size() == 6) {
        e.Year = dt[0].toInt(), e.Month = dt[1].toInt(), e.Day = dt[2].toInt();
        e.Hour = dt[3].toInt(), e.Minute = dt[4].toInt(), e.Second = dt[5].toInt();
    }
    e.FileSize = qint64(o.value(QStringLiteral("file_size")).toDouble());
    e.CompressSize = qint64(o.value(QStringLiteral("compress_size")).toDouble());
    e.CompressType = o.value(QStringLiteral("compress_type")).toInt();
    e.Crc = quint32(o.value(QStringLiteral("crc")).toDouble());
    e.Comment = QByteArray::fromHex(o.value(QStringLiteral("comment_hex")).toString().toLatin1());
    e.Sha256 = o.value(QStringLiteral("sha256")).toString().toLatin1();
    e.Extra = QByteArray::fromHex(o.value(QStringLiteral("extra_hex")).toString().toLatin1());
    return e;
}

CheckedArchive CheckZip(const QString& Path) {
    CheckedArchive archive;
    QProcess python;
    python.start(QStringLiteral("python3"), {QStringLiteral(VENDREL_ZIPCHECK_PY), Path});
    if (!python.waitForFinished(600000) || python.exitCode() != 0) {
        archive.Error = QStringLiteral("python3 zipcheck failed: ") +
                        QString::fromLocal8Bit(python.readAllStandardError());
        return archive;
    }
    const QJsonObject root = QJsonDocument::fromJson(python.readAllStandardOutput()).object();
    archive.Ok = root.value(QStringLiteral("ok")).toBool();
    archive.Error = root.value(QStringLiteral("error")).toString();
    for (const auto& v : root.value(QStringLiteral("entries")).toArray())
        archive.Entries << entryFromJson(v.toObject());
    return archive;
}

QByteArray FileBytes(const QString& Path) {
    QFile file(Path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray Sha256Of(const QByteArray& Bytes) {
    return QCryptographicHash::hash(Bytes, QCryptographicHash::Sha256).toHex();
}

QByteArray Sha256OfFile(const QString& Path) {
    QFile f(Path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(&f);
    return hash.result().toHex();
}

bool WritePatternFile(const QString& Path, qint64 Size, quint32 Seed) {
    QFile f(Path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    QByteArray block(65536, Qt::Uninitialized);
    quint32 state = Seed * 2654435761u + 1;
    for (qint64 done = 0; done < Size;) {
        for (auto& c : block) {
            state = state * 1664525u + 1013904223u; // a cheap LCG: compressible but not trivial
            c = char((state >> 24) & 0x3f);
        }
        const qint64 n = qMin<qint64>(block.size(), Size - done);
        if (f.write(block.constData(), n) != n)
            return false;
        done += n;
    }
    return true;
}
