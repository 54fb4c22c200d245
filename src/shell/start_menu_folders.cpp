#include "start_menu_folders.h"

#include "shell_link.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace kestrum {

namespace {

constexpr int kLongestShownPath = 70;
constexpr int kShownHead = 35;
constexpr int kShownTail = 33;

// ancestors holds the real paths from the root down to dir: a link back up
// the tree would otherwise be read forever.
void ReadBelow(const QString& dir, std::vector<FolderNode>& into, QStringList& ancestors) {
    QDirIterator entries(dir, QDir::AllEntries | QDir::Hidden | QDir::System);
    while (entries.hasNext()) {
        entries.next();
        const QFileInfo entry = entries.fileInfo();
        const QString name = entry.fileName();
        if (name.startsWith(QLatin1Char('.')) || !entry.isDir())
            continue;
        const QString real = entry.canonicalFilePath();
        if (ancestors.contains(real))
            continue;
        FolderNode node{name, {}};
        ancestors.append(real);
        ReadBelow(dir + QLatin1Char(kFolderSeparator) + name, node.children, ancestors);
        ancestors.removeLast();
        into.push_back(std::move(node));
    }
}

} // namespace

std::vector<FolderNode> ReadFolderTree(const QString& dir) {
    std::vector<FolderNode> tree;
    if (!IsDirectory(dir))
        return tree;
    QStringList ancestors{QFileInfo(dir).canonicalFilePath()};
    ReadBelow(dir, tree, ancestors);
    return tree;
}

QString DisplayedPath(const QString& path) {
    if (path.size() <= kLongestShownPath)
        return path;
    return path.left(kShownHead) + QStringLiteral(" ... ") + path.right(kShownTail);
}

int MakeFolder(const QString& path) {
    return ::mkdir(QFile::encodeName(path).constData(), 0755) == 0 ? 0 : errno;
}

QString FolderErrorText(int code) {
    return QCoreApplication::translate("kestrum::TStartMenuTreeForm",
                                       "The folder was not made.  Code: %1.\n%2")
        .arg(code)
        .arg(QString::fromLocal8Bit(std::strerror(code)));
}

} // namespace kestrum
