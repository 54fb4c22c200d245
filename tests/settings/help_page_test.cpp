// The help page staged beside the executable: every link and picture in it
// leads somewhere.
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QUrl>
#include <gtest/gtest.h>

namespace {
// The English page and its French edition, which the window opens in French.
const char* const kEditions[] = {"currency_converter.html", "currency_converter_fr.html"};
} // namespace

TEST(HelpPage, LinksAndPicturesResolve) {
    for (const char* edition : kEditions) {
        const QDir dir(QStringLiteral(KESTRUM_HELP_DIR));
        QFile file(dir.filePath(QLatin1String(edition)));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << "the build did not stage " << edition;
        const QString page = QString::fromUtf8(file.readAll());
        QStringList ids, targets;
        int pictures = 0;
        const QRegularExpression attribute(QStringLiteral("\\b(id|href|src)=\"([^\"]*)\""));
        for (auto it = attribute.globalMatch(page); it.hasNext();) {
            const auto match = it.next();
            (match.captured(1) == QLatin1String("id") ? ids : targets) << match.captured(2);
            pictures += match.captured(1) == QLatin1String("src");
        }
        EXPECT_GE(pictures, 2);
        for (const QString& target : targets) {
            const QUrl url(target);
            if (url.scheme().startsWith(QLatin1String("http")) ||
                url.scheme() == QLatin1String("mailto"))
                continue;
            EXPECT_TRUE(url.path().isEmpty() || QFileInfo(dir, url.path()).isFile())
                << target.toStdString();
            EXPECT_TRUE(!url.hasFragment() || ids.contains(url.fragment())) << target.toStdString();
        }
    }
}

// The About section the options dialog opens must follow the build's version.
TEST(HelpPage, AboutNamesVersionAndLicence) {
    for (const char* edition : kEditions) {
        QFile file(QDir(QStringLiteral(KESTRUM_HELP_DIR)).filePath(QLatin1String(edition)));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QString page = QString::fromUtf8(file.readAll());
        const qsizetype about = page.indexOf(QStringLiteral("id=\"about\""));
        ASSERT_GE(about, 0);
        const QString section = page.mid(about);
        EXPECT_TRUE(section.contains(QStringLiteral("Kestrum " KESTRUM_PROJECT_VERSION)));
        EXPECT_TRUE(section.contains(QStringLiteral("MIT licence")) ||
                    section.contains(QStringLiteral("licence MIT")))
            << edition;
    }
}
