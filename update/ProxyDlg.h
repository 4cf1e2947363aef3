#pragma once

#include "UpdateSettings.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;

// The proxy server settings confirmed before every update check: address and port of the
// proxy (editable only while "Use proxy server" is checked), user name, password and
// whether the password is kept in the settings file.
class CProxyDlg : public QDialog {
public:
    static constexpr int kMaxTextLength = 250;

    explicit CProxyDlg(QWidget* parent = nullptr);

    bool Initialise(); // false when the template is missing

    void SetSettings(const ProxySettings& settings) { m_settings = settings; }
    const ProxySettings& Settings() const { return m_settings; }

    void accept() override;

private:
    void UpdateProxyControls();
    bool Fail(const QString& message, QLineEdit* edit);

    ProxySettings m_settings;
    QCheckBox* m_useProxy = nullptr;     // 1029
    QLineEdit* m_address = nullptr;      // 1030
    QLineEdit* m_port = nullptr;         // 1031
    QLineEdit* m_userName = nullptr;     // 1037
    QLineEdit* m_password = nullptr;     // 1038
    QCheckBox* m_savePassword = nullptr; // 1039
};
