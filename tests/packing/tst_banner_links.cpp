#include "packing/banner_links.h"

#include "fake_platform.h"

#include <QTest>
#include <QUrl>

class tst_BannerLinks : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void eachBannerOpensItsPage();
    void addressesAreReservedExamples();
};

void tst_BannerLinks::eachBannerOpensItsPage() {
    FakePlatform platform;
    BannerLinks::OpenBannerLink(platform, BannerLinks::Banner::Top);
    BannerLinks::OpenBannerLink(platform, BannerLinks::Banner::Lower);
    QCOMPARE(platform.OpenedUrls, (QStringList{QString::fromLatin1(BannerLinks::TemplatesUrl),
                                               QString::fromLatin1(BannerLinks::DonateUrl)}));
}

void tst_BannerLinks::addressesAreReservedExamples() {
    // Until the project has a site of its own, the links stay under the reserved domain.
    for (const char* address : {BannerLinks::TemplatesUrl, BannerLinks::DonateUrl}) {
        const QUrl url(QString::fromLatin1(address));
        QVERIFY(url.isValid());
        QCOMPARE(url.scheme(), QStringLiteral("https"));
        QVERIFY(url.host().endsWith(QStringLiteral(".example")));
    }
    QVERIFY(qstrcmp(BannerLinks::TemplatesUrl, BannerLinks::DonateUrl) != 0);
}

QTEST_GUILESS_MAIN(tst_BannerLinks)
#include "tst_banner_links.moc"
