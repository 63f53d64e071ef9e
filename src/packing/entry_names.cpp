#include "packing/entry_names.h"

#include <QStringView>

namespace {

const QString ForbiddenCharacters = QStringLiteral("\\:<>\"|?*");

bool holdsForbiddenCharacter(const QString& Name) {
    for (const QChar ch : Name) {
        if (ch.unicode() < 0x20 || ForbiddenCharacters.contains(ch))
            return true;
    }
    return false;
}

// The part before the first "." names the device: "nul.txt" and "Com1.tar.gz" are devices,
// and so is "CON .txt", whose spaces are dropped before the extension.
bool isDeviceName(const QString& Name) {
    QStringView base = QStringView(Name).left(Name.indexOf(QLatin1Char('.')));
    while (base.endsWith(QLatin1Char(' ')))
        base.chop(1);
    for (const char* device : {"CON", "PRN", "AUX", "NUL"}) {
        if (base.compare(QLatin1String(device), Qt::CaseInsensitive) == 0)
            return true;
    }
    if (base.size() != 4 || base.at(3) < QLatin1Char('1') || base.at(3) > QLatin1Char('9'))
        return false;
    const QStringView stem = base.left(3);
    return stem.compare(QLatin1String("COM"), Qt::CaseInsensitive) == 0 ||
           stem.compare(QLatin1String("LPT"), Qt::CaseInsensitive) == 0;
}

} // namespace

bool IsPortableEntryName(const QString& Name) {
    if (Name.isEmpty() || holdsForbiddenCharacter(Name))
        return false;
    if (Name.endsWith(QLatin1Char('.')) || Name.endsWith(QLatin1Char(' ')))
        return false;
    return !isDeviceName(Name);
}
