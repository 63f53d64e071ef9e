#include "packing/exclusions.h"

#include "os/folder_listing.h"

#include <QByteArrayList>
#include <QCoreApplication>
#include <QFile>
#include <QStringDecoder>
#include <QStringView>

#include <cerrno>
#include <vector>

namespace {

const QChar Escape = QLatin1Char('\\');
const QString AnyFolders = QStringLiteral("**");

// The length of the class starting at pattern[at] ("[a-z]"), or 0 when it never closes.
qsizetype classLength(QStringView pattern, qsizetype at) {
    qsizetype i = at + 1;
    if (i < pattern.size() && (pattern[i] == QLatin1Char('!') || pattern[i] == QLatin1Char('^')))
        ++i;
    // A "]" right after the opening bracket is one of the class's characters.
    if (i < pattern.size() && pattern[i] == QLatin1Char(']'))
        ++i;
    for (; i < pattern.size(); ++i) {
        if (pattern[i] == Escape)
            ++i;
        else if (pattern[i] == QLatin1Char(']'))
            return i - at + 1;
    }
    return 0;
}

bool classHolds(QStringView set, QChar ch) {
    bool negated = false;
    qsizetype i = 0;
    if (!set.isEmpty() && (set[0] == QLatin1Char('!') || set[0] == QLatin1Char('^'))) {
        negated = true;
        i = 1;
    }
    bool found = false;
    for (bool first = true; i < set.size(); first = false) {
        QChar low = set[i];
        if (low == Escape && i + 1 < set.size())
            low = set[++i];
        else if (low == QLatin1Char(']') && !first)
            break;
        ++i;
        QChar high = low;
        if (i + 1 < set.size() && set[i] == QLatin1Char('-') && set[i + 1] != QLatin1Char(']')) {
            high = set[i + 1];
            if (high == Escape && i + 2 < set.size())
                high = set[++i + 1];
            i += 2;
        }
        if (ch >= low && ch <= high)
            found = true;
    }
    return found != negated;
}

// Whether the pattern's element at pattern[at] ("?", a class, "\x" or a plain character)
// matches ch; length gets the element's length in the pattern.
bool elementMatches(QStringView pattern, qsizetype at, QChar ch, qsizetype& length) {
    const QChar p = pattern[at];
    if (p == QLatin1Char('?')) {
        length = 1;
        return true;
    }
    if (p == QLatin1Char('[')) {
        length = classLength(pattern, at);
        return classHolds(pattern.mid(at + 1, length - 2), ch);
    }
    if (p == Escape && at + 1 < pattern.size()) {
        length = 2;
        return pattern[at + 1] == ch;
    }
    length = 1;
    return p == ch;
}

// One name against one segment of a pattern: a star runs over any characters, and on a
// mismatch the last star takes one character more, which keeps the match linear per star.
bool nameMatches(QStringView pattern, QStringView name) {
    qsizetype pi = 0;
    qsizetype ni = 0;
    qsizetype starPattern = -1;
    qsizetype starName = 0;
    while (ni < name.size()) {
        if (pi < pattern.size() && pattern[pi] == QLatin1Char('*')) {
            while (pi < pattern.size() && pattern[pi] == QLatin1Char('*'))
                ++pi;
            starPattern = pi;
            starName = ni;
            continue;
        }
        qsizetype length = 0;
        if (pi < pattern.size() && elementMatches(pattern, pi, name[ni], length)) {
            pi += length;
            ++ni;
            continue;
        }
        if (starPattern < 0)
            return false;
        pi = starPattern;
        ni = ++starName;
    }
    while (pi < pattern.size() && pattern[pi] == QLatin1Char('*'))
        ++pi;
    return pi == pattern.size();
}

// The path's folders and name against the pattern's segments, where "**" stands for any
// number of folders, none included: reach[j] says whether the segments so far can end just
// before component j.
bool pathMatches(const QStringList& segments, const QStringList& components) {
    const qsizetype count = components.size();
    std::vector<char> reach(size_t(count + 1), 0);
    reach[0] = 1;
    for (const QString& segment : segments) {
        std::vector<char> next(size_t(count + 1), 0);
        for (qsizetype j = 0; j <= count; ++j) {
            if (!reach[size_t(j)])
                continue;
            if (segment == AnyFolders) {
                for (qsizetype k = j; k <= count; ++k)
                    next[size_t(k)] = 1;
                break;
            }
            if (j < count && nameMatches(segment, components[j]))
                next[size_t(j + 1)] = 1;
        }
        reach.swap(next);
    }
    return reach[size_t(count)];
}

// Spaces and tabs at the end of a line are dropped unless escaped: an editor leaves them
// unseen, and no name that ends in a space can go into a package anyway.
QString withoutTrailingBlanks(const QString& line) {
    qsizetype end = line.size();
    while (end > 0 && (line[end - 1] == QLatin1Char(' ') || line[end - 1] == QLatin1Char('\t'))) {
        qsizetype escapes = 0;
        for (qsizetype i = end - 2; i >= 0 && line[i] == Escape; --i)
            ++escapes;
        if (escapes % 2 == 1)
            break;
        --end;
    }
    return line.left(end);
}

// Why segment cannot be matched, or "" when it can.
QString segmentProblem(const QString& segment) {
    for (qsizetype i = 0; i < segment.size(); ++i) {
        if (segment[i] == Escape) {
            if (i + 1 == segment.size())
                //: Why a pattern of a .vendrelignore file or --exclude cannot be used.
                return QCoreApplication::translate("Exclusions", "it ends in a lone \"\\\"");
            ++i;
        } else if (segment[i] == QLatin1Char('[') && classLength(segment, i) == 0) {
            //: Why a pattern cannot be used: "[" starts a set of characters, like "[abc]".
            return QCoreApplication::translate("Exclusions", "a \"[\" is never closed by \"]\"");
        }
    }
    if (segment == QLatin1String(".") || segment == QLatin1String(".."))
        //: Why a pattern cannot be used: paths below the project folder hold no "." or "..".
        return QCoreApplication::translate("Exclusions",
                                           "a \".\" or \"..\" step never matches a path");
    return {};
}

} // namespace

