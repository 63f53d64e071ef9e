#include "pack_cli/package_test.h"

#include "pack_cli/exit_codes.h"
#include "pack_cli/pack_destination.h"
#include "pack_cli/pack_exclusions.h"
#include "packing/package_contents.h"
#include "zip_engine/zip_limits.h"

#include <QCoreApplication>

namespace {

QString quoted(const QString& Text) {
    return QLatin1Char('"') + Printable(Text) + QLatin1Char('"');
}

QString num(quint64 Value) {
    return QString::number(Value);
}

QString crcText(quint64 Crc) {
    return QStringLiteral("%1").arg(Crc, 8, 16, QLatin1Char('0'));
}

// One line about the package's bytes; Name is the entry's (empty for the archive's own).
QString byteLine(const PackageProblem& p, const QString& name) {
    using K = PackageProblem::Kind;
    switch (p.What) {
    case K::NoEndRecord:
        //: vendrel-pack --test: the end of the zip archive is missing.
        return QCoreApplication::translate(
            "PackageTest",
            "no end record: the package was cut short or is not a whole zip archive");
    case K::BadEndRecord:
        //: vendrel-pack --test; %1 is a byte offset in the package.
        return QCoreApplication::translate(
                   "PackageTest", "the end record at byte %1 contradicts the rest of the package")
            .arg(num(p.At));
    case K::BadDirectory:
        //: vendrel-pack --test; %1 is a byte offset. The central directory is the zip
        //: archive's list of entries.
        return QCoreApplication::translate("PackageTest",
                                           "the central directory is damaged at byte %1")
            .arg(num(p.At));
    case K::DataBefore:
        //: vendrel-pack --test; %1 is a number of bytes.
        return QCoreApplication::translate("PackageTest",
                                           "%1 bytes before the first entry belong to no entry")
            .arg(num(p.Found));
    case K::DataBetween:
        //: vendrel-pack --test; %1 is a number of bytes, %2 a byte offset.
        return QCoreApplication::translate("PackageTest", "%1 bytes at byte %2 belong to no entry")
            .arg(num(p.Found), num(p.At));
    case K::DataAfter:
        //: vendrel-pack --test; %1 is a number of bytes.
        return QCoreApplication::translate("PackageTest",
                                           "%1 bytes after the end record belong to no entry")
            .arg(num(p.Found));
    case K::Overlap:
        if (name.isEmpty())
            //: vendrel-pack --test; %1 is a byte offset.
            return QCoreApplication::translate("PackageTest", "two entries overlap at byte %1")
                .arg(num(p.At));
        //: vendrel-pack --test; %1 is the entry's name.
        return QCoreApplication::translate("PackageTest",
                                           "%1: its data runs into the central directory")
            .arg(name);
    case K::BadLocalHeader:
        //: vendrel-pack --test; %1 is the entry's name, %2 a byte offset. The local header
        //: is the record in front of an entry's data.
        return QCoreApplication::translate("PackageTest", "%1: no local header at byte %2")
            .arg(name, num(p.At));
    case K::LocalDiffers:
        //: vendrel-pack --test; %1 is the entry's name, %2 a field of the zip format (name,
        //: method, flags, CRC, sizes, data descriptor), never translated.
        return QCoreApplication::translate(
                   "PackageTest", "%1: the local header's %2 differs from the central directory's")
            .arg(name, QString::fromLatin1(p.Field));
    case K::Unsupported:
        if (p.Found == 0xFFFFFFFF)
            //: vendrel-pack --test; %1 is the entry's name.
            return QCoreApplication::translate("PackageTest",
                                               "%1: encrypted, so it cannot be tested")
                .arg(name);
        //: vendrel-pack --test; %1 is the entry's name, %2 the number of the zip method.
        return QCoreApplication::translate(
                   "PackageTest",
                   "%1: compression method %2 cannot be tested (only stored and deflate)")
            .arg(name, num(p.Found));
    case K::BadData:
        //: vendrel-pack --test; %1 is the entry's name.
        return QCoreApplication::translate("PackageTest", "%1: the compressed data is damaged")
            .arg(name);
    case K::SizeDiffers:
        //: vendrel-pack --test; %1 is the entry's name, %2 and %3 numbers of bytes.
        return QCoreApplication::translate("PackageTest", "%1: %2 bytes unpacked, %3 recorded")
            .arg(name, num(p.Found), num(p.Expected));
    case K::CrcDiffers:
        //: vendrel-pack --test; %1 is the entry's name, %2 and %3 CRC-32 checksums in hex.
        return QCoreApplication::translate("PackageTest",
                                           "%1: the data's CRC is %2, the package records %3")
            .arg(name, crcText(p.Found), crcText(p.Expected));
    }
    return name;
}

QString nameLine(const PackageNameProblem& p, const QString& name, const QList<PackageEntry>& all,
                 const QString& kindCode) {
    using K = PackageNameProblem::Kind;
    switch (p.What) {
    case K::NotUtf8:
        //: vendrel-pack --test; %1 is the entry's name.
        return QCoreApplication::translate("PackageTest", "%1: the name is not UTF-8").arg(name);
    case K::Rooted:
        //: vendrel-pack --test; %1 is the entry's name. It would be unpacked at the top of
        //: a drive instead of in the install folder.
        return QCoreApplication::translate("PackageTest",
                                           "%1: unsafe name: it starts at the root of a drive")
            .arg(name);
    case K::Drive:
        //: vendrel-pack --test; %1 is the entry's name, %2 the drive part, such as C:.
        return QCoreApplication::translate("PackageTest", "%1: unsafe name: %2 names a drive")
            .arg(name, quoted(p.Component));
    case K::ClimbsOut:
        //: vendrel-pack --test; %1 is the entry's name; ".." is a step to the parent folder.
        return QCoreApplication::translate(
                   "PackageTest", "%1: unsafe name: \"..\" leads out of the install folder")
            .arg(name);
    case K::Unportable:
        //: vendrel-pack --test; %1 is the entry's name, %2 the part of it that the desktop
        //: the package is installed on cannot create.
        return QCoreApplication::translate(
                   "PackageTest",
                   "%1: unsafe name: %2 cannot be a file or folder name on the installing "
                   "desktop")
            .arg(name, quoted(p.Component));
    case K::FoldsTogether:
        //: vendrel-pack --test; %1 and %2 are entry names. The installing desktop ignores
        //: case, so both would be unpacked as one file.
        return QCoreApplication::translate(
                   "PackageTest",
                   "%1: unpacks as one file with %2 (the names are equal when case is ignored)")
            .arg(name, Printable(EntryNameText(all.at(p.Other))));
    case K::TooManyEntries:
        //: vendrel-pack --test; %1 is the number of entries, %2 the most a package holds.
        return QCoreApplication::translate("PackageTest", "%1 entries: a package holds at most %2")
            .arg(num(quint64(p.Other)), num(MaxPackageFiles));
    case K::NotDotRelative:
        //: vendrel-pack --test; %1 is the entry's name, %2 a kind code (DZT...).
        return QCoreApplication::translate(
                   "PackageTest", "%1: does not start with \".\\\" as the names of %2 packages do")
            .arg(name, kindCode);
    case K::NotFolderNamed:
        //: vendrel-pack --test; %1 is the entry's name, %2 the project folder's name, %3 a
        //: kind code (DZEP).
        return QCoreApplication::translate(
                   "PackageTest", "%1: does not start with %2 as the names of %3 packages do")
            .arg(name, quoted(p.Component + QLatin1Char('\\')), kindCode);
    case K::DotInRelative:
        //: vendrel-pack --test; %1 is the entry's name, %2 a kind code (DZS).
        return QCoreApplication::translate(
                   "PackageTest",
                   "%1: starts with \".\\\", which the names of %2 packages never do")
            .arg(name, kindCode);
    }
    return name;
}

QString sizeAndCrc(quint64 Size, quint32 Crc, bool WithCrc) {
    const QString size = PackReport::HumanBytes(qint64(Size));
    return WithCrc ? QStringLiteral("%1, CRC %2").arg(size, crcText(Crc)) : size;
}

QString differenceLine(const FolderDifference& d) {
    const QString name = Printable(d.Name);
    switch (d.What) {
    case FolderDifference::Kind::Missing:
        //: vendrel-pack --test with a project folder; %1 is an entry name.
        return QCoreApplication::translate("PackageTest",
                                           "%1: in the project folder, missing from the package")
            .arg(name);
    case FolderDifference::Kind::Extra:
        //: vendrel-pack --test with a project folder; %1 is an entry name.
        return QCoreApplication::translate("PackageTest",
                                           "%1: in the package, not in the project folder")
            .arg(name);
    case FolderDifference::Kind::Unread:
        //: vendrel-pack --test with a project folder; %1 is a file's path.
        return QCoreApplication::translate("PackageTest",
                                           "%1: cannot be read from the project folder")
            .arg(quoted(d.SourceFile));
    case FolderDifference::Kind::Changed:
        break;
    }
    const bool sameSize = d.PackageSize == d.FolderSize;
    //: vendrel-pack --test with a project folder; %1 is an entry name, %2 and %3 its size
    //: (and CRC-32 checksum) in the package and in the folder.
    return QCoreApplication::translate("PackageTest",
                                       "%1: changed (%2 in the package, %3 in the project folder)")
        .arg(name, sizeAndCrc(d.PackageSize, d.PackageCrc, sameSize),
             sizeAndCrc(d.FolderSize, d.FolderCrc, sameSize));
}

class PackageTest {
  public:
    PackageTest(const PackOptions& options, const ConsoleStreams& streams,
                const Exclusions& patterns)
        : m_options(options), m_streams(streams), m_patterns(patterns) {}
    int run();

