#pragma once

class Platform;

// The two banners of the window and the web pages they open.
namespace BannerLinks {

// The top banner (Picture1): a page with free templates.
inline constexpr char TemplatesUrl[] = "https://templates.vendrel.example/free";
// The lower banner (Image1): the donation page.
inline constexpr char DonateUrl[] = "https://vendrel.example/donate";

enum class Banner { Top, Lower };

// A click on a banner: opens its page in the user's browser.
void OpenBannerLink(Platform& Platform, Banner Which);

} // namespace BannerLinks