bool Exclusions::Add(const QString& pattern, QString* reason) {
    const auto refuse = [reason](const QString& why) {
        if (reason)
            *reason = why;
        return false;
    };
    QString text = pattern;
    if (text.startsWith(QLatin1Char('!')))
        //: Why a pattern cannot be used; keep the characters "!" and "\!" as they are.
        return refuse(QCoreApplication::translate(
            "Exclusions", "taking entries back in with \"!\" is not supported (write \"\\!\" "
                          "for a name that starts with \"!\")"));
    Pattern entry;
    entry.FoldersOnly = text.endsWith(QLatin1Char('/'));
    while (text.endsWith(QLatin1Char('/')))
        text.chop(1);
    entry.Anchored = text.contains(QLatin1Char('/'));
    entry.Segments = text.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    if (entry.Segments.isEmpty())
        //: Why a pattern cannot be used: it is empty or only "/".
        return refuse(QCoreApplication::translate("Exclusions", "it names nothing"));
    for (const QString& segment : entry.Segments) {
        const QString problem = segmentProblem(segment);
        if (!problem.isEmpty())
            return refuse(problem);
    }
    m_patterns << entry;
    return true;
}

void Exclusions::AddLines(const QString& text, const QString& source) {
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size(); ++i)
        addLine(lines[i], int(i + 1), source);
}

void Exclusions::addLine(QString line, int number, const QString& source) {
    if (line.endsWith(QLatin1Char('\r')))
        line.chop(1);
    line = withoutTrailingBlanks(line);
    if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
        return;
    QString reason;
    if (!Add(line, &reason))
        m_badLines << BadLine{source, number, line, reason};
}

Exclusions::FileStatus Exclusions::AddFile(const QString& path, int* errorNumber) {
    const auto failed = [errorNumber](int error) {
        if (errorNumber)
            *errorNumber = error;
        return FileStatus::Failed;
    };
    // A link that leads nowhere (Unreachable) is no absent file: its patterns would be lost
    // unseen. A FIFO would block the open for ever.
    const FolderListing::Entry entry = FolderListing::Classify(QFile::encodeName(path));
    switch (entry.Kind) {
    case FolderListing::EntryKind::Missing:
        return FileStatus::Missing;
    case FolderListing::EntryKind::Unreachable:
        return failed(entry.Error);
    case FolderListing::EntryKind::Folder:
        return failed(EISDIR);
    case FolderListing::EntryKind::Special:
        return failed(ENODEV);
    case FolderListing::EntryKind::File:
        break;
    }
    QFile file(path);
    errno = 0;
    if (!file.open(QIODevice::ReadOnly)) {
        if (errorNumber)
            *errorNumber = errno;
        return FileStatus::Failed;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        if (errorNumber)
            *errorNumber = errno;
        return FileStatus::Failed;
    }
    QByteArrayList lines = bytes.split('\n');
    // An editor's byte order mark is no part of the first pattern.
    if (lines.front().startsWith("\xEF\xBB\xBF"))
        lines.front().remove(0, 3);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString line = utf8.decode(lines.at(i));
        if (!utf8.hasError()) {
            addLine(line, int(i + 1), path);
            continue;
        }
        //: Why a line of a .vendrelignore file or --exclude-from file cannot be used.
        m_badLines << BadLine{path, int(i + 1), line,
                              QCoreApplication::translate("Exclusions", "it is not UTF-8")};
    }
    return FileStatus::Read;
}

Exclusions::FileStatus Exclusions::AddIgnoreFile(const QString& projectFolder, int* errorNumber) {
    const QString top =
        projectFolder.endsWith(QLatin1Char('/')) ? projectFolder : projectFolder + QLatin1Char('/');
    return AddFile(top + IgnoreFileName, errorNumber);
}

bool Exclusions::Excludes(const QString& relativePath, bool isFolder) const {
    if (m_patterns.isEmpty())
        return false;
    const QStringList components = relativePath.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    if (components.isEmpty())
        return false;
    for (const Pattern& pattern : m_patterns) {
        if (pattern.FoldersOnly && !isFolder)
            continue;
        const bool matched =
            pattern.Anchored ? pathMatches(pattern.Segments, components)
                             : nameMatches(pattern.Segments.constFirst(), components.constLast());
        if (matched)
            return true;
    }
    return false;
}
