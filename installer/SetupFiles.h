#pragma once

#include <QString>

// File work shared by the installer and the uninstaller.

// folder + "/" + name, with no doubled separator.
QString JoinPath(const QString& folder, const QString& name);

// Deletes the file `name` in `folder`, matched exactly: names that differ only in case are
// other files here, most likely a user's. A folder or a link to one is never deleted.
// Returns true when a file was deleted.
bool DeleteProductFile(const QString& folder, const QString& name);

// The text of a desktop entry that starts `target` in `workingFolder`, shown with the icon
// file `icon` (an absolute path; empty: none).
QString DesktopEntryText(const QString& target, const QString& description,
                         const QString& workingFolder, const QString& icon = QString());

// Writes the desktop entry `link` for `target`. Returns 0, or -1 when the file cannot be
// written.
int CreateShortcut(const QString& target, const QString& link, const QString& description,
                   const QString& workingFolder, const QString& icon = QString());

// Where the program's icon is installed for its desktop entries: in the user's icon theme
// folder (hicolor, 32 x 32).
QString ProgramIconPath();
