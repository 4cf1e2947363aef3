#include "Shell.h"

#include <QDesktopServices>
#include <QFile>
#include <QProcess>
#include <QUrl>

namespace Shell {

bool StartProgram(const QString& program, const QStringList& arguments,
                  const QString& workingFolder) {
    return QProcess::startDetached(program, arguments, workingFolder);
}

bool OpenUrl(const QString& url) { return QDesktopServices::openUrl(QUrl(url)); }

bool MoveToTrash(const QString& path) { return QFile::moveToTrash(path); }

} // namespace Shell
