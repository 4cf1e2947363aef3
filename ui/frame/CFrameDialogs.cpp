#include "CFrameDialogs.h"

#include "CompareDlg.h"
#include "CustomTempDlg.h"
#include "MeasPointDlg.h"
#include "ModelDlg.h"

#include <QFileDialog>

bool CFrameDialogs::RunCustomTemperature(QWidget* parent, int low, int high, int initial,
                                         int* value) {
    int temperature = initial;
    if (!RunCustomTemperatureDialog(parent, low, high, temperature))
        return false;
    *value = temperature;
    return true;
}

bool CFrameDialogs::RunMeasurementPoint(QWidget* parent, double frequency,
                                        const QString& secondChoiceLabel, int initialChoice,
                                        double* frequencyOut, int* choiceOut) {
    CMeasPointDlg dialog(parent);
    dialog.SetFrequency(frequency);
    dialog.SetTemperatureOption(initialChoice);
    if (!secondChoiceLabel.isEmpty())
        dialog.SetTemperatureLabel(secondChoiceLabel);
    if (!dialog.Initialise() || dialog.exec() != QDialog::Accepted)
        return false;
    *frequencyOut = dialog.Frequency();
    *choiceOut = dialog.TemperatureOption();
    return true;
}

bool CFrameDialogs::RunComparison(QWidget* parent, const CapacitorRecord* current,
                                  const CapacitorRecord* first, const CapacitorRecord* second,
                                  const CapacitorRecord** firstOut,
                                  const CapacitorRecord** secondOut) {
    CCompareDlg dialog(parent);
    dialog.SetCurrentCapacitor(current);
    dialog.SetCapacitors(first, second);
    if (!dialog.Initialise() || dialog.exec() != QDialog::Accepted)
        return false;
    *firstOut = dialog.Capacitor1();
    *secondOut = dialog.Capacitor2();
    return true;
}

void CFrameDialogs::ShowEquivalentCircuit(QWidget* parent, const CapacitorRecord* record) {
    if (record != nullptr)
        ::ShowEquivalentCircuit(record, parent);
}

QString CFrameDialogs::BrowseForFolder(QWidget* parent, const QString& title,
                                       const QString& initialFolder) {
    return QFileDialog::getExistingDirectory(parent, title, initialFolder,
                                             QFileDialog::ShowDirsOnly);
}
