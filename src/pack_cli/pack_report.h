#pragma once

#include <QElapsedTimer>
#include <QString>

#include <cstdio>

struct ZipFile;

// Text as it may be printed to a terminal or a log: each control character (bytes 1-31 and
// 127, and the C1 controls U+0080-U+009F) written as an escape ("\n", "\r", "\t", "\x1b"),
// so that a file's name can neither start a line of its own nor drive the terminal. A "\"
// stays as it is: the names inside packages use it between folders.
QString Printable(const QString& Text);

// Where the packer's output goes and what kind of thing each stream is.
struct ConsoleStreams {
    FILE* Out = stdout;
    FILE* Err = stderr;
    bool OutIsTerminal = false;
    bool ErrIsTerminal = false;
    int Width = 80; // columns of the terminal behind Err

    // The process's own standard output and error, looked at.
    static ConsoleStreams Process();
};

// What the user sees of a run. A progress bar (bytes, current file, speed, time left) on
// standard error when that is a terminal; a line per packed file on standard output when
// that is not a terminal (a pipe or a file); a closing line on standard output. Quiet
// leaves only the errors, which always go to standard error.
class PackReport {
  public:
    PackReport(const ConsoleStreams& Streams, bool Quiet);

    // The run writes Files files holding Bytes bytes (some may be written already).
    void Started(int Files, qint64 Bytes);
    // File is being packed now.
    void FileStarted(const ZipFile& File);
    // BytesDone of the run's bytes have been packed.
    void Progress(qint64 BytesDone);
    // File is in the package.
    void FileDone(const ZipFile& File);
    // The package is complete at Output.
    void Finished(const QString& Output);
    // Reports a failure (Text names the file and the step).
    void Error(const QString& Text);

    // The bar's line for a terminal Width columns wide: a bar, the share, the bytes, the speed,
    // the time left and as much of the file's name as fits.
    static QString BarLine(qint64 Done, qint64 Total, const QString& File, qint64 ElapsedMs,
                           int Width);
    // Bytes for people: "512 B", "8.2 kB", "190.0 MB", "1.1 GB" (powers of 1000).
    static QString HumanBytes(qint64 Bytes);

  private:
    void drawBar(bool force);
    void clearBar();
    void print(FILE* stream, const QString& text);

    ConsoleStreams m_streams;
    bool m_showBar;
    bool m_showLines;
    bool m_showSummary;
    QElapsedTimer m_clock;
    qint64 m_lastDraw = -1;
    bool m_barShown = false;
    int m_files = 0;
    qint64 m_total = 0;
    qint64 m_done = 0;
    QString m_current;
};
