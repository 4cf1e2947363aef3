#include "UpdateSettings.h"

#include <QFile>
#include <QSettings>

namespace {

constexpr QFileDevice::Permissions kOwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

QString Text(const QSettings& settings, const char* key, const QString& defaultValue = QString()) {
    const QVariant value = settings.value(QLatin1String(key));
    if (!value.isValid()) {
        return defaultValue;
    }
    // An unquoted value with commas reads back as a list; the profile functions see one text.
    if (value.metaType().id() == QMetaType::QStringList) {
        return value.toStringList().join(QLatin1Char(','));
    }
    return value.toString();
}

int Int(const QSettings& settings, const char* key, int defaultValue) {
    const bool present = settings.contains(QLatin1String(key));
    return ProfileInt(Text(settings, key), present, defaultValue);
}

// Creates the file, or narrows an existing one, before any password reaches it.
void MakeOwnerOnly(const QString& path) {
    QFile file(path);
    if (!file.exists()) {
        if (file.open(QIODevice::WriteOnly)) {
            file.setPermissions(kOwnerOnly);
            file.close();
        }
        return;
    }
    file.setPermissions(kOwnerOnly);
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

ProxySettings ReadProxySettings(const QString& iniPath) {
    ProxySettings result;
    QSettings settings(iniPath, QSettings::IniFormat);
    settings.beginGroup(QStringLiteral("zelta"));
    result.useProxy = Int(settings, "useproxy", 0);
    result.proxyName = Text(settings, "proxyname");
    result.proxyPort = Int(settings, "proxyport", 0);
    result.userName = Text(settings, "username");
    result.password = Text(settings, "password");
    result.savePassword = Int(settings, "savepassword", 0);
    return result;
}

bool WriteProxySettings(const QString& iniPath, const ProxySettings& proxy) {
    const QString password = proxy.savePassword != 0 ? proxy.password : QString();
    if (!password.isEmpty()) {
        MakeOwnerOnly(iniPath);
    }
    {
        QSettings settings(iniPath, QSettings::IniFormat);
        settings.beginGroup(QStringLiteral("zelta"));
        settings.setValue(QStringLiteral("useproxy"), QString::number(proxy.useProxy));
        settings.setValue(QStringLiteral("proxyname"), proxy.proxyName);
        settings.setValue(QStringLiteral("proxyport"), QString::number(proxy.proxyPort));
        settings.setValue(QStringLiteral("username"), proxy.userName);
        settings.setValue(QStringLiteral("password"), password);
        settings.setValue(QStringLiteral("savepassword"), QString::number(proxy.savePassword));
        settings.endGroup();
        settings.sync();
        if (settings.status() != QSettings::NoError) {
            return false;
        }
    }
    if (!password.isEmpty()) {
        // The settings file may have been replaced by a fresh one; narrow it again.
        QFile::setPermissions(iniPath, kOwnerOnly);
    }
    return true;
}

ServerSettings ReadServerSettings(const QString& srvPath) {
    ServerSettings result;
    QSettings settings(srvPath, QSettings::IniFormat);
    settings.beginGroup(QStringLiteral("zelta"));
    result.server1 = Text(settings, "httpserver", result.server1);
    result.dir1 = Text(settings, "httpdir", result.dir1);
    result.server2 = Text(settings, "httpserver2", result.server2);
    result.dir2 = Text(settings, "httpdir2", result.dir2);
    return result;
}

QString ProxyText(const ProxySettings& settings) {
    if (settings.useProxy == 0) {
        return QString();
    }
    return settings.proxyName + QLatin1Char(':') + QString::number(settings.proxyPort);
}
