#pragma once

#include <QString>
#include <QStringList>

// The shell's "open" verb and the recycle bin.
namespace Shell {

// Starts `program` detached, with `arguments` and working folder `workingFolder` (empty: the
// current one). Returns false when the program could not be started.
bool StartProgram(const QString& program, const QStringList& arguments,
                  const QString& workingFolder = QString());

// Opens a URL (for example "mailto:...") with the user's preferred application.
bool OpenUrl(const QString& url);

// Moves a file or folder to the trash; returns false when it could not be moved.
bool MoveToTrash(const QString& path);

} // namespace Shell
