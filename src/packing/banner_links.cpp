#include "packing/banner_links.h"

#include "packing/platform.h"

#include <QString>

namespace BannerLinks {

void OpenBannerLink(Platform& Platform, Banner Which) {
    // Whether a browser opened is not ours to know; the platform stays silent on failure.
    Platform.OpenUrl(QString::fromLatin1(Which == Banner::Top ? TemplatesUrl : DonateUrl));
}

} // namespace BannerLinks
