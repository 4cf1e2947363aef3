#pragma once

#include <QDialog>
#include <QString>

class QLineEdit;
class QRadioButton;

// The measurement point: a frequency between 100 Hz and 100 MHz and whether the readout is
// taken at 25 °C or at the working temperature. The second option is offered only when a
// label is given (the working temperature differs from 25 °C).
class CMeasPointDlg : public QDialog {
public:
    static constexpr double kMinFrequency = 100.0; // Hz
    static constexpr double kMaxFrequency = 1e8;   // Hz

    explicit CMeasPointDlg(QWidget* parent = nullptr);

    void SetTemperatureLabel(const QString& label) { m_temperatureLabel = label; }
    void SetFrequency(double hz) { m_frequency = hz; }
    void SetTemperatureOption(int option) { m_temperatureOption = option; }
    double Frequency() const { return m_frequency; }
    int TemperatureOption() const { return m_temperatureOption; }

    bool Initialise(); // false when the template is missing

    void accept() override;

private:
    QString m_temperatureLabel;
    double m_frequency = kMinFrequency;
    int m_temperatureOption = -1;
    QLineEdit* m_edit = nullptr;         // control 1023
    QRadioButton* m_at25 = nullptr;      // control 1022
    QRadioButton* m_atWorking = nullptr; // control 1024
};

// What the main frame keeps of the measurement point.
struct MeasurementPoint {
    double frequency = 100.0;     // Hz
    int measureAtTemperature = 0; // 0: at 25 °C, 1: at the selected temperature
};

// Runs the dialog for `point` at the working temperature `selectedTemperature`; on OK
// stores the new frequency and option in `point` and returns true.
bool RunMeasurementPointDialog(QWidget* parent, double selectedTemperature,
                               MeasurementPoint& point);
