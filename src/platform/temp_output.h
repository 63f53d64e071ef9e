#pragma once

#include <QByteArray>
#include <QString>

// The package while it is being written: a new hidden file beside the output, which takes
// the output's place only once it is complete and on disk. Until then the output, old or
// absent, is untouched; a temporary file that never gets there is removed.
class TempOutput {
  public:
    enum class CommitResult {
        Done,     // the package is in place
        Occupied, // the output appeared meanwhile and replacing it was not allowed
        Failed,   // syncing or renaming failed (see Error)
    };

    explicit TempOutput(const QString& OutputPath);
    // Removes the temporary file unless it was committed.
    ~TempOutput();
    TempOutput(const TempOutput&) = delete;
    TempOutput& operator=(const TempOutput&) = delete;

    // Creates the temporary file, empty, with the permissions a new output would get; false
    // with Error set.
    bool Create();
    // Path of the temporary file (empty before Create).
    QString Path() const;
    // Flushes the finished file to disk and renames it to the output, over an existing one
    // only when Replace is true; then flushes the folder so that the new name is lasting.
    CommitResult Commit(bool Replace);
    // What went wrong last, naming the file.
    QString Error() const { return m_error; }

  private:
    // Removes the temporary file now, if it is still there and not committed.
    void remove();
    bool syncFile(const QByteArray& path);
    bool moveIntoPlace(bool replace);
    bool fail(const QString& step, const QByteArray& path);

    QByteArray m_output;
    QByteArray m_temp;
    bool m_committed = false;
    QString m_error;
};
