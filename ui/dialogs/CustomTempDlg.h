#pragma once

#include <QDialog>

class QLineEdit;

// A whole-number temperature in °C between two limits, both included. The dialog stays open
// until the text is an integer within them.
class CCustomTempDlg : public QDialog {
public:
    CCustomTempDlg(int lowerLimit, int upperLimit, QWidget* parent = nullptr);

    bool Initialise(); // false when the template is missing
    void SetTemperature(int value) { m_temperature = value; }
    int Temperature() const { return m_temperature; }

    void accept() override;

private:
    int m_lower;
    int m_upper;
    int m_temperature = 25;
    QLineEdit* m_edit = nullptr; // control 1017
};

// Runs the dialog with `value` as its start; on OK stores the entered integer in `value` and
// returns true. Cancel leaves `value` alone.
bool RunCustomTemperatureDialog(QWidget* parent, int lowerLimit, int upperLimit, int& value);
