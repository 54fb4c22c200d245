#pragma once

#include "settings/build_info.h"

#include <QString>
#include <QStringList>

namespace kestrum {

enum class LinkPlace { lpDesktop, lpQuickLaunch, lpStartMenu };

// What MakeShellLink did. The dialogs ignore it: every failure is silent.
enum class LinkResult { Made, NoFolder, Exists, Failed };

// The name every link of the program ends up under.
inline constexpr const char* kLinkFileName = "Kestrum.desktop";
// The icon the desktop entry names: the installed icon's name.
inline constexpr const char* kIconName = build::kAppId;
// Separates the components of a folder path below the Start-menu folder.
inline constexpr char kFolderSeparator = '/';

// The folder a place stands for: the desktop directory when it exists, the
// applications directory (created when missing), or empty when the place is
// not recorded on this system (Quick Launch always).
QString ShellFolder(LinkPlace place);

// The applications directory, the Start menu of a freedesktop system; empty
// when it cannot be found or made.
QString ReadStartMenuFolder();

// True when something exists at the path and is a directory.
bool IsDirectory(const QString& path);

// One argument of an Exec line, quoted and escaped the desktop-entry way.
QString ExecArgument(const QString& argument);

// The whole desktop entry that starts target with the arguments.
QString DesktopEntryText(const QString& target, const QStringList& arguments = {});

// Writes "Kestrum.desktop" for target into the place's folder, or into the
// subfolder below it. An empty folder makes nothing, an existing entry is
// never touched, and a missing subfolder makes the write fail.
LinkResult MakeShellLink(const QString& target, LinkPlace place, const QString& subfolder,
                         const QStringList& arguments = {});

} // namespace kestrum
