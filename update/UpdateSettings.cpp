#include "UpdateSettings.h"

#include "AtomicFile.h"
#include "ProfileFile.h"

#include <string>
#include <utility>

namespace {

const char kSection[] = "zelta";

// The file's bytes in the form the profile functions read, with the status of the reading.
class CProfile {
public:
    explicit CProfile(const QString& path)
        : m_status(ReadProfileFile(path.toStdString(), m_text)) {}

    ProfileFileStatus Status() const { return m_status; }

    QString Text(const char* key, const QString& defaultValue = QString()) const {
        std::string value;
        if (!GetProfileString(m_text, kSection, key, value)) {
            return defaultValue;
        }
        return QString::fromStdString(value);
    }

    int Int(const char* key, int defaultValue) const {
        std::string value;
        const bool present = GetProfileString(m_text, kSection, key, value);
        return ProfileInt(QString::fromStdString(value), present, defaultValue);
    }

private:
    std::string m_text;
    ProfileFileStatus m_status;
};

void Report(ProfileFileStatus status, SettingsFileStatus* out) {
    if (out == nullptr) {
        return;
    }
    switch (status) {
    case ProfileFileStatus::TooLarge:
        *out = SettingsFileStatus::TooLarge;
        break;
    case ProfileFileStatus::Unreadable:
        *out = SettingsFileStatus::Unreadable;
        break;
    default:
        *out = SettingsFileStatus::Usable;
    }
}

} // namespace

QString SettingsPath(const QString& folder, const char* fileName) {
    QString path = folder;
    while (path.size() > 1 && path.endsWith(QLatin1Char('/'))) {
        path.chop(1);
    }
    if (!path.endsWith(QLatin1Char('/'))) {
        path += QLatin1Char('/');
    }
    return path + QString::fromLatin1(fileName);
}

int ProfileInt(const QString& text, bool present, int defaultValue) {
    if (!present) {
        return defaultValue;
    }
    const QString trimmed = text.trimmed();
    int i = 0;
    bool negative = false;
    if (i < trimmed.size() && (trimmed[i] == QLatin1Char('-') || trimmed[i] == QLatin1Char('+'))) {
        negative = trimmed[i] == QLatin1Char('-');
        ++i;
    }
    long long value = 0;
    for (; i < trimmed.size() && trimmed[i].isDigit() && trimmed[i].unicode() < 128; ++i) {
        value = value * 10 + (trimmed[i].unicode() - '0');
        if (value > 0x7fffffffLL) {
            value = 0x7fffffffLL;
        }
    }
    return static_cast<int>(negative ? -value : value);
}

ProxySettings ReadProxySettings(const QString& iniPath, SettingsFileStatus* status) {
    ProxySettings result;
    const CProfile profile(iniPath);
    Report(profile.Status(), status);
    result.useProxy = profile.Int("useproxy", 0);
    result.proxyName = profile.Text("proxyname");
    result.proxyPort = profile.Int("proxyport", 0);
    result.userName = profile.Text("username");
    result.password = profile.Text("password");
    result.savePassword = profile.Int("savepassword", 0);
    return result;
}

bool WriteProxySettings(const QString& iniPath, const ProxySettings& proxy) {
    // Read again right before writing: the keys of this program change, everything else in
    // the file stays as it is now.
    const std::string path = iniPath.toStdString();
    std::string text;
    const ProfileFileStatus status = ReadProfileFile(path, text);
    if (status == ProfileFileStatus::TooLarge || status == ProfileFileStatus::Unreadable) {
        return false; // a file that was not read is never replaced
    }
    const QString password = proxy.savePassword != 0 ? proxy.password : QString();
    const std::pair<const char*, QString> keys[] = {
        {"useproxy", QString::number(proxy.useProxy)},
        {"proxyname", proxy.proxyName},
        {"proxyport", QString::number(proxy.proxyPort)},
        {"username", proxy.userName},
        {"password", password},
        {"savepassword", QString::number(proxy.savePassword)},
    };
    for (const auto& [key, value] : keys) {
        text = SetProfileString(text, kSection, key, value.toStdString());
    }
    AtomicFileOptions options;
    // A file holding a password is the owner's alone from its first byte on.
    options.ownerOnly = !password.isEmpty();
    options.durable = true;
    int error = 0;
    return WriteFileAtomically(path, text, options, &error);
}

ServerSettings ReadServerSettings(const QString& srvPath, SettingsFileStatus* status) {
    ServerSettings result;
    const CProfile profile(srvPath);
    Report(profile.Status(), status);
    result.server1 = profile.Text("httpserver", result.server1);
    result.dir1 = profile.Text("httpdir", result.dir1);
    result.server2 = profile.Text("httpserver2", result.server2);
    result.dir2 = profile.Text("httpdir2", result.dir2);
    return result;
}

QString ProxyText(const ProxySettings& settings) {
    if (settings.useProxy == 0) {
        return QString();
    }
    return settings.proxyName + QLatin1Char(':') + QString::number(settings.proxyPort);
}
