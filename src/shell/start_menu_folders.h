#pragma once

#include <QString>
#include <vector>

namespace kestrum {

// One folder below the Start-menu folder and everything below it.
struct FolderNode {
    QString name;
    std::vector<FolderNode> children;
};

// Every folder below dir, to the whole depth, in the order the file system
// lists them; names starting with "." and plain files are left out. Empty
// when dir is not a directory.
std::vector<FolderNode> ReadFolderTree(const QString& dir);

// A path as the chooser's edit shows it: over 70 characters, the first 35,
// " ... " and the last 33.
QString DisplayedPath(const QString& path);

// Makes one directory; 0 or the system's error code.
int MakeFolder(const QString& path);

// The error text for a folder the system refused to make.
QString FolderErrorText(int code);

} // namespace kestrum
