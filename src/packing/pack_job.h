#pragma once

#include "os/source_reader.h"
#include "packing/folder_walk.h"
#include "packing/output_entry.h"
#include "packing/template_kind.h"
#include "zip_engine/zip_file.h"
#include "zip_engine/zip_limits.h"

#include <QHash>
#include <QString>

#include <functional>

// What goes into a package, decided once for the window and vendrel-pack alike: the walk of
// the project folder and the admission of every file it reaches. The package being replaced
// is left out by its own path; the file limit refuses a file before it is opened or queued;
// a file admitted is opened once, and that open gives its size and attributes; two files
// whose names are equal once case is folded are refused, as the desktops packages are
// installed on would unpack them as one. Each front end then writes the admitted files its
// own way and puts the package in place. A collecting walk (Collect) applies the same rules
// but tells every problem and goes on, for a check of the project before a pack.
class PackJob {
  public:
    enum class Outcome {
        Walked,       // every file reached was admitted
        TooManyFiles, // one more file than a package holds was found
        WalkFailed,   // a file or folder could not be taken; Failure() says why (a
                      // collecting walk: it found Problems())
        Stopped,      // the stop check ended the walk
    };
    // Takes one admitted file with the open that checked it, which the front end may keep
    // for reading the file or close.
    using FileQueue = std::function<void(ZipFile file, SourceReader& opened)>;

    // A walk of projectFolder naming the entries as naming has them, taking at most
    // maxFolderEntries entries from one folder and maxFiles files in all.
    PackJob(const QString& projectFolder, ArchiveNaming naming,
            int maxFolderEntries = DefaultMaxFolderEntries, qsizetype maxFiles = MaxPackageFiles);

    // Leaves the entry at path (the package being replaced) out of the walk.
    void LeaveOut(const QString& path);
    // Asked before each folder, entry and file; true ends the walk as Stopped.
    void SetStopCheck(WalkStopCheck stopCheck);
    // Makes the walks collecting: observer (which must outlive them) is told every problem
    // and every entry left out on purpose, and the walk goes on; null stops at the first
    // problem again.
    void Collect(WalkObserver* observer) { m_observer = observer; }
    // Leaves out of the walks every entry patterns match, by its path below the project
    // folder: it is never opened and counts towards no limit.
    void Exclude(const Exclusions& patterns) { m_exclusions = patterns; }

    // Walks the project folder and hands every admitted file to queue, in walk order.
    [[nodiscard]] Outcome Walk(const FileQueue& queue);
    // The same from folderPath (ending in "/") with the given prefix in front of the names.
    [[nodiscard]] Outcome Walk(const QString& folderPath, const QString& namePrefix,
                               const FileQueue& queue);

    // Files and bytes admitted by the last walk.
    qsizetype FilesTaken() const { return m_filesTaken; }
    // Files the last walk reached, admitted or refused (the one left out not counted).
    qsizetype FilesFound() const { return m_filesFound; }
    // The problems the last collecting walk told.
    qsizetype Problems() const { return m_problems; }
    qint64 BytesTaken() const { return m_bytesTaken; }
    // The most files the package holds.
    qsizetype MaxFiles() const { return m_maxFiles; }
    // Where and why the last walk failed (FolderWalk's folder and status text).
    QString FailedFolder() const { return m_failedFolder; }
    QString Failure() const { return m_failure; }

  private:
    bool admit(const QString& sourceFile, const QString& asFile, const FileQueue& queue,
               WalkRefusal& refusal);
    bool refuseTooMany(WalkRefusal& refusal);
    bool takeName(const QString& sourceFile, const QString& asFile, WalkRefusal& refusal);
    bool stopRequested() const { return m_stopCheck && m_stopCheck(); }

    QString m_projectFolder;
    ArchiveNaming m_naming;
    int m_maxFolderEntries;
    qsizetype m_maxFiles;
    OutputEntry m_leftOut;
    WalkStopCheck m_stopCheck;
    WalkObserver* m_observer = nullptr;
    Exclusions m_exclusions;
    // The names taken so far, case-folded, each with its file when the walk collects (to
    // name it beside the other).
    QHash<QString, QString> m_foldedNames;
    qsizetype m_filesFound = 0;
    qsizetype m_leftOutSeen = 0;
    qsizetype m_problems = 0;
    qsizetype m_filesTaken = 0;
    qint64 m_bytesTaken = 0;
    bool m_tooManyFiles = false;
    QString m_failedFolder;
    QString m_failure;
};
