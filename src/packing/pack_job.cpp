#include "packing/pack_job.h"

#include "packing/package_paths.h"

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
    m_bytesTaken = 0;
    m_tooManyFiles = false;
    FolderWalk walk(
        [this, &queue](const QString& sourceFile, const QString& asFile) {
            return admit(sourceFile, asFile, queue);
        },
        m_naming, ProjectFolderName(m_projectFolder), m_maxFolderEntries, m_stopCheck);
    const bool walked = walk.Run(folderPath, namePrefix);
    m_failedFolder = walk.FailedFolder();
    m_failure = walk.Failure();
    if (m_tooManyFiles)
        return Outcome::TooManyFiles;
    if (walked)
        return Outcome::Walked;
    // A file refused because of the stop is named as a failed one by the walk.
    return stopRequested() ? Outcome::Stopped : Outcome::WalkFailed;
}

// The walk's file sink: false refuses the file, which ends the walk.
bool PackJob::admit(const QString& sourceFile, const QString& asFile, const FileQueue& queue) {
    if (stopRequested())
        return false;
    // The package being replaced is still there during the walk; it is no part of the
    // template.
    if (m_leftOut.Is(sourceFile))
        return true;
    // minizip 1.1 records a wrong entry count in an archive of more files, which readers
    // reject. The file one too many is never opened: folder links can reach millions.
    if (m_filesTaken >= m_maxFiles) {
        m_tooManyFiles = true;
        return false;
    }
    // The open that checks the file gives its size and attributes, and may be the one it
    // is read through.
    SourceReader opened;
    std::optional<ZipFile> file = ZipFileFor(opened, sourceFile, asFile);
    if (!file)
        return false;
    ++m_filesTaken;
    m_bytesTaken += file->ByteCount;
    queue(std::move(*file), opened);
    return true;
}
