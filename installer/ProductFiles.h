#pragma once

// Names the installer writes and the uninstaller removes. The data files carry the names the
// program opens them by: this platform's file names do not ignore case.
namespace ProductFiles {

constexpr double kVersion = 2.0;
constexpr const char* kProductFolder = "ZeltaIII";

constexpr const char* kProgram = "ZeltaIII";
constexpr const char* kResourceLibrary = "libZeltaIII.so";
constexpr const char* kUninstaller = "Uninstall";
constexpr const char* kModelLibrary = "vorncap.lib";
constexpr const char* kCatalogue = "cap.vorn";
constexpr const char* kServerSettings = "ZeltaIII.srv";
constexpr const char* kProxySettings = "ZeltaIII.ini";
constexpr const char* kDownloadedInstaller = "Installer";

// The desktop entry that stands for the program in the applications menu and on the desktop.
constexpr const char* kShortcut = "ZeltaIII.desktop";
constexpr const char* kShortcutDescription = "ZeltaIII";
// The program's icon that the desktop entries show, in the user's icon theme folder.
constexpr const char* kIconFile = "ZeltaIII.png";

constexpr const char* kUninstallParentKey =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
constexpr const char* kUninstallKey =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\ZeltaIII";
constexpr const char* kCurrentVersionKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";

constexpr const char* kInstallerMutex = "Vorn Company Install ZeltaII Mutex";
constexpr const char* kApplicationMutex = "Vorn Company ZeltaII Mutex";

// The previous generation, ZeltaII.
constexpr const char* kOldUninstallKey =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\ZeltaII";
constexpr const char* kOldShortcut = "ZeltaII.desktop";

} // namespace ProductFiles
