#pragma once

#include <QString>

// File work shared by the installer and the uninstaller.

// folder + "/" + name, with no doubled separator.
QString JoinPath(const QString& folder, const QString& name);

// Deletes every file in `folder` whose name equals `name` without regard to case (the product
// was named in mixed case once: "Cap.vorn" and "cap.vorn" are the same file to it). Folders
// are never deleted. Returns the number of files deleted.
int DeleteFileIgnoringCase(const QString& folder, const QString& name);

// The text of a desktop entry that starts `target` in `workingFolder`.
QString DesktopEntryText(const QString& target, const QString& description,
                         const QString& workingFolder);

// Writes the desktop entry `link` for `target`. Returns 0, or -1 when the file cannot be
// written.
int CreateShortcut(const QString& target, const QString& link, const QString& description,
                   const QString& workingFolder);
