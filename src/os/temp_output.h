#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

class BackgroundSync;

// The package while it is being written: a new file in the output's folder, written through
// Descriptor(), which takes the output's place only once it is complete and on disk. Until
// then the output, old or absent, is untouched. Where the file system offers it, the file has
// no name until it is put in place, so that nothing is left behind whatever ends the process;
// elsewhere it is a hidden file beside the output, removed when it never gets there.
class TempOutput {
  public:
    enum class CommitResult {
        Done,     // the package is in place
        Occupied, // the output appeared meanwhile and replacing it was not allowed
        Failed,   // syncing or renaming failed (see Error)
    };

    // Faults that tests can inject; the program never sets them.
    //   FailSync         flushing the finished file to disk fails (as an I/O error would)
    //   NamedOnly        the unnamed file is not tried, as on a file system without one
    //   ModeChangeErrno  setting the named file's mode fails with this errno (0: it does
    //                    not), as on a file system that keeps no Unix permissions
    //   FailBackgroundFlushNumber  the n-th flush made while a file is written fails (see
    //                    BackgroundSync::SetTestFault)
    struct TestFaults {
        bool FailSync = false;
        bool NamedOnly = false;
        int ModeChangeErrno = 0;
        int FailBackgroundFlushNumber = 0;
    };
    static void SetTestFaults(const TestFaults& faults);
    // For tests: how many times the file last put in place since SetTestFaults was flushed
    // to disk whole before it took the output's place; -1 when none was put in place.
    static int FlushesBeforePlacing();

    explicit TempOutput(const QString& outputPath);
    // Closes the file and removes it unless it was committed.
    ~TempOutput();
    TempOutput(const TempOutput&) = delete;
    TempOutput& operator=(const TempOutput&) = delete;

    // Creates the file, empty, with the permissions a new output would get; false with Error
    // set.
    [[nodiscard]] bool Create();
    // The open file to write the package into (-1 before Create); it stays owned here.
    int Descriptor() const { return m_fd; }
    // False when an old output is there and this process may not replace it: in a folder with
    // the sticky bit (such as /tmp) only the owner of the file or of the folder may.
    bool MayReplaceOutput() const;
    // Path of the named temporary file; empty before Create and for an unnamed one.
    QString Path() const;
    // The output this file is to become.
    QString OutputPath() const;
    // Flushes the finished file to disk and puts it at the output, over an existing one only
    // when replace is true; then flushes the folder so that the new name is lasting.
    [[nodiscard]] CommitResult Commit(bool replace);
    // What went wrong last, naming the file.
    QString Error() const { return m_error; }
    // The errno of what went wrong last; 0 when the system reported no error for it.
    int ErrorNumber() const { return m_errorNumber; }

  private:
    [[nodiscard]] bool createUnnamed();
    [[nodiscard]] bool createNamed();
    [[nodiscard]] bool setNewFileMode();
    void remove();
    [[nodiscard]] bool syncFile();
    // False with the errno in errorNumber.
    [[nodiscard]] bool flushWhole(int& errorNumber);
    // False with the error recorded: Commit tells an occupied output by its errno.
    [[nodiscard]] bool moveIntoPlace(bool replace);
    [[nodiscard]] bool renameIntoPlace(const QByteArray& from, bool replace);
    [[nodiscard]] bool linkIntoPlace(bool replace);
    // False with the errno in errorNumber.
    [[nodiscard]] bool linkAs(const QByteArray& name, int& errorNumber);
    // Record the error, text naming path and the reason errorNumber gives, and return false;
    // failRename's text says that the package cannot be renamed to the output.
    [[nodiscard]] bool failRename(int errorNumber);
    [[nodiscard]] bool fail(const QString& text, const QByteArray& path, int errorNumber);

    QByteArray m_output;
    QByteArray m_temp; // the named temporary file; empty for an unnamed one
    int m_fd = -1;
    // Flushes the file to disk while it is written, so that Commit's flush is short.
    std::unique_ptr<BackgroundSync> m_sync;
    bool m_committed = false;
    int m_wholeFlushes = 0; // successful flushes of the whole file
    QString m_error;
    int m_errorNumber = 0; // the errno behind m_error
};
