#include "packing/pack_job.h"

#include "packing/package_paths.h"

#include <QCoreApplication>

#include <optional>
#include <utility>

PackJob::PackJob(const QString& projectFolder, ArchiveNaming naming, int maxFolderEntries,
                 qsizetype maxFiles)
    : m_projectFolder(projectFolder), m_naming(naming), m_maxFolderEntries(maxFolderEntries),
      m_maxFiles(maxFiles) {}

void PackJob::LeaveOut(const QString& path) {
    m_leftOut = path.isEmpty() ? OutputEntry() : OutputEntry(path);
}

void PackJob::SetStopCheck(WalkStopCheck stopCheck) {
    m_stopCheck = std::move(stopCheck);
}

PackJob::Outcome PackJob::Walk(const FileQueue& queue) {
    return Walk(PackagePaths::WalkStartOf(m_projectFolder), QString(), queue);
}

PackJob::Outcome PackJob::Walk(const QString& folderPath, const QString& namePrefix,
                               const FileQueue& queue) {
    m_filesTaken = 0;
    m_filesFound = 0;
    m_leftOutSeen = 0;
    m_bytesTaken = 0;
    m_tooManyFiles = false;
    m_foldedNames.clear();
    FolderWalk walk(
        [this, &queue](const QString& sourceFile, const QString& asFile, WalkRefusal& refusal) {
            return admit(sourceFile, asFile, queue, refusal);
        },
        m_naming, ProjectFolderName(m_projectFolder), m_maxFolderEntries, m_stopCheck);
    walk.Collect(m_observer);
    // Patterns match paths below the project folder, wherever in it this walk starts.
    const QString top = PackagePaths::WalkStartOf(m_projectFolder);
    walk.Exclude(&m_exclusions,
                 folderPath.startsWith(top) ? folderPath.mid(top.size()) : QString());
    const bool walked = walk.Run(folderPath, namePrefix);
    m_failedFolder = walk.FailedFolder();
    m_failure = walk.Failure();
    m_problems = walk.Problems();
    m_filesFound = walk.FilesReached() - m_leftOutSeen;
    // Only a failed walk needs the names again.
    m_foldedNames.clear();
    if (m_tooManyFiles && !m_observer)
        return Outcome::TooManyFiles;
    if (walked && m_problems == 0)
        return Outcome::Walked;
    // A file refused because of the stop is named as a failed one by the walk.
    return stopRequested() ? Outcome::Stopped : Outcome::WalkFailed;
}

// The walk's file sink: false refuses the file, which ends a walk that does not collect.
bool PackJob::admit(const QString& sourceFile, const QString& asFile, const FileQueue& queue,
                    WalkRefusal& refusal) {
    if (stopRequested())
        return false;
    // The package being replaced is still there during the walk; it is no part of the
    // template.
    if (m_leftOut.Is(sourceFile)) {
        ++m_leftOutSeen;
        return true;
    }
    // minizip 1.1 records a wrong entry count in an archive of more files, which readers
    // reject. The file one too many is never opened: folder links can reach millions.
    if (m_filesTaken >= m_maxFiles)
        return refuseTooMany(refusal);
    if (!takeName(sourceFile, asFile, refusal))
        return false;
    // The open that checks the file gives its size and attributes, and may be the one it
    // is read through.
    SourceReader opened;
    std::optional<ZipFile> file = ZipFileFor(opened, sourceFile, asFile);
    if (!file) {
        //: vendrel-pack --check: why a file cannot be packed; %1 is the system's reason.
        refusal.Reason =
            QCoreApplication::translate("PackJob", "cannot be read: %1").arg(opened.Error());
        return false;
    }
    ++m_filesTaken;
    m_bytesTaken += file->ByteCount;
    queue(std::move(*file), opened);
    return true;
}

bool PackJob::refuseTooMany(WalkRefusal& refusal) {
    // A collecting walk tells the first file over the limit only, and opens none after it.
    if (m_tooManyFiles)
        return true;
    m_tooManyFiles = true;
    refusal.What = WalkProblem::Kind::TooManyFiles;
    //: vendrel-pack --check: the first file past the limit; %1 is the most files a package
    //: holds.
    refusal.Reason = QCoreApplication::translate(
                         "PackJob", "is one file more than the %1 a package holds; later files "
                                    "are not counted")
                         .arg(m_maxFiles);
    return false;
}

// The installing desktop ignores case: of two names equal once case is folded, it would
// unpack one over the other. Full names are compared, so "Media\a.png" and "media\a.png"
// meet too.
bool PackJob::takeName(const QString& sourceFile, const QString& asFile, WalkRefusal& refusal) {
    const QString folded = asFile.toCaseFolded();
    const auto earlier = m_foldedNames.constFind(folded);
    if (earlier == m_foldedNames.cend()) {
        m_foldedNames.insert(folded, m_observer ? sourceFile : QString());
        return true;
    }
    refusal.What = WalkProblem::Kind::SameFoldedName;
    refusal.Shown = asFile;
    //: vendrel-pack --check: two names that differ only in case; %1 is the other file's
    //: path. The installing desktop is the computer the package is installed on.
    refusal.Reason =
        QCoreApplication::translate("PackJob", "has the same name as %1 once case is ignored; "
                                               "the installing desktop would unpack them as one")
            .arg(QLatin1Char('"') + earlier.value() + QLatin1Char('"'));
    return false;
}
