#include "pack_cli/pack_report.h"

#include "os/terminal.h"
#include "zip_engine/zip_file.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <algorithm>

namespace {

constexpr int BarCells = 20;
// A terminal is redrawn at most this often; more would only cost time.
constexpr qint64 RedrawMs = 100;
// Before this much time the speed says little.
constexpr qint64 SpeedAfterMs = 500;
const QString ProgramPrefix = QStringLiteral("vendrel-pack: ");

QString clockText(qint64 Seconds) {
    const QChar zero = QLatin1Char('0');
    if (Seconds >= 3600)
        return QStringLiteral("%1:%2:%3")
            .arg(Seconds / 3600)
            .arg(Seconds / 60 % 60, 2, 10, zero)
            .arg(Seconds % 60, 2, 10, zero);
    return QStringLiteral("%1:%2").arg(Seconds / 60).arg(Seconds % 60, 2, 10, zero);
}

// Bytes per second so far, or 0 while too little time has passed to tell.
qint64 speedOf(qint64 Done, qint64 ElapsedMs) {
    return ElapsedMs < SpeedAfterMs ? 0 : Done * 1000 / ElapsedMs;
}

QString speedText(qint64 Speed) {
    return Speed > 0 ? PackReport::HumanBytes(Speed) + QStringLiteral("/s")
                     : QStringLiteral("--/s");
}

QString leftText(qint64 Done, qint64 Total, qint64 Speed) {
    //: vendrel-pack's progress bar: the time still needed, %1 as 1:05 or --:-- while unknown.
    //: Keep it short.
    const QString left = QCoreApplication::translate("PackReport", "%1 left");
    if (Speed <= 0)
        return left.arg(QStringLiteral("--:--"));
    return left.arg(clockText((std::max<qint64>(0, Total - Done) + Speed - 1) / Speed));
}

// The end of Name in at most Room characters: the end tells the file apart.
QString fitted(const QString& Name, qsizetype Room) {
    if (Name.size() <= Room)
        return Name;
    if (Room < 4)
        return QString();
    return QStringLiteral("...") + Name.right(Room - 3);
}

bool isControl(char16_t Ch) {
    return Ch < 0x20 || (Ch >= 0x7f && Ch <= 0x9f);
}

QString escaped(char16_t Ch) {
    switch (Ch) {
    case u'\n':
        return QStringLiteral("\\n");
    case u'\r':
        return QStringLiteral("\\r");
    case u'\t':
        return QStringLiteral("\\t");
    default:
        break;
    }
    // The C1 controls take four digits, so that they are not read as a byte of UTF-8.
    return Ch < 0x80 ? QStringLiteral("\\x%1").arg(int(Ch), 2, 16, QLatin1Char('0'))
                     : QStringLiteral("\\u%1").arg(int(Ch), 4, 16, QLatin1Char('0'));
}

} // namespace

QString Printable(const QString& Text) {
    QString printable;
    printable.reserve(Text.size());
    for (const QChar ch : Text) {
        if (isControl(ch.unicode()))
            printable += escaped(ch.unicode());
        else
            printable += ch;
    }
    return printable;
}

ConsoleStreams ConsoleStreams::Process() {
    ConsoleStreams streams;
    streams.OutIsTerminal = Terminal::IsTerminal(stdout);
    streams.ErrIsTerminal = Terminal::IsTerminal(stderr);
    const int columns = streams.ErrIsTerminal ? Terminal::Columns(stderr) : 0;
    if (columns > 0)
        streams.Width = columns;
    return streams;
}

PackReport::PackReport(const ConsoleStreams& Streams, bool Quiet)
    : m_streams(Streams), m_showBar(!Quiet && Streams.ErrIsTerminal),
      m_showLines(!Quiet && !Streams.OutIsTerminal), m_showSummary(!Quiet) {
    // Packing may start before the run knows what it is to pack: speed and time count from
    // here.
    m_clock.start();
}

void PackReport::Started(int Files, qint64 Bytes) {
    m_files = Files;
    m_total = Bytes;
    m_done = 0;
    drawBar(true);
}

