#include "SetupFiles.h"

#include "KnownFolders.h"
#include "ProductFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

QString JoinPath(const QString& folder, const QString& name) {
    if (folder.endsWith(QLatin1Char('/')))
        return folder + name;
    return folder + QLatin1Char('/') + name;
}

bool DeleteProductFile(const QString& folder, const QString& name) {
    if (folder.isEmpty() || name.isEmpty() || name.contains(QLatin1Char('/')))
        return false;
    const QString path = JoinPath(folder, name);
    const QFileInfo info(path);
    if (info.isDir() && !info.isSymLink())
        return false;
    return QFile::remove(path);
}

namespace {

// A value of type string in a desktop entry: "\" and the control characters are escaped.
QString EscapeString(const QString& text) {
    QString out;
    for (QChar c : text) {
        if (c == QLatin1Char('\\'))
            out += QStringLiteral("\\\\");
        else if (c == QLatin1Char('\n'))
            out += QStringLiteral("\\n");
        else if (c == QLatin1Char('\t'))
            out += QStringLiteral("\\t");
        else if (c == QLatin1Char('\r'))
            out += QStringLiteral("\\r");
        else
            out += c;
    }
    return out;
}

// One argument of the Exec key: always quoted, with the four characters that quoting does not
// protect escaped, and "%" doubled so that it is not read as a field code.
QString QuoteExecArgument(const QString& argument) {
    QString out = QStringLiteral("\"");
    for (QChar c : argument) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') ||
            c == QLatin1Char('\\'))
            out += QLatin1Char('\\');
        if (c == QLatin1Char('%'))
            out += QLatin1Char('%');
        out += c;
    }
    return out + QLatin1Char('"');
}

} // namespace

QString DesktopEntryText(const QString& target, const QString& description,
                         const QString& workingFolder, const QString& icon) {
    QString name = QFileInfo(target).fileName();
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Version=1.0\n") +
           QStringLiteral("Name=") + EscapeString(name) + QLatin1Char('\n') +
           QStringLiteral("Comment=") + EscapeString(description) + QLatin1Char('\n') +
           QStringLiteral("Exec=") + EscapeString(QuoteExecArgument(target)) + QLatin1Char('\n') +
           QStringLiteral("Path=") + EscapeString(workingFolder) + QLatin1Char('\n') +
           (icon.isEmpty() ? QString()
                           : QStringLiteral("Icon=") + EscapeString(icon) + QLatin1Char('\n')) +
           QStringLiteral("Terminal=false\n"
                          "Categories=Science;Electronics;\n");
}

int CreateShortcut(const QString& target, const QString& link, const QString& description,
                   const QString& workingFolder, const QString& icon) {
    QSaveFile file(link);
    if (!file.open(QIODevice::WriteOnly))
        return -1;
    QByteArray bytes = DesktopEntryText(target, description, workingFolder, icon).toUtf8();
    if (file.write(bytes) != bytes.size() || !file.commit())
        return -1;
    // Desktops start only entries that are marked executable.
    QFile::setPermissions(link, QFile::permissions(link) | QFileDevice::ExeOwner |
                                    QFileDevice::ExeGroup | QFileDevice::ExeOther);
    return 0;
}

QString ProgramIconPath() {
    return JoinPath(KnownFolders::IconTheme(), QStringLiteral("32x32/apps/")) +
           QLatin1String(ProductFiles::kIconFile);
}
