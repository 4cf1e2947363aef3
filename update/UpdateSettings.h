#pragma once

#include <QString>

// The two INI files of the update, both with the section "zelta": ZeltaIII.ini holds the
// proxy settings the user confirms, ZeltaIII.srv the update servers the installer wrote.

constexpr const char* kProxySettingsFile = "ZeltaIII.ini";
constexpr const char* kServerSettingsFile = "ZeltaIII.srv";
// The host asked when ZeltaIII.srv names none.
constexpr const char* kDefaultUpdateHost = "update.vorn-components.example";
constexpr const char* kDefaultUpdateDir = "ZeltaApps/Zelta";

struct ProxySettings {
    int useProxy = 0; // 1: connect through the proxy
    QString proxyName;
    int proxyPort = 0;
    QString userName;
    QString password;
    int savePassword = 0; // 1: the password is kept in the file
};

struct ServerSettings {
    QString server1 = QString::fromLatin1(kDefaultUpdateHost);
    QString dir1 = QString::fromLatin1(kDefaultUpdateDir);
    QString server2 = QString::fromLatin1(kDefaultUpdateHost);
    QString dir2 = QString::fromLatin1(kDefaultUpdateDir);
};

// `folder` + "/" + `fileName`, with one separator whether or not `folder` ends in one.
QString SettingsPath(const QString& folder, const char* fileName);

// Whether a settings file could be used. A file that is too large or cannot be read gives
// the defaults and is never rewritten; the user is told (SettingsFileMessage).
enum class SettingsFileStatus { Usable, TooLarge, Unreadable };

// The six proxy keys of section "zelta"; a missing file or key gives its default.
ProxySettings ReadProxySettings(const QString& iniPath, SettingsFileStatus* status = nullptr);

// Writes the six keys into section "zelta" as the profile functions do: each key's line
// changed or added, every other line of the file kept byte for byte. The password only when
// savePassword is 1, otherwise an empty one. A file holding a password is readable by its
// owner only. The file is replaced only once the new one is complete. Returns false when it
// could not be written, or was too large or unreadable and so was left alone.
bool WriteProxySettings(const QString& iniPath, const ProxySettings& settings);

ServerSettings ReadServerSettings(const QString& srvPath, SettingsFileStatus* status = nullptr);

// "name:port" when the proxy is in use, else empty.
QString ProxyText(const ProxySettings& settings);

// An integer key read as the profile functions do: the default when the key is missing,
// the leading decimal number of the text otherwise, 0 when the text does not start with one.
int ProfileInt(const QString& text, bool present, int defaultValue);
