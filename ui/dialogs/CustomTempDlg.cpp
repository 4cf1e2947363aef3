#include "CustomTempDlg.h"

#include "DialogTemplate.h"
#include "MessageBox.h"
#include "ValidationTexts.h"

#include <QLineEdit>

CCustomTempDlg::CCustomTempDlg(int lowerLimit, int upperLimit, QWidget* parent)
    : QDialog(parent), m_lower(lowerLimit), m_upper(upperLimit) {}

bool CCustomTempDlg::Initialise() {
    if (!AdoptTemplate(this, 149)) {
        return false;
    }
    m_edit = Control<QLineEdit>(this, 1017);
    if (m_edit == nullptr) {
        return false;
    }
    m_edit->setText(QString::number(m_temperature));
    m_edit->selectAll();
    m_edit->setFocus();
    return true;
}

void CCustomTempDlg::accept() {
    int value = 0;
    const ValidationResult result = ParseIntegerInRange(m_edit->text(), m_lower, m_upper, value);
    if (result.failed) {
        AppMessageBox(result.message, QMessageBox::Warning);
        m_edit->setFocus();
        m_edit->selectAll();
        return;
    }
    m_temperature = value;
    QDialog::accept();
}

bool RunCustomTemperatureDialog(QWidget* parent, int lowerLimit, int upperLimit, int& value) {
    CCustomTempDlg dialog(lowerLimit, upperLimit, parent);
    dialog.SetTemperature(value);
    if (!dialog.Initialise() || dialog.exec() != QDialog::Accepted) {
        return false;
    }
    value = dialog.Temperature();
    return true;
}
