#include "packing/template_kind.h"

const std::array<TemplateKind, 6>& TemplateKinds() {
    static const std::array<TemplateKind, 6> kinds = {{
        {KindCode::DZEP, "DZEP", "cmdDZEP", "Generate DZEP File", "Frame2",
         "Express Project Installer Generator", "DZEP Files (*.dzep)", "*.dzep", ".dzep", "",
         ArchiveNaming::FolderNamed},
        {KindCode::DZT, "DZT", "cmdDZT", "Generate DZT File", "Frame3", "Title Installer Generator",
         "DZT Files (*.dzt)", "*.dzt", ".dzt", "", ArchiveNaming::DotRelative},
        {KindCode::DZTR, "DZTR", "cmdDZTR", "Generate DZTR File", "Frame4",
         "Transition Installer Generator", "DZTR Files (*.dztr)", "*.dztr", ".dztr",
         "C:\\MyStartFolder", ArchiveNaming::DotRelative},
        {KindCode::DZS, "DZS", "cmdDZS", "Generate DZS File", "Frame6",
         "Magic Style Installer Generator", "DZS Files (*.dzs)", "*.dzs", ".dzs", "",
         ArchiveNaming::Relative},
        {KindCode::DZM, "DZM", "cmdDZM", "Generate DZM File", "Frame8",
         "DVD Menu Installer Generator", "DZM Files (*.dzm)", "*.dzm", ".dzm", "",
         ArchiveNaming::DotRelative},
        {KindCode::DZP, "DZP", "cmdDZP", "Generate DZP File", "Frame7",
         "PiP Objects Installer Generator", "DZP Files (*.dzp)", "*.dzp", ".dzp", "",
         ArchiveNaming::DotRelative},
    }};
    return kinds;
}

const TemplateKind& KindOf(KindCode Code) {
    return TemplateKinds()[static_cast<std::size_t>(Code)];
}
