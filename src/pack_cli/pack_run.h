#pragma once

#include "os/folder_listing.h"
#include "os/source_reader.h"
#include "pack_cli/pack_destination.h"
#include "packing/folder_walk.h"
#include "zip_engine/parallel_deflate.h"
#include "zip_engine/raw_zip_writer.h"
#include "zip_engine/zip_file.h"

#include <QString>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <thread>

class PackReport;
class TempOutput;
struct TemplateKind;

// The files the walk has found so far, in walk order: filled by the walking thread and read
// by the packing one, which may wait for the next. Each file comes with the open the walk
// checked it with, kept for the packing to read through, so that a file is opened once.
class FoundFiles : public DeflateSources {
  public:
    // The most files held open at once: a walk that gets this far ahead of the packing waits
    // until half of them are taken.
    static constexpr int MaxHeldOpen = 64;

    // Holds no more than Files open (and MaxHeldOpen at most), none for 0; set before the
    // first Add.
    void HoldAtMost(int Files);
    State At(int Index, QString& Path, bool Wait) const override;
    bool TakeOpened(int Index, SourceReader& Reader) override;
    // Adds a file the walk took, with the reader that opened it, which is kept open for the
    // packing unless holding has stopped; may wait for the packing to take held files.
    void Add(ZipFile File, SourceReader& Opened);
    // Ends the list: nothing more is added. Whole says whether the walk went through.
    void End(bool Whole);
    // No file is held open from now on, and Add no longer waits: the packing is over, or
    // runs only after the walk. Files held open are closed.
    void StopHolding();
    // True once the list has ended; Whole then says whether the walk went through.
    bool Ended(bool& Whole) const;
    // File Index, which must have been added; it stays in place while more are added.
    const ZipFile& File(int Index) const;
    // The files added so far.
    int Count() const;
    // True while Add waits for held files to be taken.
    bool AddWaiting() const;

  private:
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_changed;
    std::condition_variable m_taken;
    std::deque<ZipFile> m_files;
    std::deque<SourceReader> m_opened; // per file; closed once taken or not held
    int m_held = 0;                    // files in m_opened still open
    int m_maxHeld = MaxHeldOpen;
    bool m_holding = true;
    bool m_addWaiting = false;
    bool m_ended = false;
    bool m_whole = false;
};

// One package made from a project folder: the window's walk, and every file it finds deflated
// on all cores and written, in walk order, as raw entries into a temporary file that takes the
// output's place only when complete. Packing starts while the walk is still going on, in a
// thread of its own; what the walk finds wrong is told first all the same, and the lines of
// the files packed meanwhile show once the walk is through. Stops at the next piece when an
// interrupt is asked for.
class PackRun {
  public:
    // The most entries the walk takes from one folder, as in the window.
    static constexpr int MaxFolderEntries = DefaultMaxFolderEntries;

    PackRun(const PackDestination& Destination, const TemplateKind& Kind, PackReport& Report);
    // Waits for the walk should it still be going on.
    ~PackRun();
    PackRun(const PackRun&) = delete;
    PackRun& operator=(const PackRun&) = delete;

    // Compresses at Level: -1 zlib's default (the window's), 0 stores every entry, 1 to 9
    // deflate at that level. Set before Run.
    void SetLevel(int Level) { m_level = Level; }
    // Stamps every entry with the instant SecsSinceEpoch (seconds since 1970 UTC) rather
    // than the time of the run; none for the time of the run. Set before Run.
    void SetEntryTime(std::optional<qint64> SecsSinceEpoch) {
        m_writer.SetEntryTime(SecsSinceEpoch);
    }
    // Leaves out of the walk what Patterns match; set before Run.
    void Exclude(const Exclusions& Patterns) { m_exclusions = Patterns; }
    // Walks and writes; returns the exit code, with every failure already reported.
    int Run();

  private:
    void startWalk();
    void walk();
    int walkOutcome();
    bool catchUpReport();
    int writeEntries();
    int hold(int code, const QString& text);
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
    Exclusions m_exclusions;
    FoundFiles m_found;
    // Written by the walking thread until it ends the list of found files.
    qint64 m_totalBytes = 0;
    bool m_tooManyFiles = false;
    QString m_failedFolder;
    QString m_walkFailure;
    std::thread m_walker;
    // The packing thread's.
    qint64 m_bytesBefore = 0; // bytes of the files already in the package
    int m_filesDone = 0;      // files in the package
    int m_filesReported = 0;  // files whose line has been printed
    bool m_reporting = false; // the walk is through and the report has caught up
    QString m_held;           // the failure to report once the walk is known to be fine
    int m_level = -1;
    RawZipWriter m_writer;
    QString m_tempPath; // the file written: the temporary file, or the output it becomes
    QString m_failure;  // why the piece sink stopped the run
};