void PackReport::FileStarted(const ZipFile& File) {
    // Only the bar shows the file being packed.
    if (!m_showBar)
        return;
    m_current = Printable(File.AsFile);
    drawBar(false);
}

void PackReport::Progress(qint64 BytesDone) {
    m_done = BytesDone;
    drawBar(false);
}

void PackReport::FileDone(const ZipFile& File) {
    // The lines go to a pipe or a file, never to the terminal the bar is on.
    if (!m_showLines)
        return;
    //: vendrel-pack's line per packed file; %1 is the file's path, %2 its name in the package.
    const QString line = QCoreApplication::translate("PackReport", "Packed %1 as %2");
    print(m_streams.Out,
          line.arg(Printable(File.SourceFile), Printable(File.AsFile)) + QLatin1Char('\n'));
}

void PackReport::Finished(const QString& Output) {
    clearBar();
    if (!m_showSummary)
        return;
    const double seconds = double(m_clock.elapsed()) / 1000.0;
    //: vendrel-pack's last line. %n is the number of files, %2 their size, %3 the package's
    //: path, %4 its size, %5 the seconds taken; "s" is the unit second.
    const QString summary = QCoreApplication::translate(
        "PackReport", "Success: %n files (%2) packed into %3 (%4) in %5 s", nullptr, m_files);
    // One substitution for all, so that a "%" in the path is never taken for a placeholder.
    print(m_streams.Out,
          summary.arg(HumanBytes(m_total), Printable(Output), HumanBytes(QFileInfo(Output).size()),
                      QString::number(seconds, 'f', 1)) +
              QLatin1Char('\n'));
}

void PackReport::Error(const QString& Text) {
    clearBar();
    print(m_streams.Err, ProgramPrefix + Text + QLatin1Char('\n'));
}

QString PackReport::BarLine(qint64 Done, qint64 Total, const QString& File, qint64 ElapsedMs,
                            int Width) {
    const double share = Total > 0 ? std::clamp(double(Done) / double(Total), 0.0, 1.0) : 1.0;
    const int filled = int(share * BarCells);
    const qint64 speed = speedOf(Done, ElapsedMs);
    QString line =
        QStringLiteral("[%1%2] %3%  %4 / %5  %6  %7  ")
            .arg(QString(filled, QLatin1Char('#')), QString(BarCells - filled, QLatin1Char('.')))
            .arg(int(share * 100), 3)
            .arg(HumanBytes(Done), HumanBytes(Total), speedText(speed),
                 leftText(Done, Total, speed));
    // One column stays free: writing the last one makes some terminals wrap.
    const qsizetype room = qsizetype(Width) - 1 - line.size();
    return (line + fitted(File, room)).left(std::max(0, Width - 1));
}

QString PackReport::HumanBytes(qint64 Bytes) {
    static const char* const units[] = {"kB", "MB", "GB", "TB"};
    if (Bytes < 1000)
        return QStringLiteral("%1 B").arg(Bytes);
    double value = double(Bytes) / 1000.0;
    int unit = 0;
    while (value >= 999.95 && unit < 3) {
        value /= 1000.0;
        ++unit;
    }
    return QStringLiteral("%1 %2").arg(value, 0, 'f', 1).arg(QLatin1String(units[unit]));
}

void PackReport::drawBar(bool force) {
    if (!m_showBar)
        return;
    const qint64 now = m_clock.elapsed();
    if (!force && m_lastDraw >= 0 && now - m_lastDraw < RedrawMs)
        return;
    m_lastDraw = now;
    // Back to the line's start, the new line, then the rest of the old one erased.
    print(m_streams.Err, QLatin1Char('\r') +
                             BarLine(m_done, m_total, m_current, now, m_streams.Width) +
                             QStringLiteral("\033[K"));
    m_barShown = true;
}

void PackReport::clearBar() {
    if (!m_barShown)
        return;
    print(m_streams.Err, QStringLiteral("\r\033[K"));
    m_barShown = false;
    m_lastDraw = -1;
}

void PackReport::print(FILE* stream, const QString& text) {
    // A reader that went away (a closed pipe) is no reason to stop packing: results ignored.
    std::fputs(text.toUtf8().constData(), stream);
    std::fflush(stream);
}
