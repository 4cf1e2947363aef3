#include "MeasPointDlg.h"

#include "DialogTemplate.h"
#include "MessageBox.h"
#include "ValidationTexts.h"

#include <QLineEdit>
#include <QRadioButton>

#include <cmath>

CMeasPointDlg::CMeasPointDlg(QWidget* parent) : QDialog(parent) {}

bool CMeasPointDlg::Initialise() {
    if (!AdoptTemplate(this, 154)) {
        return false;
    }
    m_edit = Control<QLineEdit>(this, 1023);
    m_at25 = Control<QRadioButton>(this, 1022);
    m_atWorking = Control<QRadioButton>(this, 1024);
    if (m_edit == nullptr || m_at25 == nullptr || m_atWorking == nullptr) {
        return false;
    }
    // The template keeps the second option hidden; it appears only with a label.
    const bool offerWorking = !m_temperatureLabel.isEmpty();
    m_atWorking->setText(m_temperatureLabel);
    m_atWorking->setVisible(offerWorking);
    if (m_temperatureOption == 1 && offerWorking) {
        m_atWorking->setChecked(true);
    } else {
        m_at25->setChecked(true);
    }
    m_edit->setText(FormatEditNumber(m_frequency));
    m_edit->selectAll();
    m_edit->setFocus();
    return true;
}

void CMeasPointDlg::accept() {
    double value = 0.0;
    const ValidationResult result =
        ParseNumberInRange(m_edit->text(), kMinFrequency, kMaxFrequency, value);
    if (result.failed) {
        AppMessageBox(result.message, QMessageBox::Warning);
        m_edit->setFocus();
        m_edit->selectAll();
        return;
    }
    m_frequency = value;
    m_temperatureOption = (m_atWorking->isVisibleTo(this) && m_atWorking->isChecked()) ? 1 : 0;
    QDialog::accept();
}

bool RunMeasurementPointDialog(QWidget* parent, double selectedTemperature,
                               MeasurementPoint& point) {
    CMeasPointDlg dialog(parent);
    dialog.SetFrequency(point.frequency);
    dialog.SetTemperatureOption(0);
    if (std::fabs(selectedTemperature - 25.0) > 1e-8) {
        dialog.SetTemperatureLabel(ResourceString(34020).replace(
            QStringLiteral("%g"), QString::number(selectedTemperature, 'g', 6)));
        dialog.SetTemperatureOption(point.measureAtTemperature);
    }
    if (!dialog.Initialise() || dialog.exec() != QDialog::Accepted) {
        return false;
    }
    point.frequency = dialog.Frequency();
    point.measureAtTemperature = dialog.TemperatureOption();
    return true;
}
