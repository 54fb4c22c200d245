// Desktop entries in the desktop and applications directories, and the
// folder tree below the applications directory.
#include "shell/shell_link.h"
#include "shell/start_menu_folders.h"
#include "shell_folders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

using namespace kestrum;
using namespace kestrum::test;

namespace {

const QString kTarget = QStringLiteral("/opt/tools/kestrum");

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString Entry(const QString& folder) {
    return folder + QStringLiteral("/Kestrum.desktop");
}

} // namespace

TEST(DesktopEntry, HoldsExactlyTheKeysAsked) {
    const QStringList lines = DesktopEntryText(kTarget).split(QLatin1Char('\n'));
    const QStringList expected{QStringLiteral("[Desktop Entry]"),
                               QStringLiteral("Type=Application"),
                               QStringLiteral("Name=Kestrum"),
                               QStringLiteral("Exec=/opt/tools/kestrum"),
                               QStringLiteral("Icon=kestrum"),
                               QStringLiteral("Terminal=false"),
                               QStringLiteral("Categories=Office;Finance;"),
                               QString()};
    EXPECT_EQ(lines, expected);
}

TEST(DesktopEntry, ExecArgumentQuoting) {
    struct Case {
        const char* path;
        const char* exec; // as written in the file
    };
    const Case cases[] = {
        {"/usr/bin/kestrum", "/usr/bin/kestrum"},
        {"/home/a b/kestrum", "\"/home/a b/kestrum\""},
        {"/x/100%/k", "/x/100%%/k"},
        {"/x/$HOME/k", "\"/x/\\\\$HOME/k\""},
        {"/x/say\"hi\"/k", "\"/x/say\\\\\"hi\\\\\"/k\""},
        {"/x/back\\slash", "\"/x/back\\\\\\\\slash\""},
        {"/x/line\nbreak", "\"/x/line\\nbreak\""},
        {"/x/caf\xc3\xa9/k", "/x/caf\xc3\xa9/k"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ExecArgument(QString::fromUtf8(c.path)), QString::fromUtf8(c.exec)) << c.path;
}

TEST(ShellLink, DesktopEntryContentModeAndNoSecondWrite) {
    ScopedShellFolders folders;
    ASSERT_EQ(MakeShellLink(kTarget, LinkPlace::lpDesktop, QString()), LinkResult::Made);
    const QString path = Entry(folders.Desktop());
    EXPECT_EQ(ReadFile(path), DesktopEntryText(kTarget).toUtf8());
    EXPECT_EQ(QFileInfo(path).permissions() & 0x7777,
              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadUser |
                  QFile::WriteUser | QFile::ExeUser | QFile::ReadGroup | QFile::ExeGroup |
                  QFile::ReadOther | QFile::ExeOther);
    EXPECT_EQ(folders.Files(), QStringList{QStringLiteral("Desktop/Kestrum.desktop")});

    // Another program's entry under the same name is never replaced.
    QFile::remove(path);
    QFile other(path);
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.write("mine");
    other.close();
    EXPECT_EQ(MakeShellLink(QStringLiteral("/elsewhere"), LinkPlace::lpDesktop, QString()),
              LinkResult::Exists);
    EXPECT_EQ(ReadFile(path), QByteArray("mine"));
}

TEST(ShellLink, PlacesAndSubfolders) {
    struct Case {
        bool withDesktop;
        LinkPlace place;
        const char* subfolder;
        const char* premade; // folder made below the applications directory first
        LinkResult result;
        const char* file; // the only file afterwards, or nothing
    };
    const Case cases[] = {
        {true, LinkPlace::lpStartMenu, "", "", LinkResult::Made,
         "data/applications/Kestrum.desktop"},
        {true, LinkPlace::lpStartMenu, "Programs/Tools", "Programs/Tools", LinkResult::Made,
         "data/applications/Programs/Tools/Kestrum.desktop"},
        {true, LinkPlace::lpStartMenu, "Missing", "", LinkResult::Failed, nullptr},
        {true, LinkPlace::lpQuickLaunch, "", "", LinkResult::NoFolder, nullptr},
        {false, LinkPlace::lpDesktop, "", "", LinkResult::NoFolder, nullptr},
    };
    for (const Case& c : cases) {
        ScopedShellFolders folders(c.withDesktop);
        QDir().mkpath(folders.StartMenu() + QLatin1Char('/') + QLatin1String(c.premade));
        EXPECT_EQ(MakeShellLink(kTarget, c.place, QString::fromLatin1(c.subfolder)), c.result)
            << c.subfolder;
        const QStringList expected =
            c.file ? QStringList{QString::fromLatin1(c.file)} : QStringList();
        EXPECT_EQ(folders.Files(), expected) << c.subfolder;
    }
}

TEST(ShellLink, DesktopsAcceptTheEntry) {
    const QString validator =
        QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    if (validator.isEmpty())
        GTEST_SKIP() << "desktop-file-validate is not installed (scripts/deps.sh installs it)";
    ScopedShellFolders folders;
    ASSERT_EQ(MakeShellLink(QStringLiteral("/home/a b/$kestrum"), LinkPlace::lpDesktop, QString()),
              LinkResult::Made);
    QProcess run;
    run.start(validator, {Entry(folders.Desktop())});
    ASSERT_TRUE(run.waitForFinished(30000));
    EXPECT_EQ(run.exitCode(), 0) << run.readAllStandardOutput().toStdString();
    EXPECT_TRUE(run.readAllStandardOutput().isEmpty());
}

TEST(FolderTree, ReadsFoldersOnlyToTheWholeDepth) {
    ScopedShellFolders folders;
    const QString menu = ReadStartMenuFolder();
    ASSERT_EQ(menu, folders.StartMenu());
    for (const char* dir : {"Programs/Startup/Deep/Deeper", "Games", ".hidden/Inside"})
        QDir(menu).mkpath(QLatin1String(dir));
    QFile(menu + QStringLiteral("/Programs/file.desktop")).open(QIODevice::WriteOnly);
    // A link back up the tree is shown once, not read forever.
    QFile::link(menu, menu + QStringLiteral("/Games/Loop"));

    std::vector<FolderNode> tree = ReadFolderTree(menu);
    ASSERT_EQ(tree.size(), 2u);
    std::sort(tree.begin(), tree.end(), [](auto& a, auto& b) { return a.name < b.name; });
    EXPECT_EQ(tree[0].name, QStringLiteral("Games"));
    EXPECT_TRUE(tree[0].children.empty());
    ASSERT_EQ(tree[1].children.size(), 1u);
    const FolderNode& startup = tree[1].children[0];
    EXPECT_EQ(startup.name, QStringLiteral("Startup"));
    ASSERT_EQ(startup.children.size(), 1u);
    ASSERT_EQ(startup.children[0].children.size(), 1u);
    EXPECT_EQ(startup.children[0].children[0].name, QStringLiteral("Deeper"));

    EXPECT_TRUE(ReadFolderTree(menu + QStringLiteral("/nothing")).empty());
}

TEST(FolderTree, DisplayedPathCutsOnlyBeyondSeventy) {
    const QString seventy =
        QString(QLatin1Char('a')).repeated(35) + QString(QLatin1Char('b')).repeated(35);
    EXPECT_EQ(DisplayedPath(seventy), seventy);
    const QString seventyOne = seventy + QLatin1Char('c');
    const QString shown = DisplayedPath(seventyOne);
    EXPECT_EQ(shown, QString(QLatin1Char('a')).repeated(35) + QStringLiteral(" ... ") +
                         QString(QLatin1Char('b')).repeated(32) + QLatin1Char('c'));
    EXPECT_EQ(shown.size(), 73);
}

TEST(FolderTree, RefusedFolderCarriesTheSystemsCode) {
    ScopedShellFolders folders;
    const int code = MakeFolder(folders.StartMenu() + QStringLiteral("/no/such/parent"));
    EXPECT_EQ(code, ENOENT);
    EXPECT_EQ(FolderErrorText(code),
              QStringLiteral("Win32 Error.  Code: 2.\nNo such file or directory"));
}
