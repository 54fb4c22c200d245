// The help page staged beside the executable: every link and picture in it
// leads somewhere.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

QString StagedPage() {
    return QStringLiteral(KESTRUM_HELP_DIR "/currency_converter.html");
}

QString ReadPage() {
    QFile file(StagedPage());
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QStringList Attributes(const QString& page, const char* name) {
    QStringList values;
    const QRegularExpression pattern(QStringLiteral("\\b%1=\"([^\"]*)\"").arg(QLatin1String(name)));
    for (auto match = pattern.globalMatch(page); match.hasNext();)
        values << match.next().captured(1);
    return values;
}

} // namespace

TEST(HelpPage, LinksAndPicturesResolve) {
    const QString page = ReadPage();
    ASSERT_FALSE(page.isEmpty()) << "not staged: " << StagedPage().toStdString();
    const QStringList ids = Attributes(page, "id");
    const QStringList pictures = Attributes(page, "src");
    EXPECT_GE(pictures.size(), 2);
    for (const QString& target : Attributes(page, "href") + pictures) {
        const QUrl url(target);
        if (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https") ||
            url.scheme() == QLatin1String("mailto"))
            continue;
        if (!url.path().isEmpty()) {
            EXPECT_TRUE(QFileInfo(QFileInfo(StagedPage()).dir(), url.path()).isFile())
                << target.toStdString();
        }
        if (url.hasFragment()) {
            EXPECT_TRUE(ids.contains(url.fragment())) << target.toStdString();
        }
    }
}
