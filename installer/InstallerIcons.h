#pragma once

#include <QByteArray>
#include <QIcon>

// The installer's own pictures: the big icon 135 of the installation dialog, and the
// program's icon that the desktop entries show.

// Icon 135.
QIcon InstallerBigIcon();

// The program's icon (the resource library's icon 128) as PNG bytes.
QByteArray ProgramIconPng();
