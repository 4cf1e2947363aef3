#pragma once

#include <QString>

#include <cstddef>

// The version decision of the update: what "zelta.txt" says, which server is asked for
// the installer, and whether its version is new enough to offer.

constexpr std::size_t kVersionTextBytes = 259; // bytes of "zelta.txt" that are read
constexpr float kOfferedVersionThreshold = 2.8f;

// Reads the first number of a version text: leading blanks are skipped, anything after the
// number is ignored. False when the text does not start with a finite number.
bool ParseVersionText(const char* text, std::size_t length, float& version);

// True when `version` is worth offering (compared in single precision).
bool IsNewerVersion(float version);

// 1 or 2 for the server to download from, 0 when neither passed its check. The first
// server wins unless the second passed with a higher version.
int ChooseServer(int result1, float version1, int result2, float version2);

// The object name of `fileName` under `dir`: the directory, "/" and the file name.
QString UpdateObjectName(const QString& dir, const char* fileName);

// True when `data` starts with the executable signature of this platform.
bool HasExecutableSignature(const char* data, std::size_t length);
