#include "InstallerIcons.h"

#include <QFile>

QIcon InstallerBigIcon() {
    return QIcon(QStringLiteral(":/installer/icons/135.png"));
}

QByteArray ProgramIconPng() {
    QFile file(QStringLiteral(":/installer/icons/ZeltaIII.png"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
