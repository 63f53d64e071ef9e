#include "paired_ratios.h"

#include <algorithm>

namespace {

// What a ratio compares: wall time unless named otherwise.
enum class Measure { Wall, Cpu, Bytes };

// A ratio worth reporting: Name's time over Base's, and its targets on the trees that have one.
struct RatioDefinition {
    QString Name;
    QString Base;
    double SmallTarget = 0;   // on the tree of many small files
    double DefaultTarget = 0; // on the template tree
    Measure Of = Measure::Wall;
};

const QList<RatioDefinition>& ratioDefinitions() {
    static const QList<RatioDefinition> definitions{
        {QStringLiteral("vendrel-pack"), QStringLiteral("zip"), 0.6, 0.18},
        {QStringLiteral("vendrel-pack 1 core"), QStringLiteral("zip 1 core"), 0.9, 0.32},
        {QStringLiteral("vendrel-pack"), QStringLiteral("read tree"), 2.5, 4},
        {QStringLiteral("zip"), QStringLiteral("read tree"), 0, 0},
        {QStringLiteral("7z"), QStringLiteral("zip"), 0, 0},
        {QStringLiteral("bsdtar"), QStringLiteral("zip"), 0, 0},
        // Only with --features; like for like: both walks in this process.
        {QStringLiteral("check walk"), QStringLiteral("pack walk"), 1, 1},
        {QStringLiteral("check"), QStringLiteral("pack walk"), 0, 0},
        {QStringLiteral("pack start-up"), QStringLiteral("check"), 0, 0},
        {QStringLiteral("test"), QStringLiteral("unzip -t"), 0.5, 0.5},
        {QStringLiteral("test"), QStringLiteral("7z t"), 1, 1},
        {QStringLiteral("level 1"), QStringLiteral("vendrel-pack"), 0.7, 0.7},
        {QStringLiteral("level 1"), QStringLiteral("vendrel-pack"), 0, 0, Measure::Cpu},
        {QStringLiteral("level 9"), QStringLiteral("vendrel-pack"), 0, 0},
        {QStringLiteral("level 9"), QStringLiteral("zip -9"), 0, 0},
        {QStringLiteral("level 9"), QStringLiteral("zip -9"), 0, 0, Measure::Bytes},
    };
    return definitions;
}

double median(QList<double> Values) {
    if (Values.isEmpty())
        return 0;
    std::sort(Values.begin(), Values.end());
    const qsizetype middle = Values.size() / 2;
    return Values.size() % 2 ? Values.at(middle) : (Values.at(middle - 1) + Values.at(middle)) / 2;
}

const CommandFigures* named(const QList<CommandFigures>& Round, const QString& Name) {
    for (const CommandFigures& command : Round) {
        if (command.Name == Name)
            return command.Succeeded && command.WallSeconds > 0 ? &command : nullptr;
    }
    return nullptr;
}

double targetOn(const QString& Tree, const RatioDefinition& Ratio) {
    if (Tree == QLatin1String("small"))
        return Ratio.SmallTarget;
    return Tree == QLatin1String("default") ? Ratio.DefaultTarget : 0;
}

double measured(const CommandFigures& Command, Measure Of) {
    switch (Of) {
    case Measure::Cpu:
        return Command.CpuSeconds;
    case Measure::Bytes:
        return double(Command.ArchiveBytes);
    case Measure::Wall:
        break;
    }
    return Command.WallSeconds;
}

QString suffix(Measure Of) {
    switch (Of) {
    case Measure::Cpu:
        return QStringLiteral(" (CPU)");
    case Measure::Bytes:
        return QStringLiteral(" (bytes)");
    case Measure::Wall:
        break;
    }
    return QString();
}

} // namespace

QList<PairedRatio> PairedRatios(const QString& Tree, const QList<QList<CommandFigures>>& Rounds) {
    QList<PairedRatio> ratios;
    for (const RatioDefinition& ratio : ratioDefinitions()) {
        QList<double> values;
        QList<double> loads;
        for (const QList<CommandFigures>& round : Rounds) {
            const CommandFigures* top = named(round, ratio.Name);
            const CommandFigures* base = named(round, ratio.Base);
            if (!top || !base || measured(*base, ratio.Of) <= 0)
                continue;
            values << measured(*top, ratio.Of) / measured(*base, ratio.Of);
            loads << (top->OtherLoadCores * top->WallSeconds +
                      base->OtherLoadCores * base->WallSeconds) /
                         (top->WallSeconds + base->WallSeconds);
        }
        if (values.isEmpty())
            continue;
        ratios << PairedRatio{ratio.Name + QStringLiteral(" / ") + ratio.Base + suffix(ratio.Of),
                              median(values),
                              *std::min_element(values.begin(), values.end()),
                              *std::max_element(values.begin(), values.end()),
                              int(values.size()),
                              targetOn(Tree, ratio),
                              median(loads)};
    }
    return ratios;
}

CommandFigures MedianFigures(const QList<CommandFigures>& Runs) {
    if (Runs.isEmpty())
        return {};
    QList<double> walls;
    QList<double> cpus;
    QList<double> loads;
    for (const CommandFigures& run : Runs) {
        if (run.Ran && !run.Succeeded)
            return run;
        walls << run.WallSeconds;
        cpus << run.CpuSeconds;
        loads << run.OtherLoadCores;
    }
    CommandFigures figures = Runs.first();
    figures.WallSeconds = median(walls);
    figures.CpuSeconds = median(cpus);
    figures.OtherLoadCores = median(loads);
    return figures;
}
