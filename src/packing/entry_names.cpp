#include "packing/entry_names.h"

#include <QCoreApplication>
#include <QStringView>

namespace {

const QString ForbiddenCharacters = QStringLiteral("\\:<>\"|?*");

// The first character a name may not hold, or a null one.
QChar forbiddenCharacter(const QString& Name) {
    for (const QChar ch : Name) {
        if (ch.unicode() < 0x20 || ForbiddenCharacters.contains(ch))
            return ch;
    }
    return QChar();
}

// The part before the first "." names the device: "nul.txt" and "Com1.tar.gz" are devices,
// and so is "CON .txt", whose spaces are dropped before the extension.
bool isDeviceName(const QString& Name, QString& Device) {
    QStringView base = QStringView(Name).left(Name.indexOf(QLatin1Char('.')));
    while (base.endsWith(QLatin1Char(' ')))
        base.chop(1);
    for (const char* device : {"CON", "PRN", "AUX", "NUL"}) {
        if (base.compare(QLatin1String(device), Qt::CaseInsensitive) == 0) {
            Device = QLatin1String(device);
            return true;
        }
    }
    if (base.size() != 4 || base.at(3) < QLatin1Char('1') || base.at(3) > QLatin1Char('9'))
        return false;
    const QStringView stem = base.left(3);
    if (stem.compare(QLatin1String("COM"), Qt::CaseInsensitive) != 0 &&
        stem.compare(QLatin1String("LPT"), Qt::CaseInsensitive) != 0)
        return false;
    Device = base.toString().toUpper();
    return true;
}

NameFault faultOfCharacter(QChar Ch) {
    if (Ch.unicode() < 0x20)
        return NameFault::Control;
    if (Ch == QLatin1Char('\\'))
        return NameFault::Backslash;
    if (Ch == QLatin1Char(':'))
        return NameFault::Colon;
    return NameFault::Reserved;
}

} // namespace

NameCheck CheckEntryName(const QString& Name) {
    NameCheck check;
    if (Name.isEmpty()) {
        check.Fault = NameFault::Empty;
        return check;
    }
    check.Character = forbiddenCharacter(Name);
    if (!check.Character.isNull()) {
        check.Fault = faultOfCharacter(check.Character);
        return check;
    }
    if (Name.endsWith(QLatin1Char('.')))
        check.Fault = NameFault::TrailingDot;
    else if (Name.endsWith(QLatin1Char(' ')))
        check.Fault = NameFault::TrailingSpace;
    else if (isDeviceName(Name, check.Device))
        check.Fault = NameFault::Device;
    return check;
}

bool IsPortableEntryName(const QString& Name) {
    return CheckEntryName(Name).Fault == NameFault::None;
}

QString NameFaultText(const NameCheck& Check) {
    switch (Check.Fault) {
    case NameFault::None:
        return QString();
    case NameFault::Empty:
        //: vendrel-pack --check: why a name cannot go into a package.
        return QCoreApplication::translate("EntryNames", "the name is empty");
    case NameFault::Backslash:
        //: vendrel-pack --check: why a name cannot go into a package. Keep "\" as it is.
        return QCoreApplication::translate(
            "EntryNames", "holds \"\\\", which separates folders inside a package");
    case NameFault::Colon:
        //: vendrel-pack --check: why a name cannot go into a package. Keep ":" as it is; the
        //: installing desktop is the computer the package is installed on.
        return QCoreApplication::translate(
            "EntryNames", "holds \":\", which names a drive or a stream on the installing desktop");
    case NameFault::Reserved:
        //: vendrel-pack --check: why a name cannot go into a package. %1 is one of < > " | ? *.
        return QCoreApplication::translate(
                   "EntryNames",
                   "holds \"%1\", which the installing desktop does not allow in names")
            .arg(Check.Character);
    case NameFault::Control:
        //: vendrel-pack --check: why a name cannot go into a package. %1 is a character code
        //: such as U+0007.
        return QCoreApplication::translate("EntryNames", "holds the control character %1")
            .arg(QStringLiteral("U+") + QStringLiteral("%1")
                                            .arg(Check.Character.unicode(), 4, 16, QLatin1Char('0'))
                                            .toUpper());
    case NameFault::TrailingDot:
        //: vendrel-pack --check: why a name cannot go into a package.
        return QCoreApplication::translate("EntryNames",
                                           "ends in a dot, which the installing desktop drops");
    case NameFault::TrailingSpace:
        //: vendrel-pack --check: why a name cannot go into a package.
        return QCoreApplication::translate("EntryNames",
                                           "ends in a space, which the installing desktop drops");
    case NameFault::Device:
        //: vendrel-pack --check: why a name cannot go into a package. %1 is a device name such
        //: as NUL or COM1, never translated.
        return QCoreApplication::translate("EntryNames", "device name %1 on the installing desktop")
            .arg(Check.Device);
    }
    return QString();
}
