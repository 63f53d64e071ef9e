#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The name of the file at the top of a project folder that lists what its packages leave out.
inline const QString IgnoreFileName = QStringLiteral(".vendrelignore");

// What a pack leaves out of a project: shell-style patterns ("*", "?", "[...]", and "**" for
// any number of folders) matched against an entry's path below the project folder, with "/"
// between folders. A pattern without "/" matches a name at any depth; one with "/" matches
// the path from the project folder down (a leading "/" only anchors it); a trailing "/"
// matches folders only. "\" takes the next character as it is.
class Exclusions {
  public:
    // A line of a pattern file that could not be used.
    struct BadLine {
        QString Source; // the file it came from
        int Line = 0;   // counted from 1
        QString Text;
        QString Reason;
    };
    enum class FileStatus { Read, Missing, Failed };

    // Adds one pattern; false, with reason saying why in words, when it cannot be used.
    [[nodiscard]] bool Add(const QString& pattern, QString* reason = nullptr);
    // Adds the patterns of text, one a line; blank lines and lines starting with "#" are
    // skipped, and a line that cannot be used is kept in BadLines() under source.
    void AddLines(const QString& text, const QString& source);
    // Adds the patterns of the file at path as AddLines does, a line that is not UTF-8 kept
    // as one that cannot be used; errorNumber gets the errno of a failed read. A link that
    // leads nowhere, a folder or a special file at path is Failed, never Missing.
    [[nodiscard]] FileStatus AddFile(const QString& path, int* errorNumber = nullptr);
    // Adds the patterns of projectFolder's IgnoreFileName, as AddFile does.
    [[nodiscard]] FileStatus AddIgnoreFile(const QString& projectFolder,
                                           int* errorNumber = nullptr);

    // True when the entry at relativePath ("media/a.png") is left out of a package.
    bool Excludes(const QString& relativePath, bool isFolder) const;
    // True when no pattern was added: every entry goes in.
    bool IsEmpty() const { return m_patterns.isEmpty(); }
    // The lines AddLines and AddFile could not use, in the order read.
    const QList<BadLine>& BadLines() const { return m_badLines; }

  private:
    void addLine(QString line, int number, const QString& source);

    struct Pattern {
        QStringList Segments; // the path pattern split at "/"; one segment for a name pattern
        bool Anchored = false;
        bool FoldersOnly = false;
    };

    QList<Pattern> m_patterns;
    QList<BadLine> m_badLines;
};
