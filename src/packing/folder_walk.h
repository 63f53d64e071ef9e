#pragma once

#include "os/folder_listing.h"
#include "packing/exclusions.h"
#include "packing/template_kind.h"
#include "zip_engine/zip_limits.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// The name a file gets inside a package: Prefix is its folder below the project folder with
// each component followed by "\" (empty for the project folder itself).
QString ArchiveName(ArchiveNaming Naming, const QString& ProjectName, const QString& Prefix,
                    const QString& FileName);

// The project folder's own name: the last component of its path ("" for the root folder).
QString ProjectFolderName(const QString& ProjectFolder);

// The most entries the walk takes from one folder's listing; a fuller folder fails the walk
// rather than being cut short.
inline constexpr int DefaultMaxFolderEntries = 2000;

// The most sub-folders one walk takes, as many as the files a package can hold: a folder reached
// again through another link counts again, so links that lead to the same folders over and
// over (each folder holding two links to the next, say) end the walk at this count instead
// of doubling its length at every level.
inline constexpr qsizetype MaxWalkFolders = MaxPackageFiles;

// A problem a walk found: something that makes a pack fail.
struct WalkProblem {
    enum class Kind {
        Name,           // a name that cannot go into a package
        ProjectName,    // the project folder's own name, where the kind's entries start with it
        Unreadable,     // a file or folder that cannot be read
        DanglingLink,   // a link that leads nowhere
        TooManyEntries, // a folder holds more entries than the walk takes from one
        TooManyFolders, // more sub-folders than a walk takes
        TooManyFiles,   // more files than a package holds
        SameFoldedName, // two entries whose names are equal once case is folded
    };
    Kind What = Kind::Unreadable;
    QString Path;   // the file or folder (ending in "/") concerned
    QString Reason; // why, in words for the template's author
};

// What a walk leaves out on purpose.
enum class WalkNote {
    Hidden,   // a name that begins with "."
    Special,  // a FIFO, socket or device
    LinkLoop, // a link back into a folder being walked
    Excluded, // an entry an exclusion pattern matches (a folder left out whole)
};

// Told what a collecting walk finds besides the files it takes.
class WalkObserver {
  public:
    virtual ~WalkObserver() = default;
    // A problem that would fail a pack; a collecting walk goes on after it.
    virtual void Problem(const WalkProblem& Found) = 0;
    // An entry a pack leaves out on purpose, at Path (a folder's ending in "/").
    virtual void LeftOut(WalkNote Note, const QString& Path) = 0;
};

// Why a file sink refused a file: the problem's kind and reason for a collecting walk, and
// the name "AddFile failed on" shows when it is not the file's own name.
struct WalkRefusal {
    WalkProblem::Kind What = WalkProblem::Kind::Unreadable;
    QString Reason;
    QString Shown;
};

// Takes one file the walk reached, with its archive name; true when it took the file (or
// leaves it out), false when it refuses it, saying why in Refusal: a walk that stops at the
// first problem then fails.
using WalkFileSink =
    std::function<bool(const QString& SourceFile, const QString& AsFile, WalkRefusal& Refusal)>;
// Asked before each folder and each entry; true ends the walk at once, as a failure with no
// status text.
using WalkStopCheck = std::function<bool()>;

// One walk of a project tree: hands every file below a folder, with its archive name, to a
// file sink, a folder's own files first in listing order, then each sub-folder depth first.
// By default it stops at the first problem, at every level, and keeps the status text that
// says why; it never takes anything back from the sink. A collecting walk (Collect) tells
// each problem and what it leaves out to an observer instead and goes on, the same rules
// deciding. It takes at most MaxWalkFolders sub-folders.
class FolderWalk {
  public:
    FolderWalk(WalkFileSink TakeFile, ArchiveNaming Naming, const QString& ProjectName,
               int MaxFolderEntries, WalkStopCheck StopCheck = {});

    // Makes the walk collecting: Observer (which must outlive the walk) is told every problem
    // and every entry left out on purpose, and the walk goes on after a problem; null stops at
    // the first problem again.
    void Collect(WalkObserver* Observer) { m_observer = Observer; }
    // Leaves out every entry Patterns (which must outlive the walk; null for none) matches,
    // before it is listed, looked at or counted: its path below the project folder is
    // RelativeStart (the walk's start below the project folder, "" or ending in "/") and the
    // names from there down. A matching folder is never listed.
    void Exclude(const Exclusions* Patterns, const QString& RelativeStart = {});
    // Walks FolderPath (ending in "/") with the given name prefix; true when every file
    // reached was taken, or when a collecting walk reached its end.
    bool Run(const QString& FolderPath, const QString& NamePrefix);
    // The folder (ending in "/") whose entry or listing failed the last Run; empty if none.
    QString FailedFolder() const { return m_failedFolder; }
    // The status text of the last failed Run ("AddFile failed on ", "Too many entries in " or
    // "Too many folders in " and the name); empty if none, or if the stop check ended it.
    QString Failure() const { return m_failure; }
    // The problems a collecting walk told in the last Run.
    qsizetype Problems() const { return m_problems; }
    // The files the last Run reached, whether taken, refused or left out by the sink.
    qsizetype FilesReached() const { return m_filesReached; }

    // The status text of a file or folder that could not be taken: "AddFile failed on NAME".
    static QString AddFileFailed(const QString& Name);

  private:
    bool walkFolder(const QString& folderPath, const QString& prefix, const QString& relative);
    bool excluded(const QString& folderPath, const QString& relative, const QByteArray& name,
                  FolderListing::ListedType type, QStringList& shown) const;
    void noteExcluded(QStringList shown);
    bool queueEntries(const QString& folderPath, const QString& prefix,
                      const QList<FolderListing::ListedName>& names, QStringList& subFolders);
    bool handleEntry(const QString& folderPath, const QString& prefix,
                     const FolderListing::ListedName& listed, QStringList& subFolders);
    bool queueFile(const QString& folderPath, const QString& prefix, const QString& name);
    bool failListing(FolderListing::ListStatus status, const QString& folderPath, int error);
    bool takeFolder(const QString& folderPath, const QString& name, QStringList& subFolders);
    void noteHidden(const QString& folderPath, QList<QByteArray> hidden);
    bool note(WalkNote note, const QString& path);
    bool stopRequested() const { return m_stopCheck && m_stopCheck(); }
    bool fail(const QString& folderPath, const QString& name);
    bool refuse(const QString& folderPath, const QString& name, const WalkProblem& problem);

    WalkFileSink m_takeFile;
    ArchiveNaming m_naming;
    QString m_projectName;
    int m_maxFolderEntries;
    WalkStopCheck m_stopCheck;
    WalkObserver* m_observer = nullptr;
    const Exclusions* m_exclusions = nullptr;
    QString m_relativeStart;
    qsizetype m_problems = 0;
    qsizetype m_filesReached = 0;
    qsizetype m_foldersFound = 0;
    QString m_failedFolder;
    QString m_failure;
    // The folders from the walk's start down to the one being listed: a link that leads
    // back to one of them would make the walk endless.
    QList<FolderListing::FolderId> m_walking;
};
