#include "packing/template_kind.h"

#include <QCoreApplication>

// The captions and file-type descriptions are marked for translation here and translated
// where they are shown, in the context "TemplateKind".
const std::array<TemplateKind, 6>& TemplateKinds() {
    static const std::array<TemplateKind, 6> kinds = {{
        {KindCode::DZEP, "DZEP", "cmdDZEP",
         //: Button, 145 px wide; keep it short. DZEP is the file type, never translated.
         QT_TRANSLATE_NOOP("TemplateKind", "Generate DZEP File"), "Frame2",
         //: Frame title, 257 px wide; keep it short.
         QT_TRANSLATE_NOOP("TemplateKind", "Express Project Installer Generator"),
         //: File type in the save dialog; keep the pattern in parentheses as it is.
         QT_TRANSLATE_NOOP("TemplateKind", "DZEP Files (*.dzep)"), "*.dzep", ".dzep", "",
         ArchiveNaming::FolderNamed},
        {KindCode::DZT, "DZT", "cmdDZT",
         //: Button, 145 px wide; keep it short. DZT is the file type, never translated.
         QT_TRANSLATE_NOOP("TemplateKind", "Generate DZT File"), "Frame3",
         //: Frame title, 257 px wide; keep it short.
         QT_TRANSLATE_NOOP("TemplateKind", "Title Installer Generator"),
         //: File type in the save dialog; keep the pattern in parentheses as it is.
         QT_TRANSLATE_NOOP("TemplateKind", "DZT Files (*.dzt)"), "*.dzt", ".dzt", "",
         ArchiveNaming::DotRelative},
        {KindCode::DZTR, "DZTR", "cmdDZTR",
         //: Button, 145 px wide; keep it short. DZTR is the file type, never translated.
         QT_TRANSLATE_NOOP("TemplateKind", "Generate DZTR File"), "Frame4",
         //: Frame title, 257 px wide; keep it short.
         QT_TRANSLATE_NOOP("TemplateKind", "Transition Installer Generator"),
         //: File type in the save dialog; keep the pattern in parentheses as it is.
         QT_TRANSLATE_NOOP("TemplateKind", "DZTR Files (*.dztr)"), "*.dztr", ".dztr",
         "C:\\MyStartFolder", ArchiveNaming::DotRelative},
        {KindCode::DZS, "DZS", "cmdDZS",
         //: Button, 145 px wide; keep it short. DZS is the file type, never translated.
         QT_TRANSLATE_NOOP("TemplateKind", "Generate DZS File"), "Frame6",
         //: Frame title, 257 px wide; keep it short. Magic Style is the name of a template
         //: family in the video editor.
         QT_TRANSLATE_NOOP("TemplateKind", "Magic Style Installer Generator"),
         //: File type in the save dialog; keep the pattern in parentheses as it is.
         QT_TRANSLATE_NOOP("TemplateKind", "DZS Files (*.dzs)"), "*.dzs", ".dzs", "",
         ArchiveNaming::Relative},
        {KindCode::DZM, "DZM", "cmdDZM",
         //: Button, 145 px wide; keep it short. DZM is the file type, never translated.
         QT_TRANSLATE_NOOP("TemplateKind", "Generate DZM File"), "Frame8",
         //: Frame title, 257 px wide; keep it short.
         QT_TRANSLATE_NOOP("TemplateKind", "DVD Menu Installer Generator"),
         //: File type in the save dialog; keep the pattern in parentheses as it is.
         QT_TRANSLATE_NOOP("TemplateKind", "DZM Files (*.dzm)"), "*.dzm", ".dzm", "",
         ArchiveNaming::DotRelative},
        {KindCode::DZP, "DZP", "cmdDZP",
         //: Button, 145 px wide; keep it short. DZP is the file type, never translated.
         QT_TRANSLATE_NOOP("TemplateKind", "Generate DZP File"), "Frame7",
         //: Frame title, 257 px wide; keep it short. PiP: picture in picture.
         QT_TRANSLATE_NOOP("TemplateKind", "PiP Objects Installer Generator"),
         //: File type in the save dialog; keep the pattern in parentheses as it is.
         QT_TRANSLATE_NOOP("TemplateKind", "DZP Files (*.dzp)"), "*.dzp", ".dzp", "",
         ArchiveNaming::DotRelative},
    }};
    return kinds;
}

const TemplateKind& KindOf(KindCode Code) {
    return TemplateKinds()[static_cast<std::size_t>(Code)];
}

QString KindText(const char* Text) {
    return QCoreApplication::translate("TemplateKind", Text);
}
