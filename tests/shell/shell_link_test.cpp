// Desktop entries in the desktop and applications directories, and the
// folder tree below the applications directory.
#include "shell/shell_link.h"
#include "shell/start_menu_folders.h"
#include "shell_folders.h"

#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace kestrum;
using namespace kestrum::test;

namespace {

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST(ShellLink, ExecArgumentQuoting) {
    const std::pair<const char*, const char*> cases[] = {
        {"/usr/bin/kestrum", "/usr/bin/kestrum"},
        {"/home/a b/k", "\"/home/a b/k\""},
        {"/x/100%/k", "/x/100%%/k"},
        {"/x/$H\"`/k", "\"/x/\\\\$H\\\\\"\\\\`/k\""}, // escaped in quotes, then as a string
        {"/x/back\\slash", "\"/x/back\\\\\\\\slash\""},
        {"/x/line\nbreak", "\"/x/line\\nbreak\""},
    };
    for (const auto& [path, exec] : cases)
        EXPECT_EQ(ExecArgument(QString::fromUtf8(path)), QString::fromUtf8(exec)) << path;
}

// A run with its own data folder writes entries that start it there.
TEST(ShellLink, ArgumentsFollowTheTarget) {
    ScopedShellFolders folders;
    ASSERT_EQ(MakeShellLink(QStringLiteral("/usr/bin/kestrum"), LinkPlace::lpDesktop, QString(),
                            {QStringLiteral("--data-dir"), QStringLiteral("/home/a/my rates")}),
              LinkResult::Made);
    const QString path = folders.Desktop() + QStringLiteral("/Kestrum.desktop");
    EXPECT_TRUE(
        ReadFile(path).contains("\nExec=/usr/bin/kestrum --data-dir \"/home/a/my rates\"\n"));
    const QString validator =
        QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    if (!validator.isEmpty()) {
        QProcess run;
        run.start(validator, {path});
        ASSERT_TRUE(run.waitForFinished(30000));
        EXPECT_EQ(run.exitCode(), 0) << run.readAll().constData();
    }
}

TEST(ShellLink, DesktopEntryIsWrittenOnceWithItsMode) {
    ScopedShellFolders folders;
    const QString target = QStringLiteral("/home/a b/$kestrum");
    ASSERT_EQ(MakeShellLink(target, LinkPlace::lpDesktop, QString()), LinkResult::Made);
    const QString path = folders.Desktop() + QStringLiteral("/Kestrum.desktop");
    EXPECT_EQ(ReadFile(path),
              QByteArray("[Desktop Entry]\nType=Application\nName=Kestrum\n"
                         "Exec=\"/home/a b/\\\\$kestrum\"\nIcon=io.github.kestrum.Kestrum\n"
                         "Terminal=false\nCategories=Office;Finance;\n"));
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0755u);

    const QString validator =
        QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    if (!validator.isEmpty()) { // scripts/deps.sh installs it
        QProcess run;
        run.start(validator, {path});
        ASSERT_TRUE(run.waitForFinished(30000));
        EXPECT_EQ(run.exitCode(), 0);
    }

    // An entry already there, ours or not, is never replaced.
    QFile::remove(path);
    QFile other(path);
    ASSERT_TRUE(other.open(QIODevice::WriteOnly) && other.write("mine") == 4);
    other.close();
    EXPECT_EQ(MakeShellLink(target, LinkPlace::lpDesktop, QString()), LinkResult::Exists);
    EXPECT_EQ(ReadFile(path), QByteArray("mine"));
}

TEST(ShellLink, PlacesAndSubfolders) {
    const struct {
        bool withDesktop;
        LinkPlace place;
        const char* subfolder;
        LinkResult result;
        const char* file; // the only file afterwards, or none
    } cases[] = {
        {true, LinkPlace::lpStartMenu, "", LinkResult::Made, "data/applications/Kestrum.desktop"},
        {true, LinkPlace::lpStartMenu, "Programs/Tools", LinkResult::Made,
         "data/applications/Programs/Tools/Kestrum.desktop"},
        {true, LinkPlace::lpStartMenu, "Missing", LinkResult::Failed, nullptr},
        {true, LinkPlace::lpQuickLaunch, "", LinkResult::NoFolder, nullptr},
        {false, LinkPlace::lpDesktop, "", LinkResult::NoFolder, nullptr},
    };
    for (const auto& c : cases) {
        ScopedShellFolders folders(c.withDesktop);
        QDir().mkpath(folders.StartMenu() + QStringLiteral("/Programs/Tools"));
        EXPECT_EQ(MakeShellLink(QStringLiteral("/k"), c.place, QString::fromLatin1(c.subfolder)),
                  c.result);
        EXPECT_EQ(folders.Files(),
                  c.file ? QStringList{QString::fromLatin1(c.file)} : QStringList())
            << c.subfolder;
    }
}

TEST(ShellLink, DisplayedPathCutsOnlyBeyondSeventy) {
    const QString seventy = QString(35, QLatin1Char('a')) + QString(35, QLatin1Char('b'));
    EXPECT_EQ(DisplayedPath(seventy), seventy);
    EXPECT_EQ(DisplayedPath(seventy + QLatin1Char('c')),
              QString(35, QLatin1Char('a')) + QStringLiteral(" ... ") +
                  QString(32, QLatin1Char('b')) + QLatin1Char('c'));
}
