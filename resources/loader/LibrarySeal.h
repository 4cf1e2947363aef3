#pragma once

#include <QByteArray>

// The seal the build appends to libZeltaIII.so (resources/SealLibrary.cmake): "ZELTASEAL", the
// SHA-256 of every byte before the seal in lowercase hexadecimal, and a line end. The dynamic
// loader ignores bytes after the last segment, so the sealed file loads as before; the loader
// checks the seal before it lets the dynamic loader near the file.
constexpr qint64 kLibrarySealBytes = 9 + 64 + 1;

inline QByteArray LibrarySeal(const QByteArray& sha256) {
    return QByteArrayLiteral("ZELTASEAL") + sha256.toHex() + QByteArrayLiteral("\n");
}
