#pragma once

#include "pack_cli/pack_destination.h"
#include "packing/folder_walk.h"
#include "packing/output_entry.h"
#include "platform/folder_listing.h"
#include "zip_engine/raw_zip_writer.h"
#include "zip_engine/zip_file.h"

#include <QString>

#include <vector>

class PackReport;
class ParallelDeflate;
class TempOutput;
struct DeflatePiece;
struct TemplateKind;

// One package made from a project folder: the window's walk, then every file deflated on
// all cores and written, in walk order, as raw entries into a temporary file that takes the
// output's place only when complete. Stops at the next piece when an interrupt is asked for.
class PackRun {
  public:
    // The most entries the walk takes from one folder, as in the window.
    static constexpr int MaxFolderEntries = DefaultMaxFolderEntries;

    PackRun(const PackDestination& Destination, const TemplateKind& Kind, PackReport& Report);

    // Walks and writes; returns the exit code, with every failure already reported.
    int Run();

  private:
    int walk();
    bool takeFile(const QString& sourceFile, const QString& asFile);
    int write();
    int writeEntries();
    int commit(TempOutput& temp);
    bool onPiece(const DeflatePiece& piece);
    bool openEntry(const ZipFile& file, bool text);
    bool closeEntry(const ZipFile& file, const DeflatePiece& piece);
    bool failFile(const QString& step, const ZipFile& file, const QString& detail);
    bool failWrite(const QString& step);
    QString writeFailure(const QString& step) const;
    QString deflateFailure(const ParallelDeflate& deflate) const;
    int interrupted();
    int fail(int code, const QString& text);

    const PackDestination m_destination;
    const TemplateKind& m_kind;
    PackReport& m_report;
    std::vector<ZipFile> m_files;
    qint64 m_totalBytes = 0;
    qint64 m_bytesBefore = 0; // bytes of the files already in the package
    bool m_tooManyFiles = false;
    OutputEntry m_oldOutput; // the package being replaced, left out of the walk
    RawZipWriter m_writer;
    QString m_tempPath; // the file written: the temporary file, or the output it becomes
    QString m_failure;  // why the piece sink stopped the run
};
