#pragma once

#include "zip_engine/zip_writer.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <deque>
#include <memory>

// One file waiting in the Zipper's queue, with the name its entry gets in the archive.
struct ZipFile {
    QString SourceFile;
    QString AsFile;
    int ZMethod = 8;
    int ZLevel = -1;
    int Attrs = 0;
    QString Comment;
    qint64 ByteCount = 0;
};

// Compresses a queue of files into one archive, a few chunks per 16 ms timer step,
// on the caller's thread. Reports through synchronous signals; never shows anything.
class Zipper : public QObject {
    Q_OBJECT
public:
    static constexpr qint64 ChunkSize = 131072;
    static constexpr int ChunksPerTick = 10;
    static constexpr int TickInterval = 16;

    explicit Zipper(QObject* parent = nullptr);
    ~Zipper() override;

    bool AddFile(const QString& SourceFile, const QString& AsFile = {}, int ZMethod = 8,
                 int ZLevel = -1, int Attrs = 0, const QString& Comment = {});
    void ClearFiles();
    void Cancel();
    bool Zip(const QString& FilePath, int AppendMode = 0);

    qint64 BytesToZip() const { return m_bytesToZip; }
    qint64 BytesZipped() const { return m_bytesZipped; }
    const ZipFile* CurrentFile() const { return m_currentFile.get(); }
    QString Failed() const { return m_failed; }
    int Result() const { return m_result; }
    bool Zipping() const { return m_zipping; }

Q_SIGNALS:
    void StartFile();
    void Progress();
    void EndFile();
    void Error();
    void Complete(bool Canceled);

private:
    // Implementation detail; see zipper.cpp.
    void onTick();

    ZipWriter m_writer;
    std::deque<std::shared_ptr<ZipFile>> m_files;
    std::shared_ptr<ZipFile> m_currentFile;
    QTimer* m_tmrNext = nullptr;
    qint64 m_bytesToZip = 0;
    qint64 m_bytesZipped = 0;
    qint64 m_remaining = 0;
    bool m_cancelRequested = false;
    bool m_zipping = false;
    QString m_failed;
    int m_result = 0;
};
