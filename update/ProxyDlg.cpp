#include "ProxyDlg.h"

#include "DialogTemplate.h"
#include "MessageBox.h"

#include <QCheckBox>
#include <QLineEdit>

namespace {

constexpr int kProxyControls[] = {1032, 1033, 1030, 1034, 1031};

bool AllDigits(const QString& text) {
    if (text.isEmpty()) {
        return false;
    }
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
            return false;
        }
    }
    return true;
}

} // namespace

CProxyDlg::CProxyDlg(QWidget* parent) : QDialog(parent) {}

bool CProxyDlg::Initialise() {
    if (!AdoptTemplate(this, 160)) {
        return false;
    }
    m_useProxy = Control<QCheckBox>(this, 1029);
    m_address = Control<QLineEdit>(this, 1030);
    m_port = Control<QLineEdit>(this, 1031);
    m_userName = Control<QLineEdit>(this, 1037);
    m_password = Control<QLineEdit>(this, 1038);
    m_savePassword = Control<QCheckBox>(this, 1039);
    if (m_useProxy == nullptr || m_address == nullptr || m_port == nullptr ||
        m_userName == nullptr || m_password == nullptr || m_savePassword == nullptr) {
        return false;
    }
    m_password->setEchoMode(QLineEdit::Password);
    m_port->setText(QString::number(static_cast<unsigned>(m_settings.proxyPort)));
    m_address->setText(m_settings.proxyName);
    m_useProxy->setChecked(m_settings.useProxy != 0);
    m_password->setText(m_settings.password);
    m_userName->setText(m_settings.userName);
    m_savePassword->setChecked(m_settings.savePassword != 0);
    connect(m_useProxy, &QCheckBox::toggled, this, [this] { UpdateProxyControls(); });
    UpdateProxyControls();
    return true;
}

void CProxyDlg::UpdateProxyControls() {
    const bool on = m_useProxy->isChecked();
    for (const int id : kProxyControls) {
        if (auto* control = Control<QWidget>(this, id)) {
            control->setEnabled(on);
        }
    }
}

bool CProxyDlg::Fail(const QString& message, QLineEdit* edit) {
    AppMessageBox(message, QMessageBox::Warning);
    edit->setFocus();
    edit->selectAll();
    return false;
}

void CProxyDlg::accept() {
    // Checked in the order the values are exchanged; the first bad one keeps the dialog open.
    const QString portText = m_port->text().trimmed();
    if (!AllDigits(portText)) {
        Fail(ResourceString(61719), m_port);
        return;
    }
    bool ok = false;
    const unsigned port = portText.toUInt(&ok);
    if (!ok || port > 65535) {
        Fail(ResourceString(61714)
                 .arg(QStringLiteral("0"), QStringLiteral("65535")),
             m_port);
        return;
    }
    const QString tooLong =
        ResourceString(61716)
            .arg(kMaxTextLength);
    for (QLineEdit* edit : {m_address, m_password, m_userName}) {
        if (edit->text().size() > kMaxTextLength) {
            Fail(tooLong, edit);
            return;
        }
    }
    m_settings.proxyPort = static_cast<int>(port);
    m_settings.proxyName = m_address->text();
    m_settings.useProxy = m_useProxy->isChecked() ? 1 : 0;
    m_settings.password = m_password->text();
    m_settings.userName = m_userName->text();
    m_settings.savePassword = m_savePassword->isChecked() ? 1 : 0;
    QDialog::accept();
}