  private:
    void line(const QString& text);
    int error(const QString& text);
    int compare(const QList<PackageEntry>& entries, std::optional<ArchiveNaming> naming);

    const PackOptions& m_options;
    const ConsoleStreams& m_streams;
    Exclusions m_patterns;
    qsizetype m_problems = 0;
    QString m_package;
    QString m_folder;
};

void PackageTest::line(const QString& text) {
    std::fputs((text + QLatin1Char('\n')).toUtf8().constData(), m_streams.Out);
}

int PackageTest::error(const QString& text) {
    std::fflush(m_streams.Out);
    std::fputs(QStringLiteral("vendrel-pack: %1\n").arg(text).toUtf8().constData(), m_streams.Err);
    return ExitCode::IoFailed;
}

int PackageTest::run() {
    m_package = AbsolutePath(m_options.Package);
    std::optional<KindCode> kind =
        m_options.KindGiven ? std::optional(m_options.Kind) : KindOfPackagePath(m_package);
    if (!m_options.ProjectFolder.isEmpty()) {
        m_folder = AbsolutePath(m_options.ProjectFolder);
        // What the folder's own list leaves out is no difference; a list that cannot be
        // read would make every file it names one.
        QString unread;
        if (AddIgnoreFile(m_folder, m_patterns, unread) != ExitCode::Success)
            return error(unread);
        for (const Exclusions::BadLine& bad : m_patterns.BadLines())
            std::fputs(QStringLiteral("vendrel-pack: %1\n")
                           .arg(Printable(IgnoredLineText(bad)))
                           .toUtf8()
                           .constData(),
                       m_streams.Err);
    }
    const PackageVerdict verdict = VerifyPackage(m_package);
    if (verdict.Outcome == PackageVerdict::Status::CannotOpen)
        //: vendrel-pack --test error; %1 is the package's path, %2 the system's reason.
        return error(QCoreApplication::translate("PackageTest", "cannot read %1: %2")
                         .arg(quoted(m_package), qt_error_string(verdict.ErrorNumber)));
    if (verdict.Outcome == PackageVerdict::Status::NotZip)
        //: vendrel-pack --test error; %1 is the package's path.
        return error(QCoreApplication::translate("PackageTest", "%1 is not a zip archive")
                         .arg(quoted(m_package)));
    const QString code = kind ? QString::fromLatin1(KindOf(*kind).CodeText) : QString();
    if (!m_options.Quiet)
        line(kind ? //: vendrel-pack --test, first line; %1 is the package's path, %2 its
                    //: kind code (DZT...).
                 QCoreApplication::translate("PackageTest", "Testing %1 as a %2 package")
                     .arg(quoted(m_package), code)
                  //: vendrel-pack --test, first line; %1 is the package's path. Its names
                  //: are then checked only for safety, not for a kind's naming.
                  : QCoreApplication::translate(
                        "PackageTest",
                        "Testing %1 as a plain zip archive: its extension names no package kind")
                        .arg(quoted(m_package)));
    const QList<PackageEntry>& entries = verdict.Entries;
    const auto nameOf = [&entries](qsizetype i) {
        return i >= 0 && i < entries.size() ? Printable(EntryNameText(entries.at(i))) : QString();
    };
    for (const PackageProblem& problem : verdict.Problems)
        line(byteLine(problem, nameOf(problem.Entry)));
    const std::optional<ArchiveNaming> naming =
        kind ? std::optional(KindOf(*kind).Naming) : std::nullopt;
    const QString folderName = m_folder.isEmpty() ? QString() : ProjectFolderName(m_folder);
    const QList<PackageNameProblem> nameProblems = PackageNameProblems(entries, naming, folderName);
    for (const PackageNameProblem& problem : nameProblems)
        line(nameLine(problem, nameOf(problem.Entry), entries, code));
    m_problems = verdict.Problems.size() + nameProblems.size();
    if (!m_folder.isEmpty()) {
        const int walked = compare(entries, naming);
        if (walked != ExitCode::Success)
            return walked;
    }
    if (m_problems > 0) {
        if (!m_options.Quiet)
            //: vendrel-pack --test, closing line; %1 is the package's path, %2 a number.
            line(QCoreApplication::translate("PackageTest", "%1: problems found: %2")
                     .arg(quoted(m_package), num(quint64(m_problems))));
        return ExitCode::PackageFaulty;
    }
    if (!m_options.Quiet)
        line(m_folder.isEmpty()
                 ? //: vendrel-pack --test, closing line; %1 is the path.
                 QCoreApplication::translate("PackageTest", "%1 is intact").arg(quoted(m_package))
                 //: vendrel-pack --test, closing line; %1 is the package's
                 //: path, %2 the project folder's.
                 : QCoreApplication::translate("PackageTest", "%1 is intact and matches %2")
                       .arg(quoted(m_package), quoted(m_folder)));
    return ExitCode::Success;
}

int PackageTest::compare(const QList<PackageEntry>& entries, std::optional<ArchiveNaming> naming) {
    const ArchiveNaming used =
        naming ? *naming : NamingOfEntries(entries, ProjectFolderName(m_folder));
    const FolderComparison comparison =
        CompareWithFolder(entries, m_folder, used, m_package, m_patterns);
    if (comparison.Outcome != PackJob::Outcome::Walked) {
        const QString why = comparison.Outcome == PackJob::Outcome::TooManyFiles
                                //: vendrel-pack --test error; %1 is the most files a package holds.
                                ? QCoreApplication::translate("PackageTest", "more than %1 files")
                                      .arg(num(MaxPackageFiles))
                                : Printable(comparison.Failure);
        std::fflush(m_streams.Out);
        //: vendrel-pack --test error; %1 is the project folder's path, %2 why it cannot be
        //: packed, as a pack reports it.
        const QString text =
            QCoreApplication::translate(
                "PackageTest", "%1 cannot be packed, so the package cannot be compared with it: %2")
                .arg(quoted(m_folder), why);
        std::fputs(QStringLiteral("vendrel-pack: %1\n").arg(text).toUtf8().constData(),
                   m_streams.Err);
        return ExitCode::WalkFailed;
    }
    for (const FolderDifference& difference : comparison.Differences)
        line(differenceLine(difference));
    m_problems += comparison.Differences.size();
    return ExitCode::Success;
}

} // namespace

int TestPackage(const PackOptions& Options, const ConsoleStreams& Streams,
                const Exclusions& Patterns) {
    return PackageTest(Options, Streams, Patterns).run();
}
