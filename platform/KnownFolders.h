#pragma once

#include <QString>

// The folders the installer and the program place things in.
namespace KnownFolders {

// Where programs are installed: /opt for root, ~/.local/opt for a user.
QString ProgramFiles();

// The user's desktop folder (XDG_DESKTOP_DIR, else ~/Desktop).
QString Desktop();

// The applications menu folder of desktop entries (XDG_DATA_HOME/applications).
QString ApplicationsMenu();

// The user's hicolor icon theme folder (XDG_DATA_HOME/icons/hicolor).
QString IconTheme();

// The user's configuration folder (XDG_CONFIG_HOME, else ~/.config).
QString Configuration();

} // namespace KnownFolders
