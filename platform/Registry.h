#pragma once

#include <QString>

// The registry of installed programs: keys under the local-machine root, each holding named
// values. Key and value names ignore case and keys are separated by "\", as the installer and
// the uninstaller name them ("SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\ZeltaIII").
// Here the registry is one INI-style file in the user's configuration folder, a section per
// key, in the layout of an exported registry file:
//
//     [SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\ZeltaIII]
//     "DisplayName"="ZeltaIII 2.0"
//
// Text values are quoted with "\\" and "\"" escaped; anything else (dword:..., hex:...) is a
// value that is not text. Every change rewrites the file atomically.
namespace Registry {

// Results, numbered like the platform's error codes.
constexpr int kOk = 0;
constexpr int kNotFound = 2;    // the key or the value does not exist
constexpr int kWriteFailed = 5; // the registry file cannot be written
constexpr int kNotText = 13;    // the value exists but is not a text value

// Reads the text value `name` of `key` into `text`.
// "ProgramFilesDir" of "SOFTWARE\Microsoft\Windows\CurrentVersion" answers the platform's
// program-files folder unless the file stores another one.
int QueryRegValue(const QString& key, const QString& name, QString* text);

// Sets the text value `name` of `key`; creates the key when it is missing.
int SetRegValue(const QString& key, const QString& name, const QString& text);

// Creates `key` (no error when it exists).
int CreateRegKey(const QString& key);

// Deletes `key` with its values; keys below it stay, as with the platform's own call.
int DeleteRegKey(const QString& key);

// The file that holds the registry.
QString StorePath();

} // namespace Registry
